// The style sheets the skins are drawn with. They take their colours from
// the palette of the same block (palette(...)), so one sheet serves many
// colour schemes.
#ifndef SKIN_SKIN_SHEETS_H_
#define SKIN_SKIN_SHEETS_H_

namespace skin::sheets {

// Thin borders, no relief.
inline constexpr char kFlat[] = R"(
QPushButton {
  background: palette(button); color: palette(button-text);
  border: 1px solid palette(dark); padding: 2px 6px;
}
QPushButton:hover { background: palette(light); }
QPushButton:pressed { background: palette(mid); }
QPushButton:focus { border-color: palette(highlight); }
QPushButton:disabled { color: palette(mid); border-color: palette(mid); }
QListView, QListWidget, QTreeView, QLineEdit, QComboBox {
  background: palette(base); color: palette(text);
  border: 1px solid palette(dark);
  selection-background-color: palette(highlight);
  selection-color: palette(highlighted-text);
}
QProgressBar {
  border: 1px solid palette(dark); background: palette(base);
  text-align: center; color: palette(text);
}
QProgressBar::chunk { background: palette(highlight); }
QScrollBar:vertical { background: palette(window); width: 14px; margin: 0; }
QScrollBar::handle:vertical {
  background: palette(button); border: 1px solid palette(dark);
  min-height: 16px;
}
QScrollBar::add-line, QScrollBar::sub-line { height: 0; width: 0; }
QToolTip {
  background: palette(tool-tip-base); color: palette(tool-tip-text);
  border: 1px solid palette(dark);
}
)";

// Soft corners and a light gradient on the buttons.
inline constexpr char kRounded[] = R"(
QPushButton {
  color: palette(button-text);
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1,
                              stop:0 palette(light), stop:1 palette(button));
  border: 1px solid palette(mid); border-radius: 6px; padding: 2px 8px;
}
QPushButton:hover {
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1,
                              stop:0 palette(light), stop:1 palette(midlight));
}
QPushButton:pressed { background: palette(mid); }
QPushButton:focus { border: 1px solid palette(highlight); }
QPushButton:disabled { color: palette(mid); background: palette(button); }
QListView, QListWidget, QTreeView, QLineEdit, QComboBox {
  background: palette(base); color: palette(text);
  border: 1px solid palette(mid); border-radius: 4px;
  selection-background-color: palette(highlight);
  selection-color: palette(highlighted-text);
}
QProgressBar {
  border: 1px solid palette(mid); border-radius: 5px;
  background: palette(base); text-align: center; color: palette(text);
}
QProgressBar::chunk {
  border-radius: 4px;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1,
                              stop:0 palette(light), stop:1 palette(highlight));
}
QScrollBar:vertical {
  background: palette(base); width: 12px; margin: 0; border-radius: 6px;
}
QScrollBar::handle:vertical {
  background: palette(mid); border-radius: 5px; min-height: 18px;
  margin: 1px;
}
QScrollBar::add-line, QScrollBar::sub-line { height: 0; width: 0; }
QToolTip {
  background: palette(tool-tip-base); color: palette(tool-tip-text);
  border: 1px solid palette(mid); border-radius: 3px;
}
)";

// Raised and sunken edges of two shades, the progress drawn in blocks.
inline constexpr char kBevel[] = R"(
QPushButton {
  background: palette(button); color: palette(button-text); padding: 2px 6px;
  border-width: 2px; border-style: solid;
  border-color: palette(light) palette(shadow) palette(shadow) palette(light);
}
QPushButton:hover { background: palette(midlight); }
QPushButton:pressed {
  border-color: palette(shadow) palette(light) palette(light) palette(shadow);
  padding: 3px 5px 1px 7px;
}
QPushButton:disabled { color: palette(mid); }
QListView, QListWidget, QTreeView, QLineEdit, QComboBox {
  background: palette(base); color: palette(text);
  border-width: 2px; border-style: solid;
  border-color: palette(dark) palette(light) palette(light) palette(dark);
  selection-background-color: palette(highlight);
  selection-color: palette(highlighted-text);
}
QProgressBar {
  background: palette(base); text-align: center; color: palette(text);
  border-width: 1px; border-style: solid;
  border-color: palette(dark) palette(light) palette(light) palette(dark);
}
QProgressBar::chunk {
  background: palette(highlight); width: 8px; margin: 1px;
}
QScrollBar:vertical { background: palette(midlight); width: 16px; margin: 0; }
QScrollBar::handle:vertical {
  background: palette(button); min-height: 16px;
  border-width: 2px; border-style: solid;
  border-color: palette(light) palette(shadow) palette(shadow) palette(light);
}
QScrollBar::add-line, QScrollBar::sub-line { height: 0; width: 0; }
QToolTip {
  background: palette(tool-tip-base); color: palette(tool-tip-text);
  border: 1px solid palette(shadow);
}
)";

// The start-up skin's own look: pill-shaped buttons in two tones, a framed
// list with a banded selection and a glowing progress bar. Fonts stay as
// they are: the window's controls have fixed sizes.
inline constexpr char kSignature[] = R"(
QPushButton {
  color: palette(button-text);
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1,
                              stop:0 palette(light), stop:0.5 palette(button),
                              stop:0.51 palette(mid), stop:1 palette(button));
  border: 1px solid palette(shadow); border-radius: 15px; padding: 2px 6px;
}
QPushButton:hover {
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1,
                              stop:0 palette(light), stop:1 palette(highlight));
  color: palette(highlighted-text);
}
QPushButton:pressed {
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1,
                              stop:0 palette(dark), stop:1 palette(mid));
  color: palette(highlighted-text);
}
QPushButton:focus { border: 2px solid palette(highlight); }
QPushButton:disabled {
  color: palette(mid); background: palette(midlight);
  border-color: palette(mid);
}
QListView, QListWidget, QTreeView, QLineEdit, QComboBox {
  background: palette(base); color: palette(text);
  border: 2px solid palette(dark); border-radius: 8px;
  selection-background-color: qlineargradient(x1:0, y1:0, x2:1, y2:0,
                              stop:0 palette(highlight), stop:1 palette(mid));
  selection-color: palette(highlighted-text);
}
QListView::item { padding-left: 2px; }
QProgressBar {
  border: 1px solid palette(shadow); border-radius: 7px;
  background: palette(alternate-base); text-align: center;
  color: palette(text);
}
QProgressBar::chunk {
  border-radius: 6px;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1,
                              stop:0 palette(light), stop:0.4 palette(highlight),
                              stop:1 palette(dark));
}
QLabel { color: palette(window-text); }
QScrollBar:vertical {
  background: palette(alternate-base); width: 12px; margin: 0;
  border-radius: 6px;
}
QScrollBar::handle:vertical {
  background: qlineargradient(x1:0, y1:0, x2:1, y2:0,
                              stop:0 palette(mid), stop:1 palette(dark));
  border-radius: 5px; min-height: 20px; margin: 1px;
}
QScrollBar::add-line, QScrollBar::sub-line { height: 0; width: 0; }
QMessageBox { background: palette(window); }
QToolTip {
  background: palette(tool-tip-base); color: palette(tool-tip-text);
  border: 1px solid palette(dark); border-radius: 4px;
}
)";

}  // namespace skin::sheets

#endif  // SKIN_SKIN_SHEETS_H_
