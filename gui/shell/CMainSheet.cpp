#include "shell/CMainSheet.h"

#include "pages/TORVIOPropertyPage.h"
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
    : QTabWidget(parent), m_doc(doc), m_factory(std::move(factory)) {
  setAccessibleName(torvio::ResString(torvio::IDS_PROPERTY_SHEET));
  // Every tab stays in sight: the sheet is as wide as its tab row.
  setUsesScrollButtons(false);
  tabBar()->setMouseTracking(true);
  tabBar()->installEventFilter(this);
  auto *help = new QShortcut(QKeySequence(Qt::Key_F1), this);
  help->setContext(Qt::WidgetWithChildrenShortcut);
  connect(help, &QShortcut::activated, this, [] { torvio::HelpWindow::Instance().ShowContents(); });
  connect(this, &QTabWidget::currentChanged, this, [this] { ActivateCurrentPage(); });
  PARVEX_SetDefault(&m_defaults);
  if (m_doc)
    connect(m_doc, &CTORVIODoc::recordChanged, this, &CMainSheet::OnRecordChanged);
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
    if (!m_slots[slot].page) {
      AddPage(slot, kind);
    }
  }
  if (!full) {
    return;
  }
  RemovePage(SlotSpeedFeedback);
  RemovePage(SlotAuxSpeedFeedback);
  RemovePage(SlotCurrentSensing);
  if (m_doc) {
    const UserData &data = m_doc->Record();
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
  if (!m_slots[slot].page) {
    return std::nullopt;
  }
  return m_slots[slot].kind;
}

void CMainSheet::ActivateCurrentPage() {
  if (auto *page = qobject_cast<CTORVIOPropertyPage *>(currentWidget())) {
    page->OnSetActive();
  }
}

const UserData &CMainSheet::Record() const {
  return m_doc ? m_doc->Record() : m_defaults;
}

void CMainSheet::Set(const parvex::Parameter &parameter, double value, const QString &label) {
  if (!m_doc)
    return;
  const bool entering = std::exchange(m_entering, true);
  const parvex::Parameter *entered = std::exchange(m_entered, &parameter);
  m_doc->Set(parameter, value, label);
  m_entered = entered;
  m_entering = entering;
}

void CMainSheet::OnRecordChanged(const ChangedSettings &changed, bool replaced) {
  const UserData &data = m_doc->Record();
  if (replaced || (m_entered && torvio::SelectsPages(*m_entered)) ||
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
  CTORVIOPropertyPage *page = m_factory ? m_factory(kind, this) : nullptr;
  if (!page) {
    return;
  }
  m_slots[slot] = {kind, page};
  addTab(page, page->Caption());
}

void CMainSheet::RemovePage(Slot slot) {
  CTORVIOPropertyPage *page = m_slots[slot].page;
  if (!page) {
    return;
  }
  m_slots[slot] = {};
  removeTab(indexOf(page));
  page->Detach();
  if (m_entering) {
    page->hide();
    page->deleteLater();
  } else {
    delete page;
  }
}
