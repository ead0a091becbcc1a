#include "checker_ui/ansi_qt.h"

#include <string>
#include <string_view>

#include "platform/codepage/code_page.h"

namespace checker_ui {
namespace {

constexpr int kCodePage = 936;

}  // namespace

QString ToQString(const core::AnsiText& text) {
  const std::u16string wide = platform::MultiByteToWide(kCodePage, text.view());
  return QString(reinterpret_cast<const QChar*>(wide.data()),
                 static_cast<qsizetype>(wide.size()));
}

core::AnsiText ToAnsi(const QString& text) {
  QString safe = text;
  safe.replace(QChar(u'\0'), QChar(u'?'));
  const std::u16string_view wide(
      reinterpret_cast<const char16_t*>(safe.utf16()),
      static_cast<size_t>(safe.size()));
  return core::AnsiText(platform::WideToMultiByte(kCodePage, wide));
}

QString ThroughCodePage(const QString& text) { return ToQString(ToAnsi(text)); }

}  // namespace checker_ui
