// The program's own 48 x 48 icon, drawn rather than shipped as a file.
#ifndef DEDUP_WINDOW_PROGRAM_ICON_H_
#define DEDUP_WINDOW_PROGRAM_ICON_H_

#include <QImage>

namespace dedup {

// 24-bit colour: a page of lines, the repeated one struck through.
QImage ProgramIconImage();

}  // namespace dedup

#endif  // DEDUP_WINDOW_PROGRAM_ICON_H_
