#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <thread>

#include "commands/command_fixture.h"

namespace textpair {
namespace {

using testing::file_exists;
using testing::make_dir;
using testing::read_file;

// Restores an environment variable when the scope ends.
class EnvOverride {
 public:
  EnvOverride(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value != nullptr) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~EnvOverride() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

// Answers one HTTP request on 127.0.0.1 with a fixed body.
class OnePageServer {
 public:
  explicit OnePageServer(std::string body) : body_(std::move(body)) {
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (bind(fd_, reinterpret_cast<sockaddr*>(&addr), len) != 0 || listen(fd_, 1) != 0 ||
        getsockname(fd_, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
      std::abort();
    }
    port_ = ntohs(addr.sin_port);
    thread_ = std::thread([this] { serve(); });
  }
  ~OnePageServer() {
    shutdown(fd_, SHUT_RDWR);
    thread_.join();
    close(fd_);
  }
  int port() const { return port_; }
  // The request line that arrived.
  const std::string& request() const { return request_; }

 private:
  void serve() {
    int c = accept(fd_, nullptr, nullptr);
    if (c < 0) return;
    std::string got;
    char buf[1024];
    while (got.find("\r\n\r\n") == std::string::npos) {
      ssize_t n = read(c, buf, sizeof buf);
      if (n <= 0) break;
      got.append(buf, static_cast<std::size_t>(n));
    }
    request_ = got.substr(0, got.find("\r\n"));
    std::string reply = "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                        std::to_string(body_.size()) + "\r\n\r\n" + body_;
    if (write(c, reply.data(), reply.size()) < 0) request_ += " (reply failed)";
    close(c);
  }

  std::string body_;
  int fd_ = -1;
  int port_ = 0;
  std::string request_;
  std::thread thread_;
};

class WgetCommandTest : public testing::CommandTest {
 protected:
  EnvOverride no_proxy_lower_{"http_proxy", nullptr};
  EnvOverride no_proxy_upper_{"HTTP_PROXY", nullptr};
};

TEST_F(WgetCommandTest, StoresThePageUnderTheNameGiven) {
  make_dir("Oglasi_Wget");
  const std::string page = "<html>\r\n<p>ad one</p>\r\n<p>\xC3\xA4" "d two</p>\n";
  OnePageServer server(page);
  EXPECT_EQ(run("wget -nv --output-document=oglasi_wget\\oglasi_wget.html http://127.0.0.1:" +
                std::to_string(server.port()) + "/oglasi/oglasi.htm"),
            "");
  EXPECT_EQ(errors_, "");
  EXPECT_EQ(read_file("Oglasi_Wget/oglasi_wget.html"), page);
  EXPECT_EQ(server.request(), "GET /oglasi/oglasi.htm HTTP/1.1");
}

TEST_F(WgetCommandTest, AnUnreachableAddressLeavesAnEmptyFile) {
  make_dir("oglasi_wget");
  EXPECT_EQ(run("wget -nv --output-document=oglasi_wget\\oglasi_wget.html http://127.0.0.1:1/oglasi/oglasi.htm"), "");
  EXPECT_EQ(errors_, "");  // wget's own report goes to the program's error stream, not through the console
  EXPECT_EQ(read_file("oglasi_wget/oglasi_wget.html"), "");
}

TEST_F(WgetCommandTest, AMissingWgetIsRefusedLikeAnUnknownCommand) {
  EnvOverride path("PATH", folder_.path().c_str());
  EXPECT_EQ(run("wget -nv --output-document=x.html http://127.0.0.1:1/"), "");
  EXPECT_EQ(errors_,
            "'wget' is not recognized as an internal or external command,\noperable program or batch file.\n");
  EXPECT_FALSE(file_exists("x.html"));
}

}  // namespace
}  // namespace textpair
