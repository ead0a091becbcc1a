#include "checker_ui/char_format_qt.h"

#include <QBrush>
#include <QStringList>
#include <algorithm>

#include "checker_ui/ansi_qt.h"

namespace checker_ui {
namespace {

int PointSize(const check::CharFormat& format) {
  return std::clamp(format.size, kMinimumPointSize, kMaximumPointSize);
}

}  // namespace

QColor ToQColor(check::Colour colour) {
  return QColor(static_cast<int>(colour & 0xFF),
                static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

check::Colour FromQColor(const QColor& colour) {
  return static_cast<check::Colour>(colour.red()) |
         static_cast<check::Colour>(colour.green()) << 8 |
         static_cast<check::Colour>(colour.blue()) << 16;
}

QTextCharFormat ToTextCharFormat(const check::CharFormat& format,
                                 const QColor& automatic_colour) {
  const int points = PointSize(format);
  QTextCharFormat result;
  result.setFontFamilies(QStringList{ToQString(format.face)});
  result.setFontPointSize(points);
  result.setBaselineOffset(100.0 * format.offset / points);
  result.setProperty(kOffsetPointsProperty, format.offset);
  result.setFontWeight((format.effects & check::kBold) ? QFont::Bold
                                                       : QFont::Normal);
  result.setFontItalic((format.effects & check::kItalic) != 0);
  result.setFontUnderline((format.effects & check::kUnderline) != 0);
  result.setFontStrikeOut((format.effects & check::kStrikeOut) != 0);
  result.setProperty(kProtectedProperty,
                     (format.effects & check::kProtected) != 0);
  result.setForeground(QBrush(format.colour == check::kAutomaticColour
                                  ? automatic_colour
                                  : ToQColor(format.colour)));
  return result;
}

QFont ToFont(const check::CharFormat& format) {
  QFont font;
  font.setFamilies(QStringList{ToQString(format.face)});
  font.setPointSize(PointSize(format));
  font.setBold((format.effects & check::kBold) != 0);
  font.setItalic((format.effects & check::kItalic) != 0);
  font.setUnderline((format.effects & check::kUnderline) != 0);
  font.setStrikeOut((format.effects & check::kStrikeOut) != 0);
  return font;
}

}  // namespace checker_ui
