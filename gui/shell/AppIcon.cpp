#include "shell/AppIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>
#include <numbers>

namespace torvio {
namespace {

// A stator ring with three coils and a two-pole rotor, on a 64-unit grid.
QPixmap Paint(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 64.0, size / 64.0);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x1f, 0x3b, 0x5c));
  p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
  p.setPen(QPen(QColor(0xe8, 0xee, 0xf4), 4));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(32, 32), 22, 22);
  const QColor coils[] = {QColor(0xe5, 0x48, 0x3c), QColor(0x3c, 0xb3, 0x71),
                          QColor(0x3c, 0x8d, 0xe5)};
  for (int i = 0; i < 3; ++i) {
    const double angle = -std::numbers::pi / 2 + i * 2 * std::numbers::pi / 3;
    p.setPen(Qt::NoPen);
    p.setBrush(coils[i]);
    p.drawEllipse(QPointF(32 + 22 * std::cos(angle), 32 + 22 * std::sin(angle)), 6, 6);
  }
  p.setBrush(QColor(0xf2, 0xb1, 0x34));
  p.drawPie(QRectF(20, 20, 24, 24), 30 * 16, 180 * 16);
  p.setBrush(QColor(0xe8, 0xee, 0xf4));
  p.drawPie(QRectF(20, 20, 24, 24), 210 * 16, 180 * 16);
  return pixmap;
}

} // namespace

QIcon AppIcon() {
  QIcon icon;
  for (const int size : {16, 24, 32, 48, 64, 128}) {
    icon.addPixmap(Paint(size));
  }
  return icon;
}

} // namespace torvio
