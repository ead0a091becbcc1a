// How the check run's character formats and colours look in Qt terms.
#ifndef CHECKER_UI_CHAR_FORMAT_QT_H_
#define CHECKER_UI_CHAR_FORMAT_QT_H_

#include <QColor>
#include <QFont>
#include <QTextCharFormat>
#include <QTextFormat>

#include "core/check/checker_view.h"

namespace checker_ui {

// Qt has no "protected" character attribute, so the bit rides along in a
// user property of the character format where it can be read back; nothing
// in Qt enforces it. The offset is kept in points beside Qt's own baseline
// offset, which is a percentage of the font and so cannot carry it exactly.
inline constexpr int kProtectedProperty = QTextFormat::UserProperty + 1;
inline constexpr int kOffsetPointsProperty = QTextFormat::UserProperty + 2;

// Sizes outside what the editor can draw are brought to its nearest bound.
inline constexpr int kMinimumPointSize = 1;
inline constexpr int kMaximumPointSize = 1638;

QColor ToQColor(check::Colour colour);
check::Colour FromQColor(const QColor& colour);

// All nine attributes at once; kAutomaticColour becomes `automatic_colour`.
QTextCharFormat ToTextCharFormat(const check::CharFormat& format,
                                 const QColor& automatic_colour);

// Face, size and the four drawn effects, for a widget's or document's font.
QFont ToFont(const check::CharFormat& format);

}  // namespace checker_ui

#endif  // CHECKER_UI_CHAR_FORMAT_QT_H_
