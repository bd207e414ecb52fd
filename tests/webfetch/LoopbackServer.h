#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace quillon::webfetch::testing {

// The head of one request as the server received it.
struct Request {
  std::string method;
  std::string target;
  std::string head;  // request line and header lines, CR LF separated

  // The value of the first header called name (case-insensitive), or empty text.
  std::string header(std::string_view name) const;
};

// One accepted connection, given to the handler to answer byte by byte.
class Connection {
 public:
  Connection(int socket, const std::atomic<bool>& stopping)
      : m_socket(socket), m_stopping(stopping) {}

  // False once the client has gone or the server is stopping.
  bool send(std::string_view bytes);
  // Sends nothing for the given time; false when the client hangs up or the server stops.
  bool wait(std::chrono::milliseconds time);
  // Sends nothing until the client hangs up or the server stops, or for 20 s at most, so
  // that a client without time-outs fails its test instead of hanging it.
  void hold() { wait(std::chrono::seconds(20)); }

 private:
  int m_socket;
  const std::atomic<bool>& m_stopping;
};

using Handler = std::function<void(const Request&, Connection&)>;

// A plain TCP server on 127.0.0.1 with a free port, one thread per connection; every
// connection is closed when its handler returns. Stops and joins in its destructor.
class LoopbackServer {
 public:
  explicit LoopbackServer(Handler handler);
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  int port() const { return m_port; }
  // "http://127.0.0.1:PORT" followed by target.
  std::string url(std::string_view target) const;
  std::vector<Request> requests() const;

 private:
  void acceptLoop();
  void serve(int socket);

  Handler m_handler;
  int m_listener = -1;
  int m_port = 0;
  std::atomic<bool> m_stopping{false};
  mutable std::mutex m_mutex;
  std::vector<Request> m_requests;
  std::vector<std::thread> m_connections;
  std::thread m_acceptor;
};

// A complete response with Content-Length and Connection: close. extraHeaders, when given,
// are whole header lines each ending in CR LF.
std::string httpResponse(int status, std::string_view body, std::string_view extraHeaders = {});

}  // namespace quillon::webfetch::testing
