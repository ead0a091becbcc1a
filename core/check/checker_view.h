// The window operations a check run drives. Each call has completed when it
// returns; an implementation may carry it out on another thread.
#ifndef CORE_CHECK_CHECKER_VIEW_H_
#define CORE_CHECK_CHECKER_VIEW_H_

#include <cstdint>

#include "core/text/ansi_text.h"

namespace check {

// 0x00BBGGRR, red in the low byte.
using Colour = std::uint32_t;
inline constexpr Colour kRed = 0x0000FF;
inline constexpr Colour kBlue = 0xFF0000;
inline constexpr Colour kWhite = 0xFFFFFF;
inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kGrey = 0x808080;
inline constexpr Colour kAutomaticColour = 0xFF000000;  // window text colour

// Effect bits of CharFormat::effects; other bits are ignored.
inline constexpr std::uint32_t kBold = 1;
inline constexpr std::uint32_t kItalic = 2;
inline constexpr std::uint32_t kUnderline = 4;
inline constexpr std::uint32_t kStrikeOut = 8;
inline constexpr std::uint32_t kProtected = 16;

// "宋体" in code page 936.
inline constexpr const char* kSongTypeface = "\xCB\xCE\xCC\xE5";

struct CharFormat {
  core::AnsiText face = kSongTypeface;
  std::int32_t size = 9;    // points
  std::int32_t offset = 0;  // points above the base line
  std::uint32_t effects = 0;
  Colour colour = kAutomaticColour;
};

// Red 12-point marks of the matched phrases.
inline const CharFormat kHighlightFormat{kSongTypeface, 12, 0, 0, kRed};
// White 9-point text on the editor's black background.
inline const CharFormat kEditorDefaultFormat{kSongTypeface, 9, 0, 0, kWhite};

// Grid rows and columns and editor positions count from 0; row 0 is the
// header row. Editor positions count characters: one per 2-byte character
// and one per line break.
class CheckerView {
 public:
  virtual ~CheckerView() = default;

  virtual void SetStartEnabled(bool enabled) = 0;
  virtual void ResetResultGrid() = 0;
  // The editor's whole text, each line break as CR LF.
  virtual core::AnsiText ReadArticle() = 0;
  // Adds a row whose index is the number of rows before the call.
  virtual void AppendResultRow(const core::AnsiText& heading) = 0;
  // Cells outside the grid are ignored.
  virtual void SetCellText(int row, int column, const core::AnsiText& text) = 0;
  virtual void SetCellTextColour(int row, int column, Colour colour) = 0;
  virtual void ShowCharacterCount(const core::AnsiText& text) = 0;
  virtual void ShowOriginalityRate(const core::AnsiText& text) = 0;
  // First occurrence in the whole editor text, case-sensitive; -1 if none.
  virtual int FindInEditor(const core::AnsiText& text) = 0;
  // A negative start counts as 0; a negative length selects everything.
  virtual void SelectInEditor(int start, int length) = 0;
  virtual void FormatSelection(const CharFormat& format) = 0;
  // Text without a format of its own takes kEditorDefaultFormat.
  virtual void ResetEditorFormat() = 0;
};

}  // namespace check

#endif  // CORE_CHECK_CHECKER_VIEW_H_
