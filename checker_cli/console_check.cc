#include "checker_cli/console_check.h"

#include <string>
#include <vector>

#include "checker_cli/console_view.h"
#include "checker_cli/json_text.h"
#include "core/text/encodings.h"

namespace cli {
namespace {

constexpr const char* kRed = "\x1b[31m";
constexpr const char* kPlain = "\x1b[0m";

struct SegmentResult {
  bool answered = false;
  core::TextList fragments;
};

std::string Utf8(const core::AnsiText& text) {
  return core::AnsiToUtf8(text).bytes();
}

// The console shows line breaks as LF.
std::string ConsoleText(const core::AnsiText& text) {
  std::string out = Utf8(text);
  std::string joined;
  joined.reserve(out.size());
  for (size_t i = 0; i < out.size(); ++i) {
    if (out[i] == '\r' && i + 1 < out.size() && out[i + 1] == '\n') continue;
    joined += out[i];
  }
  return joined;
}

void WriteArticle(const ConsoleView& view, bool colour, std::ostream& out) {
  const core::TextList& characters = view.characters();
  const std::vector<bool>& marked = view.marked();
  size_t i = 0;
  while (i < characters.size()) {
    const bool red = colour && marked[i];
    core::AnsiText run;
    while (i < characters.size() && (colour && marked[i]) == red) {
      run += characters[i];
      ++i;
    }
    if (red) out << kRed;
    out << ConsoleText(run);
    if (red) out << kPlain;
  }
  const core::AnsiText& article = view.article();
  if (!article.view().ends_with("\r\n")) out << '\n';
}

std::string JsonReport(const ConsoleView& view,
                       const std::vector<SegmentResult>& results) {
  std::string json = "{\"characters\":";
  json += view.character_count().empty() ? "0" : view.character_count().bytes();
  json += ",\"rate\":";
  AppendJsonString(json, Utf8(view.rate()));
  json += ",\"segments\":[";
  for (size_t k = 0; k < view.rows().size(); ++k) {
    const ConsoleRow& row = view.rows()[k];
    const SegmentResult* result = k < results.size() ? &results[k] : nullptr;
    const bool answered = result != nullptr && result->answered;
    if (k != 0) json += ',';
    json += "{\"index\":" + std::to_string(row.index) + ",\"text\":";
    AppendJsonString(json, Utf8(row.segment));
    json += answered ? ",\"status\":\"ok\",\"count\":"
                     : ",\"status\":\"failed\",\"count\":";
    json += answered ? std::to_string(result->fragments.size()) : "null";
    json += ",\"fragments\":[";
    if (answered) {
      for (size_t f = 0; f < result->fragments.size(); ++f) {
        if (f != 0) json += ',';
        AppendJsonString(json, Utf8(result->fragments[f]));
      }
    }
    json += "],\"address\":";
    AppendJsonString(json, Utf8(row.address));
    json += '}';
  }
  json += "],\"marks\":[";
  for (size_t m = 0; m < view.marks().size(); ++m) {
    const ConsoleMark& mark = view.marks()[m];
    if (m != 0) json += ',';
    json += "{\"start\":" + std::to_string(mark.start) +
            ",\"length\":" + std::to_string(mark.length) + ",\"text\":";
    AppendJsonString(json, Utf8(mark.text));
    json += '}';
  }
  json += "]}\n";
  return json;
}

}  // namespace

int RunConsoleCheck(const core::AnsiText& article,
                    const check::FragmentSource& source,
                    const ConsoleCheckOptions& options, std::ostream& out) {
  std::vector<SegmentResult> results;
  const check::FragmentSource recording_source =
      [&](const core::AnsiText& segment, core::TextList& fragments) {
        const bool answered = source && source(segment, fragments);
        results.push_back({answered, answered ? fragments : core::TextList{}});
        return answered;
      };
  ConsoleView::RowDone print_row;
  if (!options.json) {
    print_row = [&out](const ConsoleRow& row) {
      out << Utf8(row.heading) << '\t' << Utf8(row.count) << '\t'
          << ConsoleText(row.segment) << '\n';
      out.flush();
    };
  }
  ConsoleView view(article, print_row);
  check::CheckRun(view, recording_source);

  if (options.json) {
    out << JsonReport(view, results);
  } else {
    out << "文章字数: " << Utf8(view.character_count()) << '\n'
        << "百度原创度: " << Utf8(view.rate()) << '\n'
        << '\n';
    WriteArticle(view, options.colour, out);
  }
  out.flush();
  for (const SegmentResult& r : results) {
    if (!r.answered) return kExitSomeFailed;
  }
  return kExitAllAnswered;
}

}  // namespace cli
