// Small helpers shared by the page tests.
#pragma once

#include "FakePageHost.h"
#include "pages/CTORVIOPropertyPage.h"
#include "pages/NumericField.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>

// Types text into a field the way a user does and commits it with Enter.
inline void TypeAndCommit(NumericField *f, const QString &text) {
  f->selectAll();
  QTest::keyClicks(f, text);
  QTest::keyClick(f, Qt::Key_Return);
}

// A record state that only the consistency check repairs: a speed divisor
// that is no power of two. After a commit, host.atModified shows whether the
// check ran before the document was marked modified.
inline void ArmCheckSentinel(FakePageHost &host) {
  host.data.SpeedPDivisor.Value = 100;
}
inline bool CheckRan(const FakePageHost &host) {
  return host.atModified.SpeedPDivisor.Value == 64;
}

inline const QColor kBlack(0, 0, 0);
inline const QColor kGrey(160, 160, 160);

// The page is shown and active so that focus moves can be observed.
inline bool ShowActive(QWidget &w) {
  w.show();
  w.activateWindow();
  return QTest::qWaitForWindowActive(&w);
}

inline void PressTab(QWidget *from, bool shift) {
  from->setFocus(Qt::OtherFocusReason);
  QTest::keyClick(from, shift ? Qt::Key_Backtab : Qt::Key_Tab,
                  shift ? Qt::ShiftModifier : Qt::NoModifier);
}
