/* PARVEX: the configuration model of a field-oriented-control firmware
 * project (record, defaults, consistency check, derived gains) and the
 * generation of the firmware's C headers. Usable from C99 and C++. */
#ifndef PARVEX_H
#define PARVEX_H

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32)
#if defined(PARVEX_BUILD)
#define PARVEX_API __declspec(dllexport)
#else
#define PARVEX_API __declspec(dllimport)
#endif
#else
#define PARVEX_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* An integer setting with its allowed range; Decimals is always 0. */
typedef struct IntParam {
  uint32_t Min;
  uint32_t Value;
  uint32_t Max;
  uint32_t Decimals;
} IntParam;

/* The signed variant, used by the observer gains K1, K2, AuxK1, AuxK2. */
typedef struct SignedIntParam {
  int32_t Min;
  int32_t Value;
  int32_t Max;
  int32_t Decimals;
} SignedIntParam;

/* A real setting with its allowed range and shown decimals. */
typedef struct RealParam {
  double Min;
  double Value;
  double Max;
  double Decimals;
} RealParam;

/* Every setting of one project: 1992 bytes, little-endian, stored raw in
 * the project file, so the layout is a file format. Flags hold 0 or 1 and
 * are read as set when non-zero. The reserved areas carry no meaning. */
typedef struct UserData {
  uint32_t QuadratureEncoder;
  uint32_t HallSensors;
  uint32_t NoSpeedSensors;
  uint32_t FluxWeakening;
  uint32_t FeedForwardCurrentRegulation;
  uint32_t InternalPMSMMaximunTxAStrategy;
  uint32_t IsolatedCurrentSensors;
  uint32_t ThreeShuntResistors;
  uint32_t SingleShuntResistor;
  uint32_t EnableDCBusBrakeResistorManagement;
  uint32_t CheckToEnableDifferentialTerm;
  uint8_t reserved44[4];
  RealParam ShuntResistorValue;
  RealParam AmplificationGain;
  RealParam ICSGain;
  IntParam OverTemperatureThreshold;
  IntParam TemperatureHysteresis;
  IntParam OverVoltageThreshold;
  IntParam UnderVoltageThreshold;
  RealParam R;
  RealParam Ld;
  RealParam Lq;
  RealParam RatedCurrent;
  RealParam Ke;
  IntParam PolePairs;
  IntParam MotorMaxSpeed;
  RealParam DCBusVoltagePartitioning;
  RealParam DCBusVoltage;
  IntParam PWMFrequency;
  IntParam DeadTime;
  double SpeedRegulationControlRate;
  uint32_t TorqueAndFluxControlRate;
  IntParam CutOffFrequency;
  IntParam TorquePDividend;
  IntParam TorquePDivisor;
  IntParam TorqueIDividend;
  IntParam TorqueIDivisor;
  IntParam TorqueDDividend;
  IntParam TorqueDDivisor;
  uint8_t reserved620[4];
  RealParam TorqueInitRef;
  IntParam FluxPDividend;
  IntParam FluxPDivisor;
  IntParam FluxIDividend;
  IntParam FluxIDivisor;
  IntParam FluxDDividend;
  IntParam FluxDDivisor;
  RealParam FluxInitRef;
  IntParam SpeedPDividend;
  IntParam SpeedPDivisor;
  IntParam SpeedIDividend;
  IntParam SpeedIDivisor;
  IntParam SpeedDDividend;
  IntParam SpeedDDivisor;
  IntParam SpeedInitRef;
  IntParam FluxWeakeningControllerPDividend;
  IntParam FluxWeakeningControllerPDivisor;
  IntParam FluxWeakeningControllerIDividend;
  IntParam FluxWeakeningControllerIDivisor;
  RealParam FluxWeakeningControllerVoltageLimit;
  uint32_t TorqueAndFluxGainsComputation;
  uint8_t reserved996[4];
  uint32_t ViewEncoderFeedback;
  uint32_t ViewHallSensorsFeedback;
  uint32_t None;
  uint32_t EnableObserverGainTuning;
  uint32_t EnableDACFunctionality;
  uint32_t EnableModality;
  IntParam SquareWavePeriod;
  IntParam AuxPulsesPerRevolution;
  IntParam AuxMinMechanicalSpeed;
  IntParam AuxMaxMechanicalSpeed;
  IntParam AuxMinimumSpeed;
  IntParam AuxMaxErrorsNumber;
  IntParam AuxFIFODepth;
  IntParam AuxAlignmentDuration;
  IntParam AuxAlignmentAngle;
  RealParam AuxAlignmentCurrent;
  uint32_t AuxHall120Degrees;
  uint32_t AuxHall60Degrees;
  IntParam AuxPhaseShift;
  IntParam AuxSpeedRampDuration;
  IntParam AuxSpeedRampFinalValue;
  RealParam AuxCurrentRampInitialValue;
  RealParam AuxCurrentRampFinalValue;
  IntParam AuxCurrentRampDuration;
  IntParam AuxConsinstencyThreshold;
  RealParam AuxVarianceThreshold;
  uint32_t AuxIncludeAlignmentBeforeStartUp;
  uint32_t AuxGainsComputation;
  SignedIntParam AuxK1;
  SignedIntParam AuxK2;
  IntParam AuxPLLPDividend;
  IntParam AuxPLLPDivisor;
  IntParam AuxPLLIDividend;
  IntParam AuxPLLIDivisor;
  IntParam PulsesPerRevolution;
  IntParam MinMechanicalSpeed;
  IntParam MaxMechanicalSpeed;
  IntParam MinimumSpeed;
  IntParam MaxErrorsNumber;
  IntParam FIFODepth;
  IntParam AlignmentDuration;
  IntParam AlignmentAngle;
  RealParam AlignmentCurrent;
  uint32_t Hall120Degrees;
  uint32_t Hall60Degrees;
  IntParam PhaseShift;
  IntParam SpeedRampDuration;
  IntParam SpeedRampFinalValue;
  RealParam CurrentRampInitialValue;
  RealParam CurrentRampFinalValue;
  IntParam CurrentRampDuration;
  IntParam ConsinstencyThreshold;
  RealParam VarianceThreshold;
  uint32_t IncludeAlignmentBeforeStartUp;
  uint32_t GainsComputation;
  SignedIntParam K1;
  SignedIntParam K2;
  IntParam PLLPDividend;
  IntParam PLLPDivisor;
  IntParam PLLIDividend;
  IntParam PLLIDivisor;
  IntParam Tnoise;
  IntParam Trise;
  uint32_t ADConverterSamplingTime;
  IntParam MaximumAvailableModulationIndex;
  uint8_t reserved1988[4];
} UserData;

