#include "dedup/window/program_icon.h"

#include <QPainter>

namespace dedup {

QImage ProgramIconImage() {
  QImage image(48, 48, QImage::Format_RGB888);
  image.fill(QColor(0x1F, 0x5F, 0xA8));
  QPainter painter(&image);
  painter.fillRect(10, 5, 28, 38, Qt::white);
  const QColor ink(0x30, 0x30, 0x30);
  for (int row = 0; row < 5; ++row) {
    painter.fillRect(14, 11 + row * 6, row % 2 == 0 ? 20 : 16, 2, ink);
  }
  // The struck line: the repeat that goes.
  painter.setPen(QPen(QColor(0xD0, 0x20, 0x20), 3));
  painter.drawLine(12, 24, 36, 24);
  return image;
}

}  // namespace dedup
