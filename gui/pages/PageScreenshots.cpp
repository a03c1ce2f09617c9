#include "PageScreenshots.h"

#include "AuxSpeedFeedback1Page.h"
#include "AuxSpeedFeedback2Page.h"
#include "AuxSpeedFeedback3Page.h"
#include "ConfigurationPage.h"
#include "ControlSettingsPage.h"
#include "CurrentSensingPage.h"
#include "DebugPage.h"
#include "MotorAndHwPage.h"
#include "SpeedFeedback1Page.h"
#include "SpeedFeedback2Page.h"
#include "SpeedFeedback3Page.h"

#include <QDir>
#include <QLayout>
#include <QPixmap>

#include <memory>
#include <vector>

namespace {

QString FileFor(const CTORVIOPropertyPage &page, const QString &folder) {
  return QDir(folder).filePath(QString::fromLatin1(page.metaObject()->className()) +
                               QStringLiteral(".png"));
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
  std::vector<std::unique_ptr<CTORVIOPropertyPage>> pages;
  pages.emplace_back(std::make_unique<CConfigurationPage>(&host));
  pages.emplace_back(std::make_unique<CMotorAndHwPage>(&host));
  pages.emplace_back(std::make_unique<CControlSettingsPage>(&host));
  pages.emplace_back(std::make_unique<CDebugPage>(&host));
  pages.emplace_back(std::make_unique<CSpeedFeedback1Page>(&host));
  pages.emplace_back(std::make_unique<CSpeedFeedback2Page>(&host));
  pages.emplace_back(std::make_unique<CSpeedFeedback3Page>(&host));
  pages.emplace_back(std::make_unique<CAuxSpeedFeedback1Page>(&host));
  pages.emplace_back(std::make_unique<CAuxSpeedFeedback2Page>(&host));
  pages.emplace_back(std::make_unique<CAuxSpeedFeedback3Page>(&host));
  pages.emplace_back(std::make_unique<CCurrentSensingPage>(&host));
  QStringList written;
  for (auto &page : pages)
    if (SavePageScreenshot(*page, folder))
      written << FileFor(*page, folder);
  return written;
}
