#include "PageScreenshots.h"

#include "CTORVIOPropertyPage.h"
#include "PageCatalog.h"

#include <QDir>
#include <QLayout>
#include <QPixmap>

#include <memory>
#include <vector>

namespace {

// Named by the page's name (its object name, or its class without one).
QString FileFor(const CTORVIOPropertyPage &page, const QString &folder) {
  const QString name = page.objectName().isEmpty()
                           ? QString::fromLatin1(page.metaObject()->className())
                           : page.objectName();
  return QDir(folder).filePath(name + QStringLiteral(".png"));
}

} // namespace

bool SavePageScreenshot(CTORVIOPropertyPage &page, const QString &folder) {
  if (!QDir().mkpath(folder))
    return false;
  page.OnSetActive();
  if (page.layout())
    page.layout()->activate();
  page.resize(page.sizeHint().expandedTo(page.minimumSizeHint()));
  return page.grab().save(FileFor(page, folder), "PNG");
}

QStringList SaveAllPageScreenshots(PageHost &host, const QString &folder) {
  QStringList written;
  for (const PageInfo &info : AllPages()) {
    const std::unique_ptr<CTORVIOPropertyPage> page(CreatePage(info.kind, &host));
    if (SavePageScreenshot(*page, folder))
      written << FileFor(*page, folder);
  }
  return written;
}
