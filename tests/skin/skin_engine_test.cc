// The skin library itself, loaded into an application as the program loads
// it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPalette>
#include <QProgressBar>
#include <QPushButton>
#include <QWidget>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "platform/dynlib/dynamic_library.h"
#include "skin/engine/attach_res.h"
#include "skin/format/skin_block.h"
#include "skin/skin_set.h"
#include "skin/startup.h"
#include "tests/support/temp_folder.h"

namespace skin {
namespace {

using platform::DynamicLibrary;

class ApplicationEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    app_ = new QApplication(argc_, argv_);
  }
  void TearDown() override { delete app_; }

 private:
  int argc_ = 1;
  char name_[16] = "skin_engine";
  char* argv_[2] = {name_, nullptr};
  QApplication* app_ = nullptr;
};

const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

// Qt reports a style sheet it cannot read only as a warning.
class WarningCatcher {
 public:
  WarningCatcher() { previous_ = qInstallMessageHandler(&Catch); }
  ~WarningCatcher() { qInstallMessageHandler(previous_); }
  static std::vector<std::string>& Warnings() {
    static std::vector<std::string> warnings;
    return warnings;
  }

 private:
  static void Catch(QtMsgType type, const QMessageLogContext&,
                    const QString& text) {
    // Only the style sheet's complaints: the platform's own notes are not
    // what is tested here.
    if (type != QtDebugMsg && type != QtInfoMsg &&
        text.contains(QStringLiteral("stylesheet"), Qt::CaseInsensitive)) {
      Warnings().push_back(text.toStdString());
    }
  }
  QtMessageHandler previous_;
};

// A few controls of the kinds the program shows, drawn once.
QImage DrawControls() {
  QWidget window;
  window.resize(200, 120);
  QPushButton button(QStringLiteral("Button"), &window);
  button.setGeometry(4, 4, 74, 32);
  QListWidget list(&window);
  list.addItems({QStringLiteral("one"), QStringLiteral("two")});
  list.setCurrentRow(1);
  list.setGeometry(90, 4, 100, 80);
  QProgressBar bar(&window);
  bar.setValue(40);
  bar.setGeometry(4, 90, 180, 16);
  QLabel label(QStringLiteral("label"), &window);
  label.setGeometry(4, 40, 60, 18);
  return window.grab().toImage();
}

class SkinEngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    library_ = DynamicLibrary::Open(
        BUILT_SKIN_LIBRARY, DynamicLibrary::Lifetime::kKeepLoaded, &error);
    ASSERT_TRUE(library_.has_value()) << error;
    attach_ = library_->FindFunction<SkinAttachResFunction>("SkinH_AttachRes");
    ASSERT_NE(attach_, nullptr);
    qApp->setStyleSheet(QString());
  }
  void TearDown() override { qApp->setStyleSheet(QString()); }

  int Attach(int number) {
    const auto block = SkinBlock(number);
    return attach_(block.data(), static_cast<int>(block.size()), "", 0, 0, 0);
  }

  std::optional<DynamicLibrary> library_;
  SkinAttachResFunction* attach_ = nullptr;
};

TEST_F(SkinEngineTest, EverySkinTakesHoldWithoutAWarning) {
  for (int number = 1; number <= kSkinCount; ++number) {
    Skin skin;
    ASSERT_EQ(ParseSkin(SkinBlock(number), &skin), SkinError::kNone);
    WarningCatcher catcher;
    WarningCatcher::Warnings().clear();
    EXPECT_EQ(Attach(number), kAttached) << number;
    EXPECT_EQ(qApp->styleSheet().toStdString(), skin.style_sheet) << number;
    const PaletteEntry& window = skin.palette.front();
    ASSERT_EQ(window.role, PaletteRole::kWindow);
    EXPECT_EQ(QApplication::palette().color(QPalette::Window),
              QColor(window.red, window.green, window.blue))
        << number;
    DrawControls();
    EXPECT_TRUE(WarningCatcher::Warnings().empty())
        << number << ": " << WarningCatcher::Warnings().front();
  }
}

TEST_F(SkinEngineTest, StartupSkinChangesTheLookAndKeepsDisabledVisible) {
  const QImage plain = DrawControls();
  ASSERT_EQ(Attach(13), kAttached);
  EXPECT_NE(DrawControls(), plain);
  const QPalette palette = QApplication::palette();
  EXPECT_NE(palette.color(QPalette::Disabled, QPalette::ButtonText),
            palette.color(QPalette::Active, QPalette::ButtonText));
  ASSERT_EQ(Attach(1), kAttached);
  EXPECT_NE(DrawControls(), plain);
}

TEST_F(SkinEngineTest, RefusedSkinKeepsTheLookItHad) {
  ASSERT_EQ(Attach(5), kAttached);
  const QString sheet = qApp->styleSheet();
  const QPalette palette = QApplication::palette();

  const auto good = SkinBlock(13);
  std::vector<unsigned char> corrupt(good.begin(), good.end());
  corrupt[corrupt.size() / 2] ^= 0x01;
  struct Case {
    const char* what;
    const unsigned char* bytes;
    int size;
    const char* password;
    int result;
  };
  const Case cases[] = {
      {"empty", nullptr, 0, "", static_cast<int>(SkinError::kEmpty)},
      {"empty with an address", good.data(), 0, "",
       static_cast<int>(SkinError::kEmpty)},
      {"length without address", nullptr, 16, "", kLengthWithoutAddress},
      {"negative length", good.data(), -1, "", kNegativeLength},
      {"cut short", good.data(), static_cast<int>(good.size()) - 1, "",
       static_cast<int>(SkinError::kTruncated)},
      {"corrupt", corrupt.data(), static_cast<int>(corrupt.size()), "",
       static_cast<int>(SkinError::kChecksumMismatch)},
      {"not a skin", reinterpret_cast<const unsigned char*>("MZ\x90\0"), 4, "",
       static_cast<int>(SkinError::kTruncated)},
      {"password", good.data(), static_cast<int>(good.size()), "secret",
       kPasswordNotSupported},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(attach_(c.bytes, c.size, c.password, 0, 0, 0), c.result)
        << c.what;
    EXPECT_EQ(qApp->styleSheet(), sheet) << c.what;
    EXPECT_EQ(QApplication::palette(), palette) << c.what;
  }
  // A null password is as good as the empty one.
  EXPECT_EQ(
      attach_(good.data(), static_cast<int>(good.size()), nullptr, 0, 0, 0),
      kAttached);
}

TEST_F(SkinEngineTest, OnlyTheApplicationsThreadMayAttach) {
  int result = -1;
  std::thread other([&] { result = Attach(13); });
  other.join();
  EXPECT_EQ(result, kNotApplicationThread);
  EXPECT_TRUE(qApp->styleSheet().isEmpty());
}

TEST_F(SkinEngineTest, StartupWritesLoadsAndAttachesTheEmbeddedLibrary) {
  test::TempFolder program;
  EXPECT_EQ(ApplyStartupSkin(program.path()), std::nullopt);
  Skin thirteen;
  ASSERT_EQ(ParseSkin(SkinBlock(13), &thirteen), SkinError::kNone);
  EXPECT_EQ(qApp->styleSheet().toStdString(), thirteen.style_sheet);
}

}  // namespace
}  // namespace skin
