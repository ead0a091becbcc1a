// Turns a parsed skin into the application's look.
#ifndef SKIN_ENGINE_QT_SKIN_H_
#define SKIN_ENGINE_QT_SKIN_H_

#include <QApplication>
#include <QPalette>

#include "skin/format/skin_block.h"

namespace skin {

// The palette a skin gives, over `base` for the roles it leaves out.
// Disabled text is drawn halfway to its background, so controls that are
// switched off still look it.
QPalette SkinPalette(const Skin& skin, const QPalette& base);

// Gives `app` the skin's style, palette and style sheet.
void ApplySkin(const Skin& skin, QApplication& app);

}  // namespace skin

#endif  // SKIN_ENGINE_QT_SKIN_H_
