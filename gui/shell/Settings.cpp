#include "shell/Settings.h"

#include "shell/PathBytes.h"
#include "strings/ResString.h"
#include "torvio/platform/System.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QVariantMap>

#include <cerrno>
#include <memory>

namespace torvio {
namespace {

const QString kTemplatesDir = QStringLiteral("Options/TemplatesDir");
const QString kOutputDir = QStringLiteral("Options/OutputDir");
const QString kFirstRun = QStringLiteral("Globals/FirstRun");

QString &SettingsFolder() {
  static QString folder;
  return folder;
}

// Whether the store's file may be read and written: absent, a regular file
// or a link to one.
bool StoreIsUsable(const QString &path) {
  // The platform module takes UTF-8 names on every system.
  const QByteArray name = path.toUtf8();
  switch (torvio::KindOf(name.constData())) {
  case torvio::PathKind::None:
    return errno == ENOENT;
  case torvio::PathKind::Regular:
    return true;
  case torvio::PathKind::Link:
    return torvio::IsRegularFile(name.constData());
  case torvio::PathKind::Other:
    break;
  }
  return false;
}

// The per-user store, or a map in memory when its file cannot be used.
class Store {
public:
  static Store &Instance() {
    if (!Current())
      Current() = std::unique_ptr<Store>(new Store);
    return *Current();
  }

  // The next use looks at the (new) file again.
  static void Reopen() { Current().reset(); }

  bool InMemory() const { return inMemory_; }

  QVariant value(const QString &key, const QVariant &fallback = {}) const {
    if (inMemory_)
      return memory_.value(key, fallback);
    return QSettings().value(key, fallback);
  }

  void setValue(const QString &key, const QVariant &value) {
    if (inMemory_)
      memory_[key] = value;
    else
      QSettings().setValue(key, value);
  }

private:
  Store() : inMemory_(!StoreIsUsable(SettingsFilePath())) {}

  static std::unique_ptr<Store> &Current() {
    static std::unique_ptr<Store> store;
    return store;
  }

  bool inMemory_;
  QVariantMap memory_;
};

// A folder is a string entry; one whose bytes are not UTF-8 is kept as
// bytes, which the store writes and reads back exactly.
QString ReadFolder(const Store &settings, const QString &key) {
  const QVariant value = settings.value(key);
  if (value.typeId() == QMetaType::QByteArray) {
    const QByteArray bytes = value.toByteArray();
    return PathFromBytes(std::string_view(bytes.constData(), std::size_t(bytes.size())));
  }
  return value.toString();
}

void WriteFolder(Store &settings, const QString &key, const QString &folder) {
  if (PathHoldsRawBytes(folder)) {
    const std::string bytes = PathBytes(folder);
    settings.setValue(key, QByteArray(bytes.data(), qsizetype(bytes.size())));
  } else {
    settings.setValue(key, folder);
  }
}

} // namespace

Folders ReadFolders() {
  const Store &settings = Store::Instance();
  return {ReadFolder(settings, kTemplatesDir), ReadFolder(settings, kOutputDir)};
}

void WriteFolders(const Folders &folders) {
  WriteFolder(Store::Instance(), kTemplatesDir, folders.templatesDir);
  WriteFolder(Store::Instance(), kOutputDir, folders.outputDir);
}

void WriteOutputDir(const QString &outputDir) {
  WriteFolder(Store::Instance(), kOutputDir, outputDir);
}

void WriteTemplatesDir(const QString &templatesDir) {
  WriteFolder(Store::Instance(), kTemplatesDir, templatesDir);
}

int ReadFirstRun() {
  return Store::Instance().value(kFirstRun, 1).toInt();
}

void WriteFirstRun(int value) {
  Store::Instance().setValue(kFirstRun, value);
}

void SetSettingsFolder(const QString &folder) {
  SettingsFolder() = folder;
  Store::Reopen();
}

QString SettingsFilePath() {
  const QString folder =
      SettingsFolder().isEmpty()
          ? QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
          : SettingsFolder();
  return QDir(folder).filePath(QCoreApplication::organizationName() + u'/' +
                               QCoreApplication::applicationName() + QStringLiteral(".conf"));
}

QString SettingsStoreProblem() {
  if (!Store::Instance().InMemory())
    return {};
  return ResString(IDS_SETTINGS_NOT_REGULAR).arg(ShownPath(SettingsFilePath()));
}

} // namespace torvio
