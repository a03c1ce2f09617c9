#include "GenCommandLine.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

QString AsFolderPrefix(const QString &folder) {
  return folder.endsWith(u'/') ? folder : folder + u'/';
}

QString BundledTemplatesDir(const QString &programDir) {
  const QString beside = QDir(programDir).filePath(QStringLiteral("Templates"));
  if (QFileInfo(beside).isDir())
    return AsFolderPrefix(beside);
  return AsFolderPrefix(
      QDir::cleanPath(QDir(programDir).filePath(QStringLiteral("../share/torvio/Templates"))));
}

GenCommandLine ParseGenCommandLine(const QStringList &arguments, const QString &defaultTemplates) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Generates the nine firmware headers and BuildLog.xml of a TORVIO project.\n"
                     "Without --project the default configuration is generated.\n"
                     "Only headers that change are rewritten; a header edited by hand since "
                     "TORVIO wrote it is not overwritten without --force.\n"
                     "Exit code: 0 every header written (--check: up to date), 1 a header failed "
                     "(--check: the folder differs), 2 bad command line or unreadable project, 3 "
                     "headers edited by hand, nothing written, 4 another generation holds the "
                     "output folder."));
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("Shows this help."));
  const QCommandLineOption version(QStringLiteral("version"), QStringLiteral("Shows the version."));
  const QCommandLineOption project(QStringLiteral("project"),
                                   QStringLiteral("The project file (.tvd) to generate."),
                                   QStringLiteral("FILE"));
  const QCommandLineOption templates(
      QStringLiteral("templates"),
      QStringLiteral("The folder of the .th templates (default: %1).").arg(defaultTemplates),
      QStringLiteral("DIR"));
  const QCommandLineOption output(
      QStringLiteral("output"),
      QStringLiteral("The folder that receives the headers (default: ./out/, created when "
                     "missing)."),
      QStringLiteral("DIR"));
  const QCommandLineOption saveDefault(
      QStringLiteral("save-default"),
      QStringLiteral("Writes the default configuration as a project file and exits."),
      QStringLiteral("FILE"));
  const QCommandLineOption diff(
      QStringLiteral("diff"),
      QStringLiteral("Compares the projects A and B and prints each setting that differs, one "
                     "per line (exit code 0 equal, 1 different, 2 unreadable file)."));
  const QCommandLineOption force(
      QStringLiteral("force"),
      QStringLiteral("Overwrites headers edited by hand since TORVIO wrote them."));
  const QCommandLineOption dryRun(
      QStringLiteral("dry-run"),
      QStringLiteral("Prints what a generation would change, with unified diffs; writes "
                     "nothing."));
  const QCommandLineOption check(
      QStringLiteral("check"),
      QStringLiteral("Exit code 0 when the output folder holds what the project generates (the "
                     "build log's date aside), else 1 with the files that differ; writes "
                     "nothing."));
  parser.addOptions(
      {help, version, project, templates, output, saveDefault, diff, force, dryRun, check});
  parser.addPositionalArgument(QStringLiteral("A B"),
                               QStringLiteral("The two project files (.tvd) of --diff."));

  GenCommandLine result;
  if (!parser.parse(arguments)) {
    result.outcome = GenCommandLine::Outcome::Error;
    result.text = parser.errorText();
    return result;
  }
  if (parser.isSet(help)) {
    result.outcome = GenCommandLine::Outcome::ShowText;
    result.text = parser.helpText();
    return result;
  }
  if (parser.isSet(version)) {
    result.outcome = GenCommandLine::Outcome::ShowText;
    result.text = QStringLiteral("torvio-gen " TORVIO_VERSION "\n");
    return result;
  }
  // Each mode reads only its own options; another one given with it would
  // be silently ignored.
  const auto excluded = [&](const QCommandLineOption &mode,
                            std::initializer_list<const QCommandLineOption *> others) {
    if (!parser.isSet(mode))
      return false;
    for (const QCommandLineOption *other : others) {
      if (parser.isSet(*other)) {
        result.outcome = GenCommandLine::Outcome::Error;
        result.text = QStringLiteral("--%1 cannot be combined with --%2")
                          .arg(mode.names().constFirst(), other->names().constFirst());
        return true;
      }
    }
    return false;
  };
  if (excluded(diff, {&project, &templates, &output, &saveDefault, &force, &dryRun, &check}) ||
      excluded(saveDefault, {&project, &templates, &output, &force, &dryRun, &check}) ||
      excluded(dryRun, {&check, &force}) || excluded(check, {&force}))
    return result;
  if (parser.isSet(diff)) {
    if (parser.positionalArguments().size() != 2) {
      result.outcome = GenCommandLine::Outcome::Error;
      result.text = QStringLiteral("--diff needs exactly two project files");
      return result;
    }
    result.options.diffFiles = parser.positionalArguments();
    return result;
  }
  if (!parser.positionalArguments().isEmpty()) {
    result.outcome = GenCommandLine::Outcome::Error;
    result.text = QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments()[0]);
    return result;
  }
  for (const auto *option : {&project, &templates, &output, &saveDefault}) {
    if (parser.isSet(*option) && parser.value(*option).isEmpty()) {
      result.outcome = GenCommandLine::Outcome::Error;
      result.text = QStringLiteral("empty value for --%1").arg(option->names().constFirst());
      return result;
    }
  }
  GenOptions &o = result.options;
  o.projectFile = parser.value(project);
  o.saveDefault = parser.value(saveDefault);
  o.force = parser.isSet(force);
  o.dryRun = parser.isSet(dryRun);
  o.check = parser.isSet(check);
  o.templatesDir =
      AsFolderPrefix(parser.isSet(templates) ? parser.value(templates) : defaultTemplates);
  o.outputDir =
      AsFolderPrefix(parser.isSet(output) ? parser.value(output) : QStringLiteral("./out"));
  return result;
}
