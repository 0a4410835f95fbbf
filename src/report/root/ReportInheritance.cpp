// Inherited reports: ParentReport loads a parent template whose objects
// become this report's "ancestor" objects; saving then writes only what
// differs from that private copy of the parent.

#include "report/root/TpgxReport.h"

#include "persist/serializer/ComponentStreams.h"
#include "persist/serializer/XMLSerializer.h"
#include "platform/Error.h"
#include "report/pages/TpgxPage.h"
#include "report/resources/ProgramFolder.h"

#include <QtCore/QBuffer>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>

namespace {

// Parent of a parent and so on: real reports use one or two levels. The
// bound also ends a template that names itself (or a cycle of them).
constexpr int kMaxInheritanceDepth = 16;
thread_local int t_inheritanceDepth = 0;

QString &templateFolder()
{
    static QString folder;
    return folder;
}

TpgxReport::TemplateLoader &templateLoader()
{
    static TpgxReport::TemplateLoader loader;
    return loader;
}

void setAncestorFlags(const TpgxReport &report, bool on)
{
    for (TpgxComponent *c : report.AllObjects())
        c->SetIsAncestor(on);
}

// Moves `c` (with its subtree) under `parent` of another report, which then
// also frees it.
void adopt(TpgxComponent *c, TpgxComponent *parent, TpgxReport *report)
{
    c->SetParent(parent);
    c->QObject::setParent(report);
    for (TpgxComponent *d : c->AllObjects())
        d->QObject::setParent(report);
}

}   // namespace

QString TpgxReport::TemplateFolder()
{
    return templateFolder().isEmpty() ? pgxProgramFolder() : templateFolder();
}

void TpgxReport::SetTemplateFolder(const QString &folder)
{
    templateFolder() = folder;
}

void TpgxReport::SetTemplateLoader(TemplateLoader loader)
{
    templateLoader() = std::move(loader);
}

void TpgxReport::SetParentReport(const QString &value)
{
    if (m_copyingAncestor) {
        m_parentReport = value;
        return;
    }
    if (value.isEmpty()) {
        // Detached: the parent's objects become the report's own.
        setAncestorFlags(*this, false);
        m_ancestor.reset();
        m_parentReport.clear();
        return;
    }
    // A parent that cannot be read leaves the report as it is, without
    // ancestor, and keeps the name, so that saving does not lose the link;
    // the reason goes to Errors.
    try {
        LoadAncestor(value);
    } catch (const pgx::Error &e) {
        AddError(e.message());
    }
    m_parentReport = value;
}

