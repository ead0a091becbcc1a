#include "checker_ui/window_icon.h"

#include <QColor>
#include <QPainter>
#include <QPen>
#include <QPixmap>

namespace checker_ui {

QIcon WindowIcon() {
  QPixmap picture(16, 16);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(90, 90, 90), 1));
  painter.setBrush(Qt::white);
  painter.drawRect(QRectF(1.5, 0.5, 10, 13));
  painter.setPen(QPen(QColor(150, 150, 150), 1));
  for (int y = 3; y <= 11; y += 2)
    painter.drawLine(QPointF(3.5, y + 0.5), QPointF(9.5, y + 0.5));
  painter.setPen(QPen(QColor(200, 20, 20), 2));
  painter.setBrush(QColor(255, 220, 220, 160));
  painter.drawEllipse(QPointF(9.5, 8.5), 3.5, 3.5);
  painter.drawLine(QPointF(12.0, 11.0), QPointF(15.0, 14.5));
  painter.end();
  return QIcon(picture);
}

}  // namespace checker_ui
