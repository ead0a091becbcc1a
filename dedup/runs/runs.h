// The operations behind the window's buttons, written against DedupView.
#ifndef DEDUP_RUNS_RUNS_H_
#define DEDUP_RUNS_RUNS_H_

#include "dedup/runs/dedup_view.h"

namespace dedup {

// On the window's thread: asks for a line file and appends its lines, then
// shows the item count. A file that cannot be read, holds a zero byte or
// would overflow the list imports nothing and is reported.
void ImportLines(DedupView& view);

// On the window's thread: removes every item and blanks the count.
void ClearLines(DedupView& view);

// On a worker thread: replaces the items by their distinct values in order
// of first occurrence, shows the count and waits for the closing message.
// The action buttons are disabled from start to end.
void RemovalRun(DedupView& view);

// On a worker thread: asks for a file and writes every item followed by
// CR LF. A failed write is reported and the items stay as they are. The
// action buttons are disabled from start to end.
void ExportRun(DedupView& view);

}  // namespace dedup

#endif  // DEDUP_RUNS_RUNS_H_
