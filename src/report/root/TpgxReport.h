#pragma once

#include "persist/serializer/SerializerHooks.h"
#include "report/component/TpgxComponent.h"
#include "report/root/ReportDataSets.h"
#include "report/root/ReportOptions.h"
#include "report/root/TpgxVariables.h"
#include "report/styles/TpgxStyles.h"

#include <QtCore/QHash>
#include <QtCore/QPoint>
#include <QtCore/QPointer>
#include <QtCore/QSet>
#include <QtCore/QStringList>
#include <functional>
#include <memory>

// The root of a report's component tree and the object the rest of the
// system talks to: it owns the pages, the option blocks, the data-set list,
// variables and styles, and the error list of the last operation; it loads
// and saves templates (ReportStreams.cpp), inherits from a parent template
// (ReportInheritance.cpp) and opens the designer.
namespace pgx {
class KeyStore;
}

class TpgxReport : public TpgxComponent, public pgx::TpgxDefinedProperties
{
    Q_OBJECT
    Q_PROPERTY(QString Version READ version WRITE setVersion)
    Q_PROPERTY(QString ParentReport READ parentReport WRITE setParentReport)
    Q_PROPERTY(TpgxDataSet *DataSet READ dataSet WRITE setDataSet)
    Q_PROPERTY(QString DataSetName READ dataSetName WRITE setDataSetName)
    Q_PROPERTY(bool DotMatrixReport READ dotMatrixReport WRITE setDotMatrixReport)
    Q_PROPERTY(TpgxEngineOptions *EngineOptions READ engineOptions)
    Q_PROPERTY(QString IniFile READ iniFile WRITE setIniFile)
    Q_PROPERTY(bool OldStyleProgress READ oldStyleProgress WRITE setOldStyleProgress)
    Q_PROPERTY(TpgxPreviewOptions *PreviewOptions READ previewOptions)
    Q_PROPERTY(TpgxPrintOptions *PrintOptions READ printOptions)
    Q_PROPERTY(TpgxReportOptions *ReportOptions READ reportOptions)
    Q_PROPERTY(QString ScriptLanguage READ scriptLanguage WRITE setScriptLanguage)
    Q_PROPERTY(QStringList ScriptText READ scriptText WRITE setScriptText)
    Q_PROPERTY(bool ShowProgress READ showProgress WRITE setShowProgress)
    Q_PROPERTY(bool StoreInDFM READ storeInDfm WRITE setStoreInDfm)
    Q_PROPERTY(QString OnRunDialogs READ onRunDialogs WRITE setOnRunDialogs)
    Q_PROPERTY(QString OnStartReport READ onStartReport WRITE setOnStartReport)
    Q_PROPERTY(QString OnStopReport READ onStopReport WRITE setOnStopReport)
    Q_CLASSINFO("pgx:default:OldStyleProgress", "False")
    Q_CLASSINFO("pgx:default:ShowProgress", "True")
    Q_CLASSINFO("pgx:default:StoreInDFM", "True")

public:
    // Opens the designer on a report (the designer layer registers it).
    // Modal: returns when the designer is closed.
    using DesignerFactory = std::function<void(TpgxReport &report, bool modal, bool asChild)>;
    // Loads a parent template for ParentReport instead of the file system
    // (the host's OnLoadTemplate): fills `report` from `name`, true when done.
    using TemplateLoader = std::function<bool(TpgxReport &report, const QString &name)>;
    // The answer to an inheritance conflict: objects of the report carry
    // names the parent template's objects have.
    enum class InheritConflict { DeleteDuplicates, RenameDuplicates, Cancel };
    using ConflictPrompt = std::function<InheritConflict(const QStringList &duplicateNames)>;

    // A new report is empty (Clear runs here): version "4.2.16", settings
    // under "\Software\Velmora", all preview buttons, zoom 1, printer
    // "Default", both report dates the current time, PascalScript with the
    // script "begin" / "" / "end.".
    Q_INVOKABLE explicit TpgxReport(QObject *owner = nullptr);
    ~TpgxReport() override;

    static QString currentVersion() { return QStringLiteral("4.2.16"); }

