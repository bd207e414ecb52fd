#include "webfetch/LoopbackServer.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cctype>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace quillon::webfetch::testing {
namespace {

constexpr int kTickMilliseconds = 20;

bool equalsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

Request parseHead(std::string head) {
  Request request;
  const std::size_t firstSpace = head.find(' ');
  const std::size_t secondSpace = head.find(' ', firstSpace + 1);
  if (firstSpace != std::string::npos && secondSpace != std::string::npos) {
    request.method = head.substr(0, firstSpace);
    request.target = head.substr(firstSpace + 1, secondSpace - firstSpace - 1);
  }
  request.head = std::move(head);
  return request;
}

}  // namespace

std::string Request::header(std::string_view name) const {
  std::string_view rest = head;
  while (!rest.empty()) {
    const std::size_t end = std::min(rest.find("\r\n"), rest.size());
    const std::string_view line = rest.substr(0, end);
    rest.remove_prefix(std::min(end + 2, rest.size()));
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos || !equalsNoCase(line.substr(0, colon), name)) continue;
    std::string_view value = line.substr(colon + 1);
    while (!value.empty() && value.front() == ' ') value.remove_prefix(1);
    return std::string(value);
  }
  return {};
}

bool Connection::send(std::string_view bytes) {
  while (!bytes.empty()) {
    if (m_stopping) return false;
    pollfd slot{m_socket, POLLOUT, 0};
    if (::poll(&slot, 1, kTickMilliseconds) <= 0) continue;
    const ssize_t sent = ::send(m_socket, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(sent));
  }
  return true;
}

bool Connection::wait(std::chrono::milliseconds time) {
  const auto deadline = std::chrono::steady_clock::now() + time;
  while (std::chrono::steady_clock::now() < deadline) {
    if (m_stopping) return false;
    pollfd slot{m_socket, POLLIN, 0};
    if (::poll(&slot, 1, kTickMilliseconds) > 0) {
      char byte;
      if (::recv(m_socket, &byte, 1, MSG_PEEK | MSG_DONTWAIT) <= 0) return false;
      // The client sent more (a pipelined request): nothing to do with it here.
      std::this_thread::sleep_for(std::chrono::milliseconds(kTickMilliseconds));
    }
  }
  return true;
}

LoopbackServer::LoopbackServer(Handler handler) : m_handler(std::move(handler)) {
  m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  socklen_t length = sizeof address;
  if (m_listener < 0 || ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
      ::listen(m_listener, 64) != 0 ||
      ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    if (m_listener >= 0) ::close(m_listener);
    throw std::runtime_error("loopback server: no listening socket");
  }
  m_port = ntohs(address.sin_port);
  m_acceptor = std::thread([this] { acceptLoop(); });
}

LoopbackServer::~LoopbackServer() {
  m_stopping = true;
  m_acceptor.join();
  for (std::thread& connection : m_connections) connection.join();
  ::close(m_listener);
}

std::string LoopbackServer::url(std::string_view target) const {
  return "http://127.0.0.1:" + std::to_string(m_port) + std::string(target);
}

std::vector<Request> LoopbackServer::requests() const {
  const std::lock_guard lock(m_mutex);
  return m_requests;
}

void LoopbackServer::acceptLoop() {
  while (!m_stopping) {
    pollfd slot{m_listener, POLLIN, 0};
    if (::poll(&slot, 1, kTickMilliseconds) <= 0) continue;
    const int client = ::accept(m_listener, nullptr, nullptr);
    if (client < 0) continue;
    // Only this thread touches the list until the destructor joins it.
    m_connections.emplace_back([this, client] { serve(client); });
  }
}

void LoopbackServer::serve(int client) {
  std::string head;
  std::size_t end = std::string::npos;
  while (!m_stopping && (end = head.find("\r\n\r\n")) == std::string::npos && head.size() < 65536) {
    pollfd slot{client, POLLIN, 0};
    if (::poll(&slot, 1, kTickMilliseconds) <= 0) continue;
    char buffer[4096];
    const ssize_t received = ::recv(client, buffer, sizeof buffer, 0);
    if (received <= 0) break;
    head.append(buffer, static_cast<std::size_t>(received));
  }
  if (end != std::string::npos) {
    Request request = parseHead(head.substr(0, end));
    {
      const std::lock_guard lock(m_mutex);
      m_requests.push_back(request);
    }
    Connection connection(client, m_stopping);
    m_handler(request, connection);
  }
  ::shutdown(client, SHUT_WR);
  ::close(client);
}

std::string httpResponse(int status, std::string_view body, std::string_view extraHeaders) {
  return "HTTP/1.1 " + std::to_string(status) +
         " Status\r\nContent-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n" +
         std::string(extraHeaders) + "\r\n" + std::string(body);
}

}  // namespace quillon::webfetch::testing
