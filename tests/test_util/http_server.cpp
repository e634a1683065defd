#include "test_util/http_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace textpair::testing {

namespace {

constexpr std::size_t kMaxRequest = 16 * 1024;
constexpr int kPollMs = 50;
constexpr int kReadTimeoutMs = 2000;

void send_all(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
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
  listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (listener_ < 0) std::abort();
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = 0;
  socklen_t len = sizeof addr;
  if (bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(listener_, 16) != 0 ||
      getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
    std::abort();
  }
  port_ = ntohs(addr.sin_port);
  // wget will not take /dev/null for its settings file; an empty file it
  // takes.
  std::string rc = (std::filesystem::temp_directory_path() / "textpair_wgetrc_XXXXXX").string();
  int fd = mkstemp(rc.data());
  if (fd < 0) std::abort();
  close(fd);
  empty_wgetrc_ = rc;
  thread_ = std::thread([this] { serve(); });
}

HttpServer::~HttpServer() {
  stop_ = true;
  thread_.join();
  close(listener_);
  unlink(empty_wgetrc_.c_str());
}

std::vector<std::string> HttpServer::requests() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

EnvChanges HttpServer::proxy_env() const {
  std::string proxy = "http://127.0.0.1:" + std::to_string(port_) + "/";
  return {
      {"http_proxy", proxy}, {"HTTP_PROXY", proxy}, {"https_proxy", proxy}, {"HTTPS_PROXY", proxy},
      {"no_proxy", std::nullopt}, {"NO_PROXY", std::nullopt},
      {"WGETRC", empty_wgetrc_}, {"SYSTEM_WGETRC", empty_wgetrc_},
      {"LC_ALL", "C"}, {"LANGUAGE", std::nullopt},
  };
}

void HttpServer::serve() {
  while (!stop_) {
    struct pollfd p {listener_, POLLIN, 0};
    if (poll(&p, 1, kPollMs) <= 0) continue;
    int connection = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0) continue;
    answer(connection);
    close(connection);
  }
}

void HttpServer::answer(int connection) {
  std::string request;
  while (request.find("\r\n\r\n") == std::string::npos && request.find("\n\n") == std::string::npos &&
         request.size() < kMaxRequest) {
    struct pollfd p {connection, POLLIN, 0};
    if (poll(&p, 1, kReadTimeoutMs) <= 0) return;
    char buf[2048];
    ssize_t n = recv(connection, buf, sizeof buf, 0);
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
    std::string head = "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                       std::to_string(page->second.size()) + "\r\nConnection: close\r\n\r\n";
    send_all(connection, method == "GET" ? head + page->second : head);
  } else {
    std::string body = "<html><body>Not Found</body></html>\n";
    send_all(connection, "HTTP/1.0 404 Not Found\r\nContent-Type: text/html\r\nContent-Length: " +
                             std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
  }
}

}  // namespace textpair::testing
