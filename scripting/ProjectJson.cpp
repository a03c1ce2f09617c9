#include "ProjectJson.h"

#include "ProgramLimits.h"
#include "SettingPath.h"
#include "SettingText.h"

#include "FileReplace.h"
#include "parvex/Model.h"
#include "parvex/Plausibility.h"
#include "parvex/Settings.h"
#include "torvio/RegularFile.h"
#include "torvio/platform/System.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <set>
#include <span>

namespace torvio::scripting {

namespace {

using parvex::Parameter;
using parvex::ParamKind;
using parvex::ParamPart;

struct PartName {
  const char *key;
  ParamPart part;
};
constexpr std::array<PartName, 4> kRangedParts = {{
    {"decimals", ParamPart::Decimals},
    {"max", ParamPart::Max},
    {"min", ParamPart::Min},
    {"value", ParamPart::Value},
}};

// The reserved areas of the record, in record order.
constexpr std::array<std::size_t, 4> kReservedOffsets = {
    offsetof(UserData, reserved44), offsetof(UserData, reserved620),
    offsetof(UserData, reserved996), offsetof(UserData, reserved1988)};
constexpr std::size_t kReservedSize = 4;
constexpr std::size_t kReservedBytes = kReservedOffsets.size() * kReservedSize;

std::span<const PartName> PartsOf(const Parameter &p) {
  if (p.HasRange())
    return kRangedParts;
  return std::span<const PartName>(kRangedParts).subspan(3); // "value"
}

bool IsReal(const Parameter &p) {
  return p.kind == ParamKind::Real || p.kind == ParamKind::Rate;
}

// A JSON string literal, quotes and escapes as the JSON library writes them.
std::string JsonString(const QString &text) {
  const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
  return std::string(array.constData() + 1, static_cast<std::size_t>(array.size()) - 2);
}

QJsonValue RealValue(double v) {
  // JSON numbers hold neither the values that are no number nor the sign
  // of zero.
  if (std::isnan(v))
    return QStringLiteral("nan");
  if (std::isinf(v))
    return v > 0 ? QStringLiteral("inf") : QStringLiteral("-inf");
  if (v == 0 && std::signbit(v))
    return QStringLiteral("-0");
  return v;
}

QJsonValue PartValue(const UserData &data, const Parameter &p, ParamPart part) {
  const double v = p.Read(data, part);
  if (IsReal(p))
    return RealValue(v);
  if (p.kind == ParamKind::Flag && (v == 0 || v == 1))
    return v == 1;
  return static_cast<qint64>(v); // 32-bit members: exact
}

std::string SettingLine(const UserData &data, const Parameter &p) {
  QJsonObject parts;
  for (const PartName &part : PartsOf(p))
    parts.insert(QLatin1String(part.key), PartValue(data, p, part.part));
  const QByteArray object = QJsonDocument(parts).toJson(QJsonDocument::Compact);
  std::string line = "    ";
  line += JsonString(QString::fromStdString(std::string(parvex::PathOf(p))));
  line += ": ";
  line.append(object.constData(), static_cast<std::size_t>(object.size()));
  return line;
}

std::string ReservedHex(const UserData &data) {
  static constexpr char kDigits[] = "0123456789abcdef";
  const auto *bytes = reinterpret_cast<const unsigned char *>(&data);
  std::string hex;
  bool any = false;
  for (std::size_t offset : kReservedOffsets)
    for (std::size_t i = 0; i < kReservedSize; ++i) {
      const unsigned char b = bytes[offset + i];
      any = any || b != 0;
      hex += kDigits[b >> 4];
      hex += kDigits[b & 15];
    }
  return any ? hex : std::string();
}

bool ReadReservedHex(const QString &text, UserData &data) {
  const QByteArray hex = text.toLatin1();
  if (text.size() != 2 * static_cast<qsizetype>(kReservedBytes) ||
      !std::all_of(hex.begin(), hex.end(), [](char c) { return std::isxdigit(c & 0xFF); }))
    return false;
  const QByteArray bytes = QByteArray::fromHex(hex);
  auto *record = reinterpret_cast<unsigned char *>(&data);
  for (std::size_t i = 0; i < kReservedBytes; ++i)
    record[kReservedOffsets[i / kReservedSize] + i % kReservedSize] =
        static_cast<unsigned char>(bytes[static_cast<qsizetype>(i)]);
  return true;
}

// A part read from JSON, or why it cannot be one.
struct PartRead {
  std::optional<double> value;
  std::string error;
};

PartRead IntegerPart(const QJsonValue &v, double lowest, double highest) {
  const double d = v.isDouble() ? v.toDouble() : std::nan("");
  if (!(d >= lowest && d <= highest) || d != std::trunc(d))
    return {std::nullopt,
            std::string("an integer from ") + ExactNumber(lowest) + " to " + ExactNumber(highest)};
  return {d, {}};
}

PartRead ReadPart(const Parameter &p, const QJsonValue &v) {
  constexpr double kWordMax = std::numeric_limits<std::uint32_t>::max();
  constexpr double kIntMin = std::numeric_limits<std::int32_t>::min();
  constexpr double kIntMax = std::numeric_limits<std::int32_t>::max();
  switch (p.kind) {
  case ParamKind::Flag:
    if (v.isBool())
      return {v.toBool() ? 1.0 : 0.0, {}};
    if (auto r = IntegerPart(v, 0, kWordMax); r.value)
      return r;
    return {std::nullopt, "true, false or an integer from 0 to 4294967295"};
  case ParamKind::Word:
  case ParamKind::Int:
    return IntegerPart(v, 0, kWordMax);
  case ParamKind::SignedInt:
    return IntegerPart(v, kIntMin, kIntMax);
  case ParamKind::Rate:
  case ParamKind::Real:
    break;
  }
  if (v.isDouble())
    return {v.toDouble(), {}};
  const QString s = v.toString();
  if (s == QLatin1String("nan"))
    return {std::numeric_limits<double>::quiet_NaN(), {}};
  if (s == QLatin1String("inf"))
    return {std::numeric_limits<double>::infinity(), {}};
  if (s == QLatin1String("-inf"))
    return {-std::numeric_limits<double>::infinity(), {}};
  if (s == QLatin1String("-0"))
    return {-0.0, {}};
  return {std::nullopt, "a number (or \"nan\", \"inf\", \"-inf\", \"-0\")"};
}

std::string Named(const std::string &path, const std::string &reason) {
  return path + ": " + reason;
}

// Reads one setting's parts into the record; every fault goes to `errors`.
void ReadSetting(const Parameter &p, const std::string &path, const QJsonValue &entry,
                 UserData &data, std::vector<std::string> &errors) {
  if (!entry.isObject()) {
    errors.push_back(Named(path, "not an object of the setting's parts"));
    return;
  }
  const QJsonObject parts = entry.toObject();
  const auto known = PartsOf(p);
  for (auto it = parts.begin(); it != parts.end(); ++it) {
    const std::string key = it.key().toStdString();
    if (std::none_of(known.begin(), known.end(),
                     [&key](const PartName &part) { return key == part.key; }))
      errors.push_back(Named(path, std::string("unknown part \"") + key + "\""));
  }
  for (const PartName &part : known) {
    const QJsonValue v = parts.value(QLatin1String(part.key));
    if (v.isUndefined()) {
      errors.push_back(Named(path, std::string("missing \"") + part.key + "\""));
      continue;
    }
    const PartRead read = ReadPart(p, v);
    if (!read.value) {
      errors.push_back(Named(path, std::string("\"") + part.key + "\" must be " + read.error));
      continue;
    }
    p.Write(data, *read.value, part.part);
  }
}

// The "mechanics" object: inertia (needed), friction and load torque.
std::optional<parvex::Mechanics> ReadMechanics(const QJsonValue &value,
                                               std::vector<std::string> &errors) {
  const std::size_t before = errors.size();
  if (!value.isObject()) {
    errors.push_back("\"mechanics\" must be an object of inertia, friction and loadTorque");
    return std::nullopt;
  }
  const QJsonObject o = value.toObject();
  parvex::Mechanics m;
  const std::pair<const char *, double *> parts[] = {
      {"inertia", &m.inertia}, {"friction", &m.friction}, {"loadTorque", &m.loadTorque}};
  for (auto it = o.begin(); it != o.end(); ++it)
    if (std::none_of(std::begin(parts), std::end(parts),
                     [&](const auto &p) { return it.key() == QLatin1String(p.first); }))
      errors.push_back("\"mechanics\": unknown part \"" + it.key().toStdString() + "\"");
  for (const auto &[key, target] : parts) {
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined() && std::string_view(key) != "inertia")
      continue;
    if (!v.isDouble())
      errors.push_back(std::string("\"mechanics\": \"") + key + "\" must be a number");
    else
      *target = v.toDouble();
  }
  if (errors.size() == before && !parvex::Usable(m))
    errors.push_back("\"mechanics\": the inertia must be above 0 and the friction not negative");
  return errors.size() == before ? std::optional<parvex::Mechanics>(m) : std::nullopt;
}

} // namespace

