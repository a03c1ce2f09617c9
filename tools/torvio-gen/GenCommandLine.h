// The command line of torvio-gen.
#pragma once

#include <QString>
#include <QStringList>

#include <cmath>

struct GenOptions {
  QString projectFile;          // empty: the default configuration
  QString templatesDir;         // ends with "/"
  QString outputDir;            // ends with "/"
  QString saveDefault;          // non-empty: only write the default project there
  QStringList diffFiles;        // two files: only compare them
  bool force = false;           // overwrite headers edited by hand
  bool dryRun = false;          // show what would change, write nothing
  bool check = false;           // only tell whether the folder is up to date
  bool explain = false;         // only print the controller analysis
  bool simulateStartup = false; // only print the sensorless start-up's simulation
  double rotorAngle = NAN;      // its initial rotor angle, electrical degrees; NaN: worst case
  enum class ExplainFormat { Text, Csv };
  ExplainFormat explainFormat = ExplainFormat::Text; // of --explain and --simulate-startup
  // Scripted projects: read from projectFile, importFile or the defaults.
  QStringList getPaths;    // print these settings
  bool list = false;       // print every setting
  QStringList assignments; // PATH=VALUE edits, in order
  QString saveFile;        // write the project there
  QString exportFile;      // write the project's JSON there
  QString importFile;      // read the project from this JSON
  // The mechanics of the speed loop, each given or not (NaN).
  double inertia = NAN;
  double friction = NAN;
  double loadTorque = NAN;
  bool designSpeedLoop = false; // design the speed gains, then save or export
  double speedBandwidth = NAN;  // rad/s; NaN: the default

  // The scripted options; without them --import (like --project) names the
  // project to generate, check or explain.
  bool Scripted() const {
    return !getPaths.isEmpty() || list || !assignments.isEmpty() || !saveFile.isEmpty() ||
           !exportFile.isEmpty() || designSpeedLoop;
  }
};

struct GenCommandLine {
  enum class Outcome { Run, ShowText, Error };
  Outcome outcome = Outcome::Run;
  GenOptions options;
  QString text; // help/version text, or the error message
};

// Parses the arguments (program name first). `defaultTemplates` is used
// when --templates is absent.
GenCommandLine ParseGenCommandLine(const QStringList &arguments, const QString &defaultTemplates);

// The folder as a prefix that ends with "/".
QString AsFolderPrefix(const QString &folder);

// The bundled templates: beside the program in the build tree, else the
// installed share/torvio/Templates.
QString BundledTemplatesDir(const QString &programDir);
