#include "Regeneration.h"

#include "BuildLogSettings.h"
#include "GeneratedFiles.h"
#include "Sha256.h"
#include "UnifiedDiff.h"
#include "torvio/RegularFile.h"
#include "torvio/platform/System.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <regex>

namespace torvio {

namespace {

constexpr std::size_t kMostBytes = 64u << 20;

// The bytes of the regular file at `path`; empty when there is none (a
// link or anything else is not read: it is not what TORVIO writes).
std::optional<std::string> ReadRegular(const std::string &path) {
  if (KindOf(path.c_str()) != PathKind::Regular)
    return std::nullopt;
  const RegularFile file = OpenRegularFile(path.c_str());
  if (file.fd < 0)
    return std::nullopt;
  // A failed read leaves what came, which then differs from any header.
  std::string bytes;
  ReadAtMost(file.fd, kMostBytes + 1, bytes);
  CloseFile(file.fd);
  return bytes;
}

bool Exists(const std::string &path) {
  return KindOf(path.c_str()) != PathKind::None;
}

// Writes `bytes` as `folder` + `name`; true when complete.
bool WriteFile(const std::string &path, const std::string &bytes) {
  std::FILE *f = OpenFile(path.c_str(), "wb");
  if (!f)
    return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && written;
}

} // namespace

const char *ChangeName(FileChange change) {
  switch (change) {
  case FileChange::Unchanged:
    return "unchanged";
  case FileChange::Updated:
    return "updated";
  case FileChange::Created:
    return "created";
  case FileChange::NotProduced:
    break;
  }
  return "not produced";
}

std::string WithoutGenerationDates(std::string_view bytes) {
  static const std::regex banner("^[A-Z][a-z]{2} [A-Z][a-z]{2} [0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2} "
                                 "[0-9]+$");
  static const std::regex buildDate("^<BuildDateTime >[^<]*</BuildDateTime>$");
  std::string out;
  out.reserve(bytes.size());
  while (!bytes.empty()) {
    const std::size_t end = bytes.find('\n');
    const std::size_t n = end == std::string_view::npos ? bytes.size() : end;
    // A file written on Windows ends its lines in CR LF: the CR is kept but
    // not matched, so its dates are masked as on LF lines.
    const std::string_view whole = bytes.substr(0, n);
    const bool cr = !whole.empty() && whole.back() == '\r';
    const std::string_view line = cr ? whole.substr(0, n - 1) : whole;
    // Cheap tests first: a banner line is 24 or more characters, and no
    // other line is matched at all.
    const bool bannerLike = line.size() >= 24 && line.size() <= 32 && line[3] == ' ';
    const bool dateLike = line.rfind("<BuildDateTime >", 0) == 0;
    if ((bannerLike && std::regex_match(line.begin(), line.end(), banner)) ||
        (dateLike && std::regex_match(line.begin(), line.end(), buildDate))) {
      out += "<generation date>";
      if (cr)
        out += '\r';
    } else {
      out += whole;
    }
    if (end != std::string_view::npos)
      out += '\n';
    bytes.remove_prefix(end == std::string_view::npos ? n : n + 1);
  }
  return out;
}

Regeneration::Regeneration(const UserData &data, const std::string &templatesDir,
                           const std::string &outputDir, RegenerationMode mode,
                           std::chrono::milliseconds patience, const GenerateFunction &generate)
    : outputDir_(outputDir), preview_(mode == RegenerationMode::Preview) {
  const auto run = [&](const std::string &writeFolder) {
    generation_ = generate ? generate(data, templatesDir, outputDir, writeFolder)
                           : parvex::Generate(data, templatesDir, outputDir, {}, writeFolder);
  };
  if (preview_) {
    std::string pattern = TemporaryFolder() + "/torvio-preview-XXXXXX";
    if (!MakeFreshFolder(pattern)) {
      generation_.lines.push_back({std::string("Cannot make a temporary folder for the preview: ") +
                                       std::strerror(errno) + ". Nothing was generated.",
                                   parvex::Severity::Error});
      generation_.errors = 1;
      return;
    }
    privateDir_ = pattern + "/";
    run(privateDir_);
    Plan();
    return;
  }
  lock_.emplace(outputDir, patience);
  if (lock_->Busy()) {
    busy_ = true;
    generation_.lines.push_back({std::string("Output Dir : ") + outputDir +
                                     " is busy: " + lock_->Reason() + ". Nothing was generated.",
                                 parvex::Severity::Error});
    generation_.errors = 1;
    return;
  }
  std::string pattern = outputDir + ".torvio-generating-XXXXXX";
  if (!lock_->Held() || !MakeFreshFolder(pattern)) {
    // The folder cannot hold a private one: a plain run, which reports why
    // each file could not be written.
    direct_ = true;
    run({});
    return;
  }
  privateDir_ = pattern + "/";
  run(privateDir_);
  Plan();
}

Regeneration::~Regeneration() {
  if (privateDir_.empty())
    return;
  for (const char *name : kGeneratedFiles)
    RemoveFile((privateDir_ + name).c_str());
  RemoveFile((privateDir_ + kManifestName).c_str());
  RemoveFolder(privateDir_.c_str());
}

void Regeneration::Plan() {
  std::string warning;
  manifest_ = ReadManifest(outputDir_, warning);
  if (!warning.empty())
    warnings_.push_back(warning);
  for (std::size_t i = 0; i < kGeneratedFiles.size(); ++i) {
    PlannedFile f;
    f.name = kGeneratedFiles[i];
    if (i < generation_.headers.size())
      f.exitCode = generation_.headers[i].exitCode;
    const std::optional<std::string> after = ReadRegular(privateDir_ + f.name);
    const std::optional<std::string> before = ReadRegular(outputDir_ + f.name);
    const bool present = Exists(outputDir_ + f.name);
    if (before)
      f.before = *before;
    // A header that broke off is placed as the generation left it, as a
    // plain run leaves it: its errors are in the report.
    if (!after) {
      f.change = FileChange::NotProduced;
    } else {
      f.after = *after;
      if (f.name == kBuildLogName && before)
        f.settingChanges = BuildLogSettingDifferences(*before, *after);
      if (!present)
        f.change = FileChange::Created;
      else if (f.name == kBuildLogName
                   ? before && f.settingChanges.empty()
                   : before && WithoutGenerationDates(*before) == WithoutGenerationDates(*after))
        f.change = FileChange::Unchanged;
      else
        f.change = FileChange::Updated;
    }
    // Not what TORVIO last wrote: a manifest says what that was; without
    // one, any file that differs from what would be written counts. The
    // build log is TORVIO's own record and is always written.
    if (present && f.change == FileChange::Updated && f.name != kBuildLogName) {
      if (!before)
        f.foreign = true;
      else if (manifest_ && manifest_->sums.count(f.name))
        f.foreign = Sha256Hex(*before) != manifest_->sums.at(f.name);
      else
        f.foreign = true;
    }
    files_.push_back(std::move(f));
  }
}

std::vector<std::string> Regeneration::ForeignChanges() const {
  std::vector<std::string> names;
  for (const PlannedFile &f : files_)
    if (f.foreign && f.name != kBuildLogName)
      names.push_back(f.name);
  return names;
}

bool Regeneration::UpToDate() const {
  return !busy_ && !direct_ && Differing().empty();
}

std::vector<std::string> Regeneration::Differing() const {
  std::vector<std::string> names;
  for (const PlannedFile &f : files_)
    if (f.change != FileChange::Unchanged)
      names.push_back(f.name);
  return names;
}

std::vector<PlacedFile> Regeneration::Place(const std::set<std::string> &keep) {
  std::vector<PlacedFile> placed;
  if (placed_ || busy_ || preview_)
    return placed;
  placed_ = true;
  if (direct_) {
    for (const parvex::GeneratedHeader &h : generation_.headers)
      placed.push_back({h.name,
                        h.exitCode == 0 ? "written"
                        : h.created     ? "written incompletely"
                                        : "not written",
                        h.created});
    placed.push_back({kBuildLogName, generation_.buildLogWritten ? "written" : "not written",
                      generation_.buildLogWritten});
    return placed;
  }
  Manifest written;
  for (const PlannedFile &f : files_) {
    PlacedFile p{f.name, {}, false};
    const auto previous = [&] {
      if (manifest_ && manifest_->sums.count(f.name))
        written.sums[f.name] = manifest_->sums.at(f.name);
    };
    if (f.change == FileChange::NotProduced) {
      p.outcome = f.name == kBuildLogName ? "not written" : "not produced";
      previous();
    } else if (f.change == FileChange::Unchanged && f.name != kBuildLogName) {
      p.outcome = "unchanged";
      written.sums[f.name] = Sha256Hex(f.before);
    } else if (keep.count(f.name) && f.name != kBuildLogName) {
      p.outcome = "kept";
      previous();
    } else if (RenameOver((privateDir_ + f.name).c_str(), (outputDir_ + f.name).c_str())) {
      // The rename replaces a link or any file by a regular file in the
      // folder; nothing is written through a link.
      p.outcome = f.name == kBuildLogName           ? "written"
                  : f.change == FileChange::Created ? "created"
                                                    : "updated";
      p.written = true;
      written.sums[f.name] = Sha256Hex(f.after);
    } else {
      p.outcome = std::string("not written (") + std::strerror(errno) + ")";
      previous();
    }
    placed.push_back(std::move(p));
  }
  const std::string manifest = privateDir_ + kManifestName;
  if (WriteFile(manifest, ManifestText(written)))
    RenameOver(manifest.c_str(), (outputDir_ + kManifestName).c_str());
  return placed;
}

std::vector<parvex::ReportLine> PlacementReport(const std::vector<PlacedFile> &placed) {
  std::vector<parvex::ReportLine> lines;
  int updated = 0, created = 0, unchanged = 0, kept = 0, failed = 0;
  for (const PlacedFile &p : placed) {
    const bool bad = p.outcome.rfind("not written", 0) == 0 || p.outcome == "written incompletely";
    const bool notable = p.outcome == "kept" || p.outcome == "not produced";
    lines.push_back({p.name + " : " + p.outcome, bad       ? parvex::Severity::Error
                                                 : notable ? parvex::Severity::Warning
                                                           : parvex::Severity::Information});
    updated += p.outcome == "updated";
    created += p.outcome == "created";
    unchanged += p.outcome == "unchanged";
    kept += p.outcome == "kept";
    failed += bad;
  }
  std::string counts = std::string("Files: ") + std::to_string(updated) + " updated, " +
                       std::to_string(created) + " created, " + std::to_string(unchanged) +
                       " unchanged";
  if (kept > 0)
    counts += std::string(", ") + std::to_string(kept) + " kept";
  if (failed > 0)
    counts += std::string(", ") + std::to_string(failed) + " not written";
  lines.push_back(
      {counts + ".", failed > 0 ? parvex::Severity::Error : parvex::Severity::Information});
  return lines;
}

PlanCounts CountPlan(const std::vector<PlannedFile> &files) {
  PlanCounts counts;
  for (const PlannedFile &f : files) {
    if (f.name == kBuildLogName)
      continue;
    counts.updated += f.change == FileChange::Updated;
    counts.created += f.change == FileChange::Created;
    counts.unchanged += f.change == FileChange::Unchanged;
  }
  return counts;
}

std::string PreviewDiff(const PlannedFile &file) {
  const bool changes = file.change == FileChange::Updated || file.change == FileChange::Created;
  if (!changes || WithoutGenerationDates(file.before) == WithoutGenerationDates(file.after))
    return {};
  return UnifiedDiff(file.before, file.after, file.name);
}

} // namespace torvio
