// The numeric field on its own: exact limits, one Changed per commit,
// nothing outside the limits, "." whatever the locale, Tab reporting.
#include "pages/NumericField.h"

#include <QLocale>
#include <QSignalSpy>
#include <QTest>

class NumericFieldTest : public QObject {
  Q_OBJECT

  static void Configure(NumericField &f, double min, double max, double value, int decimals) {
    f.SetMin(min);
    f.SetMax(max);
    f.SetValue(value);
    f.SetPrecision(decimals);
  }
  static void Type(NumericField &f, const QString &text) {
    f.selectAll();
    QTest::keyClicks(&f, text);
  }

private slots:
  void initTestCase() { QLocale::setDefault(QLocale::c()); }

  void limitsAreKeptExactly() {
    NumericField f;
    Configure(f, 0.05, 2.9182879377431905, 2.0, 2);
    QCOMPARE(f.Max(), 2.9182879377431905);
    QCOMPARE(f.Min(), 0.05);
    QCOMPARE(f.text(), QStringLiteral("2.00"));
    QSignalSpy changed(&f, &NumericField::Changed);
    Type(f, QStringLiteral("5"));
    QTest::keyClick(&f, Qt::Key_Return);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(f.GetValue(), 2.9182879377431905); // the limit itself, not 2.92
    QCOMPARE(f.text(), QStringLiteral("2.92"));
  }

