// The status bar's refresh (every 1.5 s) with a project whose output folder
// is a megabyte long: reading the folder, shortening it, showing it. The
// shortening was quadratic and froze the window; it must stay far below a
// frame.
#include "ProjectStore.h"
#include "shell/CMainFrame.h"
#include "shell/CTORVIODoc.h"
#include "shell/PathBytes.h"
#include "shell/Settings.h"

#include <QLabel>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void StatusRefreshWithMegabyteFolder(benchmark::State &state) {
  QTemporaryDir dir;
  torvio::SetSettingsFolder(dir.path());
  std::string folder;
  for (int i = 0; i < 520000; ++i)
    folder += "/a";
  UserData record{};
  PARVEX_SetDefault(&record);
  const std::string project = torvio::PathBytes(dir.filePath(QStringLiteral("huge.tvd")));
  if (!torvio::SaveProject(project, record, folder + "/", std::nullopt).ok()) {
    state.SkipWithError("cannot write the project");
    return;
  }
  CTORVIODoc doc;
  CMainFrame frame(&doc);
  if (!doc.OnOpenDocument(torvio::PathFromBytes(project))) {
    state.SkipWithError("cannot open the project");
    return;
  }
  for (auto _ : state) {
    frame.OnStatusTimer();
    benchmark::DoNotOptimize(frame.StatusPane()->text());
  }
}

} // namespace

BENCHMARK(StatusRefreshWithMegabyteFolder)->Unit(benchmark::kMillisecond)->Repetitions(5);
