// originality_check [--json] FILE: checks an article against the web search
// from the console.
#include <unistd.h>

#include <iostream>
#include <string>
#include <string_view>

#include "checker_cli/article_file.h"
#include "checker_cli/console_check.h"
#include "core/check/fragments.h"

namespace {

constexpr const char* kUsage =
    "usage: originality_check [--json] FILE\n"
    "Checks the article in FILE (UTF-8 or code page 936) against the web\n"
    "search and prints each segment's count of found phrases, the article's\n"
    "character count and its originality rate.\n"
    "  --json  print one JSON object instead\n"
    "Exit status: 0 every segment answered, 1 some segment failed,\n"
    "2 usage or input error.\n";

int UsageError(const std::string& message) {
  std::cerr << "originality_check: " << message << '\n' << kUsage;
  return cli::kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
  cli::ConsoleCheckOptions options;
  std::string path;
  bool have_path = false;
  bool options_done = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (!options_done && arg == "--json") {
      options.json = true;
    } else if (!options_done && (arg == "--help" || arg == "-h")) {
      std::cout << kUsage;
      return cli::kExitAllAnswered;
    } else if (!options_done && arg == "--") {
      options_done = true;
    } else if (!options_done && arg.size() > 1 && arg[0] == '-') {
      return UsageError("unknown option " + std::string(arg));
    } else if (have_path) {
      return UsageError("only one FILE may be given");
    } else {
      path = arg;
      have_path = true;
    }
  }
  if (!have_path) return UsageError("no FILE given");

  std::string bytes;
  std::string error;
  if (!cli::ReadWholeFile(path, bytes, error)) {
    std::cerr << "originality_check: cannot read " << path << ": " << error
              << '\n';
    return cli::kExitUsage;
  }
  cli::DecodedArticle article;
  if (!cli::DecodeArticle(bytes, article, error)) {
    std::cerr << "originality_check: " << path << ": " << error << '\n';
    return cli::kExitUsage;
  }
  if (article.lost_characters) {
    std::cerr << "originality_check: " << path
              << ": some characters have no code page 936 form and were "
                 "replaced\n";
  }
  options.colour = !options.json && isatty(STDOUT_FILENO) == 1;
  return cli::RunConsoleCheck(
      article.text,
      [](const core::AnsiText& segment, core::TextList& fragments) {
        return check::CollectHighlightFragments(segment, fragments);
      },
      options, std::cout);
}
