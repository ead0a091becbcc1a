// Stands in for the skin library: records its arguments and draws nothing.
#include <cstring>

#include "tests/skin/fake_skin_call.h"

namespace {
FakeSkinCall last_call{};
}  // namespace

extern "C" __attribute__((visibility("default"))) int SkinH_AttachRes(
    const unsigned char* skin, int size, const char* password, int reserved1,
    int reserved2, int reserved3) {
  ++last_call.calls;
  last_call.skin = skin;
  last_call.size = size;
  last_call.password_is_null = password == nullptr;
  std::memset(last_call.password, 0, sizeof last_call.password);
  if (password != nullptr) {
    std::strncpy(last_call.password, password, sizeof last_call.password - 1);
  }
  last_call.reserved[0] = reserved1;
  last_call.reserved[1] = reserved2;
  last_call.reserved[2] = reserved3;
  return kFakeSkinResult;
}

extern "C" __attribute__((visibility("default"))) const FakeSkinCall*
FakeSkinLastCall() {
  return &last_call;
}
