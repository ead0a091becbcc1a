#include "platform/shell/shell_open.h"

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

bool ShellOpen(const std::string& target) {
  if (target.empty()) return false;
  // Build argv before forking: only async-signal-safe calls may follow a
  // fork in a threaded program.
  char program[] = "xdg-open";
  char* argv[] = {program, const_cast<char*>(target.c_str()), nullptr};
  const pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) {
    // The grandchild runs the opener; the child exits at once so the opener
    // is adopted by init and never left as a zombie of ours.
    const pid_t grandchild = fork();
    if (grandchild == 0) {
      execvp(program, argv);
      _exit(127);
    }
    _exit(grandchild < 0 ? 1 : 0);
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return false;
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace platform
