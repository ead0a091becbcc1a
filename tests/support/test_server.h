// A small HTTP/1.1 server on 127.0.0.1 for tests, plain or TLS, plus the
// pieces tests need around it: a throw-away certificate authority, a server
// that accepts and stays silent, a port nobody listens on.
//
// Usage:
//   test::TestServer server;  // plain HTTP on 127.0.0.1, port 0
//   server.Route("/page", [](const test::Request&) {
//     return test::Response{200, {{"Content-Type", "text/html"}}, "<em>x"};
//   });
//   ASSERT_TRUE(server.ok()) << server.error();
//   std::string url = server.Url("/page");  // http://127.0.0.1:N/page
//   ... make requests ...
//   EXPECT_EQ(server.accepted_connections(), 1);
//   EXPECT_EQ(server.requests()[0].Header("Referer"), url);
//
//   std::string error;
//   auto ca = test::TestCa::Create(&error);  // runs the openssl command
//   ASSERT_TRUE(ca) << error;
//   test::TestServer tls(ca.get());  // HTTPS with the certificate ca signed;
//                                    // the client trusts ca->ca_file()
//
// Misbehaving servers: RawRoute hands the handler the connection itself, to
// write slowly, stall (Connection::Sleep wakes when the server stops) or reset.
// Keep-alive is honoured; request bodies need a Content-Length (a chunked
// one is answered 501). Everything a server starts is stopped and joined by
// its destructor; every wait inside it is bounded.
#ifndef TESTS_SUPPORT_TEST_SERVER_H_
#define TESTS_SUPPORT_TEST_SERVER_H_

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace test {

using HeaderList = std::vector<std::pair<std::string, std::string>>;

struct Request {
  std::string method;
  std::string target;  // as on the request line, query included
  std::string path;    // target without the query
  HeaderList headers;  // in arrival order, names as sent
  std::string body;
  int connection_id = 0;  // 1 for the first accepted connection, and so on

  // First value of the named header (name compared without case), "" if none.
  std::string Header(std::string_view name) const;
  bool HasHeader(std::string_view name) const;
};

struct Response {
  int status = 200;
  HeaderList headers;  // Content-Length is added unless given here
  std::string body;
};

// The raw connection a RawRoute handler answers on.
class Connection {
 public:
  virtual ~Connection() = default;
  // False once the peer is gone or the server stops.
  virtual bool Write(std::string_view bytes) = 0;
  // Waits up to `duration`; false (early) when the server stops.
  virtual bool Sleep(std::chrono::milliseconds duration) = 0;
  // Drops the connection with a TCP reset instead of an orderly close.
  virtual void Reset() = 0;
};

using Handler = std::function<Response(const Request&)>;
// The handler writes the whole answer itself; the connection is closed when
// it returns.
using RawHandler = std::function<void(const Request&, Connection&)>;

class TestCa;

class TestServer {
 public:
  // Plain HTTP.
  TestServer();
  // HTTPS with the server certificate of `ca` (which must outlive the server).
  explicit TestServer(const TestCa* ca);
  ~TestServer();
  TestServer(const TestServer&) = delete;
  TestServer& operator=(const TestServer&) = delete;

  // False when the socket or TLS set-up failed; see error().
  bool ok() const;
  const std::string& error() const;
  int port() const;
  // "http://127.0.0.1:<port>" or "https://..." followed by `path`.
  std::string Url(std::string_view path = "/") const;

  // Exact match on the path (query ignored). Unrouted paths get 404.
  // Routes may be added while the server runs.
  void Route(std::string path, Handler handler);
  void RawRoute(std::string path, RawHandler handler);

  // Keep-alive connections idle longer than this are closed (default 5 s).
  void SetIdleTimeout(std::chrono::milliseconds timeout);

  int accepted_connections() const;
  int tls_full_handshakes() const;
  int tls_resumed_handshakes() const;
  // Every request received so far, in order.
  std::vector<Request> requests() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// A certificate authority and one server certificate it signed, made by the
// openssl command in a temporary folder removed again by the destructor.
class TestCa {
 public:
  // Null on failure, with the reason in `error` (when given).
  // `subject_alt_names` in openssl's syntax; the default fits 127.0.0.1.
  static std::unique_ptr<TestCa> Create(
      std::string* error = nullptr,
      std::string_view subject_alt_names = "IP:127.0.0.1,DNS:localhost");
  ~TestCa();
  TestCa(const TestCa&) = delete;
  TestCa& operator=(const TestCa&) = delete;

  const std::string& ca_file() const { return ca_; }
  const std::string& cert_file() const { return cert_; }
  const std::string& key_file() const { return key_; }
  const std::string& dir() const { return dir_; }

 private:
  TestCa() = default;
  std::string dir_, ca_, cert_, key_;
};

// Accepts connections and never reads or writes; holds them until destroyed.
class SilentServer {
 public:
  SilentServer();
  ~SilentServer();
  SilentServer(const SilentServer&) = delete;
  SilentServer& operator=(const SilentServer&) = delete;
  bool ok() const;
  int port() const;
  int accepted_connections() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// A port on 127.0.0.1 that had nothing listening when it was picked.
int UnusedPort();

}  // namespace test

#endif  // TESTS_SUPPORT_TEST_SERVER_H_
