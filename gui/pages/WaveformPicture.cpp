#include "WaveformPicture.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

// A step from level a to level b at x0 with a decaying ring, the way a shunt
// amplifier settles after a switching edge.
void AddSettlingStep(QPainterPath &path, double x0, double x1, double a, double b,
                     double ringWidth) {
  path.lineTo(x0, a);
  const int samples = 48;
  for (int i = 0; i <= samples; ++i) {
    const double t = ringWidth * i / samples;
    const double ring = std::exp(-4.0 * t / ringWidth) * std::cos(3.0 * 6.2832 * t / ringWidth);
    path.lineTo(x0 + t, b + (a - b) * 0.45 * ring);
  }
  path.lineTo(x1, b);
}

// A span marker: two ticks joined by a double arrow, with a caption above.
void DrawSpan(QPainter &p, double x0, double x1, double y, const QString &caption) {
  p.save();
  p.setPen(QPen(QColor(180, 30, 30), 1));
  p.drawLine(QPointF(x0, y - 5), QPointF(x0, y + 5));
  p.drawLine(QPointF(x1, y - 5), QPointF(x1, y + 5));
  p.drawLine(QPointF(x0, y), QPointF(x1, y));
  p.drawLine(QPointF(x0, y), QPointF(x0 + 4, y - 3));
  p.drawLine(QPointF(x0, y), QPointF(x0 + 4, y + 3));
  p.drawLine(QPointF(x1, y), QPointF(x1 - 4, y - 3));
  p.drawLine(QPointF(x1, y), QPointF(x1 - 4, y + 3));
  const QRectF box(x0 - 20, y - 18, x1 - x0 + 40, 14);
  p.drawText(box, Qt::AlignCenter, caption);
  p.restore();
}

} // namespace

WaveformPicture::WaveformPicture(Kind kind, QWidget *parent) : QWidget(parent), kind_(kind) {
  setAccessibleName(kind == Kind::SingleShunt ? QStringLiteral("Single shunt current reading")
                                              : QStringLiteral("Three shunt current reading"));
}

void WaveformPicture::paintEvent(QPaintEvent *) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(rect(), Qt::white);
  p.setPen(QPen(QColor(120, 120, 120), 1));
  p.drawRect(rect().adjusted(0, 0, -1, -1));

  const double left = 24, right = width() - 10.0, bottom = height() - 22.0, top = 26;
  // Axes: shunt voltage over time.
  p.setPen(QPen(Qt::black, 1));
  p.drawLine(QPointF(left, bottom), QPointF(right, bottom));
  p.drawLine(QPointF(left, bottom), QPointF(left, top - 8));
  p.drawText(QRectF(2, top - 22, 40, 14), Qt::AlignLeft, QStringLiteral("V"));
  p.drawText(QRectF(right - 20, bottom + 4, 20, 14), Qt::AlignRight, QStringLiteral("t"));

  const double w = right - left;
  const double ring = w * 0.13;
  QPainterPath wave(QPointF(left, bottom - 4));
  p.setFont([this] {
    QFont f = font();
    f.setPointSizeF(f.pointSizeF() * 0.85);
    return f;
  }());
  if (kind_ == Kind::SingleShunt) {
    const double e1 = left + w * 0.15, e2 = left + w * 0.52;
    const double mid = bottom - (bottom - top) * 0.45, high = top + 8;
    AddSettlingStep(wave, e1, e2, bottom - 4, mid, ring);
    AddSettlingStep(wave, e2, left + w * 0.88, mid, high, ring);
    wave.lineTo(left + w * 0.88, bottom - 4);
    wave.lineTo(right, bottom - 4);
    p.setPen(QPen(QColor(20, 70, 170), 2));
    p.drawPath(wave);
    DrawSpan(p, e1, e1 + ring, mid + 22, QStringLiteral("T rise"));
    DrawSpan(p, e2, e2 + ring, high + 30, QStringLiteral("T rise"));
  } else {
    const double e1 = left + w * 0.12, e2 = left + w * 0.84;
    const double high = top + 10;
    AddSettlingStep(wave, e1, e2, bottom - 4, high, ring);
    wave.lineTo(e2, bottom - 4);
    wave.lineTo(right, bottom - 4);
    p.setPen(QPen(QColor(20, 70, 170), 2));
    p.drawPath(wave);
    DrawSpan(p, e1, e1 + ring, high + 34, QStringLiteral("T rise"));
    // The noise a switching of another leg puts on the plateau.
    const double n0 = left + w * 0.55;
    QPainterPath noise(QPointF(n0, high));
    for (int i = 0; i <= 24; ++i) {
      const double t = ring * i / 24;
      noise.lineTo(n0 + t,
                   high + 6 * std::exp(-3.0 * t / ring) * std::sin(5.0 * 6.2832 * t / ring));
    }
    p.setPen(QPen(QColor(20, 70, 170), 1.5));
    p.drawPath(noise);
    DrawSpan(p, n0, n0 + ring, high + 34, QStringLiteral("T noise"));
  }
}
