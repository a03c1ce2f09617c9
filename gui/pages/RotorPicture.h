// The turning rotor in the corner of the Configuration page: a two-pole-pair
// permanent-magnet rotor inside its stator, animated while it is on screen.
// A click on it is reported; the page opens the support help.
#pragma once

#include <QFrame>
#include <QTimer>

class RotorPicture : public QFrame {
  Q_OBJECT

public:
  explicit RotorPicture(QWidget *parent = nullptr);

  QSize sizeHint() const override { return {104, 104}; }
  double Angle() const { return angle_; }
  bool IsTurning() const { return timer_.isActive(); }

signals:
  void Clicked();

protected:
  void paintEvent(QPaintEvent *e) override;
  void mouseReleaseEvent(QMouseEvent *e) override;
  void showEvent(QShowEvent *e) override;
  void hideEvent(QHideEvent *e) override;

private:
  QTimer timer_;
  double angle_ = 0.0;
};
