// File > Compare With: the file read, compared with the open record, shown.
#include "compare/CompareDialog.h"
#include "DefaultRecord.h"
#include "compare/ProjectComparison.h"

#include "ProjectFile.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

UserData Defaults() {
  return testsupport::DefaultRecord();
}

QString Write(const QTemporaryDir &dir, const QString &name, const UserData &d) {
  const auto bytes = torvio::EncodeProject(d, "/tmp/out/");
  QFile f(dir.filePath(name));
  if (!f.open(QIODevice::WriteOnly))
    return {};
  f.write(reinterpret_cast<const char *>(bytes.data()), static_cast<qint64>(bytes.size()));
  return f.fileName();
}

} // namespace

class CompareDialogTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { QLocale::setDefault(QLocale::c()); }

  void equalProjects() {
    QTemporaryDir dir;
    const UserData open = Defaults();
    const QString path = Write(dir, QStringLiteral("same.tvd"), open);
    const ProjectComparison c = CompareWithFile(open, path);
    QVERIFY(c.readable);
    QVERIFY(c.lines.isEmpty());
    CompareDialog d(QStringLiteral("motor1.tvd"), path, c);
    QCOMPARE(d.windowTitle(), QStringLiteral("Compare With same.tvd"));
    QCOMPARE(d.Summary(),
             QStringLiteral("motor1.tvd and same.tvd on disk hold the same settings."));
  }

  void listsEachDifference() {
    QTemporaryDir dir;
    const UserData open = Defaults();
    UserData other = open;
    other.R.Value = 0.40;
    other.RatedCurrent.Max = 3.3;
    const QString path = Write(dir, QStringLiteral("motor2.tvd"), other);
    const ProjectComparison c = CompareWithFile(open, path);
    QVERIFY(c.readable);
    const QStringList expected{
        QStringLiteral("MOTORANDHW/MOTORCHARACTERISTICS/R: 0.35 -> 0.40"),
        QStringLiteral("MOTORANDHW/MOTORCHARACTERISTICS/RatedCurrent (max): 2.92 -> 3.30")};
    QCOMPARE(c.lines, expected);
    CompareDialog d(QStringLiteral("Untitled"), path, c);
    QCOMPARE(d.Text(), expected.join(u'\n'));
    QCOMPARE(d.Summary(), QStringLiteral("2 setting(s) differ (Untitled -> motor2.tvd on disk):"));
  }

  void unreadableFile() {
    QTemporaryDir dir;
    const ProjectComparison c = CompareWithFile(Defaults(), dir.filePath(QStringLiteral("no.tvd")));
    QVERIFY(!c.readable);
    QVERIFY(!c.error.isEmpty());
    QFile bad(dir.filePath(QStringLiteral("bad.tvd")));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("\x0cTORVIOFILEV9 and more");
    bad.close();
    const ProjectComparison b = CompareWithFile(Defaults(), bad.fileName());
    QVERIFY(!b.readable);
    QCOMPARE(b.error, QStringLiteral("Error reading the selected file (unknown file format)."));
    CompareDialog d(QStringLiteral("Untitled"), bad.fileName(), b);
    // A file larger than any project is refused, not read whole.
    QFile huge(dir.filePath(QStringLiteral("huge.tvd")));
    QVERIFY(huge.open(QIODevice::WriteOnly));
    QVERIFY(huge.resize(static_cast<qint64>(torvio::kMaxProjectFileSize) + 10));
    huge.close();
    QVERIFY(!CompareWithFile(Defaults(), huge.fileName()).readable);
    // A folder (or a pipe, a device) is refused without being read.
    const ProjectComparison folder = CompareWithFile(Defaults(), dir.path());
    QVERIFY(!folder.readable);
    QCOMPARE(folder.error, QStringLiteral("This is not a regular file: a folder, device or pipe "
                                          "cannot be a project file."));
    QVERIFY(d.Summary().contains(QStringLiteral("cannot be read")));
  }
};

QTEST_MAIN(CompareDialogTest)
#include "CompareDialogTest.moc"
