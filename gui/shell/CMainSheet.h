// The property sheet of parameter pages: four fixed pages, then the speed
// feedback, auxiliary speed feedback and current sensing pages chosen by the
// record. It is also the pages' host: their edits go to the document, and
// every change of the document's record reaches every page.
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

  CTORVIOPropertyPage *Page(Slot slot) const { return slots_[slot].page; }
  std::optional<torvio::PageKind> Kind(Slot slot) const;
  // Runs the current page's activation again (it reloads from the record).
  void ActivateCurrentPage();

  // PageHost
  const UserData &Record() const override;
  void Set(const parvex::Parameter &parameter, double value, const QString &label) override;
  void ShowHelp(unsigned context) override;

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
  // The document's record changed: New and Open rebuild the pages, an edit
  // rebuilds them when the sensors now select other pages; then every page
  // shows the change.
  void OnRecordChanged(const ChangedSettings &changed, bool replaced);

  CTORVIODoc *doc_;
  torvio::PageFactory factory_;
  std::array<SlotContent, SlotCount> slots_{};
  // Set while a page's edit runs: a page dropped then is deleted only once
  // the edit has returned to it.
  bool entering_ = false;
  // The setting a page is entering, while it does.
  const parvex::Parameter *entered_ = nullptr;
  // Shown without a document.
  UserData defaults_{};
};
