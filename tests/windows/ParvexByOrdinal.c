/* Generates the nine headers and the build log for the default record and
 * eight varied projects, through PARVEX's C exports only: SetDefault (1),
 * CheckConsistency (2) and GenerateSources (7), the three TORVIO binds.
 * On Windows the program is linked to PARVEX.dll by ordinal; on Linux, as
 * ELF has no ordinals, by name. Its output on both systems is compared byte
 * for byte by CompareWithLinux.sh.
 *
 *   parvex_by_ordinal TEMPLATES_DIR/ OUTPUT_DIR/
 * writes OUTPUT_DIR/<project>/ for each project. Exit code 0 when every call
 * returned 0 and no generation reported an error, else 1; 2 for bad use. */
#include "parvex.h"

#include <stdio.h>
#include <string.h>

#if defined(_WIN32)
#include <direct.h>
#define MAKE_FOLDER(path) _mkdir(path)
#else
#include <sys/stat.h>
#define MAKE_FOLDER(path) mkdir(path, 0777)
#endif

static void SingleShunt(UserData *d) {
  d->ThreeShuntResistors = 0;
  d->SingleShuntResistor = 1;
}

static void IsolatedSensors(UserData *d) {
  d->ThreeShuntResistors = 0;
  d->IsolatedCurrentSensors = 1;
  d->RatedCurrent.Value = 1.65;
}

static void EncoderWithObserverTuning(UserData *d) {
  d->NoSpeedSensors = 0;
  d->QuadratureEncoder = 1;
  d->ViewEncoderFeedback = 0;
  d->None = 1;
  d->AuxGainsComputation = 0;
}

static void HallSensors(UserData *d) {
  d->NoSpeedSensors = 0;
  d->HallSensors = 1;
  d->Hall120Degrees = 0;
  d->Hall60Degrees = 1;
}

static void SensorlessViewingHall(UserData *d) {
  d->ViewEncoderFeedback = 0;
  d->ViewHallSensorsFeedback = 1;
  d->GainsComputation = 0;
}

static void MtpaLdBelowLq(UserData *d) {
  d->InternalPMSMMaximunTxAStrategy = 1;
  d->Ld.Value = 0.3;
}

static void FeedForward(UserData *d) {
  d->FeedForwardCurrentRegulation = 1;
  d->FluxWeakening = 0;
  d->SpeedRegulationControlRate = 0.5;
  d->ADConverterSamplingTime = 2450;
}

/* Another motor on a faster PWM: values that reach many derived gains. */
static void FastPwmOtherMotor(UserData *d) {
  d->PWMFrequency.Value = 20000;
  d->PolePairs.Value = 4;
  d->R.Value = 1.2;
  d->Ke.Value = 9.5;
  d->MotorMaxSpeed.Value = 6000;
}

static const struct Project {
  const char *name;
  void (*change)(UserData *);
} kProjects[] = {
    {"default", NULL},
    {"single_shunt", SingleShunt},
    {"isolated_sensors", IsolatedSensors},
    {"encoder_observer_tuning", EncoderWithObserverTuning},
    {"hall_sensors", HallSensors},
    {"sensorless_viewing_hall", SensorlessViewingHall},
    {"mtpa_ld_below_lq", MtpaLdBelowLq},
    {"feed_forward", FeedForward},
    {"fast_pwm_other_motor", FastPwmOtherMotor},
};

static int gErrors;

static void CountErrors(const char *text, int severity) {
  if (severity == 1) {
    ++gErrors;
    fprintf(stderr, "  %s\n", text);
  }
}

int main(int argc, char **argv) {
  size_t i;
  int failed = 0;
  if (argc != 3) {
    fprintf(stderr, "usage: %s TEMPLATES_DIR/ OUTPUT_DIR/\n", argv[0]);
    return 2;
  }
  MAKE_FOLDER(argv[2]);
  for (i = 0; i < sizeof kProjects / sizeof kProjects[0]; ++i) {
    static UserData data;
    char folder[4096];
    GenerateSourcesArgs args;
    if (snprintf(folder, sizeof folder, "%s%s/", argv[2], kProjects[i].name) >=
        (int)sizeof folder) {
      fprintf(stderr, "%s: output folder name too long\n", kProjects[i].name);
      return 2;
    }
    MAKE_FOLDER(folder);
    memset(&data, 0, sizeof data);
    if (PARVEX_SetDefault(&data) != 0) {
      fprintf(stderr, "%s: PARVEX_SetDefault failed\n", kProjects[i].name);
      failed = 1;
      continue;
    }
    if (kProjects[i].change) {
      kProjects[i].change(&data);
      if (PARVEX_CheckConsistency(&data) != 0) {
        fprintf(stderr, "%s: PARVEX_CheckConsistency failed\n", kProjects[i].name);
        failed = 1;
        continue;
      }
    }
    args.templatesDir = argv[1];
    args.outputDir = folder;
    args.logCallback = CountErrors;
    gErrors = 0;
    if (PARVEX_GenerateSources(&data, &args) != 0 || gErrors != 0) {
      fprintf(stderr, "%s: generation reported %d error(s)\n", kProjects[i].name, gErrors);
      failed = 1;
      continue;
    }
    printf("%s: 9 headers and BuildLog.xml written\n", kProjects[i].name);
  }
  return failed;
}
