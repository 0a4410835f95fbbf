#include "report/root/ReportOptions.h"

#include "meta/ValueText.h"
#include "report/resources/TpgxResources.h"

#include <QtCore/QDateTime>

void TpgxEngineOptions::Reset()
{
    ConvertNulls = true;
    DoublePass = false;
}

void TpgxPreviewOptions::Reset()
{
    OutlineExpand = true;
    OutlineVisible = false;
    OutlineWidth = 120;
    PagesInCache = 50;
    ThumbnailVisible = false;
}

TpgxPrintOptions::TpgxPrintOptions()
{
    Reset();
}

void TpgxPrintOptions::Reset()
{
    Copies = 1;
    Collate = true;
    PageNumbers.clear();
    Printer = pgxResources().Get(QStringLiteral("prDefault"));
    PrintMode = pmDefault;
    PrintOnSheet = 0;
    PrintPages = ppAll;
    Reverse = false;
    ShowDialog = true;
}

TpgxReportOptions::TpgxReportOptions()
{
    Reset();
}

void TpgxReportOptions::Reset()
{
    Author.clear();
    Compressed = false;
    ConnectionName.clear();
    Description.clear();
    InitString.clear();
    Name.clear();
    Password.clear();
    m_picture.Clear();
    VersionBuild.clear();
    VersionMajor.clear();
    VersionMinor.clear();
    VersionRelease.clear();
    CreateDate = LastChange = pgx::dateTimeToDays(QDateTime::currentDateTime());
}
