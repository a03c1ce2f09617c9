#include "analysis/SpeedPanel.h"

#include "analysis/AnalysisTables.h"
#include "analysis/MechanicsFields.h"
#include "parvex/AnalysisText.h"

#include <QChartView>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace parvex::analysis;

SpeedPanel::SpeedPanel(QWidget *parent)
    : QWidget(parent), mechanics_(new MechanicsFields),
      design_(new QPushButton(QStringLiteral("Design speed gains..."))), status_(new QLabel),
      figures_(new QTableWidget(0, 1)), chart_(MakeSpeedStepChart()) {
  status_->setWordWrap(true);
  status_->setObjectName(QStringLiteral("speedStatus"));
  figures_->setAccessibleName(QStringLiteral("Speed loop"));
  figures_->setHorizontalHeaderLabels({QStringLiteral("speed loop")});
  figures_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  figures_->setTextElideMode(Qt::ElideRight);
  figures_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);

  auto *inputs = new QVBoxLayout;
  inputs->addWidget(mechanics_);
  inputs->addWidget(design_);
  inputs->addWidget(status_);
  inputs->addStretch(1);
  auto *view = new QChartView(chart_.chart);
  view->setRenderHint(QPainter::Antialiasing);
  view->setMinimumSize(300, 220);
  auto *layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(inputs, 2);
  layout->addWidget(figures_, 3);
  layout->addWidget(view, 4);

  connect(mechanics_, &MechanicsFields::entered, this, &SpeedPanel::mechanicsEntered);
  connect(mechanics_, &MechanicsFields::refused, status_, &QLabel::setText);
  connect(design_, &QPushButton::clicked, this, [this] {
    CommitFields();
    emit designRequested();
  });
}

QLineEdit *SpeedPanel::InertiaEdit() const {
  return mechanics_->Inertia();
}
QLineEdit *SpeedPanel::FrictionEdit() const {
  return mechanics_->Friction();
}
QLineEdit *SpeedPanel::LoadTorqueEdit() const {
  return mechanics_->LoadTorque();
}

void SpeedPanel::CommitFields() {
  mechanics_->Commit();
}

void SpeedPanel::Show(const std::optional<parvex::Mechanics> &mechanics,
                      const SpeedLoopFigures &speed) {
  mechanics_->Show(mechanics);
  design_->setEnabled(mechanics.has_value());
  if (!mechanics) {
    status_->setText(QStringLiteral("No inertia given: the speed loop is not analysed."));
    figures_->setRowCount(0);
    ShowSpeedStep(chart_, speed);
    return;
  }
  status_->setText(QString::fromStdString(SpeedLoopHead(speed)).trimmed());
  const std::vector<std::string> names = SpeedFigureNames();
  const std::vector<std::string> values = SpeedFigureValues(speed);
  const int rows = static_cast<int>(names.size()) + 1;
  figures_->setRowCount(rows);
  QStringList labels;
  for (int r = 0; r < rows - 1; ++r) {
    labels << QString::fromStdString(names[static_cast<std::size_t>(r)]);
    auto *item = new QTableWidgetItem(QString::fromStdString(values[static_cast<std::size_t>(r)]));
    item->setToolTip(item->text());
    figures_->setItem(r, 0, item);
  }
  labels << QStringLiteral("level");
  const QString verdict = QString::fromStdString(LevelText(speed.level, speed.reason));
  auto *level = new QTableWidgetItem(verdict);
  level->setToolTip(verdict);
  if (speed.level != Level::Ok)
    level->setBackground(LevelColour(speed.level));
  figures_->setItem(rows - 1, 0, level);
  figures_->setVerticalHeaderLabels(labels);
  ShowSpeedStep(chart_, speed);
}
