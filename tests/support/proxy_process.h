// A real HTTP proxy (the tinyproxy program) on 127.0.0.1 for tests, with
// Basic authentication. The configuration is written to a temporary folder;
// the destructor stops the process and removes the folder.
//
//   std::string why;
//   auto proxy = test::ProxyProcess::Start("user", "secret", &why);
//   if (!proxy) GTEST_SKIP() << why;
//   request->SetProxy(2, proxy->address());   // "127.0.0.1:<port>"
#ifndef TESTS_SUPPORT_PROXY_PROCESS_H_
#define TESTS_SUPPORT_PROXY_PROCESS_H_

#include <memory>
#include <string>
#include <string_view>

namespace test {

class ProxyProcess {
 public:
  // Null when the program is missing or does not come up, with the reason
  // in `error` (when given).
  static std::unique_ptr<ProxyProcess> Start(std::string_view user,
                                             std::string_view password,
                                             std::string* error = nullptr);
  ~ProxyProcess();
  ProxyProcess(const ProxyProcess&) = delete;
  ProxyProcess& operator=(const ProxyProcess&) = delete;

  int port() const { return port_; }
  std::string address() const;

 private:
  ProxyProcess() = default;
  int pid_ = -1;
  int port_ = 0;
  std::string dir_;
};

}  // namespace test

#endif  // TESTS_SUPPORT_PROXY_PROCESS_H_
