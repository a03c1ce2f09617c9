// The per-user settings the shell keeps: the two folders and the first-run
// marker. Sections and entries keep their historical names.
#pragma once

#include <QString>

namespace torvio {

struct Folders {
  QString templatesDir;
  QString outputDir;
};

// Both folders, each empty when absent.
Folders ReadFolders();
void WriteFolders(const Folders &folders);
void WriteOutputDir(const QString &outputDir);
void WriteTemplatesDir(const QString &templatesDir);
// True when "Options"/"OutputDir" is absent or empty.
bool OutputDirEmpty();

// "Globals"/"FirstRun", 1 when absent.
int ReadFirstRun();
void WriteFirstRun(int value);

} // namespace torvio