    QString version() const { return currentVersion(); }
    // Whatever is written, the version is the one of this system.
    void setVersion(const QString &) { }
    QString parentReport() const { return m_parentReport; }
    // A non-empty name loads that template as this report's ancestor (see
    // ReportInheritance.cpp); an empty one drops the ancestor. A template
    // that cannot be found or read adds its reason to Errors, and the report
    // stays as it was, without ancestor, keeping the name.
    void setParentReport(const QString &value);
    // The main data source; destroying it clears the reference.
    TpgxDataSet *dataSet() const { return m_dataSet; }
    void setDataSet(TpgxDataSet *value);
    QString dataSetName() const;
    // Looks the data source up among the report's; none found keeps the
    // previous reference.
    void setDataSetName(const QString &value);
    bool dotMatrixReport() const { return m_dotMatrixReport; }
    void setDotMatrixReport(bool value) { m_dotMatrixReport = value; }
    TpgxEngineOptions *engineOptions() const { return &m_engineOptions; }
    // Where designer and preview settings are kept: a key under the per-user
    // store when it begins with "\Software\", else an INI file name.
    QString iniFile() const { return m_iniFile; }
    void setIniFile(const QString &value) { m_iniFile = value; }
    bool oldStyleProgress() const { return m_oldStyleProgress; }
    void setOldStyleProgress(bool value) { m_oldStyleProgress = value; }
    // An embedded preview control used instead of a preview window; never
    // stored. Cleared when the control is destroyed.
    QObject *preview() const { return m_preview; }
    void setPreview(QObject *preview) { m_preview = preview; }
    TpgxPreviewOptions *previewOptions() const { return &m_previewOptions; }
    TpgxPrintOptions *printOptions() const { return &m_printOptions; }
    TpgxReportOptions *reportOptions() const { return &m_reportOptions; }
    QString scriptLanguage() const { return m_scriptLanguage; }
    void setScriptLanguage(const QString &value) { m_scriptLanguage = value; }
    QStringList scriptText() const { return m_scriptText; }
    void setScriptText(const QStringList &value) { m_scriptText = value; }
    bool showProgress() const { return m_showProgress; }
    void setShowProgress(bool value) { m_showProgress = value; }
    bool storeInDfm() const { return m_storeInDFM; }
    void setStoreInDfm(bool value) { m_storeInDFM = value; }
    QString onRunDialogs() const { return m_onRunDialogs; }
    void setOnRunDialogs(const QString &value) { m_onRunDialogs = value; }
    QString onStartReport() const { return m_onStartReport; }
    void setOnStartReport(const QString &value) { m_onStartReport = value; }
    QString onStopReport() const { return m_onStopReport; }
    void setOnStopReport(const QString &value) { m_onStopReport = value; }

    // The lists streamed in the report's PropData.
    TpgxReportDataSets *dataSets() const { return m_dataSets; }
    TpgxVariables *variables() const { return m_variables; }
    TpgxStyles *styles() const { return m_styles; }
    // Takes a copy of `styles` (none empties them), then applies them to the
    // report's text objects.
    void setStyles(const TpgxStyles *styles);
    // "Date", "Time", "Page", "Page#", "TotalPages", "TotalPages#", "Line",
    // "Line#", "CopyName#".
    const QStringList &systemVariables() const { return m_systemVariables; }
    // The data source of the data-set list whose UserName is `alias`.
    TpgxDataSet *getDataset(const QString &alias) const;
    // The data source's UserName when it is in the data-set list, the text
    // clDSNotIncl when it is not, empty for none.
    QString aliasOf(const TpgxDataSet *dataSet) const;

    // The store IniFile names: a key of the per-user store when it begins
    // with "\Software\", otherwise an INI file of that name.
    std::unique_ptr<pgx::KeyStore> settingsStore() const;
    // The program's folder, with a trailing "/".
    static QString programFolder();
    // Makes PrintOptions.Printer the current printer when the printer list
    // knows that name (without regard to case); otherwise nothing changes.
    void applyPrinterOption();

    // The position of the report on the window that hosts it; carried in
    // PropData as "Left" and "Top" when not zero, kept across a load.
    QPoint designPosition() const { return m_designPosition; }
    void setDesignPosition(QPoint position) { m_designPosition = position; }

    // The file name of the last loaded template (empty after a failed load).
    QString fileName() const { return m_fileName; }
    void setFileName(const QString &value) { m_fileName = value; }

    // Messages of the last load or run: sorted without regard to case,
    // duplicates ignored.
    const QStringList &errors() const { return m_errors; }
    void addError(const QString &message);
    void clearErrors() { m_errors.clear(); }
    // "The following error(s) have occured:", CR LF and the errors, one a
    // line; empty when there are none.
    QString errorsText() const;

    // --- expressions ----------------------------------------------------------
    // The value of a report expression: a name (data field, variable,
    // system variable) or an expression of the report's script language.
    // The engine layer installs the evaluation; a failure (and a report
    // without one) raises pgx::Error with the message, which the
    // evaluation has already added to Errors.
    QVariant calc(const QString &expression);
    using CalcHook = std::function<QVariant(TpgxReport &report, const QString &expression)>;
    static void setCalcHook(CalcHook hook);
    // Makes `value` the script-visible "Value" (the value a text object
    // just fetched, which its highlight condition and events read), through
    // the hook the engine layer installs; nothing without one.
    void publishCurrentValue(const QVariant &value);
    using ValueHook = std::function<void(TpgxReport &report, const QVariant &value)>;
    static void setValueHook(ValueHook hook);
    // Reports Errors as NewSilentMode says: a message box (the platform's
    // prompts), nothing, or a pgx::Error thrown with the text.
    void reportErrors();

