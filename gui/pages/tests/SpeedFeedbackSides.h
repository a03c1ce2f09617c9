// What the speed-feedback page tests share. One page class shows each sensor
// on the main members and on their auxiliary twins, so a test row names its
// setting once, by the main member's registry name, and runs on both sides:
// on the auxiliary side the member is the registry's twin of that name.
#pragma once

#include "PageTestUtil.h"
#include "pages/CSpeedFeedbackPage.h"
#include "parvex/Parameters.h"

#include <QGroupBox>
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
