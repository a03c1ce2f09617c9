#include "shell/GenerateSources.h"

#include "shell/CLogDialog.h"
#include "shell/COptionsDlg.h"
#include "shell/CTORVIODoc.h"
#include "shell/PathBytes.h"
#include "shell/Settings.h"
#include "strings/ResString.h"

#include <QApplication>

#include <string>

namespace torvio {
namespace {

Generator &ActiveGenerator() {
  static Generator generator;
  return generator;
}

// Restores the cursor however the generator call ends.
struct WaitCursor {
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor &) = delete;
  WaitCursor &operator=(const WaitCursor &) = delete;
};

parvex::GenerationResult Run(const UserData &data, const std::string &templatesDir,
                             const std::string &outputDir) {
  if (const Generator &g = ActiveGenerator())
    return g(data, templatesDir, outputDir);
  return parvex::Generate(data, templatesDir, outputDir);
}

} // namespace

void SetGenerator(Generator generator) {
  ActiveGenerator() = std::move(generator);
}

} // namespace torvio

void CTORVIODoc::GenerateSources(QWidget *parent) {
  m_report.clear();
  torvio::Folders folders = torvio::ReadFolders();
  if (folders.outputDir.isEmpty()) {
    // Whatever the dialog's result, only the stored folder counts.
    COptionsDlg dialog(parent);
    dialog.exec();
    folders = torvio::ReadFolders();
  }
  if (folders.outputDir.isEmpty()) {
    m_report.push_back(
        {torvio::ResString(torvio::IDS_EXIT_CODE_9).toStdString(), parvex::Severity::Error});
  } else {
    torvio::WaitCursor wait;
    m_report = torvio::Run(m_data, torvio::PathBytes(folders.templatesDir),
                           torvio::PathBytes(folders.outputDir))
                   .lines;
  }
  CLogDialog log(m_report, parent);
  log.exec();
}