  void shownRoundingIsNeverCommittedBack() {
    // The value at the limit shows as 2.92; leaving the field untouched must
    // not commit 2.92, which lies above the limit.
    NumericField f;
    Configure(f, 0.05, 2.9182879377431905, 2.9182879377431905, 2);
    QSignalSpy changed(&f, &NumericField::Changed);
    QTest::keyClick(&f, Qt::Key_Return);
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&f, &out);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(f.GetValue(), 2.9182879377431905);
  }

  void belowTheMinimumIsClampedAndShown() {
    NumericField f;
    Configure(f, 0.001, 10, 0.22, 3);
    QSignalSpy changed(&f, &NumericField::Changed);
    Type(f, QStringLiteral("-3"));
    QTest::keyClick(&f, Qt::Key_Enter);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(f.GetValue(), 0.001);
    QCOMPARE(f.text(), QStringLiteral("0.001"));
  }

  void oneChangedPerCommittedEdit() {
    NumericField f;
    Configure(f, 0, 100, 10, 1);
    QSignalSpy changed(&f, &NumericField::Changed);
    Type(f, QStringLiteral("12.5"));
    QTest::keyClick(&f, Qt::Key_Return);
    QCOMPARE(changed.count(), 1);
    // Leaving the field after the Enter commits nothing more.
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&f, &out);
    QCOMPARE(changed.count(), 1);
    // Leaving an edited field commits it, once.
    Type(f, QStringLiteral("13"));
    QApplication::sendEvent(&f, &out);
    QCOMPARE(changed.count(), 2);
    QCOMPARE(f.GetValue(), 13.0);
    // The same value again is no change.
    Type(f, QStringLiteral("13.0"));
    QTest::keyClick(&f, Qt::Key_Return);
    QCOMPARE(changed.count(), 2);
  }

  void setValueRaisesNothing() {
    NumericField f;
    QSignalSpy changed(&f, &NumericField::Changed);
    Configure(f, 0, 10, 5, 0);
    f.SetValue(7);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(f.text(), QStringLiteral("7"));
  }

  void commaIsReadAsDecimalPoint() {
    QLocale::setDefault(QLocale(QLocale::German));
    NumericField f;
    Configure(f, 0, 10, 1, 2);
    Type(f, QStringLiteral("1,25"));
    QTest::keyClick(&f, Qt::Key_Return);
    QCOMPARE(f.GetValue(), 1.25);
    QCOMPARE(f.text(), QStringLiteral("1.25")); // shown with "." whatever the locale
    QLocale::setDefault(QLocale::c());
  }

  void notANumberKeepsTheOldValue() {
    NumericField f;
    Configure(f, 0, 10, 4, 1);
    QSignalSpy changed(&f, &NumericField::Changed);
    Type(f, QStringLiteral("."));
    QTest::keyClick(&f, Qt::Key_Return);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(f.text(), QStringLiteral("4.0"));
  }

  void lettersAreRefused() {
    NumericField f;
    Configure(f, 0, 100, 4, 0);
    Type(f, QStringLiteral("1x2"));
    QCOMPARE(f.text(), QStringLiteral("12"));
  }

  void upAndDownStepTheLastDecimal() {
    NumericField f;
    Configure(f, 0, 2, 1, 2);
    QSignalSpy changed(&f, &NumericField::Changed);
    QTest::keyClick(&f, Qt::Key_Up);
    QTest::keyClick(&f, Qt::Key_Up);
    QCOMPARE(f.text(), QStringLiteral("1.02"));
    QCOMPARE(changed.count(), 0); // stepping edits, Enter commits
    QTest::keyClick(&f, Qt::Key_Return);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(f.GetValue(), 1.02);
    QTest::keyClick(&f, Qt::Key_Down);
    QTest::keyClick(&f, Qt::Key_Return);
    QCOMPARE(f.GetValue(), 1.01);
  }

  void stepsStopAtTheLimit() {
    NumericField f;
    Configure(f, 0, 5, 5, 0);
    QSignalSpy changed(&f, &NumericField::Changed);
    QTest::keyClick(&f, Qt::Key_Up);
    QTest::keyClick(&f, Qt::Key_Return);
    QCOMPARE(f.GetValue(), 5.0);
    QCOMPARE(changed.count(), 0);
  }

  void escapeRestoresTheShownValue() {
    NumericField f;
    Configure(f, 0, 100, 42, 0);
    QSignalSpy changed(&f, &NumericField::Changed);
    Type(f, QStringLiteral("7"));
    QTest::keyClick(&f, Qt::Key_Escape);
    QCOMPARE(f.text(), QStringLiteral("42"));
    QTest::keyClick(&f, Qt::Key_Return);
    QCOMPARE(changed.count(), 0);
  }

  void largeUnsignedValuesShowInFull() {
    NumericField f;
    Configure(f, 0, 4294967295.0, 4294967295.0, 0);
    QCOMPARE(f.text(), QStringLiteral("4294967295"));
  }

  // A value wider than the field is never cut silently on the left (which
  // shows a plausible wrong number): it is cut on the right with a visible
  // ellipsis, and shown whole while the field has the focus.
  void valuesTooWideForTheFieldShowAnEllipsis_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("whole");
    QTest::newRow("unsigned maximum") << 4294967295.0 << 0 << QStringLiteral("4294967295");
    QTest::newRow("huge real") << 1.797e308 << 2
                               << QString::number(1.797e308, 'f', 2); // 309 digits
  }

  void valuesTooWideForTheFieldShowAnEllipsis() {
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, whole);
    QWidget window;
    auto *f = new NumericField(&window);
    auto *other = new NumericField(&window);
    f->setFixedWidth(f->fontMetrics().horizontalAdvance(QStringLiteral("00000000")) + 14);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    other->setFocus();
    Configure(*f, 0, value, value, decimals);
    QVERIFY2(f->text().contains(QChar(0x2026)), qPrintable(f->text()));
    QVERIFY(whole.startsWith(f->text().chopped(1)));
    QCOMPARE(f->GetValue(), value);
    f->setFocus();
    QCOMPARE(f->text(), whole);
    other->setFocus(); // nothing was typed: nothing is committed
    QVERIFY(f->text().contains(QChar(0x2026)));
    QCOMPARE(f->GetValue(), value);
  }

  void tabIsReportedWithShiftState_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("shift");
    QTest::newRow("Tab") << int(Qt::Key_Tab) << int(Qt::NoModifier) << 0;
    QTest::newRow("Backtab") << int(Qt::Key_Backtab) << int(Qt::ShiftModifier) << 1;
    QTest::newRow("Shift+Tab") << int(Qt::Key_Tab) << int(Qt::ShiftModifier) << 1;
  }

  void tabIsReportedWithShiftState() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, shift);
    QWidget window;
    auto *f = new NumericField(&window);
    auto *other = new NumericField(&window);
    f->SetKeepsTab(true);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    f->setFocus();
    QList<std::pair<int, int>> seen;
    connect(f, &NumericField::KeyDown, this, [&seen](quint16 &code, quint16 s) {
      if (code == 9) // the Shift key itself is reported too
        seen.append({code, s});
    });
    QTest::keyClick(f, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].first, 9);
    QCOMPARE(seen[0].second, shift);
    QCOMPARE(QApplication::focusWidget(), f); // the field kept the key
    Q_UNUSED(other);
  }

  void withoutKeepingTabTheFocusMovesOn() {
    QWidget window;
    auto *f = new NumericField(&window);
    auto *other = new NumericField(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    f->setFocus();
    QTest::keyClick(f, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), other);
  }

  void textColourIsSet() {
    NumericField f;
    f.SetTextColor(QColor(160, 160, 160));
    QCOMPARE(f.TextColor(), QColor(160, 160, 160));
    QCOMPARE(f.palette().color(QPalette::Disabled, QPalette::Text), QColor(160, 160, 160));
    QCOMPARE(f.palette().color(QPalette::Active, QPalette::Text), QColor(160, 160, 160));
  }

  void parseNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");
    QTest::newRow("point") << "2.5" << true << 2.5;
    QTest::newRow("comma") << "2,5" << true << 2.5;
    QTest::newRow("blanks") << " 7 " << true << 7.0;
    QTest::newRow("negative") << "-300" << true << -300.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("sign only") << "-" << false << 0.0;
    QTest::newRow("point only") << "." << false << 0.0;
  }

  void parseNumber() {
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(double, value);
    double v = 0.0;
    QCOMPARE(NumericField::ParseNumber(text, &v), ok);
    if (ok)
      QCOMPARE(v, value);
  }
};

QTEST_MAIN(NumericFieldTest)
#include "NumericFieldTest.moc"
