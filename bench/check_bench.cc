// The cost of a check per segment against the cost of merely fetching the
// same pages, and the cost of reducing one large result page.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "checker_cli/console_view.h"
#include "core/check/check_run.h"
#include "core/check/fragments.h"
#include "core/text/article.h"
#include "core/text/characters.h"
#include "core/text/encodings.h"
#include "platform/http/http_request.h"
#include "tests/support/test_server.h"

namespace {

constexpr int kArticleCharacters = 100000;
constexpr std::size_t kResultPageBytes = 300 * 1024;
constexpr int kPhrases = 40;
constexpr std::size_t kLargePageBytes = 1700 * 1024;

// UTF-8 Chinese characters for made-up text; a full-width comma or full stop
// now and then, as prose has them.
const std::vector<std::string>& Characters() {
  static const std::vector<std::string> characters = [] {
    const std::string pool =
        "的一是在不了有和人这中大为上个国我以要他时来用们生到作地于出就分对成"
        "会可主发年动同工也能下过子说产种面而方后多定行学法所民得经十三之进着"
        "等部度家电力里如水化高自二理起小物现实加量都两体制机当使点从业本去把"
        "性好应开它合还因由其些然前外天政四日那社义事平形相全表间样与关各重新";
    std::vector<std::string> out;
    for (std::size_t i = 0; i + 3 <= pool.size(); i += 3) {
      out.push_back(pool.substr(i, 3));
    }
    return out;
  }();
  return characters;
}

// Deterministic text of `n` characters (UTF-8).
std::string MadeUpText(int n, unsigned seed) {
  const auto& characters = Characters();
  std::string text;
  unsigned x = seed;
  for (int i = 1; i <= n; ++i) {
    x = x * 1103515245u + 12345u;
    if (i % 23 == 0) {
      text += "，";
    } else if (i % 61 == 0) {
      text += "。";
    } else {
      text += characters[(x >> 16) % characters.size()];
    }
  }
  return text;
}

std::string Utf8Characters(const std::string& utf8, int from, int count) {
  // Every character of MadeUpText is 3 bytes.
  return utf8.substr(static_cast<std::size_t>(from) * 3,
                     static_cast<std::size_t>(count) * 3);
}

// A result page of about `bytes` holding the phrases in titles, padded with
// abstracts in which a few short, too-short highlights sit as well.
std::string ResultPage(const std::vector<std::string>& phrases,
                       std::size_t bytes) {
  std::string page =
      "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>"
      "_百度搜索</title></head><body><!--STATUS OK--><div id=\"content_left\">";
  const std::string filler = MadeUpText(400, 7);
  std::size_t k = 0;
  while (page.size() < bytes) {
    const std::string& phrase = phrases[k % phrases.size()];
    page +=
        "<div class=\"result c-container\"><h3 class=\"t\"><a href=\"http://"
        "www.baidu.com/link?url=abcdefghijklmnop\" target=\"_blank\">"
        "<em>" +
        phrase + "</em>" + filler.substr(0, 60) +
        "</a></h3><div class=\"c-abstract\">" + filler.substr(0, 300) +
        "<em>是的</em>" + filler.substr(300, 600) + "</div></div>\n";
    ++k;
  }
  page += "</div></body></html>";
  return page;
}

struct Site {
  std::unique_ptr<test::TestCa> ca;
  std::unique_ptr<test::TestServer> server;
  core::AnsiText article;
  core::AnsiText prefix;
  int segments = 0;
  std::string curl_config;
  std::string error;
};

Site& TheSite() {
  static Site* site = [] {
    auto* s = new Site();
    const std::string article = MadeUpText(kArticleCharacters, 1);
    s->article = core::Utf8ToAnsi(article);
    std::vector<std::string> phrases;
    for (int p = 0; p < kPhrases; ++p) {
      phrases.push_back(
          Utf8Characters(article, p * (kArticleCharacters / kPhrases), 8));
    }
    auto page =
        std::make_shared<std::string>(ResultPage(phrases, kResultPageBytes));
    s->ca = test::TestCa::Create(&s->error);
    if (!s->ca) return s;
    s->server = std::make_unique<test::TestServer>(s->ca.get());
    if (!s->server->ok()) {
      s->error = s->server->error();
      s->server.reset();
      return s;
    }
    s->server->SetIdleTimeout(std::chrono::seconds(60));
    s->server->Route("/baidu", [page](const test::Request&) {
      return test::Response{
          200, {{"Content-Type", "text/html; charset=utf-8"}}, *page};
    });
    s->prefix = s->server->Url("/baidu") + "?tn=baidu&word=";
    const core::TextList segments =
        core::CutIntoSegments(core::CleanArticle(s->article));
    s->segments = static_cast<int>(segments.size());
    s->curl_config = s->ca->dir() + "/curl.conf";
    std::ofstream config(s->curl_config);
    for (const core::AnsiText& segment : segments) {
      config << "url = \"" << s->prefix.bytes()
             << core::UrlEncode(segment, true, true).bytes()
             << "\"\noutput = \"/dev/null\"\n";
    }
    return s;
  }();
  return *site;
}

void BM_CheckRun100kCharacters(benchmark::State& state) {
  Site& site = TheSite();
  if (!site.server) {
    state.SkipWithError(site.error.c_str());
    return;
  }
  platform::HttpRequestSettings settings;
  settings.extra_ca_file = site.ca->ca_file();
  const check::RequestFactory make_request = [&settings] {
    return platform::CreateHttpRequest(settings);
  };
  std::size_t marks = 0;
  for (auto _ : state) {
    int answered = 0;
    cli::ConsoleView view(site.article, {});
    check::CheckRun(
        view, [&](const core::AnsiText& segment, core::TextList& fragments) {
          const bool ok = check::CollectHighlightFragmentsWith(
              site.prefix, segment, fragments, make_request);
          answered += ok ? 1 : 0;
          return ok;
        });
    if (answered != site.segments) {
      state.SkipWithError("a segment was not answered");
      return;
    }
    marks = view.marks().size();
  }
  state.counters["segments"] = site.segments;
  state.counters["marks"] = static_cast<double>(marks);
  state.counters["per_segment"] = benchmark::Counter(
      static_cast<double>(site.segments) *
          static_cast<double>(state.iterations()),
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_CurlFetchFloor(benchmark::State& state) {
  Site& site = TheSite();
  if (!site.server) {
    state.SkipWithError(site.error.c_str());
    return;
  }
  const std::string command = "curl -sS --fail --http1.1 --cacert '" +
                              site.ca->ca_file() + "' -K '" + site.curl_config +
                              "'";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) {
      state.SkipWithError("the curl command failed");
      return;
    }
  }
  state.counters["segments"] = site.segments;
  state.counters["per_segment"] = benchmark::Counter(
      static_cast<double>(site.segments) *
          static_cast<double>(state.iterations()),
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// A page of today's size: 1.7 MB with a few hundred highlights.
struct LargePage {
  core::ByteBuffer utf8;
  core::AnsiText ansi;
  core::AnsiText segment;
};

const LargePage& TheLargePage() {
  static const LargePage* large = [] {
    auto* p = new LargePage();
    const std::string text = MadeUpText(2000, 3);
    std::vector<std::string> phrases;
    for (int k = 0; k < kPhrases; ++k) {
      phrases.push_back(Utf8Characters(text, k * 40, 8));
    }
    const std::string page = ResultPage(phrases, kLargePageBytes);
    p->utf8.assign(page.begin(), page.end());
    p->ansi = core::Utf8ToAnsi(page);
    p->segment = core::Utf8ToAnsi(Utf8Characters(text, 40, 36));
    return p;
  }();
  return *large;
}

void BM_ExtractAllBetweenLargePage(benchmark::State& state) {
  const LargePage& page = TheLargePage();
  core::TextList candidates;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        check::ExtractAllBetween(page.ansi, "<em>", "</em>", candidates));
  }
  state.counters["candidates"] = static_cast<double>(candidates.size());
  state.SetBytesProcessed(state.iterations() *
                          static_cast<std::int64_t>(page.ansi.size()));
}

// Conversion from UTF-8, extraction and filters: all the work on one reply.
void BM_FragmentsFromReplyLargePage(benchmark::State& state) {
  const LargePage& page = TheLargePage();
  std::size_t found = 0;
  for (auto _ : state) {
    core::TextList fragments;
    check::FragmentsFromReply(200, page.utf8, page.segment, fragments);
    found = fragments.size();
  }
  state.counters["fragments"] = static_cast<double>(found);
  state.SetBytesProcessed(state.iterations() *
                          static_cast<std::int64_t>(page.utf8.size()));
}

// Telling a result page from the others; part of the reduction above.
void BM_ClassifyReplyLargePage(benchmark::State& state) {
  const LargePage& page = TheLargePage();
  const std::string_view text(reinterpret_cast<const char*>(page.utf8.data()),
                              page.utf8.size());
  for (auto _ : state) {
    benchmark::DoNotOptimize(check::ClassifyReply(200, text));
  }
  state.SetBytesProcessed(state.iterations() *
                          static_cast<std::int64_t>(page.utf8.size()));
}

// The reduction as first written: the whole page converted, then scanned.
void BM_ConvertThenExtractLargePage(benchmark::State& state) {
  const LargePage& page = TheLargePage();
  core::TextList candidates;
  for (auto _ : state) {
    const core::AnsiText converted = core::Utf8ToAnsi(core::AnsiText(
        std::string_view(reinterpret_cast<const char*>(page.utf8.data()),
                         page.utf8.size())));
    benchmark::DoNotOptimize(
        check::ExtractAllBetween(converted, "<em>", "</em>", candidates));
  }
  state.SetBytesProcessed(state.iterations() *
                          static_cast<std::int64_t>(page.utf8.size()));
}

// The floor for the scan: finding every "<em>" and "</em>" with a plain
// case-sensitive byte search.
void BM_PlainMarkerScanFloor(benchmark::State& state) {
  const LargePage& page = TheLargePage();
  const std::string_view text = page.ansi.view();
  for (auto _ : state) {
    std::size_t pairs = 0;
    std::size_t at = 0;
    while (true) {
      const std::size_t open = text.find("<em>", at);
      if (open == std::string_view::npos) break;
      const std::size_t close = text.find("</em>", open + 4);
      if (close == std::string_view::npos) break;
      ++pairs;
      at = close;
    }
    benchmark::DoNotOptimize(pairs);
  }
  state.SetBytesProcessed(state.iterations() *
                          static_cast<std::int64_t>(text.size()));
}

BENCHMARK(BM_CurlFetchFloor)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);
BENCHMARK(BM_CheckRun100kCharacters)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);
BENCHMARK(BM_PlainMarkerScanFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExtractAllBetweenLargePage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FragmentsFromReplyLargePage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClassifyReplyLargePage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertThenExtractLargePage)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
