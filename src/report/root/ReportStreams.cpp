// Loading and saving a report: the steps around the serializer.

#include "report/root/ReportDataSets.h"
#include "report/root/TpgxReport.h"

#include "meta/ClassRegistry.h"
#include "persist/serializer/ComponentStreams.h"
#include "persist/serializer/XMLSerializer.h"
#include "platform/Error.h"
#include "platform/SaveFile.h"
#include "platform/UserPrompts.h"
#include "report/resources/TpgxResources.h"
#include "report/root/PasswordScrambling.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QMutex>

#include <optional>

namespace {

// Non-visual components moved onto a new data page line up from here.
constexpr double kMovedTop = 20;
constexpr double kMovedFirstLeft = 60;
constexpr double kMovedStep = 64;

// The values of the engine and preview options a load keeps; those the
// template decides are put back from the template afterwards.
struct KeptOptions
{
    TpgxEngineOptions::TpgxSilentMode newSilentMode;
    int maxMemSize;
    bool printIfEmpty;
    QString tempDir;
    bool useFileCache;
    bool enableThreadSafe;
    bool destroyForms;
    bool allowEdit;
    TpgxPreviewOptions::TpgxPreviewButtons buttons;
    bool doubleBuffered;
    bool maximized;
    bool mdiChild;
    bool modal;
    bool thumbnailVisible;
    bool showCaptions;
    double zoom;
    TpgxPreviewOptions::TpgxZoomMode zoomMode;

    KeptOptions(const TpgxEngineOptions &e, const TpgxPreviewOptions &p)
        : newSilentMode(e.newSilentMode), maxMemSize(e.maxMemSize), printIfEmpty(e.printIfEmpty),
          tempDir(e.tempDir), useFileCache(e.useFileCache), enableThreadSafe(e.enableThreadSafe),
          destroyForms(e.destroyForms), allowEdit(p.allowEdit), buttons(p.buttons),
          doubleBuffered(p.doubleBuffered), maximized(p.maximized), mdiChild(p.mdiChild),
          modal(p.modal), thumbnailVisible(p.thumbnailVisible), showCaptions(p.showCaptions),
          zoom(p.zoom), zoomMode(p.zoomMode)
    { }

    // ConvertNulls and DoublePass come from the template, as do the
    // outline settings and PagesInCache.
    void restore(TpgxEngineOptions &e, TpgxPreviewOptions &p) const
    {
        e.newSilentMode = newSilentMode;
        e.maxMemSize = maxMemSize;
        e.printIfEmpty = printIfEmpty;
        e.tempDir = tempDir;
        e.useFileCache = useFileCache;
        e.enableThreadSafe = enableThreadSafe;
        e.destroyForms = destroyForms;
        p.allowEdit = allowEdit;
        p.buttons = buttons;
        p.doubleBuffered = doubleBuffered;
        p.maximized = maximized;
        p.mdiChild = mdiChild;
        p.modal = modal;
        p.thumbnailVisible = thumbnailVisible;
        p.showCaptions = showCaptions;
        p.zoom = zoom;
        p.zoomMode = zoomMode;
    }
};

}   // namespace

bool TpgxReport::loadFromFile(const QString &fileName, bool raiseIfMissing)
{
    clear();
    m_fileName.clear();
    const QFileInfo info(fileName);
    const bool exists = info.exists() && !info.isDir();
    if (!exists && !raiseIfMissing)
        return false;
    QFile file(fileName);
    if (!exists || !file.open(QIODevice::ReadOnly))
        throw pgx::Error(
            QStringLiteral("Cannot open file \"%1\". %2")
                .arg(fileName,
                     exists ? file.errorString() : QStringLiteral("The file does not exist")));
    m_loadingFolder = info.absolutePath();
    struct ForgetFolder
    {
        QString &folder;
        ~ForgetFolder() { folder.clear(); }
    } forget{m_loadingFolder};
    // Named before the errors are reported: a report that re-throws its
    // errors still knows which file it holds.
    m_fileName = fileName;
    loadFromStream(&file);
    // A report whose password was refused is empty: with the name kept, the
    // next save would overwrite the protected template with nothing.
    if (m_passwordRejected)
        m_fileName.clear();
    return true;
}

