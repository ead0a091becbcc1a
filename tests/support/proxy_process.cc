#include "tests/support/proxy_process.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "tests/support/file_bytes.h"
#include "tests/support/test_server.h"

extern char** environ;

namespace test {
namespace {

std::string FindProgram() {
  for (const char* path : {"/usr/bin/tinyproxy", "/usr/sbin/tinyproxy",
                           "/usr/local/bin/tinyproxy"}) {
    if (::access(path, X_OK) == 0) return path;
  }
  return "";
}

bool CanConnect(int port) {
  int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = htons(static_cast<uint16_t>(port));
  bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
  ::close(fd);
  return ok;
}

}  // namespace

std::unique_ptr<ProxyProcess> ProxyProcess::Start(std::string_view user,
                                                  std::string_view password,
                                                  std::string* error) {
  std::string ignored;
  if (error == nullptr) error = &ignored;
  std::string program = FindProgram();
  if (program.empty()) {
    *error = "tinyproxy is not installed (Debian package tinyproxy)";
    return nullptr;
  }
  std::string pattern =
      (std::filesystem::temp_directory_path() / "test_proxy_XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    *error = "cannot make a temporary folder";
    return nullptr;
  }
  std::unique_ptr<ProxyProcess> proxy(new ProxyProcess());
  proxy->dir_ = pattern;
  proxy->port_ = UnusedPort();
  std::string config_path = pattern + "/tinyproxy.conf";
  std::string log_path = pattern + "/tinyproxy.log";
  {
    std::ofstream config(config_path);
    config << "Port " << proxy->port_ << "\n"
           << "Listen 127.0.0.1\n"
           << "Timeout 30\n"
           << "MaxClients 50\n"
           << "Allow 127.0.0.1\n"
           << "DisableViaHeader Yes\n"
           << "LogLevel Info\n"
           << "LogFile \"" << log_path << "\"\n"
           << "BasicAuth " << user << " " << password << "\n";
  }

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, (pattern + "/stdout").c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  std::string arg0 = "tinyproxy", arg1 = "-d", arg2 = "-c";
  char* argv[] = {arg0.data(), arg1.data(), arg2.data(), config_path.data(),
                  nullptr};
  pid_t pid = -1;
  int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) {
    *error = "cannot start " + program;
    return nullptr;
  }
  proxy->pid_ = pid;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!CanConnect(proxy->port_)) {
    int status = 0;
    if (::waitpid(pid, &status, WNOHANG) == pid) {
      proxy->pid_ = -1;
      *error = "tinyproxy exited: " + ReadBytes(pattern + "/stdout") +
               ReadBytes(log_path);
      return nullptr;
    }
    if (std::chrono::steady_clock::now() > deadline) {
      *error = "tinyproxy did not listen within 5 s";
      return nullptr;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return proxy;
}

ProxyProcess::~ProxyProcess() {
  if (pid_ > 0) {
    ::kill(pid_, SIGTERM);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    int status = 0;
    while (::waitpid(pid_, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > deadline) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, &status, 0);
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }
  std::error_code ignored;
  std::filesystem::remove_all(dir_, ignored);
}

std::string ProxyProcess::address() const {
  return "127.0.0.1:" + std::to_string(port_);
}

}  // namespace test
