// Loading and saving a report: the steps around the serializer.

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
        : newSilentMode(e.NewSilentMode), maxMemSize(e.MaxMemSize), printIfEmpty(e.PrintIfEmpty),
          tempDir(e.TempDir), useFileCache(e.UseFileCache), enableThreadSafe(e.EnableThreadSafe),
          destroyForms(e.DestroyForms), allowEdit(p.AllowEdit), buttons(p.Buttons),
          doubleBuffered(p.DoubleBuffered), maximized(p.Maximized), mdiChild(p.MDIChild),
          modal(p.Modal), thumbnailVisible(p.ThumbnailVisible), showCaptions(p.ShowCaptions),
          zoom(p.Zoom), zoomMode(p.ZoomMode)
    { }

    // ConvertNulls and DoublePass come from the template, as do the
    // outline settings and PagesInCache.
    void restore(TpgxEngineOptions &e, TpgxPreviewOptions &p) const
    {
        e.NewSilentMode = newSilentMode;
        e.MaxMemSize = maxMemSize;
        e.PrintIfEmpty = printIfEmpty;
        e.TempDir = tempDir;
        e.UseFileCache = useFileCache;
        e.EnableThreadSafe = enableThreadSafe;
        e.DestroyForms = destroyForms;
        p.AllowEdit = allowEdit;
        p.Buttons = buttons;
        p.DoubleBuffered = doubleBuffered;
        p.Maximized = maximized;
        p.MDIChild = mdiChild;
        p.Modal = modal;
        p.ThumbnailVisible = thumbnailVisible;
        p.ShowCaptions = showCaptions;
        p.Zoom = zoom;
        p.ZoomMode = zoomMode;
    }
};

}   // namespace

bool TpgxReport::LoadFromFile(const QString &fileName, bool raiseIfMissing)
{
    Clear();
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
    LoadFromStream(&file);
    // A report whose password was refused is empty: with the name kept, the
    // next save would overwrite the protected template with nothing.
    if (m_passwordRejected)
        m_fileName.clear();
    return true;
}

void TpgxReport::LoadFromStream(QIODevice *stream)
{
    // 1-2: a fresh error list; what the program set up stays across the load.
    ClearErrors();
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
            lock.emplace(&pgx::TpgxXMLSerializer::LoadLock());
        ReadTemplate(stream);
    }

    // 5: the kept values back.
    kept.restore(m_engineOptions, m_previewOptions);
    m_iniFile = iniFile;
    m_preview = preview;
    m_oldStyleProgress = oldStyleProgress;
    m_showProgress = showProgress;
    m_storeInDFM = storeInDFM;
    m_designPosition = position;

    // 6: the stored password is scrambled.
    m_reportOptions.Password = pgx::password::Unscramble(m_reportOptions.Password);

    // 7: errors are reported unless the password is refused, which empties
    // the report silently.
    if (m_restoring || kept.enableThreadSafe || PasswordCheckPasses()) {
        ReportErrors();
    } else {
        m_passwordRejected = true;
        Clear();
        ClearErrors();
    }
}

// The serializer reads the template into the report (clearing it first);
// whatever it could not take is in Errors, and a stream that is no
// template leaves the report empty with the reason in Errors.
void TpgxReport::ReadTemplate(QIODevice *stream)
{
    try {
        if (!stream)
            throw pgx::Error(QStringLiteral("No stream to read from"));
        for (const QString &message : pgx::LoadComponentFromStream(this, stream))
            AddError(message);
    } catch (const pgx::Error &e) {
        Clear();
        AddError(e.message());
    } catch (const std::exception &e) {
        Clear();
        AddError(QString::fromUtf8(e.what()));
    }
    EnsureDataPage();
}

// A report always has a data page, first among its pages: templates without
// one get a page "Data" (DataPage1 and so on when an object has that name),
// and their non-visual components move onto it in a row.
void TpgxReport::EnsureDataPage()
{
    const QList<TpgxComponent *> all = AllObjects();
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
    if (FindObject(QStringLiteral("Data")))
        page->MakeUniqueName();
    else
        page->SetName(QStringLiteral("Data"));
    // First place: the other pages go behind it in their order.
    const QList<TpgxComponent *> others = Objects();
    for (TpgxComponent *c : others) {
        if (c == page)
            continue;
        c->SetParent(nullptr);
        c->SetParent(this);
    }
    int moved = 0;
    for (TpgxComponent *c : all) {
        if (!c->inherits("TpgxDialogComponent"))
            continue;
        try {
            c->SetParent(page);
        } catch (const pgx::Error &e) {
            AddError(e.message());
            continue;
        }
        c->SetTop(kMovedTop);
        c->SetLeft(kMovedFirstLeft + kMovedStep * moved++);
    }
}

bool TpgxReport::PasswordCheckPasses()
{
    const QString password = m_reportOptions.Password;
    if (password.isEmpty() || password == m_reportOptions.AcceptedPassword)
        return true;
    const TpgxResources &texts = pgxResources();
    const std::optional<QString> answer = pgx::UserPrompts::current().askPassword(
        {texts.Get(QStringLiteral("5000")), texts.Get(QStringLiteral("5001")),
         texts.Get(QStringLiteral("1")), texts.Get(QStringLiteral("2"))});
    if (!answer || *answer != password)
        return false;
    m_reportOptions.AcceptedPassword = password;
    return true;
}

void TpgxReport::SaveToStream(QIODevice *stream, bool SaveChildren, bool writeDefaults)
{
    // 1-2: the password scrambled and the preview detached while writing.
    const QString password = m_reportOptions.Password;
    m_reportOptions.AcceptedPassword = password;
    m_reportOptions.Password = pgx::password::Scramble(password);
    const QPointer<QObject> preview = m_preview;
    m_preview = nullptr;
    struct Restore
    {
        TpgxReport &report;
        const QString &password;
        const QPointer<QObject> &preview;
        ~Restore()
        {
            report.m_reportOptions.Password = password;
            report.m_preview = preview;
        }
    } restore{*this, password, preview};

    // 3: a descendant writes only what differs from its ancestor, the
    // root compared with the ancestor's root.
    pgx::TpgxXMLSerializer serializer(stream);
    serializer.SetWriteAllValues(writeDefaults);
    if (TpgxReport *ancestor = m_ancestor.get()) {
        serializer.SetAncestorLookup(
            [ancestor, root = true](const QString &name) mutable -> QObject * {
                if (std::exchange(root, false))
                    return ancestor;
                return ancestor->FindObject(name);
            });
    }
    serializer.WriteTree(this, SaveChildren);
}

void TpgxReport::SaveToFile(const QString &fileName)
{
    const QString error = pgx::saveFile(fileName, [this](QIODevice &file) {
        SaveToStream(&file);
        return QString();
    });
    if (!error.isEmpty())
        throw pgx::Error(error);
}
