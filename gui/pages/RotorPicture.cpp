#include "RotorPicture.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int kFrameMs = 40;
constexpr double kDegreesPerFrame = 4.0;
constexpr int kStatorTeeth = 12;
constexpr int kMagnets = 4; // two pole pairs

} // namespace

RotorPicture::RotorPicture(QWidget *parent) : QFrame(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  setLineWidth(2);
  setFixedSize(sizeHint());
  setCursor(Qt::PointingHandCursor);
  setToolTip(QStringLiteral("TORVIO Support"));
  setAccessibleName(QStringLiteral("TORVIO Support"));
  timer_.setInterval(kFrameMs);
  connect(&timer_, &QTimer::timeout, this, [this] {
    angle_ += kDegreesPerFrame;
    if (angle_ >= 360.0)
      angle_ -= 360.0;
    update();
  });
}

void RotorPicture::showEvent(QShowEvent *e) {
  QFrame::showEvent(e);
  timer_.start();
}

void RotorPicture::hideEvent(QHideEvent *e) {
  QFrame::hideEvent(e);
  timer_.stop(); // no work while nobody sees it
}

void RotorPicture::mouseReleaseEvent(QMouseEvent *e) {
  if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
    emit Clicked();
  QFrame::mouseReleaseEvent(e);
}

void RotorPicture::paintEvent(QPaintEvent *e) {
  QFrame::paintEvent(e);
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF area = contentsRect().adjusted(6, 6, -6, -6);
  const double r = std::min(area.width(), area.height()) / 2.0;
  p.translate(area.center());

  // Stator: a ring with teeth pointing inwards.
  p.setPen(QPen(QColor(60, 60, 70), 1));
  p.setBrush(QColor(150, 155, 165));
  QPainterPath stator;
  stator.addEllipse(QPointF(0, 0), r, r);
  stator.addEllipse(QPointF(0, 0), r * 0.80, r * 0.80);
  p.drawPath(stator);
  for (int i = 0; i < kStatorTeeth; ++i) {
    p.save();
    p.rotate(i * 360.0 / kStatorTeeth);
    p.drawRect(QRectF(-r * 0.07, -r * 0.82, r * 0.14, r * 0.16));
    p.restore();
  }

  // Rotor: alternating north and south magnets on an iron core.
  p.rotate(angle_);
  const double rr = r * 0.60;
  for (int i = 0; i < kMagnets; ++i) {
    p.setBrush(i % 2 == 0 ? QColor(200, 40, 40) : QColor(40, 80, 200));
    p.drawPie(QRectF(-rr, -rr, 2 * rr, 2 * rr), i * 16 * 360 / kMagnets, 16 * 360 / kMagnets);
  }
  p.setBrush(QColor(90, 90, 95));
  p.drawEllipse(QPointF(0, 0), rr * 0.55, rr * 0.55);
  p.setBrush(QColor(220, 220, 225));
  p.drawEllipse(QPointF(0, 0), rr * 0.15, rr * 0.15);
}
