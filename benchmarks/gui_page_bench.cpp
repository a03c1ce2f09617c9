// Time from a committed edit of the PWM frequency on the real Control
// Settings page to its refreshed fields: record write, consistency check
// (with the gain and modulation-index calculations), refresh of the
// dependent fields and tooltips. Must stay well below one 60 Hz frame
// (16 ms).
#include "pages/CControlSettingsPage.h"
#include "pages/NumericField.h"
#include "pages/PageHost.h"
#include "shell/EnterSetting.h"

#include <QApplication>
#include <QKeyEvent>

#include <benchmark/benchmark.h>

namespace {

class BenchHost : public PageHost {
public:
  BenchHost() { PARVEX_SetDefault(&data); }
  const UserData &Record() const override { return data; }
  // As the document enters an edit: the model's rule, then every page hears
  // what changed.
  void Set(const parvex::Parameter &parameter, double value, const QString &) override {
    const UserData before = data;
    if (EnterSetting(data, parameter, value))
      NotifyPages(ChangesBetween(before, data));
    ++modified;
  }
  void ShowHelp(unsigned) override {}
  UserData data{};
  long modified = 0;
};

void PwmEditToRefreshedFields(benchmark::State &state) {
  BenchHost host;
  CControlSettingsPage page(&host);
  page.OnSetActive();
  NumericField *pwm = page.Field(CControlSettingsPage::IdPwmFrequency);
  NumericField *gain = page.Field(CControlSettingsPage::IdTorqueIDividend);
  const QString values[] = {QStringLiteral("16000"), QStringLiteral("14400")};
  int i = 0;
  for (auto _ : state) {
    pwm->setText(values[i++ % 2]);
    pwm->setModified(true);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(pwm, &enter);
    benchmark::DoNotOptimize(gain->text());
  }
  if (host.modified != static_cast<long>(state.iterations()))
    state.SkipWithError("an edit was not committed");
}

} // namespace

BENCHMARK(PwmEditToRefreshedFields)->Unit(benchmark::kMillisecond)->Repetitions(10);
