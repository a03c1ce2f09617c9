// Control tables of the speed feedback pages, built from the record members
// they edit: the main pages pass the main members, the auxiliary pages the
// Aux ones, and get the same controls, commits, refreshes and Tab chains.
#pragma once

#include "PageTable.h"
#include "parvex/SpeedFeedbackMembers.h"

using parvex::EncoderMembers;
using parvex::HallMembers;
using parvex::ObserverMembers;

// Control ids shared by the mirrored pages.
namespace SpeedFeedbackId {
enum : int {
  Hall120 = 1001,
  Hall60 = 1002,
  IncludeAlignment = 1004,
  ManualGains = 1005,
  PulsesPerRevolution = 1013,
  EncoderMinSpeed = 1014,
  EncoderMaxSpeed = 1015,
  EncoderMaxErrors = 1016,
  FifoDepth = 1017,
  EncoderAlignmentDuration = 1019,
  EncoderAlignmentAngle = 1020,
  EncoderAlignmentCurrent = 1021,
  PhaseShift = 1014,
  HallMinSpeed = 1015,
  HallMaxSpeed = 1016,
  SpeedRampDuration = 1015,
  SpeedRampFinalValue = 1016,
  CurrentRampInitialValue = 1017,
  CurrentRampFinalValue = 1018,
  CurrentRampDuration = 1019,
  ConsistencyThreshold = 1020,
  VarianceThreshold = 1021,
  SpeedThreshold = 1022,
  ObserverMaxErrors = 1023,
  AlignmentDuration = 1024,
  AlignmentAngle = 1025,
  AlignmentCurrent = 1026,
  K1 = 1027,
  K2 = 1028,
  PllPDividend = 1029,
  PllPDivisor = 1030,
  PllIDividend = 1031,
  PllIDivisor = 1032,
};
}

PageTable EncoderTable(const EncoderMembers &m);
PageTable HallTable(const HallMembers &m);
// The auxiliary observer has no alignment fields, disables its start-up
// settings while it runs beside a sensor, and ends its Tab chain on the page.
PageTable ObserverTable(const ObserverMembers &m, bool auxiliary);
