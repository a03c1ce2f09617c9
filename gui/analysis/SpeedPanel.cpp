#include "analysis/SpeedPanel.h"

#include "analysis/AnalysisTables.h"
#include "parvex/AnalysisText.h"

#include <QChartView>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

using namespace parvex::analysis;

namespace {

QString Number(double v) {
  return QLocale::c().toString(v, 'g', 12);
}

// A field's number, "." as decimal point whatever the locale; nothing for
// an empty field; NaN for text that is no number.
std::optional<double> Read(const QLineEdit *edit) {
  const QString text = edit->text().trimmed();
  if (text.isEmpty())
    return std::nullopt;
  bool ok = false;
  const double v = QLocale::c().toDouble(text, &ok);
  return ok && std::isfinite(v) ? v : NAN;
}

bool Same(const std::optional<parvex::Mechanics> &a, const std::optional<parvex::Mechanics> &b) {
  return a.has_value() == b.has_value() &&
         (!a || (a->inertia == b->inertia && a->friction == b->friction &&
                 a->loadTorque == b->loadTorque));
}

QLineEdit *Field(const QString &name) {
  auto *edit = new QLineEdit;
  edit->setAccessibleName(name);
  edit->setObjectName(name);
  return edit;
}

} // namespace

SpeedPanel::SpeedPanel(QWidget *parent)
    : QWidget(parent), inertia_(Field(QStringLiteral("Inertia J (kg m^2)"))),
      friction_(Field(QStringLiteral("Friction B (N m s/rad)"))),
      load_(Field(QStringLiteral("Load torque (N m)"))),
      design_(new QPushButton(QStringLiteral("Design speed gains..."))), status_(new QLabel),
      figures_(new QTableWidget(0, 1)), chart_(MakeSpeedStepChart()) {
  inertia_->setPlaceholderText(QStringLiteral("motor and load"));
  friction_->setPlaceholderText(QStringLiteral("0"));
  load_->setPlaceholderText(QStringLiteral("0"));
  auto *form = new QFormLayout;
  form->addRow(inertia_->accessibleName(), inertia_);
  form->addRow(friction_->accessibleName(), friction_);
  form->addRow(load_->accessibleName(), load_);
  status_->setWordWrap(true);
  status_->setObjectName(QStringLiteral("speedStatus"));
  figures_->setAccessibleName(QStringLiteral("Speed loop"));
  figures_->setHorizontalHeaderLabels({QStringLiteral("speed loop")});
  figures_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  figures_->setTextElideMode(Qt::ElideRight);
  figures_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);

  auto *inputs = new QVBoxLayout;
  inputs->addLayout(form);
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

  for (QLineEdit *edit : {inertia_, friction_, load_})
    connect(edit, &QLineEdit::editingFinished, this, &SpeedPanel::CommitFields);
  connect(design_, &QPushButton::clicked, this, [this] {
    CommitFields();
    emit designRequested();
  });
}

void SpeedPanel::CommitFields() {
  const std::optional<double> j = Read(inertia_);
  const std::optional<double> b = Read(friction_);
  const std::optional<double> t = Read(load_);
  std::optional<parvex::Mechanics> entered;
  if (j) {
    entered = parvex::Mechanics{*j, b.value_or(0.0), t.value_or(0.0)};
    if (!parvex::Usable(*entered)) {
      status_->setText(QStringLiteral("The inertia must be a number above 0 and the friction a "
                                      "number not below 0; the speed loop keeps the last ones."));
      return;
    }
  }
  if (!Same(entered, shown_))
    emit mechanicsEntered(entered);
}

void SpeedPanel::Show(const std::optional<parvex::Mechanics> &mechanics,
                      const SpeedLoopFigures &speed) {
  shown_ = mechanics;
  const auto put = [](QLineEdit *edit, const QString &text) {
    if (edit->text() != text)
      edit->setText(text);
  };
  put(inertia_, mechanics ? Number(mechanics->inertia) : QString());
  put(friction_, mechanics && mechanics->friction != 0 ? Number(mechanics->friction) : QString());
  put(load_, mechanics && mechanics->loadTorque != 0 ? Number(mechanics->loadTorque) : QString());
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
