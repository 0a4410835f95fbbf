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
    Q_PROPERTY(bool ConvertNulls MEMBER ConvertNulls)
    Q_PROPERTY(bool DoublePass MEMBER DoublePass)
    Q_PROPERTY(int MaxMemSize MEMBER MaxMemSize)
    Q_PROPERTY(bool PrintIfEmpty MEMBER PrintIfEmpty)
    // A view of NewSilentMode kept for older templates; never stored itself.
    Q_PROPERTY(bool SilentMode READ SilentMode WRITE SetSilentMode STORED false)
    Q_PROPERTY(TpgxEngineOptions::TpgxSilentMode NewSilentMode MEMBER NewSilentMode)
    Q_PROPERTY(QString TempDir MEMBER TempDir)
    Q_PROPERTY(bool UseFileCache MEMBER UseFileCache)
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

    bool ConvertNulls = true;
    bool DoublePass = false;
    int MaxMemSize = 10;
    bool PrintIfEmpty = true;
    TpgxSilentMode NewSilentMode = simMessageBoxes;
    QString TempDir;
    bool UseFileCache = false;
    // Not stored: no progress, no message processing, loading serialised.
    bool EnableThreadSafe = false;
    // Not stored: the report is saved before a run and restored after it.
    bool DestroyForms = true;

    bool SilentMode() const { return NewSilentMode == simSilent; }
    void SetSilentMode(bool on) { NewSilentMode = on ? simSilent : simMessageBoxes; }

    // What the report's Clear restores.
    void Reset();
};

class TpgxPreviewOptions : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool AllowEdit MEMBER AllowEdit)
    Q_PROPERTY(TpgxPreviewOptions::TpgxPreviewButtons Buttons MEMBER Buttons)
    Q_PROPERTY(bool DoubleBuffered MEMBER DoubleBuffered)
    Q_PROPERTY(bool Maximized MEMBER Maximized)
    Q_PROPERTY(bool MDIChild MEMBER MDIChild)
    Q_PROPERTY(bool Modal MEMBER Modal)
    Q_PROPERTY(bool OutlineExpand MEMBER OutlineExpand)
    Q_PROPERTY(bool OutlineVisible MEMBER OutlineVisible)
    Q_PROPERTY(int OutlineWidth MEMBER OutlineWidth)
    Q_PROPERTY(int PagesInCache MEMBER PagesInCache)
    Q_PROPERTY(bool ThumbnailVisible MEMBER ThumbnailVisible)
    Q_PROPERTY(bool ShowCaptions MEMBER ShowCaptions)
    Q_PROPERTY(double Zoom MEMBER Zoom)
    Q_PROPERTY(TpgxPreviewOptions::TpgxZoomMode ZoomMode MEMBER ZoomMode)
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
    static constexpr TpgxPreviewButtons AllButtons = TpgxPreviewButtons::fromInt((1 << 12) - 1);

    bool AllowEdit = true;
    TpgxPreviewButtons Buttons = AllButtons;
    bool DoubleBuffered = true;
    bool Maximized = true;
    bool MDIChild = false;
    bool Modal = true;
    bool OutlineExpand = true;
    bool OutlineVisible = false;
    int OutlineWidth = 120;
    int PagesInCache = 50;
    bool ThumbnailVisible = false;
    bool ShowCaptions = false;
    double Zoom = 1.0;
    TpgxZoomMode ZoomMode = zmDefault;

    // What the report's Clear restores (the outline, cache and thumbnails).
    void Reset();
};

class TpgxPrintOptions : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int Copies MEMBER Copies)
    Q_PROPERTY(bool Collate MEMBER Collate)
    Q_PROPERTY(QString PageNumbers MEMBER PageNumbers)
    Q_PROPERTY(QString Printer MEMBER Printer)
    Q_PROPERTY(TpgxPrintOptions::TpgxPrintMode PrintMode MEMBER PrintMode)
    Q_PROPERTY(int PrintOnSheet MEMBER PrintOnSheet)
    Q_PROPERTY(TpgxPrintOptions::TpgxPrintPages PrintPages MEMBER PrintPages)
    Q_PROPERTY(bool Reverse MEMBER Reverse)
    Q_PROPERTY(bool ShowDialog MEMBER ShowDialog)
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

    int Copies = 1;
    bool Collate = true;
    QString PageNumbers;
    QString Printer;   // the resource text prDefault, "Default"
    TpgxPrintMode PrintMode = pmDefault;
    int PrintOnSheet = 0;
    TpgxPrintPages PrintPages = ppAll;
    bool Reverse = false;
    bool ShowDialog = true;

    void Reset();
};

class TpgxReportOptions : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Author MEMBER Author)
    Q_PROPERTY(bool Compressed MEMBER Compressed)
    Q_PROPERTY(QString ConnectionName MEMBER ConnectionName)
    Q_PROPERTY(double CreateDate MEMBER CreateDate)
    Q_PROPERTY(QStringList Description MEMBER Description)
    Q_PROPERTY(QString InitString MEMBER InitString)
    Q_PROPERTY(double LastChange MEMBER LastChange)
    Q_PROPERTY(QString Name MEMBER Name)
    Q_PROPERTY(QString Password MEMBER Password)
    Q_PROPERTY(TpgxPicture *Picture READ Picture)
    Q_PROPERTY(QString VersionBuild MEMBER VersionBuild)
    Q_PROPERTY(QString VersionMajor MEMBER VersionMajor)
    Q_PROPERTY(QString VersionMinor MEMBER VersionMinor)
    Q_PROPERTY(QString VersionRelease MEMBER VersionRelease)
    Q_CLASSINFO("pgx:default:Compressed", "False")
    Q_CLASSINFO("pgx:type:CreateDate", "TDateTime")
    Q_CLASSINFO("pgx:type:LastChange", "TDateTime")

public:
    TpgxReportOptions();

    QString Author;
    // Kept and stored; templates are never compressed.
    bool Compressed = false;
    QString ConnectionName;
    // Days since 30 December 1899, the fraction being the time of day.
    double CreateDate = 0;
    QStringList Description;
    QString InitString;
    double LastChange = 0;
    QString Name;
    QString Password;
    TpgxPicture *Picture() const { return const_cast<TpgxPicture *>(&m_picture); }
    QString VersionBuild;
    QString VersionMajor;
    QString VersionMinor;
    QString VersionRelease;
    // Not stored: the password last accepted. Clear keeps it, so that a
    // report saved with a password loads again without asking for it.
    QString AcceptedPassword;

    // Empties everything and sets both dates to the current time.
    void Reset();

private:
    TpgxPicture m_picture{this};
};