torvio::Result<std::string> ExportProjectJson(const UserData &data, const std::string &outputFolder,
                                              const std::optional<parvex::Mechanics> &mechanics) {
  const QString folder =
      QString::fromUtf8(outputFolder.data(), static_cast<qsizetype>(outputFolder.size()));
  if (folder.toUtf8() != QByteArray::fromStdString(outputFolder))
    return torvio::Failure{"The output folder is not UTF-8 text, which JSON cannot hold exactly."};
  std::vector<std::string> lines;
  for (const Parameter *p : SettingsInTreeOrder())
    lines.push_back(SettingLine(data, *p));
  std::sort(lines.begin(), lines.end());
  std::string text = "{\n";
  text += std::string("  \"format\": ") +
          JsonString(QString::fromUtf8(kJsonFormatName.data(), kJsonFormatName.size())) + ",\n";
  text += std::string("  \"version\": ") + std::to_string(kJsonFormatVersion) + ",\n";
  text += std::string("  \"outputFolder\": ") + JsonString(folder) + ",\n";
  if (mechanics) {
    const QJsonObject m = {{QStringLiteral("inertia"), RealValue(mechanics->inertia)},
                           {QStringLiteral("friction"), RealValue(mechanics->friction)},
                           {QStringLiteral("loadTorque"), RealValue(mechanics->loadTorque)}};
    const QByteArray object = QJsonDocument(m).toJson(QJsonDocument::Compact);
    text += std::string("  \"mechanics\": ") +
            std::string(object.constData(), static_cast<std::size_t>(object.size())) + ",\n";
  }
  if (const std::string reserved = ReservedHex(data); !reserved.empty())
    text += std::string("  \"reserved\": \"") + reserved + "\",\n";
  text += "  \"settings\": {\n";
  for (std::size_t i = 0; i < lines.size(); ++i) {
    text += lines[i];
    text += i + 1 < lines.size() ? ",\n" : "\n";
  }
  text += "  }\n}\n";
  return text;
}

