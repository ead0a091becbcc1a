#include "skin/engine/qt_skin.h"

#include <QColor>
#include <QString>
#include <QStyle>
#include <QStyleFactory>

namespace skin {
namespace {

QPalette::ColorRole ToQtRole(PaletteRole role) {
  switch (role) {
    case PaletteRole::kWindow:
      return QPalette::Window;
    case PaletteRole::kWindowText:
      return QPalette::WindowText;
    case PaletteRole::kBase:
      return QPalette::Base;
    case PaletteRole::kAlternateBase:
      return QPalette::AlternateBase;
    case PaletteRole::kText:
      return QPalette::Text;
    case PaletteRole::kButton:
      return QPalette::Button;
    case PaletteRole::kButtonText:
      return QPalette::ButtonText;
    case PaletteRole::kBrightText:
      return QPalette::BrightText;
    case PaletteRole::kLight:
      return QPalette::Light;
    case PaletteRole::kMidlight:
      return QPalette::Midlight;
    case PaletteRole::kMid:
      return QPalette::Mid;
    case PaletteRole::kDark:
      return QPalette::Dark;
    case PaletteRole::kShadow:
      return QPalette::Shadow;
    case PaletteRole::kHighlight:
      return QPalette::Highlight;
    case PaletteRole::kHighlightedText:
      return QPalette::HighlightedText;
    case PaletteRole::kToolTipBase:
      return QPalette::ToolTipBase;
    case PaletteRole::kToolTipText:
      return QPalette::ToolTipText;
    case PaletteRole::kPlaceholderText:
      return QPalette::PlaceholderText;
    case PaletteRole::kLink:
      return QPalette::Link;
    case PaletteRole::kCount:
      break;
  }
  // ParseSkin refuses unknown roles; a stray one changes the window colour
  // rather than reading out of range.
  return QPalette::Window;
}

QColor Halfway(const QColor& from, const QColor& to) {
  return QColor((from.red() + to.red()) / 2, (from.green() + to.green()) / 2,
                (from.blue() + to.blue()) / 2);
}

}  // namespace

QPalette SkinPalette(const Skin& skin, const QPalette& base) {
  QPalette palette = base;
  for (const PaletteEntry& entry : skin.palette) {
    palette.setColor(ToQtRole(entry.role),
                     QColor(entry.red, entry.green, entry.blue));
  }
  const struct {
    QPalette::ColorRole text;
    QPalette::ColorRole background;
  } kTextOnBackground[] = {
      {QPalette::WindowText, QPalette::Window},
      {QPalette::Text, QPalette::Base},
      {QPalette::ButtonText, QPalette::Button},
  };
  for (const auto& pair : kTextOnBackground) {
    palette.setColor(QPalette::Disabled, pair.text,
                     Halfway(palette.color(QPalette::Active, pair.text),
                             palette.color(QPalette::Active, pair.background)));
  }
  return palette;
}

void ApplySkin(const Skin& skin, QApplication& app) {
  // Fusion draws every control from the palette, so the skin's colours
  // reach the parts a style sheet does not name. The application takes
  // ownership of the style.
  if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) {
    app.setStyle(fusion);
  }
  // Start from the style's own palette, not the current one, so a second
  // skin does not inherit colours of the first.
  app.setPalette(SkinPalette(skin, app.style()->standardPalette()));
  app.setStyleSheet(
      QString::fromUtf8(skin.style_sheet.data(),
                        static_cast<qsizetype>(skin.style_sheet.size())));
}

}  // namespace skin
