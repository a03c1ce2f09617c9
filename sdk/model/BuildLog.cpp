#include "BuildLog.h"

#include "LocalTime.h"
#include "parvex/Settings.h"
#include "torvio/platform/Files.h"

#include <new>
#include <string>

namespace parvex {

namespace {

using Word = std::uint32_t UserData::*;
using Rate = double UserData::*;
using Int = IntParam UserData::*;
using Signed = SignedIntParam UserData::*;
using Real = RealParam UserData::*;

class Writer {
public:
  explicit Writer(std::FILE *f) : f_(f) {}

  void Open(const char *name) {
    if (f_)
      std::fprintf(f_, "<%s %s>\n", name, "");
  }
  void Close(const char *name) {
    if (f_)
      std::fprintf(f_, "</%s>\n", name);
  }
  void Leaf(const char *name, const char *attributes, const char *value) {
    if (f_)
      std::fprintf(f_, "<%s %s>%s</%s>\n", name, attributes, value, name);
  }
  void Fixed(const char *name, double value, int decimals) {
    Leaf(name, "", Text("%.*f", decimals, value).c_str());
  }
  void Ranged(const char *name, double min, double value, double max, int decimals) {
    const std::string range = Text("min='%.*f' max='%.*f'", decimals, min, decimals, max);
    Leaf(name, range.c_str(), Text("%.*f", decimals, value).c_str());
  }

private:
  template <class... A>
  static std::string Text(const char *format, A... args) {
    const int n = std::snprintf(nullptr, 0, format, args...);
    std::string s(n > 0 ? static_cast<std::size_t>(n) : 0, '\0');
    std::snprintf(s.data(), s.size() + 1, format, args...);
    return s;
  }

  std::FILE *f_;
};

// Writes each element of the settings tree as one line.
class LogVisitor : public SettingsVisitor {
public:
  LogVisitor(Writer &w, const UserData &d) : w_(w), d_(d) {}

  void OpenGroup(const char *name) override { w_.Open(name); }
  void CloseGroup(const char *name) override { w_.Close(name); }
  void Leaf(const SettingLeaf &leaf) override {
    const Parameter &p = *leaf.parameter;
    switch (p.kind) {
    case ParamKind::Flag:
      w_.Leaf(leaf.name, "", d_.*std::get<Word>(p.member) != 0 ? "TRUE" : "FALSE");
      break;
    case ParamKind::Word:
      w_.Fixed(leaf.name, d_.*std::get<Word>(p.member), 0);
      break;
    case ParamKind::Rate:
      w_.Fixed(leaf.name, d_.*std::get<Rate>(p.member), 1);
      break;
    case ParamKind::Int:
      Ranged(leaf.name, d_.*std::get<Int>(p.member), 0);
      break;
    case ParamKind::SignedInt:
      Ranged(leaf.name, d_.*std::get<Signed>(p.member), 0);
      break;
    case ParamKind::Real: {
      const RealParam &r = d_.*std::get<Real>(p.member);
      Ranged(leaf.name, r, DecimalsShown(r.Decimals, DecimalsUse::Text));
      break;
    }
    }
  }

private:
  template <class P>
  void Ranged(const char *name, const P &p, int decimals) {
    w_.Ranged(name, p.Min, p.Value, p.Max, decimals);
  }

  Writer &w_;
  const UserData &d_;
};

} // namespace

int OpenBuildLog(BuildLog &log, const GenerateSourcesArgs &args) {
  try {
    return OpenBuildLog(log, args, args.outputDir ? args.outputDir : "");
  } catch (const std::bad_alloc &) {
    return 2;
  }
}

int OpenBuildLog(BuildLog &log, const GenerateSourcesArgs &args, const std::string &writeFolder) {
  std::string path;
  std::string written;
  try {
    path = std::string(args.outputDir ? args.outputDir : "") + "BuildLog.xml";
    written = writeFolder + "BuildLog.xml";
  } catch (const std::bad_alloc &) {
    return 2;
  }
  log.stream.reset();
  log.stream.reset(torvio::OpenFile(written.c_str(), "w"));
  Writer w(log.stream.get());
  w.Open("TORVIO");
  w.Open("ARGS");
  w.Leaf("TemplatesDir", "", args.templatesDir ? args.templatesDir : "");
  w.Leaf("BuildLogFile", "", path.c_str());
  const std::tm t = LocalNow();
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "%02d/%02d/%02d - %02d:%02d:%02d", t.tm_mon + 1, t.tm_mday,
                t.tm_year % 100, t.tm_hour, t.tm_min, t.tm_sec);
  w.Leaf("BuildDateTime", "", stamp);
  w.Close("ARGS");
  return 0;
}

int WriteBuildLogData(BuildLog &log, const UserData &d) {
  Writer w(log.stream.get());
  w.Open("FOCDATA");
  LogVisitor visitor(w, d);
  WalkSettings(d, SettingsScope::AsLogged, visitor);
  w.Close("FOCDATA");
  return 0;
}

bool CloseBuildLog(BuildLog &log) {
  std::FILE *f = log.stream.release();
  if (!f)
    return false;
  Writer(f).Close("TORVIO");
  const bool failed = std::ferror(f) != 0;
  return std::fclose(f) == 0 && !failed;
}

} // namespace parvex
