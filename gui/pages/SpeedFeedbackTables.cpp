#include "SpeedFeedbackTables.h"

#include "strings/StringTable.h"

namespace Id = SpeedFeedbackId;

namespace {

constexpr const char *kErrors = "Speed measurement errors management";

} // namespace

PageTable EncoderTable(const EncoderMembers &m) {
  PageTable t;
  t.groups = {
      {.key = "encoder",
       .title = "Quadrature encoder characteristics",
       .parent = nullptr,
       .row = 0,
       .column = 0},
      {.key = "errors", .title = kErrors, .parent = nullptr, .row = 1, .column = 0},
      {.key = "alignment", .title = "Alignment settings", .parent = nullptr, .row = 0, .column = 1},
  };
  // The speed limits are coupled to each other by the check.
  t.controls = {
      {.id = Id::PulsesPerRevolution,
       .label = "Pulses per revolution",
       .group = "encoder",
       .param = m.pulsesPerRevolution,
       .tabNext = {Id::EncoderMinSpeed},
       .tabPrev = {kPageItself},
       .row = 0,
       .unitShown = false},
      {.id = Id::EncoderMinSpeed,
       .label = "Min mechanical speed",
       .group = "errors",
       .param = m.minMechanicalSpeed,
       .tabNext = {Id::EncoderMaxSpeed},
       .tabPrev = {Id::PulsesPerRevolution},
       .row = 0},
      {.id = Id::EncoderMaxSpeed,
       .label = "Max mechanical speed",
       .group = "errors",
       .param = m.maxMechanicalSpeed,
       .tabNext = {Id::EncoderMaxErrors},
       .tabPrev = {Id::EncoderMinSpeed},
       .row = 1},
      {.id = Id::EncoderMaxErrors,
       .label = "Max errors number",
       .group = "errors",
       .param = m.maxErrorsNumber,
       .tabNext = {Id::FifoDepth},
       .tabPrev = {Id::EncoderMaxSpeed},
       .row = 2},
      {.id = Id::FifoDepth,
       .label = "FIFO depth",
       .group = "errors",
       .param = m.fifoDepth,
       .tabNext = {Id::EncoderAlignmentDuration},
       .tabPrev = {Id::EncoderMaxErrors},
       .row = 3},
      {.id = Id::EncoderAlignmentDuration,
       .label = "Duration",
       .group = "alignment",
       .param = m.alignmentDuration,
       .tabNext = {Id::EncoderAlignmentAngle},
       .tabPrev = {Id::FifoDepth},
       .row = 0},
      {.id = Id::EncoderAlignmentAngle,
       .label = "Alignment angle",
       .group = "alignment",
       .param = m.alignmentAngle,
       .tabNext = {Id::EncoderAlignmentCurrent},
       .tabPrev = {Id::EncoderAlignmentDuration},
       .row = 1},
      {.id = Id::EncoderAlignmentCurrent,
       .label = "Current",
       .group = "alignment",
       .param = m.alignmentCurrent,
       .tabNext = {Id::PulsesPerRevolution},
       .tabPrev = {Id::EncoderAlignmentAngle},
       .row = 2,
       .unitNote = "0-peak"},
  };
  t.stretchRow = 3;
  t.stretchColumn = 2;
  return t;
}

PageTable HallTable(const HallMembers &m) {
  PageTable t;
  t.groups = {
      {.key = "placement",
       .title = "Hall sensors placement",
       .parent = nullptr,
       .row = 0,
       .column = 0},
      {.key = "errors", .title = kErrors, .parent = nullptr, .row = 1, .column = 0},
  };
  t.controls = {
      {.id = Id::Hall120,
       .kind = ControlKind::Radio,
       .label = "120 degrees",
       .group = "placement",
       .flag = m.placement120,
       .row = 0},
      {.id = Id::Hall60,
       .kind = ControlKind::Radio,
       .label = "60 degrees",
       .group = "placement",
       .flag = m.placement60,
       .row = 1},
      {.id = Id::PhaseShift,
       .label = "Phase Shift",
       .group = "placement",
       .param = m.phaseShift,
       .tabNext = {Id::HallMinSpeed},
       .tabPrev = {Id::Hall60},
       .row = 2,
       .unitShown = false},
      {.id = Id::HallMinSpeed,
       .label = "Min mechanical speed",
       .group = "errors",
       .param = m.minMechanicalSpeed,
       .tabNext = {Id::HallMaxSpeed},
       .tabPrev = {Id::PhaseShift},
       .row = 0},
      {.id = Id::HallMaxSpeed,
       .label = "Max mechanical speed",
       .group = "errors",
       .param = m.maxMechanicalSpeed,
       .tabNext = {Id::Hall120},
       .tabPrev = {Id::HallMinSpeed},
       .row = 1},
  };
  t.stretchRow = 3;
  t.stretchColumn = 2;
  return t;
}

