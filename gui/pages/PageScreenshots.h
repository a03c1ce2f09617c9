// Pictures of the parameter pages for the smoke run and the documentation:
// each page is activated on the given host's record and rendered into
// <folder>/<page class>.png.
#pragma once

#include <QString>
#include <QStringList>

class CTORVIOPropertyPage;
class PageHost;

// Renders one page (activating it first); false when the file cannot be
// written.
bool SavePageScreenshot(CTORVIOPropertyPage &page, const QString &folder);

// Builds every page class on the host's record, saves each one, and returns
// the files written.
QStringList SaveAllPageScreenshots(PageHost &host, const QString &folder);
