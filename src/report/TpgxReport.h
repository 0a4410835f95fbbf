#pragma once

#include "report/ReportOptions.h"
#include "report/TpgxComponent.h"

#include <QtCore/QHash>
#include <QtCore/QStringList>
#include <functional>

// The root of a report's component tree and the object the rest of the
// system talks to: it owns the pages, the option blocks and the error list
// of the last operation, loads templates and opens the designer.
class TpgxReport : public TpgxComponent
{
    Q_OBJECT
    Q_PROPERTY(QString Version READ Version WRITE SetVersion)
    Q_PROPERTY(bool DotMatrixReport READ DotMatrixReport WRITE SetDotMatrixReport)
    Q_PROPERTY(TpgxEngineOptions *EngineOptions READ EngineOptions)
    Q_PROPERTY(QString IniFile READ IniFile WRITE SetIniFile)
    Q_PROPERTY(bool OldStyleProgress READ OldStyleProgress WRITE SetOldStyleProgress)
    Q_PROPERTY(TpgxPreviewOptions *PreviewOptions READ PreviewOptions)
    Q_PROPERTY(TpgxPrintOptions *PrintOptions READ PrintOptions)
    Q_PROPERTY(TpgxReportOptions *ReportOptions READ ReportOptions)
    Q_PROPERTY(QString ScriptLanguage READ ScriptLanguage WRITE SetScriptLanguage)
    Q_PROPERTY(QStringList ScriptText READ ScriptText WRITE SetScriptText)
    Q_PROPERTY(bool ShowProgress READ ShowProgress WRITE SetShowProgress)
    Q_PROPERTY(bool StoreInDFM READ StoreInDFM WRITE SetStoreInDFM)
    Q_PROPERTY(QString OnRunDialogs READ OnRunDialogs WRITE SetOnRunDialogs)
    Q_PROPERTY(QString OnStartReport READ OnStartReport WRITE SetOnStartReport)
    Q_PROPERTY(QString OnStopReport READ OnStopReport WRITE SetOnStopReport)
    Q_CLASSINFO("pgx:default:OldStyleProgress", "False")
    Q_CLASSINFO("pgx:default:ShowProgress", "True")
    Q_CLASSINFO("pgx:default:StoreInDFM", "True")

public:
    // Opens the designer on a report (the designer layer registers it).
    // Modal: returns when the designer is closed.
    using DesignerFactory = std::function<void(TpgxReport &report, bool modal, bool asChild)>;

    // A new report is empty (Clear runs here): version "4.2.16", settings
    // under "\Software\Velmora", all preview buttons, zoom 1, printer
    // "Default", both report dates the current time, PascalScript with the
    // script "begin" / "" / "end.".
    Q_INVOKABLE explicit TpgxReport(QObject *owner = nullptr);
    ~TpgxReport() override;

    static QString CurrentVersion() { return QStringLiteral("4.2.16"); }

    QString Version() const { return CurrentVersion(); }
    // Whatever is written, the version is the one of this system.
    void SetVersion(const QString &) {}
    bool DotMatrixReport() const { return m_dotMatrixReport; }
    void SetDotMatrixReport(bool value) { m_dotMatrixReport = value; }
    TpgxEngineOptions *EngineOptions() const { return &m_engineOptions; }
    // Where designer and preview settings are kept: a key under the per-user
    // store when it begins with "\Software\", else an INI file name.
    QString IniFile() const { return m_iniFile; }
    void SetIniFile(const QString &value) { m_iniFile = value; }
    bool OldStyleProgress() const { return m_oldStyleProgress; }
    void SetOldStyleProgress(bool value) { m_oldStyleProgress = value; }
    TpgxPreviewOptions *PreviewOptions() const { return &m_previewOptions; }
    TpgxPrintOptions *PrintOptions() const { return &m_printOptions; }
    TpgxReportOptions *ReportOptions() const { return &m_reportOptions; }
    QString ScriptLanguage() const { return m_scriptLanguage; }
    void SetScriptLanguage(const QString &value) { m_scriptLanguage = value; }
    QStringList ScriptText() const { return m_scriptText; }
    void SetScriptText(const QStringList &value) { m_scriptText = value; }
    bool ShowProgress() const { return m_showProgress; }
    void SetShowProgress(bool value) { m_showProgress = value; }
    bool StoreInDFM() const { return m_storeInDFM; }
    void SetStoreInDFM(bool value) { m_storeInDFM = value; }
    QString OnRunDialogs() const { return m_onRunDialogs; }
    void SetOnRunDialogs(const QString &value) { m_onRunDialogs = value; }
    QString OnStartReport() const { return m_onStartReport; }
    void SetOnStartReport(const QString &value) { m_onStartReport = value; }
    QString OnStopReport() const { return m_onStopReport; }
    void SetOnStopReport(const QString &value) { m_onStopReport = value; }

    // The file name of the last loaded template (empty after a failed load).
    QString FileName() const { return m_fileName; }
    void SetFileName(const QString &value) { m_fileName = value; }

    // Messages of the last load or run: sorted without regard to case,
    // duplicates ignored.
    const QStringList &Errors() const { return m_errors; }
    void AddError(const QString &message);
    void ClearErrors() { m_errors.clear(); }

    // Empties the report and forgets the file name. A missing file gives
    // false (or throws pgx::Error when raiseIfMissing); an existing file that
    // cannot be opened throws pgx::Error.
    bool LoadFromFile(const QString &fileName, bool raiseIfMissing = false);

    // Opens the designer registered by the designer layer on this report;
    // returns at once when none is registered or one is already open for
    // this report.
    void DesignReport(bool modal = true, bool asChild = false);
    static void setDesignerFactory(DesignerFactory factory);
    static bool hasDesignerFactory();

    // Frees all pages and objects (those of an ancestor report stay) and
    // resets the report's own values; IniFile and the file name stay.
    void Clear() override;
    QString KindCaption() const override;
    bool isReportRoot() const override { return true; }

signals:
    // A component of this report is being destroyed. Emitted from its
    // destructor: use the pointer only to drop references to it.
    void ObjectDestroyed(TpgxComponent *component);

private:
    friend class TpgxComponent;
    void NotifyObjectDestroyed(TpgxComponent *component);

    // The names of the report's objects (not the report's own), case-folded,
    // kept by TpgxComponent as names are set and objects come and go, so
    // that the duplicate check of SetName and FindObject, which the
    // serializer calls for every element, do not walk the whole report.
    // Names are unique in a report except where a subtree with clashing
    // names was moved in; such a name maps to several objects.
    void IndexName(const QString &name, TpgxComponent *component);
    void UnindexName(const QString &name, TpgxComponent *component);
    QHash<QString, QList<TpgxComponent *>> m_names;

    bool m_dotMatrixReport = false;
    mutable TpgxEngineOptions m_engineOptions;
    QString m_iniFile;
    bool m_oldStyleProgress = false;
    mutable TpgxPreviewOptions m_previewOptions;
    mutable TpgxPrintOptions m_printOptions;
    mutable TpgxReportOptions m_reportOptions;
    QString m_scriptLanguage;
    QStringList m_scriptText;
    bool m_showProgress = true;
    bool m_storeInDFM = true;
    QString m_onRunDialogs;
    QString m_onStartReport;
    QString m_onStopReport;
    QString m_fileName;
    QStringList m_errors;
    bool m_designerOpen = false;
    bool m_destroying = false;
};
