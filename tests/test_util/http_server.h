// Test helper: a tiny HTTP/1.0 server on 127.0.0.1 (an ephemeral port, one
// thread, stopped by its destructor) that serves given bodies by path and
// answers 404 to everything else. Requests may name a proxy-style absolute
// address ("GET http://www.textpair.example/oglasi/oglasi.htm"), so wget
// can be routed to it as to a proxy with proxy_env().
#ifndef TEXTPAIR_TESTS_TEST_UTIL_HTTP_SERVER_H_
#define TEXTPAIR_TESTS_TEST_UTIL_HTTP_SERVER_H_

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "test_util/program_run.h"

namespace textpair::testing {

class HttpServer {
 public:
  // Path ("/oglasi/oglasi.htm") to body; no pages: 404 always.
  using Pages = std::map<std::string, std::string>;
  explicit HttpServer(Pages pages = {});
  HttpServer(const std::string& path, const std::string& body) : HttpServer(Pages{{path, body}}) {}
  ~HttpServer();
  HttpServer(const HttpServer&) = delete;
  HttpServer& operator=(const HttpServer&) = delete;

  int port() const { return port_; }
  // The request targets received so far, as sent.
  std::vector<std::string> requests() const;

  // The environment that sends wget's requests here as to a proxy, with any
  // user or system wgetrc and proxy exceptions out of the way and wget's
  // messages in English.
  EnvChanges proxy_env() const;

 private:
  void serve();
  void answer(std::intptr_t connection);

  Pages pages_;
  std::string empty_wgetrc_;
  std::intptr_t listener_ = -1;  // a socket
  int port_ = 0;
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::vector<std::string> requests_;
  std::thread thread_;
};

}  // namespace textpair::testing

#endif  // TEXTPAIR_TESTS_TEST_UTIL_HTTP_SERVER_H_
