#include "analysis/AnalysisTables.h"

#include "analysis/ControllerAnalysisWindow.h"
#include "parvex/AnalysisText.h"
#include "strings/ResString.h"

#include <QHeaderView>
#include <QTableWidget>

#include <algorithm>

using namespace parvex::analysis;

namespace {

QString Text(const std::string &s) {
  return QString::fromStdString(s);
}

// Reuses the table's items: a refresh on every edit allocates nothing then.
QTableWidgetItem *Cell(QTableWidget *table, int row, int column) {
  QTableWidgetItem *item = table->item(row, column);
  if (!item) {
    item = new QTableWidgetItem;
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    table->setItem(row, column, item);
  }
  return item;
}

void Put(QTableWidget *table, int row, int column, const QString &text, Level level) {
  QTableWidgetItem *item = Cell(table, row, column);
  if (item->text() != text) {
    item->setText(text);
    // The whole text, also where the column elides it.
    item->setToolTip(text);
  }
  item->setBackground(level == Level::Ok ? QBrush() : QBrush(LevelColour(level)));
}

} // namespace

QColor LevelColour(Level level) {
  switch (level) {
  case Level::Flag:
    return QColor(255, 196, 196);
  case Level::Note:
    return QColor(255, 240, 190);
  case Level::Ok:
    break;
  }
  return QColor(Qt::white);
}

void FillGainTable(QTableWidget *table, const ControllerAnalysis &a) {
  using W = ControllerAnalysisWindow;
  table->setRowCount(static_cast<int>(a.rows.size()));
  for (int r = 0; r < static_cast<int>(a.rows.size()); ++r) {
    const GainRow &row = a.rows[static_cast<std::size_t>(r)];
    const Level level = row.level;
    Put(table, r, W::Quantity, Text(row.quantity), level);
    Put(table, r, W::Header, Text(row.header), level);
    Put(table, r, W::Definition, Text(row.definitions), level);
    Put(table, r, W::Exact, QString::number(row.exact, 'g', 6), level);
    Put(table, r, W::Written, Text(WrittenText(row)), level);
    Put(table, r, W::Error, Text(ErrorText(row)), level);
    Put(table, r, W::Physical, Text(PhysicalText(row)), level);
    Put(table, r, W::Level, Text(LevelText(level, row.reason)), level);
  }
}

void FitGainColumns(QTableWidget *table) {
  QHeaderView *header = table->horizontalHeader();
  const int last = table->columnCount() - 1;
  header->setStretchLastSection(false);
  header->setSectionResizeMode(QHeaderView::Interactive);
  table->resizeColumnsToContents();
  const int available = table->viewport()->width();
  const int reserved = available / 4;
  int used = 0;
  for (int c = 0; c < last; ++c)
    used += header->sectionSize(c);
  if (used > available - reserved && used > 0) {
    const double scale = static_cast<double>(available - reserved) / used;
    used = 0;
    for (int c = 0; c < last; ++c) {
      header->resizeSection(c, std::max(24, static_cast<int>(header->sectionSize(c) * scale)));
      used += header->sectionSize(c);
    }
  }
  header->resizeSection(last, std::max(reserved, available - used));
}

void FitLoopColumns(QTableWidget *table) {
  table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
}

void FillLoopTable(QTableWidget *table, const ControllerAnalysis &a) {
  const std::vector<std::string> names = LoopFigureNames();
  const int rows = static_cast<int>(names.size()) + 1;
  table->setRowCount(rows);
  table->setColumnCount(static_cast<int>(a.loops.size()));
  QStringList header;
  for (const std::string &name : names)
    header << Text(name);
  header << torvio::ResString(torvio::IDS_ANALYSIS_LOOP_LEVEL);
  table->setVerticalHeaderLabels(header);
  QStringList axes;
  for (int c = 0; c < static_cast<int>(a.loops.size()); ++c) {
    const LoopFigures &loop = a.loops[static_cast<std::size_t>(c)];
    axes << Text(loop.axis);
    const std::vector<std::string> values = LoopFigureValues(loop);
    for (int r = 0; r < static_cast<int>(values.size()); ++r)
      Put(table, r, c, Text(values[static_cast<std::size_t>(r)]), Level::Ok);
    Put(table, rows - 1, c, Text(LevelText(loop.level, loop.reason)), loop.level);
  }
  table->setHorizontalHeaderLabels(axes);
}
