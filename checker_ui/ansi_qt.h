// The window shows Qt strings while the check works on code page 936 bytes;
// every crossing between the two goes through here.
#ifndef CHECKER_UI_ANSI_QT_H_
#define CHECKER_UI_ANSI_QT_H_

#include <QString>

#include "core/text/ansi_text.h"

namespace checker_ui {

QString ToQString(const core::AnsiText& text);

// A character code page 936 lacks becomes '?', and so does a zero character:
// an AnsiText would end at it and silently lose the rest.
core::AnsiText ToAnsi(const QString& text);

// What the ANSI text format does to a text on its way through the clipboard.
QString ThroughCodePage(const QString& text);

}  // namespace checker_ui

#endif  // CHECKER_UI_ANSI_QT_H_
