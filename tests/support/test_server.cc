#include "tests/support/test_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <csignal>
#include <cstring>
#include <map>
#include <mutex>
#include <thread>

namespace test {
namespace {

using Clock = std::chrono::steady_clock;

// Every blocking socket call wakes this often to look at the stop flag.
constexpr auto kPollStep = std::chrono::milliseconds(50);
// A peer that takes no bytes for this long is given up on.
constexpr auto kWriteStall = std::chrono::seconds(10);
constexpr std::size_t kMaxHeadBytes = 64 * 1024;

void IgnoreSigpipeOnce() {
  // TLS writes go through write(2), which would kill the test process when
  // the client has already hung up.
  static std::once_flag once;
  std::call_once(once, [] { std::signal(SIGPIPE, SIG_IGN); });
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

std::string Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
    s.remove_prefix(1);
  }
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) {
    s.remove_suffix(1);
  }
  return std::string(s);
}

int ListenOnLoopback(int* port, std::string* error) {
  int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) {
    *error = std::string("socket: ") + std::strerror(errno);
    return -1;
  }
  int one = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = 0;
  socklen_t len = sizeof addr;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
      ::listen(fd, 128) != 0 ||
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
    *error = std::string("bind/listen: ") + std::strerror(errno);
    ::close(fd);
    return -1;
  }
  *port = ntohs(addr.sin_port);
  return fd;
}

// Waits for a connection up to one poll step; -1 when none came.
int AcceptOne(int listen_fd) {
  pollfd p{listen_fd, POLLIN, 0};
  if (::poll(&p, 1, static_cast<int>(kPollStep.count())) <= 0) return -1;
  return ::accept4(listen_fd, nullptr, nullptr, SOCK_CLOEXEC);
}

void SetSocketTimeouts(int fd) {
  timeval tv{0, static_cast<suseconds_t>(kPollStep.count() * 1000)};
  ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
  ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv);
  int one = 1;
  ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
}

const char* ReasonPhrase(int status) {
  switch (status) {
    case 200:
      return "OK";
    case 204:
      return "No Content";
    case 301:
      return "Moved Permanently";
    case 302:
      return "Found";
    case 303:
      return "See Other";
    case 307:
      return "Temporary Redirect";
    case 400:
      return "Bad Request";
    case 404:
      return "Not Found";
    case 431:
      return "Request Header Fields Too Large";
    case 500:
      return "Internal Server Error";
    case 501:
      return "Not Implemented";
    default:
      return "Status";
  }
}

std::string FindHeader(const HeaderList& headers, std::string_view name) {
  for (const auto& [n, v] : headers) {
    if (EqualsNoCase(n, name)) return v;
  }
  return "";
}

}  // namespace

std::string Request::Header(std::string_view name) const {
  return FindHeader(headers, name);
}

bool Request::HasHeader(std::string_view name) const {
  return std::any_of(headers.begin(), headers.end(), [&](const auto& h) {
    return EqualsNoCase(h.first, name);
  });
}

struct TestServer::State {
  SSL_CTX* ctx = nullptr;
  int listen_fd = -1;
  int port = 0;
  std::string error;
  std::atomic<bool> stop{false};

  mutable std::mutex mu;
  std::condition_variable wake;
  std::map<std::string, Handler, std::less<>> routes;
  std::map<std::string, RawHandler, std::less<>> raw_routes;
  std::vector<Request> requests;
  std::atomic<std::chrono::milliseconds::rep> idle_timeout_ms{5000};
  std::chrono::milliseconds idle_timeout() const {
    return std::chrono::milliseconds(idle_timeout_ms.load());
  }

  std::atomic<int> accepted{0};
  std::atomic<int> full_handshakes{0};
  std::atomic<int> resumed_handshakes{0};
  std::thread acceptor;
  std::vector<std::thread> workers;  // touched by the acceptor only

  void AcceptLoop();
  void Serve(int fd, int id);
  bool SleepFor(std::chrono::milliseconds d) {
    std::unique_lock lock(mu);
    return !wake.wait_for(lock, d, [&] { return stop.load(); });
  }
};

