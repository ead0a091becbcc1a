#include "platform/codepage/cp936_table.h"

namespace platform::cp936 {
namespace {

#include "platform/codepage/cp936_data.inc"

static_assert(kFirstLeadByte == 0x81 && kLastLeadByte == 0xFE,
              "DoubleByteIndex assumes the lead bytes 0x81-0xFE");

// The order in which the data lists the trail bytes of a row.
constexpr std::array<unsigned char, kTrailBytesPerLead> TrailBytes() {
  std::array<unsigned char, kTrailBytesPerLead> trails{};
  int n = 0;
  for (int t = 0x40; t <= 0xFE; ++t) {
    if (t != 0x7F) trails[n++] = static_cast<unsigned char>(t);
  }
  return trails;
}

constexpr std::array<char16_t, 256> BuildSingleByte() {
  std::array<char16_t, 256> table{};
  table.fill(kLeadByte);
  for (const auto& entry : kSingleByteData) {
    table[entry[0]] = static_cast<char16_t>(entry[1]);
  }
  return table;
}

constexpr std::array<char16_t, 126 * 256> BuildDoubleByte() {
  std::array<char16_t, 126 * 256> table{};
  const auto trails = TrailBytes();
  for (int lead = kFirstLeadByte; lead <= kLastLeadByte; ++lead) {
    for (int t = 0; t < kTrailBytesPerLead; ++t) {
      table[DoubleByteIndex(static_cast<unsigned char>(lead), trails[t])] =
          kDoubleByteData[lead - kFirstLeadByte][t];
    }
  }
  return table;
}

constexpr std::array<std::uint16_t, 65536> BuildEncode() {
  std::array<std::uint16_t, 65536> table{};
  table.fill(static_cast<std::uint16_t>(kDefaultByte));
  for (const auto& entry : kSingleByteData) table[entry[1]] = entry[0];
  const auto trails = TrailBytes();
  for (int lead = kFirstLeadByte; lead <= kLastLeadByte; ++lead) {
    for (int t = 0; t < kTrailBytesPerLead; ++t) {
      table[kDoubleByteData[lead - kFirstLeadByte][t]] =
          static_cast<std::uint16_t>(lead << 8 | trails[t]);
    }
  }
  for (const auto& entry : kBestFitData) table[entry[0]] = entry[1];
  return table;
}

}  // namespace

constinit const std::array<char16_t, 256> kSingleByte = BuildSingleByte();
constinit const std::array<char16_t, 126 * 256> kDoubleByte = BuildDoubleByte();
constinit const std::array<std::uint16_t, 65536> kEncode = BuildEncode();

}  // namespace platform::cp936
