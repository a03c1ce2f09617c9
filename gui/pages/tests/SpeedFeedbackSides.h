// What the speed-feedback page tests share. One page class shows each sensor
// on the main members and on their auxiliary twins, so a test row names its
// setting once, by the main member's registry name, and runs on both sides:
// on the auxiliary side the member is the registry's twin of that name.
#pragma once

#include "PageTestUtil.h"
#include "pages/CSpeedFeedbackPage.h"
#include "parvex/Parameters.h"

#include <QGroupBox>
#include <QLabel>
#include <QMetaType>
#include <QString>

#include <string>
#include <string_view>

enum class Side { Main, Aux };
Q_DECLARE_METATYPE(Side)

inline constexpr Side kSides[] = {Side::Main, Side::Aux};

inline Side OtherSide(Side side) {
  return side == Side::Main ? Side::Aux : Side::Main;
}

enum class Sensor { Encoder, Hall, Observer };

inline PageKind PageOf(Sensor sensor, Side side) {
  const bool aux = side == Side::Aux;
  switch (sensor) {
  case Sensor::Encoder:
    return aux ? PageKind::AuxSpeedFeedback1 : PageKind::SpeedFeedback1;
  case Sensor::Hall:
    return aux ? PageKind::AuxSpeedFeedback2 : PageKind::SpeedFeedback2;
  case Sensor::Observer:
    break;
  }
  return aux ? PageKind::AuxSpeedFeedback3 : PageKind::SpeedFeedback3;
}

inline QString CaptionOf(Side side) {
  return side == Side::Main ? QStringLiteral("Speed feedback")
                            : QStringLiteral("Aux speed feedback");
}

// Starts a data row for one side, tagged "main: tag" or "aux: tag"; the side
// is always the first column.
inline QTestData &NewRow(Side side, const QString &tag) {
  const QString prefix = side == Side::Main ? QStringLiteral("main: ") : QStringLiteral("aux: ");
  return QTest::newRow(qPrintable(prefix + tag)) << side;
}

inline void AddSideColumn() {
  QTest::addColumn<Side>("side");
}

// The setting a row names by its main member, on `side`. A misspelt name,
// an auxiliary name or a setting without a twin is a fault of the test
// itself, so it stops the run.
inline const parvex::Parameter &Setting(Side side, std::string_view mainName) {
  const parvex::Parameter *p = parvex::FindParameter(mainName);
  if (!p || !p->twin || std::string_view(p->name).starts_with("Aux"))
    qFatal("%s names no main member with an auxiliary twin", std::string(mainName).c_str());
  if (side == Side::Aux)
    p = parvex::TwinOf(*p);
  if (!p)
    qFatal("the twin of %s is missing", std::string(mainName).c_str());
  return *p;
}
inline const parvex::Parameter &Setting(Side side, const QString &mainName) {
  return Setting(side, std::string_view(mainName.toStdString()));
}

inline double Read(const UserData &d, Side side, std::string_view mainName,
                   parvex::ParamPart part = parvex::ParamPart::Value) {
  return Setting(side, mainName).Read(d, part);
}

inline void Write(UserData &d, Side side, std::string_view mainName, double value,
                  parvex::ParamPart part = parvex::ParamPart::Value) {
  if (!Setting(side, mainName).Write(d, value, part))
    qFatal("cannot write %s", std::string(mainName).c_str());
}

// The title of the frame around a control; empty outside any.
inline QString FrameOf(QWidget *w) {
  auto *box = qobject_cast<QGroupBox *>(w->parentWidget());
  return box ? box->title() : QString();
}

// The columns of a commit row, after the side: the field, its accessible
// name, its frame, the setting by its main name, what is typed, what the
// record then holds, whether the check ran, and the other side's member
// (its default, which the commit leaves alone).
inline void AddCommitColumns() {
  AddSideColumn();
  QTest::addColumn<int>("id");
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("frame");
  QTest::addColumn<QString>("setting");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<double>("stored");
  QTest::addColumn<bool>("check");
  QTest::addColumn<double>("kept");
}

// One commit row on the `sensor` page of its side, the record set up by
// `prepare` (may be null): the field is enabled and black in its frame,
// labelled with its name where `labelIsName` (the observer's gain rows are
// labelled "/" and "P" and named in full), the
// typed value is stored on its own side only, the check runs or not as the
// row says, nothing is rebuilt, and the field shows what was stored.
inline void CheckCommit(Sensor sensor, void (*prepare)(UserData &, Side), bool labelIsName) {
  QFETCH(Side, side);
  QFETCH(int, id);
  QFETCH(QString, name);
  QFETCH(QString, frame);
  QFETCH(QString, setting);
  QFETCH(QString, typed);
  QFETCH(double, stored);
  QFETCH(bool, check);
  QFETCH(double, kept);
  const parvex::Parameter &own = Setting(side, setting);
  const parvex::Parameter &twin = Setting(OtherSide(side), setting);
  FakePageHost host;
  if (prepare)
    prepare(host.data, side);
  CSpeedFeedbackPage page(&host, PageOf(sensor, side));
  QCOMPARE(page.Caption(), CaptionOf(side));
  QVERIFY(page.OnSetActive());
  NumericField *f = page.Field(id);
  QVERIFY(f && f->isEnabled());
  QCOMPARE(f->TextColor(), kBlack);
  if (labelIsName)
    QCOMPARE(page.Label(id)->text(), name);
  QCOMPARE(f->accessibleName(), name);
  QCOMPARE(FrameOf(f), frame);
  QCOMPARE(twin.Read(host.data), kept);

  ArmCheckSentinel(host);
  TypeAndCommit(f, typed);
  QCOMPARE(host.modified, 1);
  QCOMPARE(own.Read(host.atModified), stored);
  QCOMPARE(twin.Read(host.atModified), kept);
  QCOMPARE(CheckRan(host), check);
  QCOMPARE(host.rebuilds, 0);
  QCOMPARE(f->GetValue(), stored);
}
