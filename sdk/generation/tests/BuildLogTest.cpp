#include "model/BuildLog.h"

#include "HandDefaults.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <regex>

namespace {

using namespace parvex;
using testsupport::ReadText;

std::string Group(const std::string &name) {
  return "<" + name + " >\n";
}
std::string End(const std::string &name) {
  return "</" + name + ">\n";
}
std::string Flag(const std::string &name, bool on) {
  return "<" + name + " >" + (on ? "TRUE" : "FALSE") + "</" + name + ">\n";
}
std::string Plain(const std::string &name, const std::string &value) {
  return "<" + name + " >" + value + "</" + name + ">\n";
}
std::string Ranged(const std::string &name, const std::string &min, const std::string &max,
                   const std::string &value) {
  return "<" + name + " min='" + min + "' max='" + max + "'>" + value + "</" + name + ">\n";
}

// `text` matched literally inside a regular expression: a Windows folder
// holds backslashes, and any folder may hold dots.
std::string Literal(const std::string &text) {
  static const std::regex special(R"([.^$|()\[\]{}*+?\\])");
  return std::regex_replace(text, special, R"(\$&)");
}

class BuildLogFile : public testing::Test {
protected:
  // The log of one run for the record, without its head part.
  std::string Data(const UserData &d) {
    const std::string out = dir.Prefix();
    BuildLog log;
    EXPECT_EQ(OpenBuildLog(log, GenerateSourcesArgs{"/templates/", out.c_str(), nullptr}), 0);
    EXPECT_EQ(WriteBuildLogData(log, d), 0);
    CloseBuildLog(log);
    const std::string text = ReadText(dir.Path() / "BuildLog.xml");
    const auto at = text.find("<FOCDATA >");
    return at == std::string::npos ? text : text.substr(at);
  }

