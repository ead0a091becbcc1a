// The converter against two independent sources: the published best-fit
// data it was generated from (only where the shared reference folder is
// present), and the system's iconv, which knows the round-trip part of the
// code page but neither its private-use decodings nor the best fits.
#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdint>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "platform/codepage/code_page.h"

namespace platform {
namespace {

std::string Code(unsigned code) {
  std::string bytes;
  if (code > 0xFF) bytes.push_back(static_cast<char>(code >> 8));
  bytes.push_back(static_cast<char>(code & 0xFF));
  return bytes;
}

struct BestFitTable {
  std::map<unsigned, char16_t> decodings;  // code -> unit
  std::map<char16_t, unsigned> encodings;  // unit -> code
  int single_bytes = 0;
};

// Reads the sections the way the data's readme describes them: fields
// after ';' are comments, each DBCSTABLE belongs to the next lead byte.
bool ReadBestFit(const std::string& path, BestFitTable* table) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::string line, section;
  unsigned lead = 0;
  while (std::getline(in, line)) {
    std::istringstream fields(line.substr(0, line.find(';')));
    std::string first, second;
    if (!(fields >> first)) continue;
    if (first == "ENDCODEPAGE") break;
    if (first == "MBTABLE" || first == "WCTABLE" || first == "DBCSRANGE") {
      section = first;
      continue;
    }
    if (first == "DBCSTABLE") {
      ++lead;
      section = first;
      continue;
    }
    if (first == "CODEPAGE" || first == "CPINFO" || !(fields >> second)) {
      continue;
    }
    const auto a = static_cast<unsigned>(std::stoul(first, nullptr, 16));
    const auto b = static_cast<unsigned>(std::stoul(second, nullptr, 16));
    if (section == "MBTABLE") {
      table->decodings[a] = static_cast<char16_t>(b);
      ++table->single_bytes;
    } else if (section == "DBCSRANGE") {
      lead = a - 1;
    } else if (section == "DBCSTABLE") {
      table->decodings[lead << 8 | a] = static_cast<char16_t>(b);
    } else if (section == "WCTABLE") {
      table->encodings[static_cast<char16_t>(a)] = b;
    }
  }
  return true;
}

TEST(ReferenceTest, EveryBestFitEntryConvertsBothWays) {
  const std::string path =
      std::string(PROJECT_SHARED_DIR) + "/reference/cp936/bestfit936.txt";
  BestFitTable table;
  if (!ReadBestFit(path, &table)) {
    GTEST_SKIP() << "no best-fit data at " << path
                 << "; the committed table is checked against it only on a "
                    "machine that has the shared reference folder";
  }
  ASSERT_EQ(table.single_bytes, 130);
  ASSERT_EQ(table.decodings.size(), 130u + 23940u);
  ASSERT_EQ(table.encodings.size(), 24482u);
  for (const auto& [code, unit] : table.decodings) {
    EXPECT_EQ(MultiByteToWide(936, Code(code)), std::u16string(1, unit))
        << std::hex << code;
  }
  int best_fits = 0;
  for (int u = 0; u <= 0xFFFF; ++u) {
    const auto unit = static_cast<char16_t>(u);
    const auto entry = table.encodings.find(unit);
    const std::string expected =
        entry == table.encodings.end() ? "?" : Code(entry->second);
    EXPECT_EQ(WideToMultiByte(936, std::u16string(1, unit)), expected)
        << std::hex << u;
    if (entry != table.encodings.end()) {
      const auto decoded = table.decodings.find(entry->second);
      if (decoded == table.decodings.end() || decoded->second != unit) {
        ++best_fits;
      }
    }
  }
  EXPECT_EQ(best_fits, 412);
}

// RAII for one iconv conversion descriptor.
class Iconv {
 public:
  Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Iconv() {
    if (ok()) iconv_close(cd_);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // False when iconv refuses the input.
  bool Convert(std::string input, std::string* output) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char buffer[16];
    char* in = input.data();
    size_t in_left = input.size();
    char* out = buffer;
    size_t out_left = sizeof buffer;
    if (iconv(cd_, &in, &in_left, &out, &out_left) == static_cast<size_t>(-1)) {
      return false;
    }
    output->assign(buffer, static_cast<size_t>(out - buffer));
    return in_left == 0;
  }

 private:
  iconv_t cd_;
};

std::string Utf16(const std::u16string& wide) {
  std::string bytes;
  for (const char16_t u : wide) {
    bytes.push_back(static_cast<char>(u & 0xFF));
    bytes.push_back(static_cast<char>(u >> 8));
  }
  return bytes;
}

TEST(ReferenceTest, RoundTripPartAgreesWithSystemIconv) {
  Iconv decoder("UTF-16LE", "CP936");
  Iconv encoder("CP936", "UTF-16LE");
  if (!decoder.ok() || !encoder.ok()) {
    GTEST_SKIP() << "the system iconv has no CP936 converter";
  }
  int agreed = 0;
  int refused = 0;
  std::set<char16_t> round_trip_units;
  for (unsigned code = 0; code <= 0xFEFE; ++code) {
    const unsigned lead = code >> 8;
    const unsigned trail = code & 0xFF;
    const bool is_code =
        (lead == 0 && (trail < 0x81 || trail == 0xFF)) ||
        (lead >= 0x81 && trail >= 0x40 && trail != 0x7F && trail != 0xFF);
    if (!is_code) continue;
    const std::u16string ours = MultiByteToWide(936, Code(code));
    ASSERT_EQ(ours.size(), 1u) << std::hex << code;
    std::string theirs;
    if (decoder.Convert(Code(code), &theirs)) {
      EXPECT_EQ(Utf16(ours), theirs) << std::hex << code;
      round_trip_units.insert(ours[0]);
      ++agreed;
    } else {
      // What iconv lacks is exactly what the platform maps to private use.
      EXPECT_TRUE(ours[0] >= 0xE000 && ours[0] <= 0xF8FF) << std::hex << code;
      ++refused;
    }
  }
  EXPECT_EQ(agreed, 21920);
  EXPECT_EQ(refused, 2150);
  for (const char16_t unit : round_trip_units) {
    const std::u16string wide(1, unit);
    std::string theirs;
    ASSERT_TRUE(encoder.Convert(Utf16(wide), &theirs)) << std::hex << +unit;
    EXPECT_EQ(WideToMultiByte(936, wide), theirs) << std::hex << +unit;
  }
}

}  // namespace
}  // namespace platform
