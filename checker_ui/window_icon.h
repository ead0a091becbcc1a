// The checker's 16 x 16 window icon, drawn rather than shipped.
#ifndef CHECKER_UI_WINDOW_ICON_H_
#define CHECKER_UI_WINDOW_ICON_H_

#include <QIcon>

namespace checker_ui {

// A page of text under a red magnifying glass. Needs a QGuiApplication.
QIcon WindowIcon();

}  // namespace checker_ui

#endif  // CHECKER_UI_WINDOW_ICON_H_