namespace {

// One accepted socket, plain or TLS; reads and writes wake every poll step so
// the stop flag is seen.
class SocketConnection : public Connection {
 public:
  using Sleeper = std::function<bool(std::chrono::milliseconds)>;
  SocketConnection(int fd, SSL* ssl, const std::atomic<bool>& stop,
                   Sleeper sleeper)
      : fd_(fd), ssl_(ssl), stop_(stop), sleeper_(std::move(sleeper)) {}
  ~SocketConnection() override {
    if (ssl_ != nullptr) {
      if (!reset_ && !broken_) SSL_shutdown(ssl_);
      SSL_free(ssl_);
    }
    ::close(fd_);
  }

  // >0 bytes read, 0 nothing yet, -1 closed or failed.
  int Read(char* buffer, int size) {
    if (ssl_ != nullptr) {
      ERR_clear_error();
      int n = SSL_read(ssl_, buffer, size);
      if (n > 0) return n;
      int err = SSL_get_error(ssl_, n);
      if (err == SSL_ERROR_WANT_READ || err == SSL_ERROR_WANT_WRITE) return 0;
      broken_ = err != SSL_ERROR_ZERO_RETURN;
      return -1;
    }
    ssize_t n = ::recv(fd_, buffer, static_cast<std::size_t>(size), 0);
    if (n > 0) return static_cast<int>(n);
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) {
      return 0;
    }
    return -1;
  }

  bool Write(std::string_view bytes) override {
    auto last_progress = Clock::now();
    while (!bytes.empty()) {
      if (stop_ || reset_ || broken_) return false;
      int chunk =
          static_cast<int>(std::min<std::size_t>(bytes.size(), 1 << 20));
      int n;
      if (ssl_ != nullptr) {
        ERR_clear_error();
        n = SSL_write(ssl_, bytes.data(), chunk);
        if (n <= 0) {
          int err = SSL_get_error(ssl_, n);
          if (err != SSL_ERROR_WANT_WRITE && err != SSL_ERROR_WANT_READ) {
            broken_ = true;
            return false;
          }
          n = 0;
        }
      } else {
        ssize_t s = ::send(fd_, bytes.data(), static_cast<std::size_t>(chunk),
                           MSG_NOSIGNAL);
        if (s < 0) {
          if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
            broken_ = true;
            return false;
          }
          s = 0;
        }
        n = static_cast<int>(s);
      }
      if (n > 0) {
        bytes.remove_prefix(static_cast<std::size_t>(n));
        last_progress = Clock::now();
      } else if (Clock::now() - last_progress > kWriteStall) {
        broken_ = true;
        return false;
      }
    }
    return true;
  }

  bool Sleep(std::chrono::milliseconds duration) override {
    return sleeper_(duration);
  }

  void Reset() override {
    linger l{1, 0};
    ::setsockopt(fd_, SOL_SOCKET, SO_LINGER, &l, sizeof l);
    reset_ = true;
  }

  bool usable() const { return !reset_ && !broken_; }

 private:
  int fd_;
  SSL* ssl_;
  const std::atomic<bool>& stop_;
  Sleeper sleeper_;
  bool reset_ = false;
  bool broken_ = false;
};

// Parses the head of one request; false when it is malformed.
bool ParseHead(std::string_view head, Request* request) {
  std::size_t line_end = head.find("\r\n");
  std::string_view line = head.substr(0, line_end);
  std::size_t sp1 = line.find(' ');
  std::size_t sp2 = line.rfind(' ');
  if (sp1 == std::string_view::npos || sp2 == sp1) return false;
  request->method = std::string(line.substr(0, sp1));
  request->target = std::string(line.substr(sp1 + 1, sp2 - sp1 - 1));
  request->path = request->target.substr(0, request->target.find('?'));
  std::size_t pos = line_end + 2;
  while (pos < head.size()) {
    std::size_t end = head.find("\r\n", pos);
    if (end == std::string_view::npos) end = head.size();
    std::string_view header = head.substr(pos, end - pos);
    std::size_t colon = header.find(':');
    if (colon == std::string_view::npos) return false;
    request->headers.emplace_back(std::string(header.substr(0, colon)),
                                  Trim(header.substr(colon + 1)));
    pos = end + 2;
  }
  return true;
}