  testsupport::ScratchFolder dir;
};

TEST_F(BuildLogFile, HeadPart) {
  const std::string out = dir.Prefix();
  BuildLog log;
  ASSERT_EQ(OpenBuildLog(log, GenerateSourcesArgs{"/tpl/a&b<c>/", out.c_str(), nullptr}), 0);
  CloseBuildLog(log);
  const std::string text = ReadText(dir.Path() / "BuildLog.xml");
  const std::regex head("<TORVIO >\n<ARGS >\n<TemplatesDir >/tpl/a&b<c>/</TemplatesDir>\n"
                        "<BuildLogFile >" +
                        Literal(out) +
                        "BuildLog.xml</BuildLogFile>\n"
                        "<BuildDateTime >[01][0-9]/[0-3][0-9]/[0-9]{2} - [0-2][0-9]:[0-5][0-9]:"
                        "[0-6][0-9]</BuildDateTime>\n</ARGS>\n</TORVIO>\n");
  EXPECT_TRUE(std::regex_match(text, head)) << text;
}

TEST_F(BuildLogFile, UnwritableFolderIsSilentlySkipped) {
  BuildLog log;
  EXPECT_EQ(OpenBuildLog(log, GenerateSourcesArgs{"t/", "/no/such/folder/", nullptr}), 0);
  EXPECT_EQ(log.stream, nullptr);
  EXPECT_EQ(WriteBuildLogData(log, testdata::HandDefaults()), 0);
  CloseBuildLog(log);
}

TEST_F(BuildLogFile, DefaultRecord) {
  std::string e;
  e += Group("FOCDATA");
  e += Group("CONFIGURATION");
  e += Group("SPEEDFEEDBACK") + Flag("QuadratureEncoder", false) + Flag("HallSensors", false) +
       Flag("NoSpeedSensors", true) + End("SPEEDFEEDBACK");
  e += Group("FOCMETHODS") + Flag("FluxWeakening", true) +
       Flag("FeedForwardCurrentRegulation", false) + Flag("InternalPMSMMaximunTxAStrategy", false) +
       End("FOCMETHODS");
  e += Group("CURRENTSENSINGTECHNIQUE") + Flag("IsolatedCurrentSensors", false) +
       Flag("ThreeShuntResistors", true) + Flag("SingleShuntResistor", false) +
       End("CURRENTSENSINGTECHNIQUE");
  e += Group("BRAKETECHNIQUE") + Flag("EnableDCBusBrakeResistorManagement", false) +
       End("BRAKETECHNIQUE");
  e += Group("PIDDIFFERENTIALTERMS") + Flag("CheckToEnableDifferentialTerm", false) +
       End("PIDDIFFERENTIALTERMS");
  e += End("CONFIGURATION");
  e += Group("MOTORANDHW");
  e += Group("CURRENTSENSINGNETWORK") + Ranged("ShuntResistorValue", "0.001", "10.000", "0.220") +
       Ranged("AmplificationGain", "1.00", "100.00", "2.57") +
       Ranged("ICSGain", "0.001", "10.000", "1.000") + End("CURRENTSENSINGNETWORK");
  e += Group("KV208BOARDPROTECTION") + Ranged("OverTemperatureThreshold", "30", "85", "60") +
       Ranged("TemperatureHysteresis", "3", "15", "5") +
       Ranged("UnderVoltageThreshold", "15", "32", "18") +
       Ranged("OverVoltageThreshold", "18", "371", "32") + End("KV208BOARDPROTECTION");
  e += Group("MOTORCHARACTERISTICS") + Ranged("R", "0.01", "150.00", "0.35") +
       Ranged("Ld", "0.01", "500.00", "0.60") + Ranged("Lq", "0.01", "500.00", "0.60") +
       Ranged("RatedCurrent", "0.05", "2.92", "2.00") + Ranged("Ke", "0.1", "500.0", "4.0") +
       Ranged("PolePairs", "1", "100", "2") + Ranged("MotorMaxSpeed", "1", "190000", "3600") +
       End("MOTORCHARACTERISTICS");
  e += Group("VOLTAGESENSINGNETWORK") + Ranged("DCBusVoltage", "3.0", "350.0", "22.0") +
       Ranged("DCBusVoltagePartitioning", "0.0001", "1.0000", "0.0080") +
       End("VOLTAGESENSINGNETWORK");
  e += End("MOTORANDHW");
  e += Group("CONTROLSETTINGS");
  e += Group("DRIVINGSETTINGS") + Ranged("PWMFrequency", "4000", "32000", "14400") +
       Ranged("DeadTime", "500", "3500", "800") + End("DRIVINGSETTINGS");
  e += Group("SPEEDREGULATIONCONTROLRATE") + Plain("SpeedRegulationControlRate", "2.0") +
       End("SPEEDREGULATIONCONTROLRATE");
  e += Group("TORQUEANDFLUXCONTROLRATE") + Plain("TorqueAndFluxControlRate", "1") +
       End("TORQUEANDFLUXCONTROLRATE");
  e += Group("TORQUEANDFLUXCONTROLLER") + Ranged("CutOffFrequency", "100", "15000", "6000");
  e += Group("TORQUE") + Ranged("TorquePDividend", "0", "32767", "3911") +
       Ranged("TorquePDivisor", "1", "32768", "4096") +
       Ranged("TorqueIDividend", "0", "32767", "633") +
       Ranged("TorqueIDivisor", "1", "32768", "16384") +
       Ranged("TorqueDDividend", "0", "32767", "100") +
       Ranged("TorqueDDivisor", "1", "32768", "8192") +
       Ranged("TorqueInitRef", "0.00", "2.00", "0.40") + End("TORQUE");
  e += Group("FLUX") + Ranged("FluxPDividend", "0", "32767", "3911") +
       Ranged("FluxPDivisor", "1", "32768", "4096") + Ranged("FluxIDividend", "0", "32767", "633") +
       Ranged("FluxIDivisor", "1", "32768", "16384") +
       Ranged("FluxDDividend", "0", "32767", "100") + Ranged("FluxDDivisor", "1", "32768", "8192") +
       Ranged("FluxInitRef", "0.00", "2.00", "0.00") + End("FLUX");
  e += End("TORQUEANDFLUXCONTROLLER");
  e += Group("SPEEDCONTROLLER") + Ranged("SpeedPDividend", "0", "32767", "1000") +
       Ranged("SpeedPDivisor", "1", "32768", "16") + Ranged("SpeedIDividend", "0", "32767", "700") +
       Ranged("SpeedIDivisor", "1", "32768", "256") + Ranged("SpeedDDividend", "0", "32767", "0") +
       Ranged("SpeedDDivisor", "1", "32768", "16") + Ranged("SpeedInitRef", "1", "3600", "1500") +
       End("SPEEDCONTROLLER");
  e += Group("FLUXWEAKENINGCONTROLLER") +
       Ranged("FluxWeakeningControllerPDividend", "1", "32767", "3000") +
       Ranged("FluxWeakeningControllerPDivisor", "1", "32768", "32768") +
       Ranged("FluxWeakeningControllerIDividend", "1", "32767", "5000") +
       Ranged("FluxWeakeningControllerIDivisor", "1", "32768", "32768") +
       Ranged("FluxWeakeningControllerVoltageLimit", "60.0", "100.0", "98.5") +
       End("FLUXWEAKENINGCONTROLLER");
  e += End("CONTROLSETTINGS");
  e += Group("DEBUG");
  e += Group("AUXILIARYSPEEDFEEDBACK") + Flag("ViewEncoderFeedback", true) +
       Flag("ViewHallSensorsFeedback", false) + Flag("None", false) +
       Flag("EnableObserverGainTuning", true) + End("AUXILIARYSPEEDFEEDBACK");
  e += Flag("EnableDACFunctionality", true);
  e += Group("FLUXANDTORQUEPIDTUNINGMODALITY") + Flag("EnableModality", false) +
       Ranged("SquareWavePeriod", "1", "65535", "2000") + End("FLUXANDTORQUEPIDTUNINGMODALITY");
  e += End("DEBUG");
  e += Group("SPEEDFEEDBACK");
  e += Group("STARTUPSETTINGS") + Ranged("SpeedRampDuration", "1", "65535", "1500") +
       Ranged("SpeedRampFinalValue", "0", "65535", "2700") +
       Ranged("CurrentRampInitialValue", "0.00", "0.70", "0.60") +
       Ranged("CurrentRampFinalValue", "0.60", "2.00", "0.70") +
       Ranged("CurrentRampDuration", "1", "1500", "350") +
       Ranged("ConsinstencyThreshold", "1", "65535", "60") + End("STARTUPSETTINGS");
  e += Group("SPEEDMEASUREMENTERRORSMANAGEMENT") +
       Ranged("VarianceThreshold", "0.00", "100.00", "6.25") +
       Ranged("MinMechanicalSpeed", "1", "30000", "60") +
       Ranged("MaxErrorsNumber", "1", "255", "3") + End("SPEEDMEASUREMENTERRORSMANAGEMENT");
  e += Flag("IncludeAlignmentBeforeStartUp", false);
  e += Group("ALIGNMENTSETTINGS") + Ranged("Duration", "1", "65535", "700") +
       Ranged("AlignmentAngle", "0", "359", "90") + Ranged("Current", "0.05", "2.00", "1.95") +
       End("ALIGNMENTSETTINGS");
  e += Group("APRIORICOMPUTEDGAINS") + Flag("GainsComputation", true) +
       Ranged("K1", "-2147483648", "2147483647", "-21162") +
       Ranged("K2", "-2147483648", "2147483647", "70929") +
       Ranged("PLLPDividend", "0", "32767", "266") +
       Ranged("PLLPDivisor", "16384", "16384", "16384") +
       Ranged("PLLIDividend", "0", "32767", "52") +
       Ranged("PLLIDivisor", "262144", "262144", "262144") + End("APRIORICOMPUTEDGAINS");
  e += End("SPEEDFEEDBACK");
  e += Group("AUXSPEEDFEEDBACK");
  e += Group("QUADRATUREENCODERCHARACTERISTICS") +
       Ranged("PulsesPerRevolution", "1", "65536", "400") + End("QUADRATUREENCODERCHARACTERISTICS");
  e += Group("SPEEDMEASUREMENTERRORSMANAGEMENT") +
       Ranged("MinMechanicalSpeed", "1", "30000", "60") +
       Ranged("MaxMechanicalSpeed", "60", "200000", "30000") +
       Ranged("MaxErrorsNumber", "1", "255", "3") + Ranged("FIFODepth", "1", "128", "8") +
       End("SPEEDMEASUREMENTERRORSMANAGEMENT");
  e += Group("ALIGNMENTSETTINGS") + Ranged("Duration", "1", "65535", "700") +
       Ranged("AlignmentAngle", "0", "359", "90") + Ranged("Current", "0.05", "2.00", "1.95") +
       End("ALIGNMENTSETTINGS");
  e += End("AUXSPEEDFEEDBACK");
  e += Group("CURRENTSENSING");
  e += Group("NOISEPARAMETERS") + Ranged("Tnoise", "0", "10000", "2550") +
       Ranged("Trise", "0", "10000", "2550") + End("NOISEPARAMETERS");
  e += Group("ADCONVERTERSAMPLINGTIME") + Plain("ADConverterSamplingTime", "200") +
       End("ADCONVERTERSAMPLINGTIME");
  e += Group("MAXIMUMAVAILABLEMODULATIONINDEX") +
       Ranged("MaximumAvailableModulationIndex", "72", "100", "98") +
       End("MAXIMUMAVAILABLEMODULATIONINDEX");
  e += End("CURRENTSENSING");
  e += End("FOCDATA");
  e += End("TORVIO");
  EXPECT_EQ(Data(testdata::HandDefaults()), e);
}

// The part between the main speed feedback and the current sensing.
std::string SpeedPart(const std::string &text) {
  const auto from = text.find("</DEBUG>\n") + 9;
  const auto to = text.find("<CURRENTSENSING >");
  return text.substr(from, to - from);
}

TEST_F(BuildLogFile, EncoderWithObserverTuning) {
  UserData d = testdata::HandDefaults();
  d.NoSpeedSensors = 0;
  d.QuadratureEncoder = 1;
  d.AuxK1.Min = INT32_MIN;
  d.AuxK1.Value = -5;
  std::string e;
  e += Group("SPEEDFEEDBACK");
  e += Group("QUADRATUREENCODERCHARACTERISTICS") +
       Ranged("PulsesPerRevolution", "1", "65536", "400") + End("QUADRATUREENCODERCHARACTERISTICS");
  e += Group("SPEEDMEASUREMENTERRORSMANAGEMENT") +
       Ranged("MinMechanicalSpeed", "1", "30000", "60") +
       Ranged("MaxMechanicalSpeed", "60", "200000", "30000") +
       Ranged("MaxErrorsNumber", "1", "255", "3") + Ranged("FIFODepth", "1", "128", "8") +
       End("SPEEDMEASUREMENTERRORSMANAGEMENT");
  e += Group("ALIGNMENTSETTINGS") + Ranged("Duration", "1", "65535", "700") +
       Ranged("AlignmentAngle", "0", "359", "90") + Ranged("Current", "0.05", "2.00", "1.95") +
       End("ALIGNMENTSETTINGS");
  e += End("SPEEDFEEDBACK");
  e += Group("AUXSPEEDFEEDBACK");
  e += Group("STARTUPSETTINGS") + Ranged("SpeedRampDuration", "1", "65535", "1500") +
       Ranged("SpeedRampFinalValue", "0", "65535", "2700") +
       Ranged("CurrentRampInitialValue", "0.00", "0.70", "0.60") +
       Ranged("CurrentRampFinalValue", "0.60", "2.00", "0.70") +
       Ranged("CurrentRampDuration", "1", "1500", "350") +
       Ranged("ConsinstencyThreshold", "1", "65535", "60") + End("STARTUPSETTINGS");
  e += Group("SPEEDMEASUREMENTERRORSMANAGEMENT") +
       Ranged("VarianceThreshold", "0.00", "100.00", "6.25") +
       Ranged("MinMechanicalSpeed", "1", "30000", "60") +
       Ranged("MaxErrorsNumber", "1", "255", "3") + End("SPEEDMEASUREMENTERRORSMANAGEMENT");
  e += Flag("IncludeAlignmentBeforeStartUp", false);
  e += Group("APRIORICOMPUTEDGAINS") + Flag("GainsComputation", true) +
       Ranged("K1", "-2147483648", "2147483647", "-5") +
       Ranged("K2", "-2147483648", "2147483647", "70929") +
       Ranged("PLLPDividend", "0", "32767", "266") +
       Ranged("PLLPDivisor", "16384", "16384", "16384") +
       Ranged("PLLIDividend", "0", "32767", "52") +
       Ranged("PLLIDivisor", "262144", "262144", "262144") + End("APRIORICOMPUTEDGAINS");
  e += End("AUXSPEEDFEEDBACK");
  EXPECT_EQ(SpeedPart(Data(d)), e);
}

TEST_F(BuildLogFile, EncoderWithoutTuningHasNoAuxElement) {
  UserData d = testdata::HandDefaults();
  d.NoSpeedSensors = 0;
  d.QuadratureEncoder = 1;
  d.EnableObserverGainTuning = 0;
  EXPECT_EQ(Data(d).find("AUXSPEEDFEEDBACK"), std::string::npos);
}

TEST_F(BuildLogFile, HallSensors) {
  UserData d = testdata::HandDefaults();
  d.NoSpeedSensors = 0;
  d.HallSensors = 1;
  d.EnableObserverGainTuning = 0;
  const std::string e = Group("SPEEDFEEDBACK") + Group("HALLSENSORSPLACEMENT") +
                        Flag("Hall120Degrees", true) + Flag("Hall60Degrees", false) +
                        Ranged("PhaseShift", "0", "359", "300") + End("HALLSENSORSPLACEMENT") +
                        Group("SPEEDMEASUREMENTERRORSMANAGEMENT") +
                        Ranged("MinMechanicalSpeed", "1", "30000", "60") +
                        Ranged("MaxMechanicalSpeed", "60", "200000", "30000") +
                        End("SPEEDMEASUREMENTERRORSMANAGEMENT") + End("SPEEDFEEDBACK");
  EXPECT_EQ(SpeedPart(Data(d)), e);
}

TEST_F(BuildLogFile, SensorlessWithAuxHall) {
  UserData d = testdata::HandDefaults();
  d.ViewEncoderFeedback = 0;
  d.ViewHallSensorsFeedback = 1;
  d.AuxPhaseShift.Value = 12;
  const std::string part = SpeedPart(Data(d));
  const std::string aux = Group("AUXSPEEDFEEDBACK") + Group("HALLSENSORSPLACEMENT") +
                          Flag("Hall120Degrees", true) + Flag("Hall60Degrees", false) +
                          Ranged("PhaseShift", "0", "359", "12") + End("HALLSENSORSPLACEMENT") +
                          Group("SPEEDMEASUREMENTERRORSMANAGEMENT") +
                          Ranged("MinMechanicalSpeed", "1", "30000", "60") +
                          Ranged("MaxMechanicalSpeed", "60", "200000", "30000") +
                          End("SPEEDMEASUREMENTERRORSMANAGEMENT") + End("AUXSPEEDFEEDBACK");
  ASSERT_GE(part.size(), aux.size());
  EXPECT_EQ(part.substr(part.size() - aux.size()), aux);
}

TEST_F(BuildLogFile, NoMainSensorFlagGivesEmptyElement) {
  UserData d = testdata::HandDefaults();
  d.NoSpeedSensors = 0;
  d.ViewEncoderFeedback = 0;
  EXPECT_EQ(SpeedPart(Data(d)), Group("SPEEDFEEDBACK") + End("SPEEDFEEDBACK"));
}

TEST_F(BuildLogFile, SingleShuntHasNoNoise) {
  UserData d = testdata::HandDefaults();
  d.ThreeShuntResistors = 0;
  d.SingleShuntResistor = 1;
  const std::string text = Data(d);
  EXPECT_NE(text.find(Group("NOISEPARAMETERS") + Ranged("Trise", "0", "10000", "2550") +
                      End("NOISEPARAMETERS")),
            std::string::npos);
  EXPECT_EQ(text.find("Tnoise"), std::string::npos);
}

TEST_F(BuildLogFile, IsolatedSensorsGiveEmptyCurrentSensing) {
  UserData d = testdata::HandDefaults();
  d.ThreeShuntResistors = 0;
  d.IsolatedCurrentSensors = 1;
  EXPECT_NE(Data(d).find(Group("CURRENTSENSING") + End("CURRENTSENSING") + End("FOCDATA")),
            std::string::npos);
}

TEST_F(BuildLogFile, DecimalsAreTruncated) {
  UserData d = testdata::HandDefaults();
  d.R.Decimals = 2.9;
  d.R.Value = 0.356;
  EXPECT_NE(Data(d).find(Ranged("R", "0.01", "150.00", "0.36")), std::string::npos);
}

TEST_F(BuildLogFile, UnusableDecimalsStayPrintable) {
  UserData d = testdata::HandDefaults();
  d.R.Decimals = -3;
  d.Ld.Decimals = std::numeric_limits<double>::quiet_NaN();
  d.Lq.Decimals = 1e300;
  const std::string text = Data(d);
  EXPECT_NE(text.find(Ranged("R", "0", "150", "0")), std::string::npos);
  EXPECT_NE(text.find(Ranged("Ld", "0", "500", "1")), std::string::npos);
  EXPECT_NE(text.find("<Lq min='0.0100000000000000002081668171172168513294309377670288085937"),
            std::string::npos);
}

} // namespace
