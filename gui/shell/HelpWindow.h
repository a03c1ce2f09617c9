// The bundled HTML help shown in one help window. Numeric contexts map to
// their own pages.
#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace torvio {

constexpr unsigned kHelpContextFirstRun = 0x18008;
constexpr unsigned kHelpContextSupport = 0x1800A;

// The folder of the help pages: "help" beside the program (build tree), else
// the installed share/torvio/help.
QString HelpFolder();
// The page of a context; the contents page for any other context.
QString HelpPageFor(unsigned context);

class HelpWindow : public QWidget {
  Q_OBJECT

public:
  // The one help window, created on first use.
  static HelpWindow &Instance();
  // The help window if it was created, else null.
  static HelpWindow *Existing();

  // Shows the page of `context` (HelpPageFor).
  void ShowContext(unsigned context);
  // Shows the contents page.
  void ShowContents();

  QString CurrentPage() const;
  QTextBrowser *Browser() const { return browser_; }

private:
  HelpWindow();
  void ShowPage(const QString &page);

  QTextBrowser *browser_;
};

} // namespace torvio
