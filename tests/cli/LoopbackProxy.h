#pragma once

#include <arpa/inet.h>
#include <functional>
#include <mutex>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace quillon::cli::testing {

// A forwarding HTTP proxy on 127.0.0.1 (ephemeral port) that asks for the login anna:s3cret:
// it reads each request's absolute address, sends the request to the port that `route` gives
// for its host (on 127.0.0.1, the Host header kept), and passes the answer back. It notes every
// address asked for, so a test sees what went through it. Stops when destroyed.
class LoopbackProxy {
 public:
  explicit LoopbackProxy(std::function<int(const std::string& host)> route)
      : m_route(std::move(route)) {
    m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), size);
    ::listen(m_listener, 16);
    ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &size);
    m_port = ntohs(address.sin_port);
    m_acceptor = std::thread([this] { acceptLoop(); });
  }
  LoopbackProxy(const LoopbackProxy&) = delete;
  LoopbackProxy& operator=(const LoopbackProxy&) = delete;
  ~LoopbackProxy() {
    ::shutdown(m_listener, SHUT_RDWR);
    ::close(m_listener);
    m_acceptor.join();
    for (std::thread& connection : m_connections) connection.join();
  }

  int port() const { return m_port; }
  // The absolute addresses of the requests that came with the login, in order.
  std::vector<std::string> forwarded() const {
    const std::lock_guard lock(m_mutex);
    return m_forwarded;
  }
  int refusedForLogin() const {
    const std::lock_guard lock(m_mutex);
    return m_withoutLogin;
  }

 private:
  void acceptLoop() {
    for (;;) {
      const int client = ::accept(m_listener, nullptr, nullptr);
      if (client < 0) return;
      const std::lock_guard lock(m_mutex);
      m_connections.emplace_back([this, client] {
        serve(client);
        ::close(client);
      });
    }
  }

  static bool sendAll(int socket, const std::string& bytes) {
    for (std::size_t sent = 0; sent < bytes.size();) {
      const ssize_t n = ::send(socket, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
      if (n <= 0) return false;
      sent += static_cast<std::size_t>(n);
    }
    return true;
  }

  void serve(int client) {
    std::string head;
    char buffer[8192];
    while (head.find("\r\n\r\n") == std::string::npos) {
      const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
      if (n <= 0) return;
      head.append(buffer, static_cast<std::size_t>(n));
    }
    head.resize(head.find("\r\n\r\n") + 2);
    const std::size_t lineEnd = head.find("\r\n");
    const std::string line = head.substr(0, lineEnd);
    const std::size_t space1 = line.find(' ');
    const std::size_t space2 = line.rfind(' ');
    const std::string method = line.substr(0, space1);
    const std::string target = line.substr(space1 + 1, space2 - space1 - 1);
    if (head.find("Proxy-Authorization: Basic YW5uYTpzM2NyZXQ=\r\n") == std::string::npos) {
      {
        const std::lock_guard lock(m_mutex);
        ++m_withoutLogin;
      }
      sendAll(client,
              "HTTP/1.1 407 Proxy Authentication Required\r\n"
              "Proxy-Authenticate: Basic realm=\"test\"\r\nContent-Length: 0\r\n"
              "Connection: close\r\n\r\n");
      return;
    }
    {
      const std::lock_guard lock(m_mutex);
      m_forwarded.push_back(target);
    }
    // http://HOST[:PORT]/PATH
    const std::size_t hostStart = target.find("://") + 3;
    const std::size_t pathStart = target.find('/', hostStart);
    const std::string hostPort = target.substr(hostStart, pathStart - hostStart);
    const std::string path = pathStart == std::string::npos ? "/" : target.substr(pathStart);
    const int port = m_route(hostPort.substr(0, hostPort.find(':')));

    const int server = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    if (::connect(server, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
      ::close(server);
      return;
    }
    std::string request = method + " " + path + " HTTP/1.1\r\n";
    for (std::size_t at = lineEnd + 2; at < head.size();) {
      const std::size_t end = head.find("\r\n", at);
      const std::string header = head.substr(at, end - at);
      if (header.rfind("Proxy-", 0) != 0 && header.rfind("Connection", 0) != 0) {
        request += header + "\r\n";
      }
      at = end + 2;
    }
    request += "Connection: close\r\n\r\n";
    if (sendAll(server, request)) {
      for (;;) {
        const ssize_t n = ::recv(server, buffer, sizeof buffer, 0);
        if (n <= 0 || !sendAll(client, std::string(buffer, static_cast<std::size_t>(n)))) break;
      }
    }
    ::close(server);
  }

  std::function<int(const std::string&)> m_route;
  int m_listener = -1;
  int m_port = 0;
  std::thread m_acceptor;
  mutable std::mutex m_mutex;
  std::vector<std::thread> m_connections;
  std::vector<std::string> m_forwarded;
  int m_withoutLogin = 0;
};

}  // namespace quillon::cli::testing