JsonProject ImportProjectJson(std::string_view text) {
  JsonProject result;
  std::vector<std::string> &errors = result.errors;
  QJsonParseError parseError;
  const QJsonDocument document = QJsonDocument::fromJson(
      QByteArray(text.data(), static_cast<qsizetype>(text.size())), &parseError);
  if (parseError.error != QJsonParseError::NoError) {
    errors.push_back(std::string("not JSON: ") + parseError.errorString().toStdString() +
                     " at byte " + std::to_string(parseError.offset));
    return result;
  }
  if (!document.isObject()) {
    errors.push_back("not a TORVIO project: the JSON is no object");
    return result;
  }
  const QJsonObject root = document.object();
  const QString format = QString::fromUtf8(kJsonFormatName.data(), kJsonFormatName.size());
  if (root.value(QLatin1String("format")).toString() != format) {
    errors.push_back(std::string("not a TORVIO project: \"format\" is not \"") +
                     std::string(kJsonFormatName) + "\"");
    return result;
  }
  const QJsonValue version = root.value(QLatin1String("version"));
  const double v = version.isDouble() ? version.toDouble() : std::nan("");
  if (v != kJsonFormatVersion) {
    const std::string reads =
        std::string("; this TORVIO reads version ") + std::to_string(kJsonFormatVersion);
    if (v > kJsonFormatVersion && v == std::trunc(v))
      errors.push_back(std::string("format version ") + ExactNumber(v) +
                       " was written by a newer TORVIO, whose settings this one may not know" +
                       reads);
    else if (v == v && v == std::trunc(v))
      errors.push_back(std::string("format version ") + ExactNumber(v) +
                       " was never written by TORVIO (version 1 is the first)" + reads);
    else
      errors.push_back(std::string("\"version\" must be the format version, an integer") + reads);
    return result;
  }
  const std::set<QString> topLevel = {QStringLiteral("format"),       QStringLiteral("version"),
                                      QStringLiteral("outputFolder"), QStringLiteral("mechanics"),
                                      QStringLiteral("reserved"),     QStringLiteral("settings")};
  for (auto it = root.begin(); it != root.end(); ++it)
    if (!topLevel.count(it.key()))
      errors.push_back(std::string("\"") + it.key().toStdString() + "\": unknown entry");

  ProjectContents contents;
  contents.data = UserData{};
  const QJsonValue folder = root.value(QLatin1String("outputFolder"));
  if (!folder.isString())
    errors.push_back("\"outputFolder\" must be a string (empty for none)");
  else
    contents.outputDir = folder.toString().toUtf8().toStdString();
  if (const QJsonValue m = root.value(QLatin1String("mechanics")); !m.isUndefined())
    contents.mechanics = ReadMechanics(m, errors);
  const QJsonValue reserved = root.value(QLatin1String("reserved"));
  if (!reserved.isUndefined() &&
      !(reserved.isString() && ReadReservedHex(reserved.toString(), contents.data)))
    errors.push_back(std::string("\"reserved\" must be ") + std::to_string(2 * kReservedBytes) +
                     " hexadecimal digits");
  const QJsonValue settings = root.value(QLatin1String("settings"));
  if (!settings.isObject()) {
    errors.push_back("\"settings\" must be an object of settings by path");
    return result;
  }
  const QJsonObject byPath = settings.toObject();
  std::set<const Parameter *> seen;
  for (auto it = byPath.begin(); it != byPath.end(); ++it) {
    const std::string path = it.key().toStdString();
    const std::optional<SettingRef> setting = FindSetting(path);
    if (!setting || setting->part != ParamPart::Value) {
      errors.push_back(UnknownSettingText(path));
      continue;
    }
    seen.insert(setting->parameter);
    ReadSetting(*setting->parameter, path, it.value(), contents.data, errors);
  }
  for (const Parameter *p : SettingsInTreeOrder())
    if (!seen.count(p))
      errors.push_back(Named(std::string(parvex::PathOf(*p)), "missing"));
  if (!errors.empty())
    return result;
  errors = ForeignLimits(contents.data);
  UserData checked = contents.data;
  parvex::CheckConsistency(checked);
  // The values a user could not have entered: outside the limits the
  // program gives them (the defaults' with the check's couplings), or a flag
  // that is neither 0 nor 1.
  UserData limits{};
  PARVEX_SetDefault(&limits);
  for (const Parameter &p : parvex::Parameters())
    p.Write(limits, p.Read(contents.data));
  parvex::CheckConsistency(limits);
  UserData judged = contents.data;
  for (const Parameter &p : parvex::Parameters())
    if (p.HasRange())
      for (ParamPart part : {ParamPart::Min, ParamPart::Max, ParamPart::Decimals})
        p.Write(judged, p.Read(limits, part), part);
  for (const parvex::ImplausibleSetting &odd : parvex::FindImplausibleSettings(judged))
    errors.push_back(odd.text);
  if (!errors.empty())
    return result;
  result.recomputed = parvex::DiffSettings(contents.data, checked);
  contents.data = checked;
  result.project = std::move(contents);
  return result;
}

