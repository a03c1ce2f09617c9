#include "MmiCommandLine.h"

#include <QCommandLineParser>
#include <QRegularExpression>

#include <array>
#include <vector>

namespace {

struct TimingOption {
  const char *name;
  const char *unit;
  const char *description;
  std::optional<std::uint32_t> MmiOverrides::*field;
  std::uint32_t minimum;
};

const std::array<TimingOption, 5> kOptions = {{
    {"pwm-frequency", "HZ", "PWM frequency in Hz (default 14400).", &MmiOverrides::pwmFrequency, 1},
    {"dead-time", "NS", "Inverter dead time in ns (default 800).", &MmiOverrides::deadTime, 0},
    {"sampling-time", "NS", "A/D sampling time in ns (default 700).", &MmiOverrides::samplingTime,
     0},
    {"rise-time", "NS", "Current-signal rise time in ns (default 2550).", &MmiOverrides::riseTime,
     0},
    {"noise-time", "NS", "Current-signal noise duration in ns, three shunts only (default 2550).",
     &MmiOverrides::noiseTime, 0},
}};

// A whole decimal number that fits 32 bits; no sign, no fraction.
std::optional<std::uint32_t> ParseCount(const QString &text) {
  static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
  if (!digits.match(text).hasMatch())
    return std::nullopt;
  bool ok = false;
  const qulonglong value = text.toULongLong(&ok);
  if (!ok || value > 0xFFFFFFFFull)
    return std::nullopt;
  return static_cast<std::uint32_t>(value);
}

} // namespace

MmiCommandLine ParseMmiCommandLine(const QStringList &arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Prints the maximum modulation index that single-shunt and three-shunt\n"
                     "current sensing allow, for the default timing or the one given."));
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  std::vector<QCommandLineOption> options;
  for (const TimingOption &o : kOptions) {
    options.emplace_back(QString::fromLatin1(o.name), QString::fromLatin1(o.description),
                         QString::fromLatin1(o.unit));
    parser.addOption(options.back());
  }

  MmiCommandLine result;
  if (!parser.parse(arguments)) {
    result.action = MmiCommandLine::Action::Fail;
    result.error = parser.errorText();
    return result;
  }
  // This program has no Qt-specific options worth listing: --help-all is --help.
  if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
    result.action = MmiCommandLine::Action::ShowHelp;
    result.helpText = parser.helpText();
    return result;
  }
  if (parser.isSet(version)) {
    result.action = MmiCommandLine::Action::ShowVersion;
    return result;
  }
  if (!parser.positionalArguments().isEmpty()) {
    result.action = MmiCommandLine::Action::Fail;
    result.error = QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments()[0]);
    return result;
  }

  for (std::size_t i = 0; i < kOptions.size(); ++i) {
    if (!parser.isSet(options[i]))
      continue;
    const QString text = parser.value(options[i]);
    const std::optional<std::uint32_t> value = ParseCount(text);
    if (!value || *value < kOptions[i].minimum) {
      result.action = MmiCommandLine::Action::Fail;
      result.error = QStringLiteral("invalid value '%1' for --%2: expected a whole number from %3 "
                                    "to 4294967295")
                         .arg(text, QString::fromLatin1(kOptions[i].name))
                         .arg(kOptions[i].minimum);
      return result;
    }
    result.overrides.*(kOptions[i].field) = *value;
  }
  return result;
}