/* Receives one report line of a generation run: severity 0 information,
 * 1 error, 2 warning. The text is valid only during the call. */
typedef void (*LogCallback)(const char *text, int severity);

/* Arguments of PARVEX_GenerateSources, owned by the caller. Both folders are
 * plain prefixes ending with the path separator. */
typedef struct GenerateSourcesArgs {
  const char *templatesDir;
  const char *outputDir;
  LogCallback logCallback; /* may be null: no report lines, no warnings */
} GenerateSourcesArgs;

/* Fills the record with the default configuration and its derived values.
 * Returns 1 for a null record, else 0. */
PARVEX_API int PARVEX_SetDefault(UserData *data);

/* Repairs the record after an edit: re-couples limits, clamps values, rounds
 * divisors and reruns every calculation. Returns 1 for a null record, else 0. */
PARVEX_API int PARVEX_CheckConsistency(UserData *data);

/* Computes the torque and flux controller gains when
 * TorqueAndFluxGainsComputation is set. Returns 1 for a null record, 2 when
 * the current scale or its product with the PWM frequency is zero (nothing
 * written), else 0. */
PARVEX_API int PARVEX_CalcControlSettingsTorqueAndFluxPID(UserData *data);

/* Computes the sensorless observer and PLL gains when GainsComputation is
 * set. Returns 1 for a null record, 2 for a zero control rate or a zero
 * product of control frequency and inductance (nothing written), else 0. */
