// Article cleaning and segmentation, character counting and de-duplication
// at growing sizes, each beside the straightforward definition it replaces,
// so that linear growth and the gain show in one run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "core/text/article.h"
#include "core/text/characters.h"
#include "core/text/list_utils.h"
#include "core/text/text_ops.h"

namespace core {
namespace {

// Chinese characters from the common GB2312 block, ASCII words, ASCII and
// full-width punctuation, full-width spaces, tabs and CR LF line breaks.
std::string MixedArticle(size_t bytes) {
  std::mt19937 rng(936);
  std::uniform_int_distribution<int> kind(0, 99);
  std::uniform_int_distribution<int> lead(0xB0, 0xF7);
  std::uniform_int_distribution<int> trail(0xA1, 0xFE);
  std::uniform_int_distribution<int> letter('a', 'z');
  static const char* const kPunctuation[] = {
      ",", ".",        "!",        "?",        "(",  ")",    "-", "\"",
      "%", "\xA3\xAC", "\xA1\xA3", "\xA1\xA1", "\t", "\r\n", " "};
  std::uniform_int_distribution<size_t> punctuation(
      0, std::size(kPunctuation) - 1);
  std::string text;
  text.reserve(bytes + 8);
  while (text.size() < bytes) {
    const int k = kind(rng);
    if (k < 70) {
      text += static_cast<char>(lead(rng));
      text += static_cast<char>(trail(rng));
    } else if (k < 88) {
      text += static_cast<char>(letter(rng));
    } else {
      text += kPunctuation[punctuation(rng)];
    }
  }
  text.resize(bytes);
  return text;
}

AnsiText CleanByDefinition(const AnsiText& text) {
  AnsiText result = ReplaceText(text, "\t", {}, 1, kEveryOccurrence, true);
  for (const char* entry : kStripTable) {
    result = ReplaceText(result, entry, {}, 1, kEveryOccurrence, true);
  }
  return result;
}

TextList CutByDefinition(const AnsiText& cleaned) {
  TextList characters;
  const int n = SplitCharacters(cleaned, characters);
  TextList segments;
  AnsiText running;
  for (int k = 1; k <= n; ++k) {
    running += characters[static_cast<size_t>(k - 1)];
    if (k % kSegmentCharacters == 0 || k == n) {
      segments.push_back(running);
      running = AnsiText();
    }
  }
  return segments;
}

// With --benchmark_repetitions, the least time of the repetitions: the run
// least disturbed by other work on a shared machine.
double Min(const std::vector<double>& values) {
  return *std::min_element(values.begin(), values.end());
}

void SetSizeLabel(benchmark::State& state, int64_t items, int64_t bytes) {
  state.SetItemsProcessed(state.iterations() * items);
  if (bytes > 0) state.SetBytesProcessed(state.iterations() * bytes);
}

void BM_CleanAndCut(benchmark::State& state) {
  const AnsiText article(MixedArticle(static_cast<size_t>(state.range(0))));
  for (auto _ : state) {
    TextList segments = CutIntoSegments(CleanArticle(article));
    benchmark::DoNotOptimize(segments.data());
  }
  SetSizeLabel(state, 1, state.range(0));
}

void BM_CleanAndCutByDefinition(benchmark::State& state) {
  const AnsiText article(MixedArticle(static_cast<size_t>(state.range(0))));
  for (auto _ : state) {
    TextList segments = CutByDefinition(CleanByDefinition(article));
    benchmark::DoNotOptimize(segments.data());
  }
  SetSizeLabel(state, 1, state.range(0));
}

constexpr int64_t kKilobyte = 1000;
constexpr int64_t kMegabyte = 1000 * kKilobyte;

BENCHMARK(BM_CleanAndCut)
    ->Arg(100 * kKilobyte)
    ->Arg(kMegabyte)
    ->Arg(10 * kMegabyte)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", Min);
BENCHMARK(BM_CleanAndCutByDefinition)
    ->Arg(100 * kKilobyte)
    ->Arg(kMegabyte)
    ->Arg(10 * kMegabyte)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", Min);

void BM_CountCharacters(benchmark::State& state) {
  const AnsiText article(MixedArticle(static_cast<size_t>(state.range(0))));
  for (auto _ : state) benchmark::DoNotOptimize(CountCharacters(article));
  SetSizeLabel(state, 1, state.range(0));
}

// The count as the size of the full character list.
void BM_CountBySplitCharacters(benchmark::State& state) {
  const AnsiText article(MixedArticle(static_cast<size_t>(state.range(0))));
  TextList characters;
  for (auto _ : state) {
    benchmark::DoNotOptimize(SplitCharacters(article, characters));
  }
  SetSizeLabel(state, 1, state.range(0));
}

BENCHMARK(BM_CountCharacters)
    ->Arg(10 * kMegabyte)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", Min);
BENCHMARK(BM_CountBySplitCharacters)
    ->Arg(10 * kMegabyte)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", Min);

// Lines of 8 to 40 bytes, 40% of them repeats of an earlier line.
TextList LinesWithRepeats(int64_t count) {
  std::mt19937 rng(4);
  std::uniform_int_distribution<int> repeat(0, 99);
  std::uniform_int_distribution<int> length(8, 40);
  std::uniform_int_distribution<int> byte('!', '~');
  TextList lines;
  lines.reserve(static_cast<size_t>(count));
  while (static_cast<int64_t>(lines.size()) < count) {
    if (!lines.empty() && repeat(rng) < 40) {
      std::uniform_int_distribution<size_t> earlier(0, lines.size() - 1);
      lines.push_back(lines[earlier(rng)]);
      continue;
    }
    std::string line(static_cast<size_t>(length(rng)), ' ');
    for (char& c : line) c = static_cast<char>(byte(rng));
    lines.emplace_back(std::move(line));
  }
  return lines;
}

void BM_RemoveDuplicates(benchmark::State& state) {
  const TextList lines = LinesWithRepeats(state.range(0));
  TextList work;
  for (auto _ : state) {
    // Copying, and freeing the previous round's list, stay out of the time.
    state.PauseTiming();
    work = lines;
    state.ResumeTiming();
    benchmark::DoNotOptimize(RemoveDuplicates(work));
  }
  SetSizeLabel(state, state.range(0), 0);
}

// Each member looked up in the growing result list.
void BM_RemoveDuplicatesByLookup(benchmark::State& state) {
  const TextList lines = LinesWithRepeats(state.range(0));
  for (auto _ : state) {
    TextList kept;
    for (const AnsiText& line : lines) {
      if (IndexOfText(kept, line) == -1) kept.push_back(line);
    }
    benchmark::DoNotOptimize(kept.data());
  }
  SetSizeLabel(state, state.range(0), 0);
}

// The memory floor: every line compared with one line picked at random, as
// a table look-up must touch one unrelated place per line. Its growth from
// 10^4 to 10^6 lines is the cache's, not the algorithm's.
void BM_CompareWithRandomLine(benchmark::State& state) {
  const TextList lines = LinesWithRepeats(state.range(0));
  std::mt19937 rng(7);
  std::uniform_int_distribution<size_t> any(0, lines.size() - 1);
  std::vector<size_t> partner(lines.size());
  for (size_t& p : partner) p = any(rng);
  TextList work;
  for (auto _ : state) {
    state.PauseTiming();
    work = lines;
    state.ResumeTiming();
    size_t equal = 0;
    for (size_t i = 0; i < work.size(); ++i) {
      equal += work[i] == work[partner[i]] ? 1 : 0;
    }
    benchmark::DoNotOptimize(equal);
  }
  SetSizeLabel(state, state.range(0), 0);
}

BENCHMARK(BM_RemoveDuplicates)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", Min);
BENCHMARK(BM_CompareWithRandomLine)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", Min);
BENCHMARK(BM_RemoveDuplicatesByLookup)
    ->Arg(10'000)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", Min);

}  // namespace
}  // namespace core

BENCHMARK_MAIN();