// A name beginning with "/" is absolute; any other is looked for beside the
// report being loaded (or the report's own file), then in the template
// folder. Names written with "\" separators are taken with "/".
QString TpgxReport::ResolveTemplatePath(const QString &name) const
{
    QString path = name;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (path.startsWith(QLatin1Char('/')))
        return QFileInfo(path).isFile() ? path : QString();
    QStringList folders;
    if (!m_loadingFolder.isEmpty())
        folders.append(m_loadingFolder);
    else if (!m_fileName.isEmpty())
        folders.append(QFileInfo(m_fileName).absolutePath());
    folders.append(TemplateFolder());
    for (const QString &folder : folders) {
        const QString candidate = QDir(folder).filePath(path);
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    return {};
}

void TpgxReport::LoadAncestor(const QString &name)
{
    if (t_inheritanceDepth >= kMaxInheritanceDepth)
        throw pgx::Error(QStringLiteral("Parent reports are nested more than %1 levels deep")
                             .arg(kMaxInheritanceDepth));
    ++t_inheritanceDepth;
    struct Leave
    {
        ~Leave() { --t_inheritanceDepth; }
    } leave;

    // The parent template, read as stored (its password stays scrambled, so
    // that a descendant that keeps it writes nothing for it).
    auto ancestor = std::make_unique<TpgxReport>();
    bool loaded = false;
    if (const TemplateLoader &loader = templateLoader())
        loaded = loader(*ancestor, name);
    if (!loaded) {
        const QString path = ResolveTemplatePath(name);
        QFile file(path);
        if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
            throw pgx::Error(QStringLiteral("Cannot find the parent report \"%1\"").arg(name));
        ancestor->m_loadingFolder = QFileInfo(path).absolutePath();
        ancestor->ReadTemplate(&file);
    }
    for (const QString &message : ancestor->Errors())
        AddError(message);

    // The copy's contents become the report's, every object marked as
    // coming from the ancestor. The copy is written whole (no "inherited"
    // elements, every value), so nothing depends on its own ancestry.
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    QList<TpgxComponent *> inherited;
    for (TpgxComponent *c : ancestor->AllObjects())
        if (c->FromAncestor())
            inherited.append(c);
    setAncestorFlags(*ancestor, false);
    {
        pgx::TpgxXMLSerializer writer(&buffer);
        writer.SetWriteAllValues(true);
        writer.WriteTree(ancestor.get(), true);
    }
    for (TpgxComponent *c : std::as_const(inherited))
        c->SetIsAncestor(true);
    buffer.seek(0);
    m_copyingAncestor = true;
    struct EndCopy
    {
        bool &flag;
        ~EndCopy() { flag = false; }
    } endCopy{m_copyingAncestor};
    for (const QString &message : pgx::LoadComponentFromStream(this, &buffer))
        AddError(message);
    setAncestorFlags(*this, true);
    m_ancestor = std::move(ancestor);
}

bool TpgxReport::InheritFrom(const QString &templatePath, const ConflictPrompt &ask)
{
    // The report as it is, to go back to on cancel and to take objects from.
    QBuffer saved;
    saved.open(QIODevice::ReadWrite);
    SaveToStream(&saved);
    const auto restore = [&] {
        saved.seek(0);
        const bool restoring = m_restoring;
        m_restoring = true;
        LoadFromStream(&saved);
        m_restoring = restoring;
    };
    TpgxReport copy;
    copy.m_restoring = true;
    saved.seek(0);
    copy.LoadFromStream(&saved);

    const QString relative
        = QDir(TemplateFolder()).relativeFilePath(QFileInfo(templatePath).absoluteFilePath());
    try {
        SetParentReport(relative.startsWith(QLatin1String("../"))
                            ? QFileInfo(templatePath).absoluteFilePath()
                            : relative);
    } catch (const pgx::Error &) {
        restore();
        throw;
    }

    // A name free in both reports, so that moving creates no clash.
    const auto giveFreeName = [&](TpgxComponent *c) {
        const QString stem = c->NameStem();
        for (int n = 1;; ++n) {
            const QString name = stem + QString::number(n);
            if (!FindObject(name) && !copy.FindObject(name)) {
                c->SetName(name);
                return;
            }
        }
    };
    QList<QPointer<TpgxComponent>> duplicates;
    QStringList names;
    for (TpgxComponent *c : copy.AllObjects()) {
        if (qobject_cast<TpgxPage *>(c) || c->Name().isEmpty() || !FindObject(c->Name()))
            continue;
        duplicates.append(c);
        names.append(c->Name());
    }
    InheritConflict answer = InheritConflict::RenameDuplicates;
    if (!duplicates.isEmpty()) {
        answer = ask ? ask(names) : InheritConflict::Cancel;
        if (answer == InheritConflict::Cancel) {
            restore();
            return false;
        }
    }
    // A duplicate inside one deleted before it is gone already.
    for (const QPointer<TpgxComponent> &c : std::as_const(duplicates)) {
        if (!c)
            continue;
        if (answer == InheritConflict::DeleteDuplicates)
            delete c.data();
        else
            giveFreeName(c);
    }
    // Pages the parent has take the copy's objects; other pages move whole.
    const QList<TpgxComponent *> pages = copy.Objects();
    for (TpgxComponent *page : pages) {
        TpgxComponent *target = FindObject(page->Name());
        if (target && target->Parent() == this && target->metaObject() == page->metaObject()) {
            const QList<TpgxComponent *> children = page->Objects();
            for (TpgxComponent *child : children)
                adopt(child, target, this);
        } else {
            if (target)
                giveFreeName(page);
            adopt(page, this, this);
        }
    }
    m_scriptText = copy.ScriptText();
    return true;
}