PARVEX_API int PARVEX_CalcSpeedFeedbackGains(UserData *data);

/* The same for the auxiliary observer (AuxGainsComputation, Aux gains). */
PARVEX_API int PARVEX_CalcAuxSpeedFeedbackGains(UserData *data);

/* Stores the maximum available modulation index of the chosen
 * current-sensing technique. Returns 1 for a null record, else 0. */
PARVEX_API int PARVEX_CalcMMI(UserData *data);

/* Generates the nine headers and BuildLog.xml from the templates; reports
 * through args->logCallback. Always returns 0. */
PARVEX_API int PARVEX_GenerateSources(const UserData *data, const GenerateSourcesArgs *args);

#ifdef __cplusplus
}
#endif

#if defined(__cplusplus)
#define PARVEX_CHECK(cond, name) static_assert(cond, #name)
#else
/* C99 has no static assertion: a negative array size stops the build. */
#define PARVEX_CHECK(cond, name) typedef char parvex_check_##name[(cond) ? 1 : -1]
#endif
#define PARVEX_CHECK_OFFSET(field, offset)                                                         \
  PARVEX_CHECK(offsetof(UserData, field) == (offset), field)

PARVEX_CHECK(sizeof(IntParam) == 16, IntParam_size);
PARVEX_CHECK(sizeof(SignedIntParam) == 16, SignedIntParam_size);
PARVEX_CHECK(sizeof(RealParam) == 32, RealParam_size);
PARVEX_CHECK(sizeof(UserData) == 1992, UserData_size);
PARVEX_CHECK_OFFSET(QuadratureEncoder, 0);
PARVEX_CHECK_OFFSET(HallSensors, 4);
PARVEX_CHECK_OFFSET(NoSpeedSensors, 8);
PARVEX_CHECK_OFFSET(FluxWeakening, 12);
PARVEX_CHECK_OFFSET(FeedForwardCurrentRegulation, 16);
PARVEX_CHECK_OFFSET(InternalPMSMMaximunTxAStrategy, 20);
PARVEX_CHECK_OFFSET(IsolatedCurrentSensors, 24);
PARVEX_CHECK_OFFSET(ThreeShuntResistors, 28);
PARVEX_CHECK_OFFSET(SingleShuntResistor, 32);
PARVEX_CHECK_OFFSET(EnableDCBusBrakeResistorManagement, 36);
PARVEX_CHECK_OFFSET(CheckToEnableDifferentialTerm, 40);
PARVEX_CHECK_OFFSET(reserved44, 44);
PARVEX_CHECK_OFFSET(ShuntResistorValue, 48);
PARVEX_CHECK_OFFSET(AmplificationGain, 80);
PARVEX_CHECK_OFFSET(ICSGain, 112);
PARVEX_CHECK_OFFSET(OverTemperatureThreshold, 144);
PARVEX_CHECK_OFFSET(TemperatureHysteresis, 160);
PARVEX_CHECK_OFFSET(OverVoltageThreshold, 176);
PARVEX_CHECK_OFFSET(UnderVoltageThreshold, 192);
PARVEX_CHECK_OFFSET(R, 208);
PARVEX_CHECK_OFFSET(Ld, 240);
PARVEX_CHECK_OFFSET(Lq, 272);
PARVEX_CHECK_OFFSET(RatedCurrent, 304);
PARVEX_CHECK_OFFSET(Ke, 336);
PARVEX_CHECK_OFFSET(PolePairs, 368);
PARVEX_CHECK_OFFSET(MotorMaxSpeed, 384);
PARVEX_CHECK_OFFSET(DCBusVoltagePartitioning, 400);
PARVEX_CHECK_OFFSET(DCBusVoltage, 432);
PARVEX_CHECK_OFFSET(PWMFrequency, 464);
PARVEX_CHECK_OFFSET(DeadTime, 480);
PARVEX_CHECK_OFFSET(SpeedRegulationControlRate, 496);
PARVEX_CHECK_OFFSET(TorqueAndFluxControlRate, 504);
PARVEX_CHECK_OFFSET(CutOffFrequency, 508);
PARVEX_CHECK_OFFSET(TorquePDividend, 524);
PARVEX_CHECK_OFFSET(TorquePDivisor, 540);
PARVEX_CHECK_OFFSET(TorqueIDividend, 556);
PARVEX_CHECK_OFFSET(TorqueIDivisor, 572);
PARVEX_CHECK_OFFSET(TorqueDDividend, 588);
PARVEX_CHECK_OFFSET(TorqueDDivisor, 604);
PARVEX_CHECK_OFFSET(reserved620, 620);
PARVEX_CHECK_OFFSET(TorqueInitRef, 624);
PARVEX_CHECK_OFFSET(FluxPDividend, 656);
PARVEX_CHECK_OFFSET(FluxPDivisor, 672);
PARVEX_CHECK_OFFSET(FluxIDividend, 688);
PARVEX_CHECK_OFFSET(FluxIDivisor, 704);
PARVEX_CHECK_OFFSET(FluxDDividend, 720);
PARVEX_CHECK_OFFSET(FluxDDivisor, 736);
PARVEX_CHECK_OFFSET(FluxInitRef, 752);
PARVEX_CHECK_OFFSET(SpeedPDividend, 784);
PARVEX_CHECK_OFFSET(SpeedPDivisor, 800);
PARVEX_CHECK_OFFSET(SpeedIDividend, 816);
PARVEX_CHECK_OFFSET(SpeedIDivisor, 832);
PARVEX_CHECK_OFFSET(SpeedDDividend, 848);
PARVEX_CHECK_OFFSET(SpeedDDivisor, 864);
PARVEX_CHECK_OFFSET(SpeedInitRef, 880);
PARVEX_CHECK_OFFSET(FluxWeakeningControllerPDividend, 896);
PARVEX_CHECK_OFFSET(FluxWeakeningControllerPDivisor, 912);
PARVEX_CHECK_OFFSET(FluxWeakeningControllerIDividend, 928);
PARVEX_CHECK_OFFSET(FluxWeakeningControllerIDivisor, 944);
PARVEX_CHECK_OFFSET(FluxWeakeningControllerVoltageLimit, 960);
PARVEX_CHECK_OFFSET(TorqueAndFluxGainsComputation, 992);
PARVEX_CHECK_OFFSET(reserved996, 996);
PARVEX_CHECK_OFFSET(ViewEncoderFeedback, 1000);
PARVEX_CHECK_OFFSET(ViewHallSensorsFeedback, 1004);
PARVEX_CHECK_OFFSET(None, 1008);
PARVEX_CHECK_OFFSET(EnableObserverGainTuning, 1012);
PARVEX_CHECK_OFFSET(EnableDACFunctionality, 1016);
PARVEX_CHECK_OFFSET(EnableModality, 1020);
PARVEX_CHECK_OFFSET(SquareWavePeriod, 1024);
PARVEX_CHECK_OFFSET(AuxPulsesPerRevolution, 1040);
PARVEX_CHECK_OFFSET(AuxMinMechanicalSpeed, 1056);
PARVEX_CHECK_OFFSET(AuxMaxMechanicalSpeed, 1072);
PARVEX_CHECK_OFFSET(AuxMinimumSpeed, 1088);
PARVEX_CHECK_OFFSET(AuxMaxErrorsNumber, 1104);
PARVEX_CHECK_OFFSET(AuxFIFODepth, 1120);
PARVEX_CHECK_OFFSET(AuxAlignmentDuration, 1136);
PARVEX_CHECK_OFFSET(AuxAlignmentAngle, 1152);
PARVEX_CHECK_OFFSET(AuxAlignmentCurrent, 1168);
PARVEX_CHECK_OFFSET(AuxHall120Degrees, 1200);
PARVEX_CHECK_OFFSET(AuxHall60Degrees, 1204);
PARVEX_CHECK_OFFSET(AuxPhaseShift, 1208);
PARVEX_CHECK_OFFSET(AuxSpeedRampDuration, 1224);
PARVEX_CHECK_OFFSET(AuxSpeedRampFinalValue, 1240);
PARVEX_CHECK_OFFSET(AuxCurrentRampInitialValue, 1256);
PARVEX_CHECK_OFFSET(AuxCurrentRampFinalValue, 1288);
PARVEX_CHECK_OFFSET(AuxCurrentRampDuration, 1320);
PARVEX_CHECK_OFFSET(AuxConsinstencyThreshold, 1336);
PARVEX_CHECK_OFFSET(AuxVarianceThreshold, 1352);
PARVEX_CHECK_OFFSET(AuxIncludeAlignmentBeforeStartUp, 1384);
PARVEX_CHECK_OFFSET(AuxGainsComputation, 1388);
PARVEX_CHECK_OFFSET(AuxK1, 1392);
PARVEX_CHECK_OFFSET(AuxK2, 1408);
PARVEX_CHECK_OFFSET(AuxPLLPDividend, 1424);
PARVEX_CHECK_OFFSET(AuxPLLPDivisor, 1440);
PARVEX_CHECK_OFFSET(AuxPLLIDividend, 1456);
PARVEX_CHECK_OFFSET(AuxPLLIDivisor, 1472);
PARVEX_CHECK_OFFSET(PulsesPerRevolution, 1488);
PARVEX_CHECK_OFFSET(MinMechanicalSpeed, 1504);
PARVEX_CHECK_OFFSET(MaxMechanicalSpeed, 1520);
PARVEX_CHECK_OFFSET(MinimumSpeed, 1536);
PARVEX_CHECK_OFFSET(MaxErrorsNumber, 1552);
PARVEX_CHECK_OFFSET(FIFODepth, 1568);
PARVEX_CHECK_OFFSET(AlignmentDuration, 1584);
PARVEX_CHECK_OFFSET(AlignmentAngle, 1600);
PARVEX_CHECK_OFFSET(AlignmentCurrent, 1616);
PARVEX_CHECK_OFFSET(Hall120Degrees, 1648);
PARVEX_CHECK_OFFSET(Hall60Degrees, 1652);
PARVEX_CHECK_OFFSET(PhaseShift, 1656);
PARVEX_CHECK_OFFSET(SpeedRampDuration, 1672);
PARVEX_CHECK_OFFSET(SpeedRampFinalValue, 1688);
PARVEX_CHECK_OFFSET(CurrentRampInitialValue, 1704);
PARVEX_CHECK_OFFSET(CurrentRampFinalValue, 1736);
PARVEX_CHECK_OFFSET(CurrentRampDuration, 1768);
PARVEX_CHECK_OFFSET(ConsinstencyThreshold, 1784);
PARVEX_CHECK_OFFSET(VarianceThreshold, 1800);
PARVEX_CHECK_OFFSET(IncludeAlignmentBeforeStartUp, 1832);
PARVEX_CHECK_OFFSET(GainsComputation, 1836);
PARVEX_CHECK_OFFSET(K1, 1840);
PARVEX_CHECK_OFFSET(K2, 1856);
PARVEX_CHECK_OFFSET(PLLPDividend, 1872);
PARVEX_CHECK_OFFSET(PLLPDivisor, 1888);
PARVEX_CHECK_OFFSET(PLLIDividend, 1904);
PARVEX_CHECK_OFFSET(PLLIDivisor, 1920);
PARVEX_CHECK_OFFSET(Tnoise, 1936);
PARVEX_CHECK_OFFSET(Trise, 1952);
PARVEX_CHECK_OFFSET(ADConverterSamplingTime, 1968);
PARVEX_CHECK_OFFSET(MaximumAvailableModulationIndex, 1972);
PARVEX_CHECK_OFFSET(reserved1988, 1988);

#undef PARVEX_CHECK_OFFSET
#undef PARVEX_CHECK

#endif
