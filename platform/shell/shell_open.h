// Our stand-in for the shell's "open" action: hands an address or a file to
// the desktop's default program for it and returns at once.
#ifndef PLATFORM_SHELL_SHELL_OPEN_H_
#define PLATFORM_SHELL_SHELL_OPEN_H_

#include <string>

namespace platform {

// `target` is UTF-8. Returns whether the opener could be started; what the
// opener then does is not waited for.
bool ShellOpen(const std::string& target);

}  // namespace platform

#endif  // PLATFORM_SHELL_SHELL_OPEN_H_
