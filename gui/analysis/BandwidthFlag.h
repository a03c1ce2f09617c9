// The short warning the Control Settings page shows beside the bandwidth
// field when the controller analysis flags something, with every flagged
// reason for its tooltip. Empty when nothing is flagged.
#pragma once

#include "parvex.h"
#include "parvex/ControllerAnalysis.h"

#include <QString>

struct BandwidthFlag {
  QString text;    // "Unstable current loop", "Current loop flagged", "Gain flagged"
  QString reasons; // one "subject: reason" line per flag, then where to see more
  bool raised() const { return !text.isEmpty(); }
};

BandwidthFlag BandwidthFlagOf(const parvex::analysis::ControllerAnalysis &analysis);
BandwidthFlag BandwidthFlagOf(const UserData &record);