std::string Serialize(const Response& response, bool head_only) {
  std::string out = "HTTP/1.1 " + std::to_string(response.status) + " " +
                    ReasonPhrase(response.status) + "\r\n";
  bool has_length = false;
  for (const auto& [name, value] : response.headers) {
    has_length = has_length || EqualsNoCase(name, "Content-Length");
    out += name + ": " + value + "\r\n";
  }
  if (!has_length) {
    out += "Content-Length: " + std::to_string(response.body.size()) + "\r\n";
  }
  out += "\r\n";
  if (!head_only) out += response.body;
  return out;
}

}  // namespace

void TestServer::State::AcceptLoop() {
  while (!stop) {
    int fd = AcceptOne(listen_fd);
    if (fd < 0) continue;
    int id = ++accepted;
    workers.emplace_back([this, fd, id] { Serve(fd, id); });
  }
}

void TestServer::State::Serve(int fd, int id) {
  SetSocketTimeouts(fd);
  SSL* ssl = nullptr;
  if (ctx != nullptr) {
    ssl = SSL_new(ctx);
    if (ssl == nullptr) {
      ::close(fd);
      return;
    }
    SSL_set_fd(ssl, fd);
  }
  SocketConnection connection(
      fd, ssl, stop,
      [this](std::chrono::milliseconds d) { return SleepFor(d); });
  auto idle_since = Clock::now();
  if (ssl != nullptr) {
    while (true) {
      ERR_clear_error();
      int r = SSL_accept(ssl);
      if (r == 1) break;
      int err = SSL_get_error(ssl, r);
      bool retry = err == SSL_ERROR_WANT_READ || err == SSL_ERROR_WANT_WRITE;
      if (!retry || stop || Clock::now() - idle_since > idle_timeout()) {
        connection.Reset();  // nothing sensible to shut down politely
        return;
      }
    }
    if (SSL_session_reused(ssl)) {
      ++resumed_handshakes;
    } else {
      ++full_handshakes;
    }
  }

  std::string buffer;
  char chunk[16384];
  while (!stop && connection.usable()) {
    // The head of the next request.
    std::size_t head_end;
    idle_since = Clock::now();
    while ((head_end = buffer.find("\r\n\r\n")) == std::string::npos) {
      if (buffer.size() > kMaxHeadBytes) {
        connection.Write(
            Serialize({431, {{"Connection", "close"}}, ""}, false));
        return;
      }
      int n = connection.Read(chunk, sizeof chunk);
      if (n < 0 || stop) return;
      if (n == 0) {
        if (Clock::now() - idle_since > idle_timeout()) return;
        continue;
      }
      buffer.append(chunk, static_cast<std::size_t>(n));
      idle_since = Clock::now();
    }
    Request request;
    request.connection_id = id;
    if (!ParseHead(std::string_view(buffer).substr(0, head_end), &request)) {
      connection.Write(Serialize({400, {{"Connection", "close"}}, ""}, false));
      return;
    }
    buffer.erase(0, head_end + 4);
    if (!request.Header("Transfer-Encoding").empty()) {
      connection.Write(Serialize({501, {{"Connection", "close"}}, ""}, false));
      return;
    }
    std::string length_text = request.Header("Content-Length");
    std::size_t length = 0;
    if (!length_text.empty()) {
      char* end = nullptr;
      length = std::strtoull(length_text.c_str(), &end, 10);
      if (end == nullptr || *end != '\0') {
        connection.Write(
            Serialize({400, {{"Connection", "close"}}, ""}, false));
        return;
      }
    }
    idle_since = Clock::now();
    while (buffer.size() < length) {
      int n = connection.Read(chunk, sizeof chunk);
      if (n < 0 || stop) return;
      if (n == 0) {
        if (Clock::now() - idle_since > idle_timeout()) return;
        continue;
      }
      buffer.append(chunk, static_cast<std::size_t>(n));
      idle_since = Clock::now();
    }
    request.body = buffer.substr(0, length);
    buffer.erase(0, length);

    Handler handler;
    RawHandler raw_handler;
    {
      std::lock_guard lock(mu);
      requests.push_back(request);
      if (auto it = raw_routes.find(request.path); it != raw_routes.end()) {
        raw_handler = it->second;
      } else if (auto r = routes.find(request.path); r != routes.end()) {
        handler = r->second;
      }
    }
    if (raw_handler) {
      raw_handler(request, connection);
      return;
    }
    Response response =
        handler ? handler(request) : Response{404, {}, "no route"};
    if (!connection.Write(Serialize(response, request.method == "HEAD"))) {
      return;
    }
    if (EqualsNoCase(request.Header("Connection"), "close") ||
        EqualsNoCase(FindHeader(response.headers, "Connection"), "close")) {
      return;
    }
  }
}

