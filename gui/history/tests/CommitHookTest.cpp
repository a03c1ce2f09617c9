// The page base tells its host about every commit once, with the record as
// it was before and the committing control's label: fields, check boxes,
// radio buttons and the lists a page commits itself.
#include "FakePageHost.h"
#include "pages/CControlSettingsPage.h"
#include "pages/NumericField.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QtTest>

#include <cstring>

namespace {

class RecordingHost : public FakePageHost {
public:
  void Committed(const UserData &before, const QString &label) override {
    befores.push_back(before);
    labels << label;
  }
  std::vector<UserData> befores;
  QStringList labels;
};

} // namespace

class CommitHookTest : public QObject {
  Q_OBJECT

private slots:
  void fieldCommitGivesBeforeAndLabel() {
    RecordingHost host;
    CControlSettingsPage page(&host);
    QVERIFY(page.OnSetActive());
    const UserData before = host.data;
    NumericField *f = page.Field(CControlSettingsPage::IdPwmFrequency);
    QVERIFY(f);
    f->setFocus();
    f->selectAll();
    QTest::keyClicks(f, QStringLiteral("20000"));
    QTest::keyClick(f, Qt::Key_Return);
    QCOMPARE(host.labels, QStringList{QStringLiteral("PWM Frequency (Hz)")});
    QCOMPARE(std::memcmp(&host.befores[0], &before, sizeof before), 0);
    QCOMPARE(host.data.PWMFrequency.Value, 20000u);

    // The next commit's before is the record after the first.
    const UserData afterFirst = host.data;
    auto *list = qobject_cast<QComboBox *>(page.Control(CControlSettingsPage::IdCurrentRate));
    QVERIFY(list);
    const int other = list->currentIndex() == 0 ? 1 : 0;
    list->setCurrentIndex(other);
    emit list->activated(other);
    QCOMPARE(host.labels.size(), 2);
    QCOMPARE(host.labels[1], QStringLiteral("Torque and flux control rate (PWM periods)"));
    QCOMPARE(std::memcmp(&host.befores[1], &afterFirst, sizeof afterFirst), 0);
  }

  void buttonCommitGivesItsText() {
    RecordingHost host;
    CControlSettingsPage page(&host);
    QVERIFY(page.OnSetActive());
    auto *manual = page.Button(CControlSettingsPage::IdManualEditing);
    QVERIFY(manual);
    const UserData before = host.data;
    manual->click();
    QCOMPARE(host.labels.size(), 1);
    QCOMPARE(host.labels[0], manual->accessibleName());
    QVERIFY(!host.labels[0].isEmpty());
    QCOMPARE(std::memcmp(&host.befores[0], &before, sizeof before), 0);
  }
};

QTEST_MAIN(CommitHookTest)
#include "CommitHookTest.moc"
