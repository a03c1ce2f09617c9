#include "GenCommandLine.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

#include <cmath>

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
                     "--get, --list, --set, --save, --export and --import read and edit a "
                     "project's settings by their paths, as --diff prints them.\n"
                     "Exit code: 0 every header written (--check: up to date; the scripted "
                     "options: done), 1 a header failed (--check: the folder differs), 2 bad "
                     "command line, unreadable project, unknown setting or refused value "
                     "(nothing is written then), 3 headers edited by hand, nothing written, 4 "
                     "another generation holds the output folder.\n"
                     "Flags take TRUE or FALSE (true, false, 1 and 0 too).\n"
                     "--explain prints the controller analysis instead: exit code 0, or 1 when "
                     "a gain or a current loop is flagged; --simulate-startup likewise the "
                     "sensorless start-up."));
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("Shows this help."));
  const QCommandLineOption version(QStringLiteral("version"), QStringLiteral("Shows the version."));
  const QCommandLineOption project(QStringLiteral("project"),
                                   QStringLiteral("The project file (.tvd) to generate."),
                                   QStringLiteral("FILE"));
  const QCommandLineOption templates(
      QStringLiteral("templates"),
      QStringLiteral("The folder of the .th templates (default: the bundled set, "
                     "share/torvio/Templates under the program's prefix, or a Templates folder "
                     "beside the program)."),
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
  const QCommandLineOption get(
      QStringLiteral("get"),
      QStringLiteral("Prints PATH=VALUE for each setting named (more paths may follow), from "
                     "--project or the default configuration."),
      QStringLiteral("PATH"));
  const QCommandLineOption list(
      QStringLiteral("list"),
      QStringLiteral("Prints every setting's path with its value, limits, decimals and unit."));
  const QCommandLineOption set(
      QStringLiteral("set"),
      QStringLiteral("Enters VALUE into the setting at PATH as its page does (limits, integer "
                     "truncation, consistency check); repeatable, applied in order. Needs "
                     "--save or --export."),
      QStringLiteral("PATH=VALUE"));
  const QCommandLineOption save(
      QStringLiteral("save"),
      QStringLiteral("Writes the project (from --project or --import, after --set) to FILE "
                     "(.tvd), replacing it atomically; FILE may be the --project file."),
      QStringLiteral("FILE"));
  const QCommandLineOption exportJson(
      QStringLiteral("export"),
      QStringLiteral("Writes the project as JSON to FILE: every setting by path, sorted, one "
                     "per line."),
      QStringLiteral("FILE"));
  const QCommandLineOption importJson(
      QStringLiteral("import"),
      QStringLiteral("Reads the project from the JSON FILE written by --export; needs --save "
                     "or --export."),
      QStringLiteral("FILE"));
  const QCommandLineOption explain(
      QStringLiteral("explain"),
      QStringLiteral("Prints the controller analysis of the project: every computed gain beside "
                     "its design value and physical meaning, and the current loops' figures (exit "
                     "code 0, or 1 when something is flagged). No header is written."));
  const QCommandLineOption inertia(
      QStringLiteral("inertia"),
      QStringLiteral("The speed loop's inertia J, motor and load, in kg m^2: --explain then "
                     "analyses the speed loop, and --save or --export keep it with the project."),
      QStringLiteral("J"));
  const QCommandLineOption friction(
      QStringLiteral("friction"),
      QStringLiteral("The viscous friction B in N m s/rad (default 0)."), QStringLiteral("B"));
  const QCommandLineOption loadTorque(
      QStringLiteral("load-torque"),
      QStringLiteral("A load torque in N m, stepped in after the speed step (default 0)."),
      QStringLiteral("T"));
  const QCommandLineOption designSpeedLoop(
      QStringLiteral("design-speed-loop"),
      QStringLiteral("Designs the speed gains for a wanted bandwidth (the one argument after it, "
                     "in rad/s; default: a tenth of the current loop's crossover, at most 0.15 / "
                     "speed period) with the crossover there and the PI's zero a factor 4 "
                     "below, and enters them as the Control Settings page does. Needs the "
                     "inertia and --save FILE or --export FILE."));
  const QCommandLineOption simulateStartup(
      QStringLiteral("simulate-startup"),
      QStringLiteral("Simulates the sensorless start-up the project configures (alignment, "
                     "current and speed ramps, observer and PLL, convergence test) with the "
                     "mechanics given (--inertia is needed) and prints the results, or with "
                     "--format csv the time series (exit code 0, or 1 when the rotor loses "
                     "step, the test does not pass, the switch comes more than 30 degrees off "
                     "or the voltage limit is reached). No header is written."));
  const QCommandLineOption rotorAngle(
      QStringLiteral("rotor-angle"),
      QStringLiteral("The rotor's electrical angle at rest before --simulate-startup's start-up, "
                     "in degrees (default: the worst case, 179 degrees from the first current "
                     "vector)."),
      QStringLiteral("DEG"));
  const QCommandLineOption format(
      QStringLiteral("format"),
      QStringLiteral("The form of --explain's and --simulate-startup's output: text (the "
                     "default) or csv."),
      QStringLiteral("FORMAT"));
  parser.addOptions({help,       version, project,    templates,  output,     saveDefault,
                     diff,       force,   dryRun,     check,      get,        list,
                     set,        save,    exportJson, importJson, explain,    simulateStartup,
                     rotorAngle, format,  inertia,    friction,   loadTorque, designSpeedLoop});
  parser.addPositionalArgument(
      QStringLiteral("A B"),
      QStringLiteral("The two project files (.tvd) of --diff, or more paths of --get."));

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
  const auto fail = [&result](const QString &text) {
    result.outcome = GenCommandLine::Outcome::Error;
    result.text = text;
    return true;
  };
  // An option's value is the next argument, whatever it is: an option left
  // without its value would take the next option as its value.
  for (const auto *option :
       {&project, &templates, &output, &saveDefault, &get, &set, &save, &exportJson, &importJson,
        &format, &inertia, &friction, &loadTorque, &rotorAngle}) {
    for (const QString &value : parser.values(*option)) {
      if (value.startsWith(QStringLiteral("--")) &&
          fail(QStringLiteral("--%1 has no value: %2 is an option (write ./%2 for a file of "
                              "that name)")
                   .arg(option->names().constFirst(), value)))
        return result;
    }
  }
  // An option that takes one value, given twice, would silently use the
  // last one.
  for (const auto *option : {&project, &templates, &output, &saveDefault, &save, &exportJson,
                             &importJson, &format, &inertia, &friction, &loadTorque, &rotorAngle}) {
    if (parser.values(*option).size() > 1 &&
        fail(QStringLiteral("--%1 is given more than once").arg(option->names().constFirst())))
      return result;
  }
  const std::initializer_list<const QCommandLineOption *> scripted = {
      &get, &list, &set, &save, &exportJson, &designSpeedLoop};
  const auto scriptedWith = [&](std::initializer_list<const QCommandLineOption *> others) {
    for (const QCommandLineOption *mode : scripted)
      if (excluded(*mode, others))
        return true;
    return false;
  };
  if (excluded(diff, {&project, &templates,       &output,     &saveDefault, &force,
                      &dryRun,  &check,           &get,        &list,        &set,
                      &save,    &exportJson,      &importJson, &explain,     &simulateStartup,
                      &format,  &designSpeedLoop, &inertia,    &friction,    &loadTorque}) ||
      excluded(saveDefault, {&project, &templates, &output, &force, &dryRun, &check, &get, &list,
                             &set, &save, &exportJson, &importJson, &explain, &simulateStartup,
                             &format, &designSpeedLoop, &inertia, &friction, &loadTorque}) ||
      excluded(explain, {&templates, &output, &force, &dryRun, &check, &get, &list, &set, &save,
                         &exportJson, &designSpeedLoop, &simulateStartup}) ||
      excluded(simulateStartup, {&templates, &output, &force, &dryRun, &check, &get, &list, &set,
                                 &save, &exportJson, &designSpeedLoop}) ||
      excluded(dryRun, {&check, &force}) || excluded(check, {&force}) ||
      scriptedWith({&templates, &output, &force, &dryRun, &check}) ||
      excluded(get, {&list, &set, &save, &exportJson, &importJson, &designSpeedLoop}) ||
      excluded(list, {&designSpeedLoop}) ||
      excluded(list, {&set, &save, &exportJson, &importJson}) || excluded(importJson, {&project}))
    return result;
  if (parser.isSet(set) && !parser.isSet(save) && !parser.isSet(exportJson) &&
      fail(QStringLiteral("--set needs --save FILE or --export FILE")))
    return result;
  if (parser.isSet(designSpeedLoop) && !parser.isSet(save) && !parser.isSet(exportJson) &&
      fail(QStringLiteral("--design-speed-loop needs --save FILE or --export FILE")))
    return result;
  // The mechanics serve the speed loop: its analysis, its design, and the
  // project they are saved with.
  for (const auto *option : {&inertia, &friction, &loadTorque}) {
    if (parser.isSet(*option) && !parser.isSet(explain) && !parser.isSet(simulateStartup) &&
        !parser.isSet(designSpeedLoop) && !parser.isSet(save) && !parser.isSet(exportJson) &&
        fail(QStringLiteral("--%1 is an option of --explain, --simulate-startup, "
                            "--design-speed-loop, --save and --export")
                 .arg(option->names().constFirst())))
      return result;
  }
  if (parser.isSet(rotorAngle) && !parser.isSet(simulateStartup) &&
      fail(QStringLiteral("--rotor-angle is an option of --simulate-startup")))
    return result;

  if (parser.isSet(format) && !parser.isSet(explain) && !parser.isSet(simulateStartup)) {
    result.outcome = GenCommandLine::Outcome::Error;
    result.text = QStringLiteral("--format is an option of --explain and --simulate-startup");
    return result;
  }
  if (parser.isSet(diff)) {
    if (parser.positionalArguments().size() != 2) {
      result.outcome = GenCommandLine::Outcome::Error;
      result.text = QStringLiteral("--diff needs exactly two project files");
      return result;
    }
    result.options.diffFiles = parser.positionalArguments();
    return result;
  }
  QStringList positional = parser.positionalArguments();
  if (parser.isSet(designSpeedLoop) && positional.size() == 1) {
    // The wanted bandwidth, the one argument after --design-speed-loop.
    bool ok = false;
    result.options.speedBandwidth = positional[0].toDouble(&ok);
    if ((!ok || !(result.options.speedBandwidth > 0) ||
         !std::isfinite(result.options.speedBandwidth)) &&
        fail(QStringLiteral("the speed bandwidth '%1' is not a number of rad/s above 0")
                 .arg(positional[0])))
      return result;
    positional.clear();
  }
  if (!positional.isEmpty() && !parser.isSet(get)) {
    result.outcome = GenCommandLine::Outcome::Error;
    result.text = QStringLiteral("unexpected argument '%1'").arg(positional[0]);
    return result;
  }
  for (const auto *option : {&project, &templates, &output, &saveDefault, &get, &set, &save,
                             &exportJson, &importJson, &format, &rotorAngle}) {
    if (parser.isSet(*option) && parser.values(*option).contains(QString())) {
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
  if (parser.isSet(get))
    o.getPaths = parser.values(get) + parser.positionalArguments();
  o.list = parser.isSet(list);
  o.assignments = parser.values(set);
  o.saveFile = parser.value(save);
  o.exportFile = parser.value(exportJson);
  o.importFile = parser.value(importJson);
  o.explain = parser.isSet(explain);
  o.simulateStartup = parser.isSet(simulateStartup);
  if (parser.isSet(rotorAngle)) {
    bool ok = false;
    o.rotorAngle = parser.value(rotorAngle).toDouble(&ok);
    if ((!ok || !std::isfinite(o.rotorAngle)) &&
        fail(QStringLiteral("invalid value '%1' for --rotor-angle: expected a number of degrees")
                 .arg(parser.value(rotorAngle))))
      return result;
  }
  o.designSpeedLoop = parser.isSet(designSpeedLoop);
  const std::pair<const QCommandLineOption *, double *> mechanics[] = {
      {&inertia, &o.inertia}, {&friction, &o.friction}, {&loadTorque, &o.loadTorque}};
  for (const auto &[option, target] : mechanics) {
    if (!parser.isSet(*option))
      continue;
    bool ok = false;
    *target = parser.value(*option).toDouble(&ok);
    const bool isInertia = option == &inertia;
    const bool isFriction = option == &friction;
    if (!ok || !std::isfinite(*target) || (isInertia && !(*target > 0)) ||
        (isFriction && *target < 0)) {
      result.outcome = GenCommandLine::Outcome::Error;
      result.text = QStringLiteral("invalid value '%1' for --%2: expected %3")
                        .arg(parser.value(*option), option->names().constFirst(),
                             isInertia    ? QStringLiteral("a number above 0")
                             : isFriction ? QStringLiteral("a number, 0 or more")
                                          : QStringLiteral("a number"));
      return result;
    }
  }
  if (parser.isSet(format)) {
    const QString name = parser.value(format);
    if (name == QStringLiteral("csv")) {
      o.explainFormat = GenOptions::ExplainFormat::Csv;
    } else if (name != QStringLiteral("text")) {
      result.outcome = GenCommandLine::Outcome::Error;
      result.text = QStringLiteral("unknown --format '%1' (text or csv)").arg(name);
      return result;
    }
  }
  o.templatesDir =
      AsFolderPrefix(parser.isSet(templates) ? parser.value(templates) : defaultTemplates);
  o.outputDir =
      AsFolderPrefix(parser.isSet(output) ? parser.value(output) : QStringLiteral("./out"));
  return result;
}
