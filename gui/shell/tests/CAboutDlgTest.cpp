// The About box: the program's version and the versions of the libraries
// read from the files actually loaded.
#include "shell/CAboutDlg.h"
#include "shell/ModuleVersion.h"

#include <QLabel>
#include <QListWidget>
#include <QtTest>

using namespace torvio;

class TestAbout : public QObject {
  Q_OBJECT

private slots:
  void versionFromFileName_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("version"); // empty: none
    QTest::newRow("full") << "libparvex.so.1.0.0"
                          << "1.0.0";
    QTest::newRow("four numbers") << "libparvex.so.2.7.13.4"
                                  << "2.7.13";
    QTest::newRow("leading zero") << "libparvex.so.01.2.3"
                                  << "1.2.3";
    QTest::newRow("soname only") << "libparvex.so.1"
                                 << "";
    QTest::newRow("two numbers") << "libparvex.so.1.2"
                                 << "";
    QTest::newRow("unversioned") << "libparvex.so"
                                 << "";
    QTest::newRow("other library") << "libsirenta.so.1.0.0"
                                   << "";
    QTest::newRow("letters") << "libparvex.so.1.0.0rc"
                             << "";
    QTest::newRow("empty number") << "libparvex.so.1..0"
                                  << "";
  }

  void versionFromFileName() {
    QFETCH(QString, file);
    QFETCH(QString, version);
    const auto found = VersionFromFileName(file.toStdString(), "libparvex.so");
    QCOMPARE(found ? QString::fromStdString(*found) : QString(), version);
  }

  void loadedLibraryIsTheVersionedFile() {
    // This test links the program's code, so libparvex is loaded with it.
    const auto path = LoadedModulePath("libparvex.so");
    QVERIFY(path);
    QVERIFY(QFileInfo(QString::fromStdString(*path)).isFile());
    QCOMPARE(LoadedModuleVersion("libparvex.so"), std::optional<std::string>("1.0.0"));
    QCOMPARE(LoadedModuleVersion("libsirenta.so"), std::optional<std::string>("1.0.0"));
    QVERIFY(!LoadedModulePath("libnot-loaded-here.so"));
    QVERIFY(!LoadedModuleVersion("libnot-loaded-here.so"));
  }

  void aboutBoxListsTheModules() {
    CAboutDlg about;
    QCOMPARE(about.windowTitle(), QStringLiteral("About TORVIO"));
    QCOMPARE(about.VersionLine()->text(), QStringLiteral("TORVIO ver. 1.0.0"));
    QVERIFY(about.Modules()->count() == 3);
    QCOMPARE(about.Modules()->item(0)->text(), QStringLiteral("torvio ver. 1.0.0"));
    QCOMPARE(about.Modules()->item(1)->text(), QStringLiteral("libparvex.so ver. 1.0.0"));
    // libsirenta comes in with libparvex.
    QCOMPARE(about.Modules()->item(2)->text(), QStringLiteral("libsirenta.so ver. 1.0.0"));
  }
};

QTEST_MAIN(TestAbout)
#include "CAboutDlgTest.moc"