torvio::Status WriteProjectJson(const std::string &path, const UserData &data,
                                const std::string &outputFolder,
                                const std::optional<parvex::Mechanics> &mechanics) {
  const torvio::Result<std::string> json = ExportProjectJson(data, outputFolder, mechanics);
  if (!json)
    return torvio::Failure{json.error()};
  return ReplaceFile(path, *json);
}

JsonProject ReadProjectJson(const std::string &path) {
  JsonProject result;
  const RegularFile file = OpenRegularFile(path.c_str());
  if (file.notRegular) {
    result.errors.push_back("not a regular file: a folder, device or pipe holds no project");
    return result;
  }
  if (file.fd < 0) {
    result.errors.push_back(std::strerror(file.error));
    return result;
  }
  std::string bytes;
  const int error = ReadAtMost(file.fd, kMaxJsonFileSize + 1, bytes);
  CloseFile(file.fd);
  if (error != 0) {
    result.errors.push_back(std::strerror(error));
    return result;
  }
  if (bytes.size() > kMaxJsonFileSize) {
    result.errors.push_back(std::string("larger than any project's JSON (") +
                            std::to_string(kMaxJsonFileSize) + " bytes at most)");
    return result;
  }
  return ImportProjectJson(bytes);
}

} // namespace torvio::scripting
