#include "parvex/AnalysisText.h"

#include "NumberText.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <vector>

namespace parvex::analysis {

namespace {

constexpr std::size_t kColumns = 7;
using Line = std::array<std::string, kColumns>;

std::string Written(const GainRow &row) {
  if (row.divisor == 1)
    return std::to_string(row.dividend);
  return std::to_string(row.dividend) + "/" + std::to_string(row.divisor);
}

std::string Error(double relative) {
  return std::isnan(relative) ? "-" : Significant(relative * 100.0, 2) + " %";
}

std::string QuantityText(const Quantity &q, int digits) {
  std::string text = q.name + " " + Significant(q.value, digits);
  if (q.imaginary != 0) {
    // Appended piece by piece: GCC 12 misreads "x" + std::string as an
    // overlapping copy in optimised builds.
    text += q.imaginary < 0 ? '-' : '+';
    text += Significant(std::fabs(q.imaginary), digits);
    text += 'j';
  }
  if (!q.unit.empty())
    text += " " + q.unit;
  return text;
}

std::string Physical(const GainRow &row, int digits) {
  std::string text;
  for (const Quantity &q : row.physical) {
    if (!text.empty())
      text += "; ";
    text += QuantityText(q, digits);
  }
  return text;
}

std::string Aligned(const std::vector<Line> &lines) {
  std::array<std::size_t, kColumns> width{};
  for (const Line &line : lines)
    for (std::size_t c = 0; c < kColumns; ++c)
      width[c] = std::max(width[c], line[c].size());
  std::string out;
  for (const Line &line : lines) {
    std::string text;
    for (std::size_t c = 0; c < kColumns; ++c) {
      text += line[c];
      // The last column is not padded.
      if (c + 1 < kColumns)
        text += std::string(width[c] - line[c].size() + 2, ' ');
    }
    while (!text.empty() && text.back() == ' ')
      text.pop_back();
    out += text + "\n";
  }
  return out;
}

// A figure's numbers for CSV: each one a name, a number (NaN when there is
// none) and its unit, so that a spreadsheet reads numbers, not text.
struct Number {
  std::string name;
  double value;
  const char *unit;
};

// One loop figure: its name, its text per loop, and its numbers.
struct Figure {
  const char *name;
  std::function<std::string(const LoopFigures &)> value;
  std::function<std::vector<Number>(const LoopFigures &)> numbers;
};

// A closed loop whose largest |T| does not exceed 1 has no resonance peak.
bool HasPeak(const LoopFigures &f) {
  return f.peakDb > 0;
}

std::string SettlingTime(double seconds) {
  // An unstable or still-ringing loop has no settling time to print.
  if (!std::isfinite(seconds))
    return "does not settle";
  return Significant(seconds * 1000.0, 4) + " ms";
}

const std::vector<Figure> &Figures() {
  constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
  static const std::vector<Figure> figures = {
      {"crossover", [](const LoopFigures &f) { return Significant(f.crossover, 5) + " rad/s"; },
       [](const LoopFigures &f) {
         return std::vector<Number>{{"crossover", f.crossover, "rad/s"}};
       }},
      {"phase margin", [](const LoopFigures &f) { return Significant(f.phaseMargin, 3) + " deg"; },
       [](const LoopFigures &f) {
         return std::vector<Number>{{"phase margin", f.phaseMargin, "deg"}};
       }},
      {"largest closed-loop pole",
       [](const LoopFigures &f) {
         return Significant(f.spectralRadius, 4) + (f.stable ? " (stable)" : " (unstable)");
       },
       [](const LoopFigures &f) {
         return std::vector<Number>{{"largest closed-loop pole", f.spectralRadius, ""},
                                    {"stable", f.stable ? 1.0 : 0.0, ""}};
       }},
      {"bandwidth -3 dB",
       [](const LoopFigures &f) { return Significant(f.bandwidth, 5) + " rad/s"; },
       [](const LoopFigures &f) {
         return std::vector<Number>{{"bandwidth -3 dB", f.bandwidth, "rad/s"}};
       }},
      {"resonance peak",
       [](const LoopFigures &f) {
         if (!HasPeak(f))
           return std::string("none");
         return Significant(f.peakDb, 3) + " dB at " + Significant(f.peakFrequency, 4) + " rad/s";
       },
       [](const LoopFigures &f) {
         const bool peak = HasPeak(f);
         return std::vector<Number>{
             {"resonance peak", peak ? f.peakDb : kNone, "dB"},
             {"resonance frequency", peak ? f.peakFrequency : kNone, "rad/s"}};
       }},
      {"reference step",
       [](const LoopFigures &f) {
         return Significant(f.stepAmps, 4) + " A (" + std::to_string(f.stepCounts) + " counts)";
       },
       [](const LoopFigures &f) {
         return std::vector<Number>{
             {"reference step", f.stepAmps, "A"},
             {"reference step counts", static_cast<double>(f.stepCounts), "counts"}};
       }},
      {"overshoot", [](const LoopFigures &f) { return Percent(f.overshoot); },
       [](const LoopFigures &f) {
         return std::vector<Number>{{"overshoot", f.overshoot * 100.0, "%"}};
       }},
      {"settling time 2 %", [](const LoopFigures &f) { return SettlingTime(f.settlingTime); },
       [](const LoopFigures &f) {
         return std::vector<Number>{{"settling time 2 %", f.settlingTime * 1000.0, "ms"}};
       }},
      {"voltage saturation", [](const LoopFigures &f) { return f.saturates ? "yes" : "no"; },
       [](const LoopFigures &f) {
         return std::vector<Number>{{"voltage saturation", f.saturates ? 1.0 : 0.0, ""}};
       }},
  };
  return figures;
}

// A number as a CSV field: every digit worth having, empty for none.
std::string CsvNumber(double v) {
  return std::isfinite(v) ? Significant(v, 9) : std::string();
}

std::string LoopTable(const ControllerAnalysis &a) {
  const Scaling &s = a.scaling;
  std::string out = "Current loops: Ts " + Significant(s.controlPeriod * 1e6, 4) + " us, wc " +
                    Significant(s.cutOff, 5) + " rad/s, voltage limit " +
                    Significant(s.voltageLimit, 4) + " V (" + std::to_string(s.voltageLimitCounts) +
                    " counts), " + Significant(s.currentCountsPerAmp, 5) + " counts/A, " +
                    Significant(s.voltageCountsPerVolt, 5) + " counts/V\n";
  std::vector<std::vector<std::string>> columns;
  std::vector<std::string> names = {""};
  for (const Figure &figure : Figures())
    names.push_back(figure.name);
  columns.push_back(names);
  for (const LoopFigures &loop : a.loops) {
    std::vector<std::string> column = {loop.axis};
    for (const Figure &figure : Figures())
      column.push_back(loop.analysed ? figure.value(loop) : "-");
    columns.push_back(column);
  }
  std::vector<std::size_t> width;
  for (const auto &column : columns) {
    std::size_t w = 0;
    for (const std::string &cell : column)
      w = std::max(w, cell.size());
    width.push_back(w);
  }
  for (std::size_t r = 0; r < names.size(); ++r) {
    std::string text;
    for (std::size_t c = 0; c < columns.size(); ++c)
      text += columns[c][r] + (c + 1 < columns.size()
                                   ? std::string(width[c] - columns[c][r].size() + 2, ' ')
                                   : std::string());
    while (!text.empty() && text.back() == ' ')
      text.pop_back();
    out += text + "\n";
  }
  for (const LoopFigures &loop : a.loops)
    out += loop.axis + ": " + LevelText(loop.level, loop.reason) + "\n";
  return out;
}

// One speed-loop figure: its name, its text, and its numbers.
struct SpeedFigure {
  const char *name;
  std::function<std::string(const SpeedLoopFigures &)> value;
  std::function<std::vector<Number>(const SpeedLoopFigures &)> numbers;
};

std::string Seconds(double seconds) {
  return std::isfinite(seconds) ? Significant(seconds * 1000.0, 4) + " ms" : "does not settle";
}

const std::vector<SpeedFigure> &SpeedFigures() {
  constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
  using F = SpeedLoopFigures;
  using N = std::vector<Number>;
  static const std::vector<SpeedFigure> figures = {
      {"crossover", [](const F &f) { return Significant(f.crossover, 5) + " rad/s"; },
       [](const F &f) {
         return N{{"crossover", f.crossover, "rad/s"}};
       }},
      {"phase margin", [](const F &f) { return Significant(f.phaseMargin, 3) + " deg"; },
       [](const F &f) {
         return N{{"phase margin", f.phaseMargin, "deg"}};
       }},
      {"largest closed-loop pole",
       [](const F &f) {
         return Significant(f.spectralRadius, 4) + (f.stable ? " (stable)" : " (unstable)");
       },
       [](const F &f) {
         return N{{"largest closed-loop pole", f.spectralRadius, ""},
                  {"stable", f.stable ? 1.0 : 0.0, ""}};
       }},
      {"bandwidth -3 dB", [](const F &f) { return Significant(f.bandwidth, 5) + " rad/s"; },
       [](const F &f) {
         return N{{"bandwidth -3 dB", f.bandwidth, "rad/s"}};
       }},
      {"resonance peak",
       [](const F &f) {
         return f.peakDb > 0 ? Significant(f.peakDb, 3) + " dB at " +
                                   Significant(f.peakFrequency, 4) + " rad/s"
                             : std::string("none");
       },
       [](const F &f) {
         const bool peak = f.peakDb > 0;
         return N{{"resonance peak", peak ? f.peakDb : kNone, "dB"},
                  {"resonance frequency", peak ? f.peakFrequency : kNone, "rad/s"}};
       }},
      {"speed step", [](const F &f) { return Significant(f.stepRpm, 6) + " rpm"; },
       [](const F &f) {
         return N{{"speed step", f.stepRpm, "rpm"}};
       }},
      {"overshoot", [](const F &f) { return Percent(f.overshoot); },
       [](const F &f) {
         return N{{"overshoot", f.overshoot * 100.0, "%"}};
       }},
      {"settling time 2 %", [](const F &f) { return Seconds(f.settlingTime); },
       [](const F &f) {
         return N{{"settling time 2 %", f.settlingTime * 1000.0, "ms"}};
       }},
      {"load step",
       [](const F &f) {
         if (f.mechanics.loadTorque == 0)
           return std::string("none");
         return Significant(f.mechanics.loadTorque, 4) + " N m at " + Seconds(f.loadTime) +
                ": the speed drops " + Significant(f.loadDrop, 4) + " rpm";
       },
       [](const F &f) {
         return N{{"load torque", f.mechanics.loadTorque, "N m"},
                  {"load time", f.loadTime * 1000.0, "ms"},
                  {"speed drop under load", f.loadDrop, "rpm"}};
       }},
      {"peak q current", [](const F &f) { return Significant(f.peakCurrent, 4) + " A"; },
       [](const F &f) {
         return N{{"peak q current", f.peakCurrent, "A"}};
       }},
      {"current limit reached", [](const F &f) { return f.saturates ? "yes" : "no"; },
       [](const F &f) {
         return N{{"current limit reached", f.saturates ? 1.0 : 0.0, ""}};
       }},
  };
  return figures;
}

std::string SpeedHead(const SpeedLoopFigures &f) {
  const Mechanics &m = f.mechanics;
  return "Speed loop: period " + Significant(f.period * 1000.0, 4) + " ms, Kt " +
         Significant(f.torqueConstant, 5) + " N m/A, J " + Significant(m.inertia, 5) +
         " kg m^2, B " + Significant(m.friction, 5) + " N m s/rad, current limit " +
         Significant(f.currentLimit, 4) + " A; the q current loop acts as a delay of " +
         Significant(f.innerDelay * 1e6, 4) + " us\n";
}

std::string SpeedTable(const SpeedLoopFigures &f) {
  std::string out;
  if (f.analysed) {
    out += SpeedHead(f);
    std::size_t width = 0;
    for (const SpeedFigure &figure : SpeedFigures())
      width = std::max(width, std::string(figure.name).size());
    for (const SpeedFigure &figure : SpeedFigures())
      out += figure.name + std::string(width - std::string(figure.name).size() + 2, ' ') +
             figure.value(f) + "\n";
  }
  out += "speed loop: " + LevelText(f.level, f.reason) + "\n";
  return out;
}

// The speed loop is shown only when it was asked for: with mechanics.
bool SpeedShown(const ControllerAnalysis &a) {
  return a.speed.analysed || !a.speed.reason.empty();
}

} // namespace

std::vector<std::string> SpeedFigureNames() {
  std::vector<std::string> names;
  for (const SpeedFigure &figure : SpeedFigures())
    names.push_back(figure.name);
  return names;
}

std::vector<std::string> SpeedFigureValues(const SpeedLoopFigures &speed) {
  std::vector<std::string> values;
  for (const SpeedFigure &figure : SpeedFigures())
    values.push_back(speed.analysed ? figure.value(speed) : "-");
  return values;
}

std::string SpeedLoopHead(const SpeedLoopFigures &speed) {
  return speed.analysed ? SpeedHead(speed) : std::string();
}

std::string SpeedDesignText(const SpeedDesign &d, const UserData &record) {
  if (!d.designed)
    return "Speed gains not designed: " + d.why + "\n";
  const auto quotient = [](std::int64_t dividend, std::int64_t divisor) {
    return std::to_string(dividend) + "/" + std::to_string(divisor);
  };
  const auto exact = [](double quotient) { return Significant(quotient, 6); };
  const double pWritten =
      static_cast<double>(d.gains.pDividend) / static_cast<double>(d.gains.pDivisor);
  const double iWritten =
      static_cast<double>(d.gains.iDividend) / static_cast<double>(d.gains.iDivisor);
  std::vector<Line> lines;
  lines.push_back({"Speed gain", "Exact", "Written", "Error", "Physical", "Replaces", ""});
  lines.push_back({"proportional (SP_KPDIV)", exact(pWritten / (1.0 + d.proportionalError)),
                   quotient(d.gains.pDividend, d.gains.pDivisor), Error(d.proportionalError),
                   "Kp " + Significant(d.written.kp, 6) + " A/(rad/s)",
                   quotient(record.SpeedPDividend.Value, record.SpeedPDivisor.Value), ""});
  lines.push_back({"integral (SP_KIDIV)", exact(iWritten / (1.0 + d.integralError)),
                   quotient(d.gains.iDividend, d.gains.iDivisor), Error(d.integralError),
                   "Ki " + Significant(d.written.ki, 6) + " A/(rad/s*s)",
                   quotient(record.SpeedIDividend.Value, record.SpeedIDivisor.Value), ""});
  return "Speed gains designed for a crossover at " + Significant(d.bandwidth, 5) +
         " rad/s, the PI's zero a factor 4 below it (" + Significant(d.bandwidth / 4.0, 5) +
         " rad/s):\n" + Aligned(lines) + "The written gains give a crossover at " +
         Significant(d.crossover, 5) + " rad/s and a phase margin of " +
         Significant(d.phaseMargin, 3) + " deg.\n";
}

std::string WrittenText(const GainRow &row) {
  return Written(row);
}

std::string ErrorText(const GainRow &row) {
  return Error(row.relativeError);
}

std::string PhysicalText(const GainRow &row) {
  return Physical(row, 6);
}

std::string LevelText(Level level, const std::string &reason) {
  return reason.empty() ? LevelName(level) : std::string(LevelName(level)) + ": " + reason;
}

std::vector<std::string> LoopFigureNames() {
  std::vector<std::string> names;
  for (const Figure &figure : Figures())
    names.push_back(figure.name);
  return names;
}

std::vector<std::string> LoopFigureValues(const LoopFigures &loop) {
  std::vector<std::string> values;
  for (const Figure &figure : Figures())
    values.push_back(loop.analysed ? figure.value(loop) : "-");
  return values;
}

std::string AnalysisTable(const ControllerAnalysis &a) {
  std::vector<Line> lines;
  lines.push_back({"Quantity", "Header / definition", "Exact", "Written", "Error", "Physical value",
                   "Level / reason"});
  for (const GainRow &row : a.rows)
    lines.push_back({row.quantity, row.header + ": " + row.definitions, Significant(row.exact, 6),
                     Written(row), Error(row.relativeError), Physical(row, 6),
                     LevelText(row.level, row.reason)});
  std::string out = Aligned(lines) + "\n" + LoopTable(a);
  if (SpeedShown(a))
    out += "\n" + SpeedTable(a.speed);
  return out;
}

std::string CsvField(const std::string &text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos)
    return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"')
      quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

std::string AnalysisCsv(const ControllerAnalysis &a) {
  std::string out;
  const auto line = [&out](const std::vector<std::string> &fields) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
      if (i)
        out += ',';
      out += CsvField(fields[i]);
    }
    out += "\r\n";
  };
  // One line per number: a gain row once per physical value it has, a loop
  // once per figure, then once for its level.
  line({"quantity", "header", "definitions", "exact", "written", "relative error", "physical",
        "value", "unit", "level", "reason"});
  for (const GainRow &row : a.rows) {
    const std::vector<std::string> gain = {row.quantity,    row.header,
                                           row.definitions, CsvNumber(row.exact),
                                           Written(row),    CsvNumber(row.relativeError)};
    for (const Quantity &q : row.physical) {
      // A complex value (an observer pole) takes a line per part.
      std::vector<Number> parts = {{q.name, q.value, q.unit.c_str()}};
      if (q.imaginary != 0)
        parts = {{q.name + " (real part)", q.value, q.unit.c_str()},
                 {q.name + " (imaginary part)", q.imaginary, q.unit.c_str()}};
      for (const Number &n : parts) {
        std::vector<std::string> fields = gain;
        fields.insert(fields.end(),
                      {n.name, CsvNumber(n.value), n.unit, LevelName(row.level), row.reason});
        line(fields);
      }
    }
  }
  for (const LoopFigures &loop : a.loops) {
    const std::string subject = loop.axis + " current loop";
    if (loop.analysed)
      for (const Figure &figure : Figures())
        for (const Number &n : figure.numbers(loop))
          line({subject, "", "", "", "", "", n.name, CsvNumber(n.value), n.unit, "", ""});
    line({subject, "", "", "", "", "", "", "", "", LevelName(loop.level), loop.reason});
  }
  if (SpeedShown(a)) {
    const SpeedLoopFigures &f = a.speed;
    const std::string subject = "speed loop";
    if (f.analysed) {
      const std::vector<Number> setting = {{"period", f.period * 1000.0, "ms"},
                                           {"torque constant", f.torqueConstant, "N m/A"},
                                           {"inertia", f.mechanics.inertia, "kg m^2"},
                                           {"friction", f.mechanics.friction, "N m s/rad"},
                                           {"current limit", f.currentLimit, "A"},
                                           {"q loop as a delay", f.innerDelay * 1e6, "us"}};
      for (const Number &n : setting)
        line({subject, "", "", "", "", "", n.name, CsvNumber(n.value), n.unit, "", ""});
      for (const SpeedFigure &figure : SpeedFigures())
        for (const Number &n : figure.numbers(f))
          line({subject, "", "", "", "", "", n.name, CsvNumber(n.value), n.unit, "", ""});
    }
    line({subject, "", "", "", "", "", "", "", "", LevelName(f.level), f.reason});
  }
  return out;
}

} // namespace parvex::analysis
