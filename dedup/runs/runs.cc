#include "dedup/runs/runs.h"

#include <climits>
#include <cstdint>
#include <new>
#include <string>
#include <utility>

#include "core/text/text_ops.h"
#include "dedup/runs/line_file.h"
#include "dedup/runs/messages.h"
#include "dedup/runs/ordered_text_set.h"
#include "dedup/runs/progress.h"

namespace dedup {
namespace {

void SetActionButtons(DedupView& view, bool enabled) {
  for (const ActionButton button : kActionButtons) {
    view.SetButtonEnabled(button, enabled);
  }
}

void ShowError(DedupView& view, std::string text) {
  view.ShowMessage({Message::Kind::kError, std::move(text), kErrorCaption});
}

void ShowCount(DedupView& view) {
  view.SetCountCaption(
      core::NumberToText(static_cast<std::int32_t>(view.ItemCount())));
}

// Paths are shown as the system spells them, which is UTF-8 here.
std::string ShownName(const std::filesystem::path& path) {
  return path.string();
}

void ImportFile(DedupView& view, const std::filesystem::path& path) {
  FileContent content = ReadWholeFile(path);
  if (content.error) {
    ShowError(view, CannotReadText(ShownName(path), *content.error));
    return;
  }
  // A zero byte means another encoding (UTF-16 most often); cutting the
  // file there would import a garbled fragment and silently drop the rest.
  if (content.bytes.find('\0') != std::string::npos) {
    ShowError(view, NotCodePageTextText(ShownName(path)));
    return;
  }
  LineList lines = LineList::FromLineFile(std::move(content.bytes));
  const auto room = static_cast<std::size_t>(INT_MAX - view.ItemCount());
  if (lines.size() > room) {
    ShowError(view, TooManyLinesText(ShownName(path)));
    return;
  }
  view.AppendItems(std::move(lines));
}

// Steps up to the closing message; the caller disables and enables the
// buttons around it.
void RemoveRepeats(DedupView& view) {
  view.SetProgressMaximum(view.ItemCount());
  LineList distinct;
  {
    // The whole list is read before it is changed, and the snapshot and the
    // set are dropped before the list is refilled, so the old items, the
    // index and the result never all live at once.
    const std::shared_ptr<const LineList> items = view.Items();
    const std::size_t count = items->size();
    OrderedTextSet set(count, items->byte_size());
    ProgressPacer pacer(static_cast<std::int64_t>(count));
    for (std::size_t i = 0; i < count; ++i) {
      set.Add((*items)[i]);
      if (pacer.Due(static_cast<std::int64_t>(i)) || i + 1 == count) {
        view.SetProgressPosition(static_cast<int>(i));
      }
    }
    distinct = set.TakeMembers();
  }
  const int kept = static_cast<int>(distinct.size());
  view.SetProgressPosition(0);
  view.SetProgressMaximum(kept);
  view.ClearItems();
  view.AppendItems(std::move(distinct));
  if (kept > 0) view.SetProgressPosition(kept);
  ShowCount(view);
  view.ShowMessage({Message::Kind::kPlain, kDoneText, kDoneCaption});
}

void Export(DedupView& view) {
  view.SetProgressMaximum(view.ItemCount());
  std::string file;
  {
    const std::shared_ptr<const LineList> items = view.Items();
    const std::size_t count = items->size();
    file.reserve(items->byte_size() + 2 * count);
    ProgressPacer pacer(static_cast<std::int64_t>(count));
    for (std::size_t i = 1; i <= count; ++i) {
      file.append((*items)[i - 1]);
      file.append("\r\n");
      if (pacer.Due(static_cast<std::int64_t>(i)) || i == count) {
        view.SetProgressPosition(static_cast<int>(i));
      }
    }
  }
  const std::optional<std::filesystem::path> path =
      view.ChooseSaveFile({kExportFileName, kExportFilter, kExportExtension});
  if (!path) return;
  if (const std::optional<std::string> error = WriteWholeFile(*path, file)) {
    ShowError(view, CannotWriteText(ShownName(*path), *error));
  }
}

}  // namespace

void ImportLines(DedupView& view) {
  if (const std::optional<std::filesystem::path> path =
          view.ChooseOpenFile({"", kImportFilter, ""})) {
    try {
      ImportFile(view, *path);
    } catch (const std::bad_alloc&) {
      ShowError(view, OutOfMemoryText());
    }
  }
  ShowCount(view);
}

void ClearLines(DedupView& view) {
  view.ClearItems();
  view.SetCountCaption(core::AnsiText());
}

void RemovalRun(DedupView& view) {
  SetActionButtons(view, false);
  try {
    RemoveRepeats(view);
  } catch (const std::bad_alloc&) {
    ShowError(view, OutOfMemoryText());
  }
  view.SetProgressPosition(0);
  SetActionButtons(view, true);
}

void ExportRun(DedupView& view) {
  SetActionButtons(view, false);
  try {
    Export(view);
  } catch (const std::bad_alloc&) {
    ShowError(view, OutOfMemoryText());
  }
  SetActionButtons(view, true);
  view.SetProgressPosition(0);
}

}  // namespace dedup
