#include "platform/dynlib/dynamic_library.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace platform {
namespace {

using Lifetime = DynamicLibrary::Lifetime;
using CountCall = int();

TEST(DynamicLibraryTest, FindsAndCallsAnExportedFunction) {
  std::string error;
  auto library =
      DynamicLibrary::Open(PROBE_LIBRARY, Lifetime::kUnloadOnClose, &error);
  ASSERT_TRUE(library.has_value()) << error;
  CountCall* count = library->FindFunction<CountCall>("ProbeCountCall");
  ASSERT_NE(count, nullptr);
  EXPECT_EQ(count(), 1);
  EXPECT_EQ(count(), 2);
}

TEST(DynamicLibraryTest, MissingSymbolGivesNullAndTheLoadersReason) {
  auto library = DynamicLibrary::Open(PROBE_LIBRARY, Lifetime::kUnloadOnClose);
  ASSERT_TRUE(library.has_value());
  std::string error;
  EXPECT_EQ(library->FindSymbol("NoSuchFunction", &error), nullptr);
  EXPECT_NE(error.find("NoSuchFunction"), std::string::npos) << error;
  EXPECT_EQ(library->FindSymbol(nullptr, &error), nullptr);
}

TEST(DynamicLibraryTest, WhatCannotBeLoadedGivesNulloptAndAReason) {
  const auto dir = std::filesystem::path(testing::TempDir()) / "dynlib_bad";
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "not_a_library.so") << "plain text, no library";
  const std::string cases[] = {
      "",
      (dir / "missing.so").string(),
      (dir / "not_a_library.so").string(),
      dir.string(),
      "libsurely_absent_from_every_search_path.so",
  };
  for (const std::string& name : cases) {
    std::string error;
    EXPECT_FALSE(DynamicLibrary::Open(name, Lifetime::kUnloadOnClose, &error))
        << name;
    EXPECT_FALSE(error.empty()) << name;
  }
}

TEST(DynamicLibraryTest, BareNameUsesTheStandardSearchOrder) {
  auto library = DynamicLibrary::Open("libm.so.6", Lifetime::kUnloadOnClose);
  ASSERT_TRUE(library.has_value());
  EXPECT_NE(library->FindSymbol("cos"), nullptr);
}

TEST(DynamicLibraryTest, MovedFromObjectHoldsNothing) {
  auto library = DynamicLibrary::Open(PROBE_LIBRARY, Lifetime::kUnloadOnClose);
  ASSERT_TRUE(library.has_value());
  DynamicLibrary taken = std::move(*library);
  EXPECT_EQ(library->FindSymbol("ProbeCountCall"), nullptr);
  EXPECT_NE(taken.FindSymbol("ProbeCountCall"), nullptr);
}

// The call counter shows whether the library stayed mapped between two opens:
// unloaded, it starts again from zero.
int CallsAfterReopen(Lifetime first_lifetime) {
  {
    auto first = DynamicLibrary::Open(PROBE_LIBRARY, first_lifetime);
    if (!first) return -1;
    CountCall* count = first->FindFunction<CountCall>("ProbeCountCall");
    for (int i = 0; i < 5; ++i) count();
  }
  auto again = DynamicLibrary::Open(PROBE_LIBRARY, Lifetime::kUnloadOnClose);
  if (!again) return -1;
  return again->FindFunction<CountCall>("ProbeCountCall")();
}

TEST(DynamicLibraryTest, KeepLoadedSurvivesTheObject) {
  // Keep-loaded last: once kept, the probe stays mapped for this process.
  EXPECT_EQ(CallsAfterReopen(Lifetime::kUnloadOnClose), 1);
  EXPECT_EQ(CallsAfterReopen(Lifetime::kKeepLoaded), 6);
}

}  // namespace
}  // namespace platform
