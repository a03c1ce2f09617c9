// The property sheet of parameter pages: four fixed pages, then the speed
// feedback, auxiliary speed feedback and current sensing pages chosen by the
// record. It is also the pages' host.
#pragma once

#include "pages/PageHost.h"
#include "shell/SheetPages.h"

#include <QTabWidget>

#include <array>
#include <optional>

class CTORVIODoc;
class CTORVIOPropertyPage;

class CMainSheet : public QTabWidget, public PageHost {
  Q_OBJECT

public:
  enum Slot {
    SlotConfiguration,
    SlotMotorAndHw,
    SlotControlSettings,
    SlotDebug,
    SlotSpeedFeedback,
    SlotAuxSpeedFeedback,
    SlotCurrentSensing,
    SlotCount,
  };

  // `doc` may be null (no pages beyond the fixed ones); not owned.
  explicit CMainSheet(CTORVIODoc *doc, QWidget *parent = nullptr,
                      torvio::PageFactory factory = torvio::DefaultPageFactory());
  ~CMainSheet() override;

  // Adds missing fixed pages; with `full`, recreates the optional pages and
  // the current sensing page from the record.
  void RebuildPages(bool full);

  CTORVIOPropertyPage *Page(Slot slot) const { return m_slots[slot].page; }
  std::optional<torvio::PageKind> Kind(Slot slot) const;
  // Runs the current page's activation again (it reloads from the record).
  void ActivateCurrentPage();

  // PageHost
  UserData *Record() override;
  void SetModifiedFlag() override;
  void RebuildPages() override { RebuildPages(true); }
  void ShowHelp(unsigned context) override;
  void Committed(const UserData &before, const QString &label) override;

signals:
  // The set of pages changed; the frame refits itself around the sheet.
  void pagesRebuilt();

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  struct SlotContent {
    torvio::PageKind kind{};
    CTORVIOPropertyPage *page = nullptr;
  };

  void AddPage(Slot slot, torvio::PageKind kind);
  void RemovePage(Slot slot);

  CTORVIODoc *m_doc;
  torvio::PageFactory m_factory;
  std::array<SlotContent, SlotCount> m_slots{};
};
