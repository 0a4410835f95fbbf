#include "report/root/ReportOptions.h"

#include "meta/ValueText.h"
#include "report/resources/TpgxResources.h"

#include <QtCore/QDateTime>

void TpgxEngineOptions::reset()
{
    convertNulls = true;
    doublePass = false;
}

void TpgxPreviewOptions::reset()
{
    outlineExpand = true;
    outlineVisible = false;
    outlineWidth = 120;
    pagesInCache = 50;
    thumbnailVisible = false;
}

TpgxPrintOptions::TpgxPrintOptions()
{
    reset();
}

void TpgxPrintOptions::reset()
{
    copies = 1;
    collate = true;
    pageNumbers.clear();
    printer = pgxResources().get(QStringLiteral("prDefault"));
    printMode = pmDefault;
    printOnSheet = 0;
    printPages = ppAll;
    reverse = false;
    showDialog = true;
}

TpgxReportOptions::TpgxReportOptions()
{
    reset();
}

void TpgxReportOptions::reset()
{
    author.clear();
    compressed = false;
    connectionName.clear();
    description.clear();
    initString.clear();
    name.clear();
    password.clear();
    m_picture.clear();
    versionBuild.clear();
    versionMajor.clear();
    versionMinor.clear();
    versionRelease.clear();
    createDate = lastChange = pgx::dateTimeToDays(QDateTime::currentDateTime());
}
