#include "shell/GenerateSources.h"

#include "shell/CLogDialog.h"
#include "shell/COptionsDlg.h"
#include "shell/CTORVIODoc.h"
#include "shell/MessageLines.h"
#include "shell/Settings.h"
#include "strings/StringTable.h"

#include <QApplication>

#include <string>

namespace torvio {
namespace {

GenerateFunction generator = &PARVEX_GenerateSources;

// Restores the cursor however the generator call ends.
struct WaitCursor {
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor &) = delete;
  WaitCursor &operator=(const WaitCursor &) = delete;
};

} // namespace

void SetGenerateFunction(GenerateFunction function) {
  generator = function ? function : &PARVEX_GenerateSources;
}

} // namespace torvio

void CTORVIODoc::GenerateSources(QWidget *parent) {
  torvio::MessageLines().clear();
  torvio::Folders folders = torvio::ReadFolders();
  if (folders.outputDir.isEmpty()) {
    // Whatever the dialog's result, only the stored folder counts.
    COptionsDlg dialog(parent);
    dialog.exec();
    folders = torvio::ReadFolders();
  }
  if (folders.outputDir.isEmpty()) {
    torvio::MessageLines().append(
        QStringLiteral("1") + QString::fromLatin1(torvio::LoadResString(torvio::IDS_EXIT_CODE_9)));
  } else {
    // The strings live until the call returns; the request points into them.
    const std::string templatesDir = folders.templatesDir.toStdString();
    const std::string outputDir = folders.outputDir.toStdString();
    m_generation.templatesDir = templatesDir.c_str();
    m_generation.outputDir = outputDir.c_str();
    m_generation.logCallback = &LogMessage;
    {
      torvio::WaitCursor wait;
      torvio::generator(&m_data, &m_generation);
    }
    m_generation.templatesDir = nullptr;
    m_generation.outputDir = nullptr;
  }
  CLogDialog log(&torvio::MessageLines(), parent);
  log.exec();
}