void TpgxReport::loadFromStream(QIODevice *stream)
{
    // 1-2: a fresh error list; what the program set up stays across the load.
    clearErrors();
    m_passwordRejected = false;
    const KeptOptions kept(m_engineOptions, m_previewOptions);
    const QString iniFile = m_iniFile;
    const QPointer<QObject> preview = m_preview;
    const bool oldStyleProgress = m_oldStyleProgress;
    const bool showProgress = m_showProgress;
    const bool storeInDFM = m_storeInDFM;
    const QPoint position = m_designPosition;

    // 3-4: the template, then a data page when it has none.
    {
        std::optional<QMutexLocker<QMutex>> lock;
        if (kept.enableThreadSafe)
            lock.emplace(&pgx::TpgxXMLSerializer::loadLock());
        readTemplate(stream);
    }
    pgx::datasets::relinkByName(this);

    // 5: the kept values back.
    kept.restore(m_engineOptions, m_previewOptions);
    m_iniFile = iniFile;
    m_preview = preview;
    m_oldStyleProgress = oldStyleProgress;
    m_showProgress = showProgress;
    m_storeInDFM = storeInDFM;
    m_designPosition = position;

    // 6: the stored password is scrambled.
    m_reportOptions.password = pgx::password::unscramble(m_reportOptions.password);

    // 7: errors are reported unless the password is refused, which empties
    // the report silently.
    if (m_restoring || kept.enableThreadSafe || passwordCheckPasses()) {
        reportErrors();
    } else {
        m_passwordRejected = true;
        clear();
        clearErrors();
    }
}

// The serializer reads the template into the report (clearing it first);
// whatever it could not take is in Errors, and a stream that is no
// template leaves the report empty with the reason in Errors.
void TpgxReport::readTemplate(QIODevice *stream)
{
    try {
        if (!stream)
            throw pgx::Error(QStringLiteral("No stream to read from"));
        for (const QString &message : pgx::loadComponentFromStream(this, stream))
            addError(message);
    } catch (const pgx::Error &e) {
        clear();
        addError(e.message());
    } catch (const std::exception &e) {
        clear();
        addError(QString::fromUtf8(e.what()));
    }
    ensureDataPage();
}

// A report always has a data page, first among its pages: templates without
// one get a page "Data" (DataPage1 and so on when an object has that name),
// and their non-visual components move onto it in a row.
void TpgxReport::ensureDataPage()
{
    const QList<TpgxComponent *> all = allObjects();
    for (const TpgxComponent *c : all)
        if (c->inherits("TpgxDataPage"))
            return;
    // The data page class belongs to the page layer; a program that did not
    // register it has no data pages at all.
    if (!pgx::ClassRegistry::find(u"TpgxDataPage"))
        return;
    auto *page = qobject_cast<TpgxComponent *>(pgx::ClassRegistry::create(u"TpgxDataPage", this));
    if (!page)
        return;
    if (findObject(QStringLiteral("Data")))
        page->makeUniqueName();
    else
        page->setName(QStringLiteral("Data"));
    // First place: the other pages go behind it in their order.
    const QList<TpgxComponent *> others = objects();
    for (TpgxComponent *c : others) {
        if (c == page)
            continue;
        c->setParentComponent(nullptr);
        c->setParentComponent(this);
    }
    int moved = 0;
    for (TpgxComponent *c : all) {
        if (!c->inherits("TpgxDialogComponent"))
            continue;
        try {
            c->setParentComponent(page);
        } catch (const pgx::Error &e) {
            addError(e.message());
            continue;
        }
        c->setTop(kMovedTop);
        c->setLeft(kMovedFirstLeft + kMovedStep * moved++);
    }
}

bool TpgxReport::passwordCheckPasses()
{
    const QString password = m_reportOptions.password;
    if (password.isEmpty() || password == m_reportOptions.acceptedPassword)
        return true;
    const TpgxResources &texts = pgxResources();
    const std::optional<QString> answer = pgx::UserPrompts::current().askPassword(
        {texts.get(QStringLiteral("5000")), texts.get(QStringLiteral("5001")),
         texts.get(QStringLiteral("1")), texts.get(QStringLiteral("2"))});
    if (!answer || *answer != password)
        return false;
    m_reportOptions.acceptedPassword = password;
    return true;
}

void TpgxReport::saveToStream(QIODevice *stream, bool saveChildren, bool writeDefaults)
{
    // 1-2: the password scrambled and the preview detached while writing.
    const QString password = m_reportOptions.password;
    m_reportOptions.acceptedPassword = password;
    m_reportOptions.password = pgx::password::scramble(password);
    const QPointer<QObject> preview = m_preview;
    m_preview = nullptr;
    struct Restore
    {
        TpgxReport &report;
        const QString &password;
        const QPointer<QObject> &preview;
        ~Restore()
        {
            report.m_reportOptions.password = password;
            report.m_preview = preview;
        }
    } restore{*this, password, preview};

    // 3: a descendant writes only what differs from its ancestor, the
    // root compared with the ancestor's root.
    pgx::TpgxXMLSerializer serializer(stream);
    serializer.setWriteAllValues(writeDefaults);
    if (TpgxReport *ancestor = m_ancestor.get()) {
        serializer.setAncestorLookup(
            [ancestor, root = true](const QString &name) mutable -> QObject * {
                if (std::exchange(root, false))
                    return ancestor;
                return ancestor->findObject(name);
            });
    }
    serializer.writeTree(this, saveChildren);
}

void TpgxReport::saveToFile(const QString &fileName)
{
    const QString error = pgx::saveFile(fileName, [this](QIODevice &file) {
        saveToStream(&file);
        return QString();
    });
    if (!error.isEmpty())
        throw pgx::Error(error);
}
