#include "test_util/http_server.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "test_util/work_folder.h"

namespace textpair::testing {

namespace {

constexpr std::size_t kMaxRequest = 16 * 1024;
constexpr int kPollMs = 50;
constexpr int kReadTimeoutMs = 2000;

// The few socket calls whose names or types differ between the systems.
#ifdef _WIN32
using Socket = SOCKET;
constexpr int kNoSignal = 0;
Socket accept_one(Socket listener) { return accept(listener, nullptr, nullptr); }
int poll_one(Socket s, int timeout_ms) {
  WSAPOLLFD p{s, POLLRDNORM, 0};
  return WSAPoll(&p, 1, timeout_ms);
}
void close_socket(Socket s) { closesocket(s); }
Socket open_socket() {
  static const bool started = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  return started ? socket(AF_INET, SOCK_STREAM, 0) : INVALID_SOCKET;
}
bool valid(Socket s) { return s != INVALID_SOCKET; }
#else
using Socket = int;
constexpr int kNoSignal = MSG_NOSIGNAL;
Socket accept_one(Socket listener) { return accept4(listener, nullptr, nullptr, SOCK_CLOEXEC); }
int poll_one(Socket s, int timeout_ms) {
  struct pollfd p {
    s, POLLIN, 0
  };
  return poll(&p, 1, timeout_ms);
}
void close_socket(Socket s) { close(s); }
Socket open_socket() { return socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0); }
bool valid(Socket s) { return s >= 0; }
#endif

Socket as_socket(std::intptr_t s) { return static_cast<Socket>(s); }

void send_all(Socket s, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    auto n = send(s, bytes.data() + done, static_cast<int>(bytes.size() - done), kNoSignal);
    if (n <= 0) return;
    done += static_cast<std::size_t>(n);
  }
}

// "/path" of a request target, also of a proxy-style "http://host/path".
std::string path_of(const std::string& target) {
  std::size_t scheme = target.find("://");
  if (scheme == std::string::npos) return target;
  std::size_t slash = target.find('/', scheme + 3);
  return slash == std::string::npos ? "/" : target.substr(slash);
}

}  // namespace

HttpServer::HttpServer(Pages pages) : pages_(std::move(pages)) {
  Socket listener = open_socket();
  if (!valid(listener)) std::abort();
  listener_ = static_cast<std::intptr_t>(listener);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = 0;
  socklen_t len = sizeof addr;
  if (bind(listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(listener, 16) != 0 ||
      getsockname(listener, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
    std::abort();
  }
  port_ = ntohs(addr.sin_port);
  // wget will not take /dev/null for its settings file; an empty file it
  // takes.
  empty_wgetrc_ = unused_temp_path("textpair_wgetrc_");
  write_file(empty_wgetrc_, "");
  thread_ = std::thread([this] { serve(); });
}

HttpServer::~HttpServer() {
  stop_ = true;
  thread_.join();
  close_socket(as_socket(listener_));
  std::remove(empty_wgetrc_.c_str());
}

std::vector<std::string> HttpServer::requests() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

EnvChanges HttpServer::proxy_env() const {
  std::string proxy = "http://127.0.0.1:" + std::to_string(port_) + "/";
  return {
      {"http_proxy", proxy},
      {"HTTP_PROXY", proxy},
      {"https_proxy", proxy},
      {"HTTPS_PROXY", proxy},
      {"no_proxy", std::nullopt},
      {"NO_PROXY", std::nullopt},
      {"WGETRC", empty_wgetrc_},
      {"SYSTEM_WGETRC", empty_wgetrc_},
      {"LC_ALL", "C"},
      {"LANGUAGE", std::nullopt},
  };
}

void HttpServer::serve() {
  while (!stop_) {
    if (poll_one(as_socket(listener_), kPollMs) <= 0) continue;
    Socket connection = accept_one(as_socket(listener_));
    if (!valid(connection)) continue;
    answer(static_cast<std::intptr_t>(connection));
    close_socket(connection);
  }
}

void HttpServer::answer(std::intptr_t handle) {
  const Socket connection = as_socket(handle);
  std::string request;
  while (request.find("\r\n\r\n") == std::string::npos && request.find("\n\n") == std::string::npos &&
         request.size() < kMaxRequest) {
    if (poll_one(connection, kReadTimeoutMs) <= 0) return;
    char buf[2048];
    auto n = recv(connection, buf, sizeof buf, 0);
    if (n <= 0) return;
    request.append(buf, static_cast<std::size_t>(n));
  }
  // "GET <target> HTTP/1.x"
  std::size_t first = request.find(' ');
  std::size_t second = first == std::string::npos ? first : request.find(' ', first + 1);
  if (second == std::string::npos) return;
  std::string method = request.substr(0, first);
  std::string target = request.substr(first + 1, second - first - 1);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    requests_.push_back(target);
  }
  auto page = pages_.find(path_of(target));
  if ((method == "GET" || method == "HEAD") && page != pages_.end()) {
    std::string head =
        "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nContent-Length: " + std::to_string(page->second.size()) +
        "\r\nConnection: close\r\n\r\n";
    send_all(connection, method == "GET" ? head + page->second : head);
  } else {
    std::string body = "<html><body>Not Found</body></html>\n";
    send_all(connection, "HTTP/1.0 404 Not Found\r\nContent-Type: text/html\r\nContent-Length: " +
                             std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
  }
}

}  // namespace textpair::testing
