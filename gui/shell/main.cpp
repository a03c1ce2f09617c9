// torvio [FILE.tvd]: the configuration program.
#include "shell/CTORVIOApp.h"

#include <QApplication>

int main(int argc, char *argv[]) {
  QApplication application(argc, argv);
  CTORVIOApp app;
  if (!app.InitInstance(QApplication::arguments())) {
    return 1;
  }
  return QApplication::exec();
}
