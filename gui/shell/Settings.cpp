#include "shell/Settings.h"

#include <QSettings>

namespace torvio {
namespace {

const QString kTemplatesDir = QStringLiteral("Options/TemplatesDir");
const QString kOutputDir = QStringLiteral("Options/OutputDir");
const QString kFirstRun = QStringLiteral("Globals/FirstRun");

} // namespace

Folders ReadFolders() {
  QSettings settings;
  return {settings.value(kTemplatesDir).toString(), settings.value(kOutputDir).toString()};
}

void WriteFolders(const Folders &folders) {
  QSettings settings;
  settings.setValue(kTemplatesDir, folders.templatesDir);
  settings.setValue(kOutputDir, folders.outputDir);
}

void WriteOutputDir(const QString &outputDir) {
  QSettings().setValue(kOutputDir, outputDir);
}

void WriteTemplatesDir(const QString &templatesDir) {
  QSettings().setValue(kTemplatesDir, templatesDir);
}

bool OutputDirEmpty() {
  return ReadFolders().outputDir.isEmpty();
}

int ReadFirstRun() {
  return QSettings().value(kFirstRun, 1).toInt();
}

void WriteFirstRun(int value) {
  QSettings().setValue(kFirstRun, value);
}

} // namespace torvio
