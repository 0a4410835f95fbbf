#pragma once

#include "report/component/TpgxPicture.h"

#include <QtCore/QObject>
#include <QtCore/QStringList>

// The four option blocks of a report. They are plain reflected values: the
// serializer writes them as EngineOptions.*, PreviewOptions.* and so on, and
// each has a Reset for what the report's Clear restores.

class TpgxEngineOptions : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool ConvertNulls MEMBER convertNulls)
    Q_PROPERTY(bool DoublePass MEMBER doublePass)
    Q_PROPERTY(int MaxMemSize MEMBER maxMemSize)
    Q_PROPERTY(bool PrintIfEmpty MEMBER printIfEmpty)
    // A view of NewSilentMode kept for older templates; never stored itself.
    Q_PROPERTY(bool SilentMode READ silentMode WRITE setSilentMode STORED false)
    Q_PROPERTY(TpgxEngineOptions::TpgxSilentMode NewSilentMode MEMBER newSilentMode)
    Q_PROPERTY(QString TempDir MEMBER tempDir)
    Q_PROPERTY(bool UseFileCache MEMBER useFileCache)
    Q_CLASSINFO("pgx:default:ConvertNulls", "True")
    Q_CLASSINFO("pgx:default:DoublePass", "False")
    Q_CLASSINFO("pgx:default:MaxMemSize", "10")
    Q_CLASSINFO("pgx:default:PrintIfEmpty", "True")
    Q_CLASSINFO("pgx:default:NewSilentMode", "simMessageBoxes")
    Q_CLASSINFO("pgx:default:UseFileCache", "False")

public:
    // How errors of loading and running are reported.
    enum TpgxSilentMode { simMessageBoxes, simSilent, simReThrow };
    Q_ENUM(TpgxSilentMode)

    bool convertNulls = true;
    bool doublePass = false;
    int maxMemSize = 10;
    bool printIfEmpty = true;
    TpgxSilentMode newSilentMode = simMessageBoxes;
    QString tempDir;
    bool useFileCache = false;
    // Not stored: no progress, no message processing, loading serialised.
    bool enableThreadSafe = false;
    // Not stored: the report is saved before a run and restored after it.
    bool destroyForms = true;

    bool silentMode() const { return newSilentMode == simSilent; }
    void setSilentMode(bool on) { newSilentMode = on ? simSilent : simMessageBoxes; }

    // What the report's Clear restores.
    void reset();
};

class TpgxPreviewOptions : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool AllowEdit MEMBER allowEdit)
    Q_PROPERTY(TpgxPreviewOptions::TpgxPreviewButtons Buttons MEMBER buttons)
    Q_PROPERTY(bool DoubleBuffered MEMBER doubleBuffered)
    Q_PROPERTY(bool Maximized MEMBER maximized)
    Q_PROPERTY(bool MDIChild MEMBER mdiChild)
    Q_PROPERTY(bool Modal MEMBER modal)
    Q_PROPERTY(bool OutlineExpand MEMBER outlineExpand)
    Q_PROPERTY(bool OutlineVisible MEMBER outlineVisible)
    Q_PROPERTY(int OutlineWidth MEMBER outlineWidth)
    Q_PROPERTY(int PagesInCache MEMBER pagesInCache)
    Q_PROPERTY(bool ThumbnailVisible MEMBER thumbnailVisible)
    Q_PROPERTY(bool ShowCaptions MEMBER showCaptions)
    Q_PROPERTY(double Zoom MEMBER zoom)
    Q_PROPERTY(TpgxPreviewOptions::TpgxZoomMode ZoomMode MEMBER zoomMode)
    Q_CLASSINFO("pgx:default:AllowEdit", "True")
    Q_CLASSINFO("pgx:default:DoubleBuffered", "True")
    Q_CLASSINFO("pgx:default:Maximized", "True")
    Q_CLASSINFO("pgx:default:MDIChild", "False")
    Q_CLASSINFO("pgx:default:Modal", "True")
    Q_CLASSINFO("pgx:default:OutlineExpand", "True")
    Q_CLASSINFO("pgx:default:OutlineVisible", "False")
    Q_CLASSINFO("pgx:default:OutlineWidth", "120")
    Q_CLASSINFO("pgx:default:PagesInCache", "50")
    Q_CLASSINFO("pgx:default:ThumbnailVisible", "False")
    Q_CLASSINFO("pgx:default:ShowCaptions", "False")
    Q_CLASSINFO("pgx:default:ZoomMode", "zmDefault")

