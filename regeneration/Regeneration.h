// Regeneration that is safe for a firmware repository: the headers are
// generated into a private folder inside the output folder, compared with
// what is there, and only those that differ are moved over (an atomic
// rename each), so unchanged headers keep their time and builds stay
// incremental. A manifest remembers what TORVIO wrote, so that a header
// edited by hand since is found before it would be overwritten; the caller
// decides. One run at a time holds the folder's lock.
#pragma once

#include "FolderLock.h"
#include "Manifest.h"
#include "parvex/Generation.h"

#include <chrono>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace torvio {

enum class FileChange {
  Unchanged,   // the same bytes, the generation date aside (the build log:
               // the same settings): left as it is
  Updated,     // differs: replaced
  Created,     // absent: written
  NotProduced, // the generation made no file (its template was missing)
};

// "unchanged", "updated", "created", "not produced".
const char *ChangeName(FileChange change);

struct PlannedFile {
  std::string name;
  FileChange change = FileChange::NotProduced;
  int exitCode = 0;     // the header's exit code (0 for the build log)
  bool foreign = false; // on disk, but not what TORVIO last wrote there
  std::string before;   // the bytes on disk, when a regular file is there
  std::string after;    // the bytes generated
  // The build log only: the settings in which it differs from the one on
  // disk ("PATH: before -> after").
  std::vector<std::string> settingChanges;
};

struct PlacedFile {
  std::string name;
  std::string outcome; // "unchanged", "updated", "created", "kept", "not produced",
                       // "written", "written incompletely" or "not written (<reason>)"
  bool written = false;
};

// Write: generate to place the files. Preview: generate into a temporary
// folder elsewhere to compare only; nothing in the output folder is
// written, not even the lock.
enum class RegenerationMode { Write, Preview };

// What generates the files: parvex::Generate unless a test installs another.
using GenerateFunction = std::function<parvex::GenerationResult(
    const UserData &data, const std::string &templatesDir, const std::string &outputDir,
    const std::string &writeFolder)>;

class Regeneration {
public:
  // Generates the record's files for `outputDir` (a prefix ending with "/"),
  // waiting up to `patience` for the folder's lock. When the folder cannot
  // hold a private folder (missing, refusing writes), a Write run goes
  // straight into it as a plain generation does, with the same failures.
  Regeneration(const UserData &data, const std::string &templatesDir, const std::string &outputDir,
               RegenerationMode mode = RegenerationMode::Write,
               std::chrono::milliseconds patience = std::chrono::seconds(3),
               const GenerateFunction &generate = {});
  ~Regeneration();
  Regeneration(const Regeneration &) = delete;
  Regeneration &operator=(const Regeneration &) = delete;

  // Another run holds the folder: nothing was generated.
  bool Busy() const { return busy_; }
  // Generated straight into the folder: there is nothing left to place.
  bool Direct() const { return direct_; }
  const parvex::GenerationResult &Generation() const { return generation_; }
  // The nine headers, then the build log.
  const std::vector<PlannedFile> &Files() const { return files_; }
  // Why the manifest was not used, when it was not.
  const std::vector<std::string> &Warnings() const { return warnings_; }

  // Headers that would be replaced although they are not what TORVIO last
  // wrote (edited by hand, or in a folder TORVIO did not fill).
  std::vector<std::string> ForeignChanges() const;
  // The folder already holds what the record generates: every header
  // unchanged and the build log of the same settings (the folders and the
  // date it records aside), so that two machines, two working folders or two
  // spellings of one folder agree.
  bool UpToDate() const;
  // The files that differ from what the folder holds (what --check lists).
  std::vector<std::string> Differing() const;

  // Moves over every file that differs, except the headers named in `keep`,
  // and records what was written in the manifest. Once; never for a preview.
  std::vector<PlacedFile> Place(const std::set<std::string> &keep = {});

private:
  void Plan();

  std::string outputDir_;
  std::string privateDir_;
  std::optional<FolderLock> lock_; // none for a preview
  bool busy_ = false;
  bool direct_ = false;
  bool placed_ = false;
  bool preview_ = false;
  parvex::GenerationResult generation_;
  std::vector<PlannedFile> files_;
  std::vector<std::string> warnings_;
  std::optional<Manifest> manifest_;
};

// The lines a placement adds to the report: one per file, then the counts.
std::vector<parvex::ReportLine> PlacementReport(const std::vector<PlacedFile> &placed);

// A header's bytes with its generation dates taken out: the banner's
// "Www Mmm dd hh:mm:ss yyyy" lines, and BuildLog.xml's BuildDateTime.
std::string WithoutGenerationDates(std::string_view bytes);

// What a preview reports of a plan: the headers it would update, create and
// leave unchanged (the build log, new on every run, is not counted), and
// per file the unified diff of a real change (empty when the file is
// unchanged, not produced, or differs only by its generation dates).
struct PlanCounts {
  int updated = 0;
  int created = 0;
  int unchanged = 0;
};
PlanCounts CountPlan(const std::vector<PlannedFile> &files);
std::string PreviewDiff(const PlannedFile &file);

} // namespace torvio
