// What the analysis windows' charts are made of: a chart with its legend
// below, named line series, titled axes, and ranges with a little room.
#pragma once

#include <QString>

#include <initializer_list>

class QChart;
class QChartView;
class QLineSeries;
class QValueAxis;
class QWidget;

QChart *NewChart(const QString &title = QString());
// The chart in an antialiased view of a readable least size.
QChartView *ChartView(QChart *chart, QWidget *parent);
QLineSeries *AddSeries(QChart *chart, const QString &name, bool dashed = false);
QValueAxis *TitledAxis(const QString &title);
// The range from low to high with 5 % room each side, never empty.
void SetRange(QValueAxis *axis, double low, double high);
// `time` below and `left` on the left, for each of `series`.
void Attach(QChart *chart, QValueAxis *time, QValueAxis *left,
            std::initializer_list<QLineSeries *> series);