    // Set while the report is restored after a run or an undo step: loading
    // then asks for no password (the errors are still reported).
    bool restoring() const { return m_restoring; }
    void setRestoring(bool on) { m_restoring = on; }
    bool terminated() const { return m_terminated; }
    void setTerminated(bool on) { m_terminated = on; }
    // The drill-down groups the preview opened or closed, each as the group
    // header's name, "." and the group's number. Kept across runs and
    // loads: the preview toggles a key and prepares the report again.
    bool drillGroupToggled(const QString &key) const { return m_toggledDrillGroups.contains(key); }
    void toggleDrillGroup(const QString &key);
    void clearToggledDrillGroups() { m_toggledDrillGroups.clear(); }

    // Empties the report and forgets the file name; a missing file gives
    // false (or throws pgx::Error when raiseIfMissing); an existing file that
    // cannot be opened throws pgx::Error. See LoadFromStream.
    bool loadFromFile(const QString &fileName, bool raiseIfMissing = false);
    // Reads a template: the options kept across a load, a "Data" page for
    // templates without one, the password check (a failure empties the
    // report) and the errors reported at the end. A stream that is no
    // template leaves the report empty and its message in Errors.
    void loadFromStream(QIODevice *stream) override;
    // Writes the template with the password scrambled; the preview control
    // is never written.
    void saveToStream(QIODevice *stream, bool saveChildren = true,
                      bool writeDefaults = false) override;
    // Writes a temporary file beside the target and renames it over it.
    void saveToFile(const QString &fileName);

    // Where relative ParentReport names are looked for after the folder of
    // the report being loaded; the program's folder unless set.
    static QString templateFolder();
    static void setTemplateFolder(const QString &folder);
    static void setTemplateLoader(TemplateLoader loader);
    // The ancestor report (a private copy of the parent template), or null.
    TpgxReport *ancestor() const { return m_ancestor.get(); }
    // Makes this report a descendant of `templatePath`. When objects of the
    // report have names the template's objects have, `ask` decides: delete
    // the duplicates, rename them, or cancel (the report is then restored).
    // Returns false when cancelled.
    bool inheritFrom(const QString &templatePath, const ConflictPrompt &ask);

    // Opens the designer registered by the designer layer on this report;
    // returns at once when none is registered or one is already open for
    // this report.
    void designReport(bool modal = true, bool asChild = false);
    static void setDesignerFactory(DesignerFactory factory);
    static bool hasDesignerFactory();

    // Frees all pages and objects (with the ancestor, whose components go
    // too) and resets the report's own values; IniFile, the preview
    // settings outside the outline and the file name stay.
    void clear() override;
    QString kindCaption() const override;
    bool isReportRoot() const override { return true; }

    void writeDefinedProperties(pgx::persist::PropDataWriter &writer,
                                pgx::TpgxXMLSerializer &serializer) const override;
    void readDefinedProperty(const pgx::persist::PropEntry &entry,
                             pgx::TpgxXMLSerializer &serializer) override;

signals:
    // A component of this report is being destroyed. Emitted from its
    // destructor: use the pointer only to drop references to it.
    void objectDestroyed(TpgxComponent *component);

private:
    friend class TpgxComponent;
    void notifyObjectDestroyed(TpgxComponent *component);

    // The serializer's read plus the data page (ReportStreams.cpp).
    void readTemplate(QIODevice *stream);
    void ensureDataPage();
    bool passwordCheckPasses();
    void loadAncestor(const QString &name);
    QString resolveTemplatePath(const QString &name) const;

    // The names of the report's objects (not the report's own), case-folded,
    // kept by TpgxComponent as names are set and objects come and go, so
    // that the duplicate check of SetName and FindObject, which the
    // serializer calls for every element, do not walk the whole report.
    // Names are unique in a report except where a subtree with clashing
    // names was moved in; such a name maps to several objects.
    void indexName(const QString &name, TpgxComponent *component);
    void unindexName(const QString &name, TpgxComponent *component);
    QHash<QString, QList<TpgxComponent *>> m_names;

    QString m_parentReport;
    QPointer<TpgxDataSet> m_dataSet;
    QString m_dataSetName;
    bool m_dotMatrixReport = false;
    mutable TpgxEngineOptions m_engineOptions;
    QString m_iniFile;
    bool m_oldStyleProgress = false;
    QPointer<QObject> m_preview;
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
    TpgxReportDataSets *m_dataSets;
    TpgxVariables *m_variables;
    TpgxStyles *m_styles;
    QStringList m_systemVariables;
    QPoint m_designPosition;
    QString m_fileName;
    // The folder of the template being loaded: relative ParentReport names
    // are looked for there first.
    QString m_loadingFolder;
    QStringList m_errors;
    std::unique_ptr<TpgxReport> m_ancestor;
    // Set while the ancestor's contents are copied in: the copy's own
    // ParentReport is then only stored, not loaded again.
    bool m_copyingAncestor = false;
    // The last LoadFromStream failed its password check.
    bool m_passwordRejected = false;
    bool m_restoring = false;
    bool m_terminated = false;
    QSet<QString> m_toggledDrillGroups;
    bool m_designerOpen = false;
    bool m_destroying = false;
};
