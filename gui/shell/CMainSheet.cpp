#include "shell/CMainSheet.h"

#include "pages/CTORVIOPropertyPage.h"
#include "parvex/SpeedFeedbackMembers.h"
#include "shell/CTORVIODoc.h"
#include "shell/HelpWindow.h"
#include "strings/ResString.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QShortcut>
#include <QTabBar>

#include <utility>

CMainSheet::CMainSheet(CTORVIODoc *doc, QWidget *parent, torvio::PageFactory factory)
    : QTabWidget(parent), doc_(doc), factory_(std::move(factory)) {
  setAccessibleName(torvio::ResString(torvio::IDS_PROPERTY_SHEET));
  // Every tab stays in sight: the sheet is as wide as its tab row.
  setUsesScrollButtons(false);
  tabBar()->setMouseTracking(true);
  tabBar()->installEventFilter(this);
  auto *help = new QShortcut(QKeySequence(Qt::Key_F1), this);
  help->setContext(Qt::WidgetWithChildrenShortcut);
  connect(help, &QShortcut::activated, this, [] { torvio::HelpWindow::Instance().ShowContents(); });
  connect(this, &QTabWidget::currentChanged, this, [this] { ActivateCurrentPage(); });
  PARVEX_SetDefault(&defaults_);
  if (doc_)
    connect(doc_, &CTORVIODoc::recordChanged, this, &CMainSheet::OnRecordChanged);
  RebuildPages(false);
  RebuildPages(true); // the sheet's window is ready
}

CMainSheet::~CMainSheet() {
  // Pages go first, while the host they point to is still whole.
  blockSignals(true);
  for (int slot = SlotCount - 1; slot >= 0; --slot) {
    RemovePage(static_cast<Slot>(slot));
  }
}

void CMainSheet::RebuildPages(bool full) {
  using torvio::PageKind;
  const std::pair<Slot, PageKind> fixed[] = {
      {SlotConfiguration, PageKind::Configuration},
      {SlotMotorAndHw, PageKind::MotorAndHw},
      {SlotControlSettings, PageKind::ControlSettings},
      {SlotDebug, PageKind::Debug},
  };
  for (const auto &[slot, kind] : fixed) {
    if (!slots_[slot].page) {
      AddPage(slot, kind);
    }
  }
  if (!full) {
    return;
  }
  RemovePage(SlotSpeedFeedback);
  RemovePage(SlotAuxSpeedFeedback);
  RemovePage(SlotCurrentSensing);
  if (doc_) {
    const UserData &data = doc_->Record();
    if (const auto kind = torvio::SpeedFeedbackPageFor(data)) {
      AddPage(SlotSpeedFeedback, *kind);
    }
    if (const auto kind = torvio::AuxSpeedFeedbackPageFor(data)) {
      AddPage(SlotAuxSpeedFeedback, *kind);
    }
  }
  AddPage(SlotCurrentSensing, PageKind::CurrentSensing);
  emit pagesRebuilt();
}

std::optional<torvio::PageKind> CMainSheet::Kind(Slot slot) const {
  if (!slots_[slot].page) {
    return std::nullopt;
  }
  return slots_[slot].kind;
}

void CMainSheet::ActivateCurrentPage() {
  if (auto *page = qobject_cast<CTORVIOPropertyPage *>(currentWidget())) {
    page->OnSetActive();
  }
}

const UserData &CMainSheet::Record() const {
  return doc_ ? doc_->Record() : defaults_;
}

void CMainSheet::Set(const parvex::Parameter &parameter, double value, const QString &label) {
  if (!doc_)
    return;
  const bool entering = std::exchange(entering_, true);
  const parvex::Parameter *entered = std::exchange(entered_, &parameter);
  doc_->Set(parameter, value, label);
  entered_ = entered;
  entering_ = entering;
}

void CMainSheet::OnRecordChanged(const ChangedSettings &changed, bool replaced) {
  const UserData &data = doc_->Record();
  if (replaced || (entered_ && parvex::DecidesSpeedFeedback(*entered_)) ||
      Kind(SlotSpeedFeedback) != torvio::SpeedFeedbackPageFor(data) ||
      Kind(SlotAuxSpeedFeedback) != torvio::AuxSpeedFeedbackPageFor(data))
    RebuildPages(true);
  NotifyPages(changed);
  if (replaced)
    ActivateCurrentPage();
}

void CMainSheet::ShowHelp(unsigned context) {
  torvio::HelpWindow::Instance().ShowContext(context);
}

bool CMainSheet::eventFilter(QObject *watched, QEvent *event) {
  if (watched == tabBar() && event->type() == QEvent::MouseMove) {
    const auto *move = static_cast<QMouseEvent *>(event);
    if (tabBar()->mapTo(this, move->position().toPoint()).y() < 30) {
      // Passing the focus through the sheet makes an edit in progress end.
      QPointer<QWidget> previous = QApplication::focusWidget();
      setFocus(Qt::OtherFocusReason);
      if (previous) {
        previous->setFocus(Qt::OtherFocusReason);
      }
    }
  }
  return QTabWidget::eventFilter(watched, event);
}

void CMainSheet::AddPage(Slot slot, torvio::PageKind kind) {
  CTORVIOPropertyPage *page = factory_ ? factory_(kind, this) : nullptr;
  if (!page) {
    return;
  }
  slots_[slot] = {kind, page};
  addTab(page, page->Caption());
}

void CMainSheet::RemovePage(Slot slot) {
  CTORVIOPropertyPage *page = slots_[slot].page;
  if (!page) {
    return;
  }
  slots_[slot] = {};
  removeTab(indexOf(page));
  page->Detach();
  if (entering_) {
    page->hide();
    page->deleteLater();
  } else {
    delete page;
  }
}
