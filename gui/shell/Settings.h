// The per-user settings the shell keeps: the two folders and the first-run
// marker. Sections and entries keep their historical names.
#pragma once

#include <QString>

namespace torvio {

// Folders are paths whose bytes may not be UTF-8: see PathBytes.h.
struct Folders {
  QString templatesDir;
  QString outputDir;
};

// Both folders, each empty when absent.
Folders ReadFolders();
void WriteFolders(const Folders &folders);
void WriteOutputDir(const QString &outputDir);
void WriteTemplatesDir(const QString &templatesDir);

// "Globals"/"FirstRun", 1 when absent.
int ReadFirstRun();
void WriteFirstRun(int value);

// The store is the file <folder>/<organization>/<application>.conf, the
// folder being $XDG_CONFIG_HOME (or ~/.config) unless set here first, as
// tests do.
void SetSettingsFolder(const QString &folder);
QString SettingsFilePath();

// Why the store is not used, once it was found not to be a regular file (a
// pipe would block the program at start, a device would be replaced by the
// next write): the settings then live in memory for this run only and the
// file is never touched. Empty while the store is in use.
QString SettingsStoreProblem();

} // namespace torvio
