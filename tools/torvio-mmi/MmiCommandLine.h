// The command line of torvio-mmi: which timing settings override the defaults.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

struct MmiOverrides {
  std::optional<std::uint32_t> pwmFrequency; // Hz
  std::optional<std::uint32_t> deadTime;     // ns
  std::optional<std::uint32_t> samplingTime; // ns
  std::optional<std::uint32_t> riseTime;     // ns
  std::optional<std::uint32_t> noiseTime;    // ns
};

struct MmiCommandLine {
  enum class Action { Run, ShowHelp, ShowVersion, Fail };
  Action action = Action::Run;
  MmiOverrides overrides;
  QString error;    // for Fail
  QString helpText; // for ShowHelp
};

// Parses arguments (the program name first).
MmiCommandLine ParseMmiCommandLine(const QStringList &arguments);
