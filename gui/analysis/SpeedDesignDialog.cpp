#include "analysis/SpeedDesignDialog.h"

#include "keys/DialogKeys.h"
#include "parvex/AnalysisText.h"

#include <QChartView>
#include <QEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

using namespace parvex::analysis;

namespace {

QString Fraction(std::int64_t dividend, std::int64_t divisor) {
  return QStringLiteral("%1/%2").arg(dividend).arg(divisor);
}

QString Number(double v, const char *unit) {
  if (!std::isfinite(v))
    return QStringLiteral("-");
  return QLocale::c().toString(v, 'g', 4) + QLatin1Char(' ') + QLatin1String(unit);
}

UserData WithGains(UserData record, const SpeedGains &g) {
  record.SpeedPDividend.Value = static_cast<std::uint32_t>(g.pDividend);
  record.SpeedPDivisor.Value = static_cast<std::uint32_t>(g.pDivisor);
  record.SpeedIDividend.Value = static_cast<std::uint32_t>(g.iDividend);
  record.SpeedIDivisor.Value = static_cast<std::uint32_t>(g.iDivisor);
  return record;
}

// The comparison's rows: a name and the text of one loop.
struct RowSpec {
  const char *name;
  QString (*text)(const SpeedLoopFigures &, const UserData &);
};

const RowSpec kRows[] = {
    {"proportional (SpeedPDividend/SpeedPDivisor)",
     [](const SpeedLoopFigures &, const UserData &d) {
       return Fraction(d.SpeedPDividend.Value, d.SpeedPDivisor.Value);
     }},
    {"integral (SpeedIDividend/SpeedIDivisor)",
     [](const SpeedLoopFigures &, const UserData &d) {
       return Fraction(d.SpeedIDividend.Value, d.SpeedIDivisor.Value);
     }},
    {"Kp", [](const SpeedLoopFigures &f,
              const UserData &) { return Number(f.controller.kp, "A/(rad/s)"); }},
    {"Ki", [](const SpeedLoopFigures &f,
              const UserData &) { return Number(f.controller.ki, "A/(rad/s*s)"); }},
    {"crossover",
     [](const SpeedLoopFigures &f, const UserData &) { return Number(f.crossover, "rad/s"); }},
    {"phase margin",
     [](const SpeedLoopFigures &f, const UserData &) { return Number(f.phaseMargin, "deg"); }},
    {"overshoot",
     [](const SpeedLoopFigures &f, const UserData &) { return Number(f.overshoot * 100.0, "%"); }},
    {"settling time 2 %", [](const SpeedLoopFigures &f,
                             const UserData &) { return Number(f.settlingTime * 1000.0, "ms"); }},
    {"peak q current",
     [](const SpeedLoopFigures &f, const UserData &) { return Number(f.peakCurrent, "A"); }},
    {"level",
     [](const SpeedLoopFigures &f, const UserData &) {
       return QString::fromStdString(LevelText(f.level, f.reason));
     }},
};

} // namespace

SpeedDesignDialog::SpeedDesignDialog(const UserData &record, const parvex::Mechanics &mechanics,
                                     QWidget *parent)
    : QDialog(parent), record_(record), mechanics_(mechanics), bandwidth_(new QLineEdit),
      summary_(new QLabel), comparison_(new QTableWidget(0, 2)), chart_(MakeSpeedComparisonChart()),
      apply_(new QPushButton(QStringLiteral("Apply"))),
      close_(new QPushButton(QStringLiteral("Close"))) {
  setWindowTitle(QStringLiteral("Design Speed Gains - TORVIO"));
  bandwidth_->setAccessibleName(QStringLiteral("Wanted speed bandwidth (rad/s)"));
  bandwidth_->setText(QLocale::c().toString(DefaultSpeedBandwidth(record), 'g', 6));
  bandwidth_->installEventFilter(this);
  summary_->setWordWrap(true);
  summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  summary_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  comparison_->setAccessibleName(QStringLiteral("Speed gains now and proposed"));
  comparison_->setHorizontalHeaderLabels({QStringLiteral("Now"), QStringLiteral("Proposed")});
  comparison_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  comparison_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  comparison_->setTextElideMode(Qt::ElideRight);

  auto *row = new QHBoxLayout;
  auto *label = new QLabel(bandwidth_->accessibleName());
  label->setBuddy(bandwidth_);
  row->addWidget(label);
  row->addWidget(bandwidth_);
  row->addStretch(1);
  auto *view = new QChartView(chart_.chart);
  view->setRenderHint(QPainter::Antialiasing);
  view->setMinimumSize(360, 260);
  auto *middle = new QHBoxLayout;
  middle->addWidget(comparison_, 1);
  middle->addWidget(view, 1);
  auto *buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(apply_);
  buttons->addWidget(close_);
  auto *layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addWidget(summary_);
  layout->addLayout(middle, 1);
  layout->addLayout(buttons);
  // Enter closes, never applies: Apply changes the project.
  torvio::MakeDefault(close_);
  apply_->setAutoDefault(false);
  connect(apply_, &QPushButton::clicked, this, &QDialog::accept);
  connect(close_, &QPushButton::clicked, this, &QDialog::reject);
  resize(980, 600);
  Recompute();
}

bool SpeedDesignDialog::eventFilter(QObject *watched, QEvent *event) {
  // Enter in the bandwidth field designs again; it does not close.
  if (watched == bandwidth_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      Recompute();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void SpeedDesignDialog::Recompute() {
  bool ok = false;
  const double wanted = QLocale::c().toDouble(bandwidth_->text().trimmed(), &ok);
  const SpeedDesign design = DesignSpeedGains(record_, mechanics_, ok ? wanted : -1.0);
  proposed_.reset();
  if (design.designed)
    proposed_ = design.gains;
  apply_->setEnabled(proposed_.has_value());
  summary_->setText(QString::fromStdString(SpeedDesignText(design, record_)).trimmed());

  AnalysisOptions options;
  options.mechanics = mechanics_;
  const SpeedLoopFigures now = Analyse(record_, options).speed;
  const UserData proposedRecord = proposed_ ? WithGains(record_, *proposed_) : record_;
  const SpeedLoopFigures proposed =
      proposed_ ? Analyse(proposedRecord, options).speed : SpeedLoopFigures{};
  const int rows = static_cast<int>(std::size(kRows));
  comparison_->setRowCount(rows);
  QStringList names;
  for (int r = 0; r < rows; ++r) {
    names << QString::fromLatin1(kRows[r].name);
    const QString texts[] = {kRows[r].text(now, record_),
                             proposed_ ? kRows[r].text(proposed, proposedRecord)
                                       : QStringLiteral("-")};
    for (int c = 0; c < 2; ++c) {
      auto *item = new QTableWidgetItem(texts[c]);
      item->setToolTip(texts[c]);
      comparison_->setItem(r, c, item);
    }
  }
  comparison_->setVerticalHeaderLabels(names);
  ShowSpeedComparison(chart_, now, proposed);
}
