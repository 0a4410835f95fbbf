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
thread_local int tInheritanceDepth = 0;

QString &folderSetting()
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
    for (TpgxComponent *c : report.allObjects())
        c->setIsAncestor(on);
}

// Moves `c` (with its subtree) under `parent` of another report, which then
// also frees it.
void adopt(TpgxComponent *c, TpgxComponent *parent, TpgxReport *report)
{
    c->setParentComponent(parent);
    c->QObject::setParent(report);
    for (TpgxComponent *d : c->allObjects())
        d->QObject::setParent(report);
}

}   // namespace

QString TpgxReport::templateFolder()
{
    return folderSetting().isEmpty() ? pgxProgramFolder() : folderSetting();
}

void TpgxReport::setTemplateFolder(const QString &folder)
{
    folderSetting() = folder;
}

void TpgxReport::setTemplateLoader(TemplateLoader loader)
{
    templateLoader() = std::move(loader);
}

void TpgxReport::setParentReport(const QString &value)
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
        loadAncestor(value);
    } catch (const pgx::Error &e) {
        addError(e.message());
    }
    m_parentReport = value;
}

// A name beginning with "/" is absolute; any other is looked for beside the
// report being loaded (or the report's own file), then in the template
// folder. Names written with "\" separators are taken with "/".
QString TpgxReport::resolveTemplatePath(const QString &name) const
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
    folders.append(templateFolder());
    for (const QString &folder : folders) {
        const QString candidate = QDir(folder).filePath(path);
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    return {};
}

void TpgxReport::loadAncestor(const QString &name)
{
    if (tInheritanceDepth >= kMaxInheritanceDepth)
        throw pgx::Error(QStringLiteral("Parent reports are nested more than %1 levels deep")
                             .arg(kMaxInheritanceDepth));
    ++tInheritanceDepth;
    struct Leave
    {
        ~Leave() { --tInheritanceDepth; }
    } leave;

    // The parent template, read as stored (its password stays scrambled, so
    // that a descendant that keeps it writes nothing for it).
    auto ancestor = std::make_unique<TpgxReport>();
    bool loaded = false;
    if (const TemplateLoader &loader = templateLoader())
        loaded = loader(*ancestor, name);
    if (!loaded) {
        const QString path = resolveTemplatePath(name);
        QFile file(path);
        if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
            throw pgx::Error(QStringLiteral("Cannot find the parent report \"%1\"").arg(name));
        ancestor->m_loadingFolder = QFileInfo(path).absolutePath();
        ancestor->readTemplate(&file);
    }
    for (const QString &message : ancestor->errors())
        addError(message);

    // The copy's contents become the report's, every object marked as
    // coming from the ancestor. The copy is written whole (no "inherited"
    // elements, every value), so nothing depends on its own ancestry.
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    QList<TpgxComponent *> inherited;
    for (TpgxComponent *c : ancestor->allObjects())
        if (c->fromAncestor())
            inherited.append(c);
    setAncestorFlags(*ancestor, false);
    {
        pgx::TpgxXMLSerializer writer(&buffer);
        writer.setWriteAllValues(true);
        writer.writeTree(ancestor.get(), true);
    }
    for (TpgxComponent *c : std::as_const(inherited))
        c->setIsAncestor(true);
    buffer.seek(0);
    m_copyingAncestor = true;
    struct EndCopy
    {
        bool &flag;
        ~EndCopy() { flag = false; }
    } endCopy{m_copyingAncestor};
    for (const QString &message : pgx::loadComponentFromStream(this, &buffer))
        addError(message);
    setAncestorFlags(*this, true);
    m_ancestor = std::move(ancestor);
}

bool TpgxReport::inheritFrom(const QString &templatePath, const ConflictPrompt &ask)
{
    // The report as it is, to go back to on cancel and to take objects from.
    QBuffer saved;
    saved.open(QIODevice::ReadWrite);
    saveToStream(&saved);
    const auto restore = [&] {
        saved.seek(0);
        const bool restoring = m_restoring;
        m_restoring = true;
        loadFromStream(&saved);
        m_restoring = restoring;
    };
    TpgxReport copy;
    copy.m_restoring = true;
    saved.seek(0);
    copy.loadFromStream(&saved);

    const QString relative
        = QDir(templateFolder()).relativeFilePath(QFileInfo(templatePath).absoluteFilePath());
    try {
        setParentReport(relative.startsWith(QLatin1String("../"))
                            ? QFileInfo(templatePath).absoluteFilePath()
                            : relative);
    } catch (const pgx::Error &) {
        restore();
        throw;
    }

    // A name free in both reports, so that moving creates no clash.
    const auto giveFreeName = [&](TpgxComponent *c) {
        const QString stem = c->nameStem();
        for (int n = 1;; ++n) {
            const QString name = stem + QString::number(n);
            if (!findObject(name) && !copy.findObject(name)) {
                c->setName(name);
                return;
            }
        }
    };
    QList<QPointer<TpgxComponent>> duplicates;
    QStringList names;
    for (TpgxComponent *c : copy.allObjects()) {
        if (qobject_cast<TpgxPage *>(c) || c->name().isEmpty() || !findObject(c->name()))
            continue;
        duplicates.append(c);
        names.append(c->name());
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
    const QList<TpgxComponent *> pages = copy.objects();
    for (TpgxComponent *page : pages) {
        TpgxComponent *target = findObject(page->name());
        if (target && target->parentComponent() == this
            && target->metaObject() == page->metaObject()) {
            const QList<TpgxComponent *> children = page->objects();
            for (TpgxComponent *child : children)
                adopt(child, target, this);
        } else {
            if (target)
                giveFreeName(page);
            adopt(page, this, this);
        }
    }
    m_scriptText = copy.scriptText();
    return true;
}
