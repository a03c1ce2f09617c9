#include "analysis/ChartParts.h"

#include <QChart>
#include <QChartView>
#include <QLegend>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>

QChart *NewChart(const QString &title) {
  auto *chart = new QChart;
  if (!title.isEmpty())
    chart->setTitle(title);
  chart->legend()->setAlignment(Qt::AlignBottom);
  chart->setMargins(QMargins(4, 4, 4, 4));
  return chart;
}

QChartView *ChartView(QChart *chart, QWidget *parent) {
  auto *view = new QChartView(chart, parent);
  view->setRenderHint(QPainter::Antialiasing);
  view->setMinimumSize(300, 260);
  return view;
}

QLineSeries *AddSeries(QChart *chart, const QString &name, bool dashed) {
  auto *s = new QLineSeries;
  s->setName(name);
  chart->addSeries(s);
  if (dashed) {
    QPen pen = s->pen();
    pen.setStyle(Qt::DashLine);
    s->setPen(pen);
  }
  return s;
}

QValueAxis *TitledAxis(const QString &title) {
  auto *axis = new QValueAxis;
  axis->setTitleText(title);
  return axis;
}

void SetRange(QValueAxis *axis, double low, double high) {
  if (!(high > low)) {
    low -= 1;
    high += 1;
  }
  const double room = 0.05 * (high - low);
  axis->setRange(low - room, high + room);
}

void Attach(QChart *chart, QValueAxis *time, QValueAxis *left,
            std::initializer_list<QLineSeries *> series) {
  chart->addAxis(time, Qt::AlignBottom);
  chart->addAxis(left, Qt::AlignLeft);
  for (QLineSeries *s : series) {
    s->attachAxis(time);
    s->attachAxis(left);
  }
}
