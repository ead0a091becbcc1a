// What the fake skin library saw of its last call, read back by the tests.
#ifndef TESTS_SKIN_FAKE_SKIN_CALL_H_
#define TESTS_SKIN_FAKE_SKIN_CALL_H_

struct FakeSkinCall {
  int calls;
  const unsigned char* skin;
  int size;
  bool password_is_null;
  char password[16];
  int reserved[3];
};

using FakeSkinLastCallFunction = const FakeSkinCall*();

// The fake answers with this, so a caller that acted on the result shows.
inline constexpr int kFakeSkinResult = 42;

#endif  // TESTS_SKIN_FAKE_SKIN_CALL_H_