TestServer::TestServer() : TestServer(nullptr) {}

TestServer::TestServer(const TestCa* ca) : state_(std::make_unique<State>()) {
  IgnoreSigpipeOnce();
  if (ca != nullptr) {
    state_->ctx = SSL_CTX_new(TLS_server_method());
    if (state_->ctx == nullptr ||
        SSL_CTX_use_certificate_chain_file(state_->ctx,
                                           ca->cert_file().c_str()) != 1 ||
        SSL_CTX_use_PrivateKey_file(state_->ctx, ca->key_file().c_str(),
                                    SSL_FILETYPE_PEM) != 1) {
      state_->error = "TLS set-up failed for " + ca->cert_file();
      return;
    }
  }
  state_->listen_fd = ListenOnLoopback(&state_->port, &state_->error);
  if (state_->listen_fd < 0) return;
  state_->acceptor = std::thread([s = state_.get()] { s->AcceptLoop(); });
}

TestServer::~TestServer() {
  {
    std::lock_guard lock(state_->mu);
    state_->stop = true;
  }
  state_->wake.notify_all();
  if (state_->acceptor.joinable()) state_->acceptor.join();
  for (auto& worker : state_->workers) worker.join();
  if (state_->listen_fd >= 0) ::close(state_->listen_fd);
  if (state_->ctx != nullptr) SSL_CTX_free(state_->ctx);
}

bool TestServer::ok() const {
  return state_->listen_fd >= 0 && state_->error.empty();
}
const std::string& TestServer::error() const { return state_->error; }
int TestServer::port() const { return state_->port; }

std::string TestServer::Url(std::string_view path) const {
  return std::string(state_->ctx != nullptr ? "https" : "http") +
         "://127.0.0.1:" + std::to_string(state_->port) + std::string(path);
}

void TestServer::Route(std::string path, Handler handler) {
  std::lock_guard lock(state_->mu);
  state_->routes[std::move(path)] = std::move(handler);
}

void TestServer::RawRoute(std::string path, RawHandler handler) {
  std::lock_guard lock(state_->mu);
  state_->raw_routes[std::move(path)] = std::move(handler);
}

void TestServer::SetIdleTimeout(std::chrono::milliseconds timeout) {
  state_->idle_timeout_ms = timeout.count();
}

int TestServer::accepted_connections() const { return state_->accepted; }
int TestServer::tls_full_handshakes() const { return state_->full_handshakes; }
int TestServer::tls_resumed_handshakes() const {
  return state_->resumed_handshakes;
}

std::vector<Request> TestServer::requests() const {
  std::lock_guard lock(state_->mu);
  return state_->requests;
}

struct SilentServer::State {
  int fd = -1;
  int port = 0;
  std::atomic<bool> stop{false};
  std::atomic<int> accepted{0};
  std::vector<int> held;
  std::thread thread;
};

SilentServer::SilentServer() : state_(std::make_unique<State>()) {
  std::string error;
  state_->fd = ListenOnLoopback(&state_->port, &error);
  if (state_->fd < 0) return;
  state_->thread = std::thread([s = state_.get()] {
    while (!s->stop) {
      int fd = AcceptOne(s->fd);
      if (fd < 0) continue;
      s->held.push_back(fd);
      ++s->accepted;
    }
  });
}

SilentServer::~SilentServer() {
  state_->stop = true;
  if (state_->thread.joinable()) state_->thread.join();
  for (int fd : state_->held) ::close(fd);
  if (state_->fd >= 0) ::close(state_->fd);
}

bool SilentServer::ok() const { return state_->fd >= 0; }
int SilentServer::port() const { return state_->port; }
int SilentServer::accepted_connections() const { return state_->accepted; }

int UnusedPort() {
  std::string error;
  int port = 0;
  int fd = ListenOnLoopback(&port, &error);
  if (fd < 0) return 0;
  ::close(fd);
  return port;
}

}  // namespace test
