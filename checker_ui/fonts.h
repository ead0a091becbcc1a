// Faces the checker's formats name but a Linux desktop calls otherwise.
#ifndef CHECKER_UI_FONTS_H_
#define CHECKER_UI_FONTS_H_

namespace checker_ui {

// Lets "宋体" resolve to an installed Song (Ming) face, with a Chinese
// sans face as the fallback. Call once after the application exists.
void InstallFontSubstitutes();

}  // namespace checker_ui

#endif  // CHECKER_UI_FONTS_H_
