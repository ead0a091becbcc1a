// One QApplication for every window test of the binary.
#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

namespace {

class QtApplicationEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "dedup_window_tests";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QApplication>(argc, argv);
  }
  void TearDown() override { app_.reset(); }

 private:
  std::unique_ptr<QApplication> app_;
};

const testing::Environment* const kEnvironment =
    testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

}  // namespace
