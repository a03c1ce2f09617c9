// The shunt-voltage waveforms of the Current sensing page, drawn rather than
// loaded: single shunt, a two-step waveform with the rise time marked after
// each edge; three shunts, one edge with the rise time marked after it and
// the noise time later on the plateau.
#pragma once

#include <QWidget>

class WaveformPicture : public QWidget {
  Q_OBJECT

public:
  enum class Kind { SingleShunt, ThreeShunt };

  explicit WaveformPicture(Kind kind, QWidget *parent = nullptr);

  Kind WaveKind() const { return kind_; }
  QSize sizeHint() const override { return {280, 130}; }
  QSize minimumSizeHint() const override { return sizeHint(); }

protected:
  void paintEvent(QPaintEvent *e) override;

private:
  Kind kind_;
};