public:
    enum TpgxPreviewButton {
        pbPrint = 1 << 0,
        pbLoad = 1 << 1,
        pbSave = 1 << 2,
        pbExport = 1 << 3,
        pbZoom = 1 << 4,
        pbFind = 1 << 5,
        pbOutline = 1 << 6,
        pbPageSetup = 1 << 7,
        pbTools = 1 << 8,
        pbEdit = 1 << 9,
        pbNavigator = 1 << 10,
        pbExportQuick = 1 << 11,
        pbNoClose = 1 << 12,
        pbNoFullScreen = 1 << 13,
        pbNoEmail = 1 << 14
    };
    Q_DECLARE_FLAGS(TpgxPreviewButtons, TpgxPreviewButton)
    Q_FLAG(TpgxPreviewButtons)

    enum TpgxZoomMode { zmDefault, zmWholePage, zmPageWidth, zmManyPages };
    Q_ENUM(TpgxZoomMode)

    // Every button, none of the three "no" switches: mask 4095.
    static constexpr TpgxPreviewButtons kAllButtons = TpgxPreviewButtons::fromInt((1 << 12) - 1);

    bool allowEdit = true;
    TpgxPreviewButtons buttons = kAllButtons;
    bool doubleBuffered = true;
    bool maximized = true;
    bool mdiChild = false;
    bool modal = true;
    bool outlineExpand = true;
    bool outlineVisible = false;
    int outlineWidth = 120;
    int pagesInCache = 50;
    bool thumbnailVisible = false;
    bool showCaptions = false;
    double zoom = 1.0;
    TpgxZoomMode zoomMode = zmDefault;

    // What the report's Clear restores (the outline, cache and thumbnails).
    void reset();
};

class TpgxPrintOptions : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int Copies MEMBER copies)
    Q_PROPERTY(bool Collate MEMBER collate)
    Q_PROPERTY(QString PageNumbers MEMBER pageNumbers)
    Q_PROPERTY(QString Printer MEMBER printer)
    Q_PROPERTY(TpgxPrintOptions::TpgxPrintMode PrintMode MEMBER printMode)
    Q_PROPERTY(int PrintOnSheet MEMBER printOnSheet)
    Q_PROPERTY(TpgxPrintOptions::TpgxPrintPages PrintPages MEMBER printPages)
    Q_PROPERTY(bool Reverse MEMBER reverse)
    Q_PROPERTY(bool ShowDialog MEMBER showDialog)
    Q_CLASSINFO("pgx:default:Copies", "1")
    Q_CLASSINFO("pgx:default:Collate", "True")
    Q_CLASSINFO("pgx:default:PrintMode", "pmDefault")
    Q_CLASSINFO("pgx:default:PrintPages", "ppAll")
    Q_CLASSINFO("pgx:default:Reverse", "False")
    Q_CLASSINFO("pgx:default:ShowDialog", "True")

public:
    enum TpgxPrintMode { pmDefault, pmSplit, pmJoin, pmScale };
    Q_ENUM(TpgxPrintMode)
    enum TpgxPrintPages { ppAll, ppOdd, ppEven };
    Q_ENUM(TpgxPrintPages)

    TpgxPrintOptions();

    int copies = 1;
    bool collate = true;
    QString pageNumbers;
    QString printer;   // the resource text prDefault, "Default"
    TpgxPrintMode printMode = pmDefault;
    int printOnSheet = 0;
    TpgxPrintPages printPages = ppAll;
    bool reverse = false;
    bool showDialog = true;

    void reset();
};

class TpgxReportOptions : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Author MEMBER author)
    Q_PROPERTY(bool Compressed MEMBER compressed)
    Q_PROPERTY(QString ConnectionName MEMBER connectionName)
    Q_PROPERTY(double CreateDate MEMBER createDate)
    Q_PROPERTY(QStringList Description MEMBER description)
    Q_PROPERTY(QString InitString MEMBER initString)
    Q_PROPERTY(double LastChange MEMBER lastChange)
    Q_PROPERTY(QString Name MEMBER name)
    Q_PROPERTY(QString Password MEMBER password)
    Q_PROPERTY(TpgxPicture *Picture READ picture)
    Q_PROPERTY(QString VersionBuild MEMBER versionBuild)
    Q_PROPERTY(QString VersionMajor MEMBER versionMajor)
    Q_PROPERTY(QString VersionMinor MEMBER versionMinor)
    Q_PROPERTY(QString VersionRelease MEMBER versionRelease)
    Q_CLASSINFO("pgx:default:Compressed", "False")
    Q_CLASSINFO("pgx:type:CreateDate", "TDateTime")
    Q_CLASSINFO("pgx:type:LastChange", "TDateTime")

public:
    TpgxReportOptions();

    QString author;
    // Kept and stored; templates are never compressed.
    bool compressed = false;
    QString connectionName;
    // Days since 30 December 1899, the fraction being the time of day.
    double createDate = 0;
    QStringList description;
    QString initString;
    double lastChange = 0;
    QString name;
    QString password;
    TpgxPicture *picture() const { return const_cast<TpgxPicture *>(&m_picture); }
    QString versionBuild;
    QString versionMajor;
    QString versionMinor;
    QString versionRelease;
    // Not stored: the password last accepted. Clear keeps it, so that a
    // report saved with a password loads again without asking for it.
    QString acceptedPassword;

    // Empties everything and sets both dates to the current time.
    void reset();

private:
    TpgxPicture m_picture{this};
};
