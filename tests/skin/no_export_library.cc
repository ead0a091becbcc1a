// A loadable library that lacks the skin function.
extern "C" __attribute__((visibility("default"))) int SomethingElse() {
  return 1;
}
