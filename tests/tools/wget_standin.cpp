// A stand-in for GNU wget in the Windows tests under Wine, which cannot wait
// for the Linux wget. It does what the program asks of wget:
//   wget -nv --output-document=FILE ADDRESS
// through the HTTP proxy named in http_proxy (the tests' local server) or
// straight to the address's host when none is set, and
// reports the way GNU wget -nv does; with WGET_STANDIN_ARGS set it also
// writes its arguments into the file named there. Exit status 0, or 4 when the server
// cannot be reached, or 8 when the server answers with an error.
#include <fcntl.h>
#include <io.h>
#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

namespace {

std::string now() {
  std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_s(&tm, &t);
  char buf[32];
  std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &tm);
  return buf;
}

// "http://127.0.0.1:8080/x" -> host and port; "/x" in `path`.
void split_address(std::string p, std::string& host, std::string& port, std::string& path) {
  if (p.rfind("http://", 0) == 0) p = p.substr(7);
  std::size_t slash = p.find('/');
  path = slash == std::string::npos ? "/" : p.substr(slash);
  p = p.substr(0, slash);
  std::size_t colon = p.rfind(':');
  host = p.substr(0, colon);
  port = colon == std::string::npos ? "80" : p.substr(colon + 1);
}

// Through the proxy in http_proxy when one is set (the request then names
// the whole address), else straight to the address's host.
std::string fetch(const std::string& address, bool& reached) {
  reached = false;
  std::string host, port, path, target = address;
  const char* proxy = std::getenv("http_proxy");
  if (proxy == nullptr) proxy = std::getenv("HTTP_PROXY");
  if (proxy != nullptr) {
    split_address(proxy, host, port, path);
  } else {
    split_address(address, host, port, target);
  }
  WSADATA data;
  if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return "";
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(host.c_str(), port.c_str(), &hints, &found) != 0) return "";
  SOCKET s = socket(found->ai_family, found->ai_socktype, found->ai_protocol);
  bool connected = s != INVALID_SOCKET && connect(s, found->ai_addr, static_cast<int>(found->ai_addrlen)) == 0;
  freeaddrinfo(found);
  if (!connected) return "";
  reached = true;
  std::string request = "GET " + target + " HTTP/1.0\r\nUser-Agent: Wget\r\nAccept: */*\r\n\r\n";
  send(s, request.data(), static_cast<int>(request.size()), 0);
  std::string response;
  char buf[4096];
  for (int n; (n = recv(s, buf, sizeof buf, 0)) > 0;) response.append(buf, static_cast<std::size_t>(n));
  closesocket(s);
  return response;
}

}  // namespace

int main(int argc, char** argv) {
  _setmode(_fileno(stderr), _O_BINARY);  // lines end in LF, as wget's do
  std::string document, address;
  // The tests see the arguments it was given in the file that
  // WGET_STANDIN_ARGS names, one a line.
  if (const char* args_file = std::getenv("WGET_STANDIN_ARGS")) {
    if (std::FILE* f = std::fopen(args_file, "wb")) {
      for (int i = 1; i < argc; ++i) std::fprintf(f, "%s\n", argv[i]);
      std::fclose(f);
    }
  }
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a.rfind("--output-document=", 0) == 0) {
      document = a.substr(18);
    } else if (a.rfind("-", 0) != 0) {
      address = a;
    }
  }
  if (address.find("://") == std::string::npos) address = "http://" + address;
  std::FILE* out = document.empty() ? nullptr : std::fopen(document.c_str(), "wb");
  bool reached = false;
  std::string response = fetch(address, reached);
  if (!reached) {
    if (out != nullptr) std::fclose(out);
    std::fprintf(stderr, "failed: Connection refused.\n");
    return 4;
  }
  std::size_t head_end = response.find("\r\n\r\n");
  std::string status_line = response.substr(0, response.find("\r\n"));
  std::string body = head_end == std::string::npos ? "" : response.substr(head_end + 4);
  std::size_t code_at = status_line.find(' ');
  std::string status = code_at == std::string::npos ? "" : status_line.substr(code_at + 1);
  if (status.rfind("200", 0) != 0) {
    if (out != nullptr) std::fclose(out);
    // "404 Not Found" is reported as "ERROR 404: Not Found."
    std::size_t blank = status.find(' ');
    std::string code = status.substr(0, blank);
    std::string reason = blank == std::string::npos ? "" : status.substr(blank + 1);
    std::fprintf(stderr, "%s:\n%s ERROR %s: %s.\n", address.c_str(), now().c_str(), code.c_str(), reason.c_str());
    return 8;
  }
  if (out != nullptr) {
    std::fwrite(body.data(), 1, body.size(), out);
    std::fclose(out);
  }
  std::fprintf(stderr, "%s URL:%s [%zu/%zu] -> \"%s\" [1]\n", now().c_str(), address.c_str(), body.size(), body.size(),
               document.c_str());
  return 0;
}