PageTable ObserverTable(const ObserverMembers &m, bool auxiliary) {
  // Which fields are enabled is the model's rule (parvex/Edits.h): on the
  // main page the alignment fields follow their check box; on the auxiliary
  // page the start-up settings are out of use while the observer only runs
  // beside an encoder or Hall sensors for gain tuning.
  PageTable t;
  t.groups = {
      {.key = "startUp",
       .title = "Start-up settings",
       .parent = nullptr,
       .row = 0,
       .column = 0,
       .rowSpan = 2},
      {.key = "errors", .title = kErrors, .parent = nullptr, .row = 2, .column = 0},
      {.key = "include", .title = "", .parent = nullptr, .row = 0, .column = 1},
      // Without the alignment frame the gains move up below the check box.
      {.key = "gains",
       .title = "A priori computed gains",
       .parent = nullptr,
       .row = auxiliary ? 1 : 2,
       .column = 1,
       .rowSpan = auxiliary ? 2 : 1},
      {.key = "observer",
       .title = "Observer",
       .parent = "gains",
       .row = 1,
       .column = 0,
       .columnSpan = 1},
      {.key = "pll", .title = "PLL", .parent = "gains", .row = 1, .column = 1, .columnSpan = 1},
  };
  if (!auxiliary)
    t.groups.push_back({.key = "alignment",
                        .title = "Alignment settings",
                        .parent = nullptr,
                        .row = 1,
                        .column = 1});

  // Rows of the start-up frame: the main page shows the current ramp duration
  // before the ramp values and the speed threshold among them; the auxiliary
  // page keeps id order and moves the speed threshold to the errors frame.
  const char *thresholdGroup = auxiliary ? "errors" : "startUp";
  const int rampDurationRow = auxiliary ? 4 : 2;
  const int initialRow = auxiliary ? 2 : 3;
  const int finalRow = auxiliary ? 3 : 4;
  const int thresholdRow = auxiliary ? 1 : 6;
  const int varianceRow = 0;
  const int errorsRow = auxiliary ? 2 : 1;

  // Tab chains: the main page follows its visual order and wraps; the
  // auxiliary page follows id order and ends on the page.
  const auto tabs = [auxiliary](std::vector<int> mainNext, std::vector<int> mainPrev,
                                std::vector<int> auxNext, std::vector<int> auxPrev) {
    return auxiliary ? std::pair{auxNext, auxPrev} : std::pair{mainNext, mainPrev};
  };
  const auto [n1015, p1015] =
      tabs({Id::SpeedRampFinalValue}, {kPageItself}, {Id::SpeedRampFinalValue}, {kPageItself});
  const auto [n1016, p1016] = tabs({Id::CurrentRampDuration}, {Id::SpeedRampDuration},
                                   {Id::CurrentRampInitialValue}, {Id::SpeedRampDuration});
  const auto [n1019, p1019] = tabs({Id::CurrentRampInitialValue}, {Id::SpeedRampFinalValue},
                                   {Id::ConsistencyThreshold}, {Id::CurrentRampFinalValue});
  const auto [n1017, p1017] = tabs({Id::CurrentRampFinalValue}, {Id::CurrentRampDuration},
                                   {Id::CurrentRampFinalValue}, {Id::SpeedRampFinalValue});
  const auto [n1018, p1018] = tabs({Id::ConsistencyThreshold}, {Id::CurrentRampInitialValue},
                                   {Id::CurrentRampDuration}, {Id::CurrentRampInitialValue});
  const auto [n1020, p1020] = tabs({Id::SpeedThreshold}, {Id::CurrentRampFinalValue},
                                   {Id::VarianceThreshold}, {Id::CurrentRampDuration});
  const auto [n1022, p1022] = tabs({Id::VarianceThreshold}, {Id::ConsistencyThreshold},
                                   {Id::ObserverMaxErrors}, {Id::VarianceThreshold});
  const auto [n1021, p1021] = tabs({Id::ObserverMaxErrors}, {Id::SpeedThreshold},
                                   {Id::SpeedThreshold}, {Id::ConsistencyThreshold});
  const auto [n1023, p1023] = tabs({Id::IncludeAlignment}, {Id::VarianceThreshold},
                                   {Id::IncludeAlignment}, {Id::SpeedThreshold});
  const int afterPllI = auxiliary ? kPageItself : Id::SpeedRampDuration;

  t.controls = {
      {.id = Id::SpeedRampDuration,
       .label = "Speed ramp duration",
       .group = "startUp",
       .param = m.speedRampDuration,
       .tabNext = n1015,
       .tabPrev = p1015,
       .row = 0},
      {.id = Id::SpeedRampFinalValue,
       .label = "Speed ramp final value",
       .group = "startUp",
       .param = m.speedRampFinalValue,
       .tabNext = n1016,
       .tabPrev = p1016,
       .row = 1},
      {.id = Id::CurrentRampDuration,
       .label = "Current ramp duration",
       .group = "startUp",
       .param = m.currentRampDuration,
       .tabNext = n1019,
       .tabPrev = p1019,
       .row = rampDurationRow},
      {.id = Id::CurrentRampInitialValue,
       .label = "Current ramp initial value",
       .group = "startUp",
       .param = m.currentRampInitialValue,
       .tabNext = n1017,
       .tabPrev = p1017,
       .row = initialRow},
      {.id = Id::CurrentRampFinalValue,
       .label = "Current ramp final value",
       .group = "startUp",
       .param = m.currentRampFinalValue,
       .tabNext = n1018,
       .tabPrev = p1018,
       .row = finalRow},
      {.id = Id::ConsistencyThreshold,
       .label = "Consinstency threshold",
       .group = "startUp",
       .param = m.consistencyThreshold,
       .tabNext = n1020,
       .tabPrev = p1020,
       .row = 5},
      {.id = Id::SpeedThreshold,
       .label = "Speed threshold",
       .group = thresholdGroup,
       .param = m.minimumSpeed,
       .tabNext = n1022,
       .tabPrev = p1022,
       .row = thresholdRow,
       .description = torvio::IDS_MIN_SPEED_DESCRIPTION},
      {.id = Id::VarianceThreshold,
       .label = "Variance threshold",
       .group = "errors",
       .param = m.varianceThreshold,
       .tabNext = n1021,
       .tabPrev = p1021,
       .row = varianceRow},
      {.id = Id::ObserverMaxErrors,
       .label = "Max errors number",
       .group = "errors",
       .param = m.maxErrorsNumber,
       .tabNext = n1023,
       .tabPrev = p1023,
       .row = errorsRow},
      {.id = Id::IncludeAlignment,
       .kind = ControlKind::CheckBox,
       .label = "Include alignment before start-up",
       .group = "include",
       .flag = m.includeAlignment,
       .row = 0},
  };
  if (!auxiliary) {
    const std::vector<ControlEntry> alignmentFields = {
        {.id = Id::AlignmentDuration,
         .label = "Duration",
         .group = "alignment",
         .param = m.alignmentDuration,
         .tabNext = {Id::AlignmentAngle},
         .tabPrev = {Id::IncludeAlignment},
         .row = 0},
        {.id = Id::AlignmentAngle,
         .label = "Alignment angle",
         .group = "alignment",
         .param = m.alignmentAngle,
         .tabNext = {Id::AlignmentCurrent},
         .tabPrev = {Id::AlignmentDuration},
         .row = 1},
        {.id = Id::AlignmentCurrent,
         .label = "Current",
         .group = "alignment",
         .param = m.alignmentCurrent,
         .tabNext = {Id::ManualGains},
         .tabPrev = {Id::AlignmentAngle},
         .row = 2,
         .unitNote = "0-peak"},
    };
    t.controls.insert(t.controls.end(), alignmentFields.begin(), alignmentFields.end());
  }
  const std::vector<ControlEntry> gains = {
      {.id = Id::ManualGains,
       .kind = ControlKind::InvertedCheckBox,
       .label = "Manual editing enabled",
       .group = "gains",
       .flag = m.gainsComputation,
       .row = 0},
      {.id = Id::K1,
       .label = "K1",
       .group = "observer",
       .param = m.k1,
       .tabNext = {Id::K2},
       .tabPrev = {Id::ManualGains},
       .row = 0,
       .widthChars = 11},
      {.id = Id::K2,
       .label = "K2",
       .group = "observer",
       .param = m.k2,
       .tabNext = {Id::PllPDividend},
       .tabPrev = {Id::K1},
       .row = 1,
       .widthChars = 11},
      {.id = Id::PllPDividend,
       .label = "/",
       .group = "pll",
       .param = m.pllPDividend,
       .tabNext = {Id::PllIDividend},
       .tabPrev = {Id::K2},
       .row = 0,
       .column = 0,
       .accessibleName = "PLL P dividend",
       .widthChars = 6},
      {.id = Id::PllPDivisor,
       .label = "P",
       .group = "pll",
       .param = m.pllPDivisor,
       .tabNext = {Id::PllIDividend},
       .tabPrev = {Id::PllPDividend},
       .row = 0,
       .column = 2,
       .accessibleName = "PLL P divisor",
       .widthChars = 6},
      {.id = Id::PllIDividend,
       .label = "/",
       .group = "pll",
       .param = m.pllIDividend,
       .tabNext = {afterPllI},
       .tabPrev = {Id::PllPDividend},
       .row = 1,
       .column = 0,
       .accessibleName = "PLL I dividend",
       .widthChars = 6},
      {.id = Id::PllIDivisor,
       .label = "I",
       .group = "pll",
       .param = m.pllIDivisor,
       .tabNext = {Id::SpeedRampDuration},
       .tabPrev = {Id::PllIDividend},
       .row = 1,
       .column = 2,
       .accessibleName = "PLL I divisor",
       .widthChars = 6},
  };
  t.controls.insert(t.controls.end(), gains.begin(), gains.end());
  // Extra height goes below the check box frame, which stays compact.
  t.stretchRow = 1;
  t.stretchColumn = 2;
  return t;
}
