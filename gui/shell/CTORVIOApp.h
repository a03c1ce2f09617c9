// The program: settings store, the one document, the main window, and the
// command line `torvio [FILE.tvd]`.
#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class CMainFrame;
class CTORVIODoc;

class CTORVIOApp {
public:
  CTORVIOApp();
  ~CTORVIOApp();

  // Start-up; false when the program should end (a file that cannot be
  // opened, or a bad command line).
  bool InitInstance(const QStringList &arguments);

  CTORVIODoc *Document() const { return doc_.get(); }
  CMainFrame *MainFrame() const { return frame_.get(); }

  // Names the settings store ("TORVIO" vendor key, "TORVIO" application).
  static void SelectSettingsStore();

private:
  void TakeScreenshot(const QString &fileName);

  std::unique_ptr<CTORVIODoc> doc_;
  std::unique_ptr<CMainFrame> frame_;
};
