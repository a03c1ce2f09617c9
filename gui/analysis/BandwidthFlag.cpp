#include "analysis/BandwidthFlag.h"

#include "strings/ResString.h"

#include <QStringList>

using namespace parvex::analysis;

BandwidthFlag BandwidthFlagOf(const ControllerAnalysis &a) {
  BandwidthFlag flag;
  QStringList lines;
  for (const Finding &f : a.findings)
    if (f.level == Level::Flag)
      lines << QString::fromStdString(f.subject + ": " + f.reason);
  if (lines.isEmpty())
    return flag;

  // The most telling first: a loop that will not hold, then any loop, then a gain.
  bool unstable = false;
  bool loopFlagged = false;
  for (const LoopFigures &loop : a.loops) {
    unstable = unstable || (loop.analysed && !loop.stable);
    loopFlagged = loopFlagged || loop.level == Level::Flag;
  }
  flag.text = torvio::ResString(unstable      ? torvio::IDS_ANALYSIS_FLAG_UNSTABLE
                                : loopFlagged ? torvio::IDS_ANALYSIS_FLAG_LOOP
                                              : torvio::IDS_ANALYSIS_FLAG_GAIN);
  lines << torvio::ResString(torvio::IDS_ANALYSIS_FLAG_MORE);
  flag.reasons = lines.join(u'\n');
  return flag;
}

BandwidthFlag BandwidthFlagOf(const UserData &record) {
  return BandwidthFlagOf(Analyse(record));
}
