// The console checker's run: the check over an article with a console view,
// reported as plain rows or as one JSON object.
#ifndef CHECKER_CLI_CONSOLE_CHECK_H_
#define CHECKER_CLI_CONSOLE_CHECK_H_

#include <ostream>

#include "core/check/check_run.h"
#include "core/text/ansi_text.h"

namespace cli {

inline constexpr int kExitAllAnswered = 0;
inline constexpr int kExitSomeFailed = 1;
inline constexpr int kExitUsage = 2;

struct ConsoleCheckOptions {
  bool json = false;
  // Marks the article's phrases with terminal colour codes (plain output).
  bool colour = false;
};

// Writes UTF-8 to `out`, each plain row as soon as it is complete. Returns
// kExitAllAnswered or kExitSomeFailed.
int RunConsoleCheck(const core::AnsiText& article,
                    const check::FragmentSource& source,
                    const ConsoleCheckOptions& options, std::ostream& out);

}  // namespace cli

#endif  // CHECKER_CLI_CONSOLE_CHECK_H_
