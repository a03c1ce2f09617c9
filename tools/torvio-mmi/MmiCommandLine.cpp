#include "MmiCommandLine.h"

#include <QCommandLineParser>
#include <QRegularExpression>

#include "parvex.h"
#include "parvex/Edits.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <span>
#include <vector>

namespace {

// What an option accepts: the limits of its field in the default record
// (what the pages accept), or, for the sampling time, the choices of its
// list.
struct TimingOption {
  const char *name;
  const char *unit;
  const char *description;
  std::optional<std::uint32_t> MmiOverrides::*field;
  IntParam UserData::*limits; // null: one of the sampling time's list
};

std::span<const parvex::Choice> SamplingTimes() {
  return parvex::ListChoices(
      *parvex::FindParameter(parvex::ParamMember(&UserData::ADConverterSamplingTime)));
}

const std::array<TimingOption, 5> kOptions = {{
    {"pwm-frequency", "HZ", "PWM frequency in Hz (default 14400)", &MmiOverrides::pwmFrequency,
     &UserData::PWMFrequency},
    {"dead-time", "NS", "Inverter dead time in ns (default 800)", &MmiOverrides::deadTime,
     &UserData::DeadTime},
    {"sampling-time", "NS", "A/D sampling time in ns (default 700)", &MmiOverrides::samplingTime,
     nullptr},
    {"rise-time", "NS", "Current-signal rise time in ns (default 2550)", &MmiOverrides::riseTime,
     &UserData::Trise},
    {"noise-time", "NS", "Current-signal noise duration in ns, three shunts only (default 2550)",
     &MmiOverrides::noiseTime, &UserData::Tnoise},
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

QString Accepted(const TimingOption &o, const UserData &defaults) {
  if (!o.limits) {
    // "200, 700, 1200 or 2450"
    QString items;
    const auto times = SamplingTimes();
    for (std::size_t i = 0; i < times.size(); ++i) {
      if (i > 0)
        items += i + 1 == times.size() ? QStringLiteral(" or ") : QStringLiteral(", ");
      items += QString::number(times[i].stored);
    }
    return items;
  }
  return QStringLiteral("a whole number from %1 to %2")
      .arg((defaults.*o.limits).Min)
      .arg((defaults.*o.limits).Max);
}

bool WithinLimits(const TimingOption &o, const UserData &defaults, std::uint32_t v) {
  if (!o.limits)
    return std::ranges::any_of(SamplingTimes(),
                               [v](const parvex::Choice &c) { return c.stored == v; });
  return v >= (defaults.*o.limits).Min && v <= (defaults.*o.limits).Max;
}

} // namespace

MmiCommandLine ParseMmiCommandLine(const QStringList &arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Prints the maximum modulation index that single-shunt and three-shunt\n"
                     "current sensing allow, for the default timing or the one given."));
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  UserData defaults{};
  PARVEX_SetDefault(&defaults);
  std::vector<QCommandLineOption> options;
  for (const TimingOption &o : kOptions) {
    options.emplace_back(
        QString::fromLatin1(o.name),
        QStringLiteral("%1: %2.").arg(QLatin1String(o.description), Accepted(o, defaults)),
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
    if (!value || !WithinLimits(kOptions[i], defaults, *value)) {
      result.action = MmiCommandLine::Action::Fail;
      result.error =
          QStringLiteral("invalid value '%1' for --%2: expected %3")
              .arg(text, QString::fromLatin1(kOptions[i].name), Accepted(kOptions[i], defaults));
      return result;
    }
    result.overrides.*(kOptions[i].field) = *value;
  }
  return result;
}
