#pragma once

#include <httplib.h>
#include <string>
#include <thread>

namespace quillon::cli::testing {

// An HTTP server on 127.0.0.1 (ephemeral port) serving tests/fixtures, plus the routes a
// test adds before start(). Stops when destroyed.
class FixtureServer {
 public:
  FixtureServer() {
    m_server.set_mount_point("/", QUILLON_FIXTURES);
    // One request per connection: the browser holds idle connections open, and stop()
    // would wait for them.
    m_server.set_keep_alive_max_count(1);
  }
  FixtureServer(const FixtureServer&) = delete;
  FixtureServer& operator=(const FixtureServer&) = delete;
  ~FixtureServer() {
    m_server.stop();
    if (m_thread.joinable()) m_thread.join();
  }

  httplib::Server& routes() { return m_server; }

  void start() {
    m_port = m_server.bind_to_any_port("127.0.0.1");
    m_thread = std::thread([this] { m_server.listen_after_bind(); });
  }

  // "http://127.0.0.1:PORT" followed by the path (which begins with "/").
  std::string url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
  }

 private:
  httplib::Server m_server;
  std::thread m_thread;
  int m_port = 0;
};

}  // namespace quillon::cli::testing
