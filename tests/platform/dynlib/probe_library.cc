namespace {
int calls = 0;
}  // namespace

extern "C" int ProbeCountCall() { return ++calls; }
