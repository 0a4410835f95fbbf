#include "report/component/TpgxComponent.h"

#include "meta/ClassRegistry.h"
#include "platform/Error.h"
#include "report/pages/TpgxPage.h"
#include "report/resources/TpgxResources.h"
#include "report/root/TpgxReport.h"

#include <QtCore/QVarLengthArray>
#include <algorithm>
#include <vector>

namespace {

// A component name is an identifier: a letter or "_" first, then letters,
// digits and "_". Letters beyond ASCII are accepted so that templates named
// in the author's own language load.
bool isValidIdent(const QString &name)
{
    if (name.isEmpty())
        return false;
    const QChar first = name.at(0);
    if (!(first.isLetter() || first == QLatin1Char('_')))
        return false;
    for (QChar ch : name)
        if (!(ch.isLetterOrNumber() || ch == QLatin1Char('_')))
            return false;
    return true;
}

// Visits the descendants of `root` in depth-first pre-order without
// recursion, so that a deep tree cannot exhaust the stack. Stops when `visit`
// returns false.
template<class Visit>
void forEachDescendant(const TpgxComponent *root, Visit visit)
{
    QVarLengthArray<std::pair<const TpgxComponent *, qsizetype>, 16> stack;
    stack.append({root, 0});
    while (!stack.isEmpty()) {
        auto &[node, next] = stack.last();
        if (next >= node->objects().size()) {
            stack.removeLast();
            continue;
        }
        TpgxComponent *child = node->objects().at(next++);
        if (!visit(child))
            return;
        if (!child->objects().isEmpty())
            stack.append({child, 0});
    }
}

}   // namespace

TpgxComponent::TpgxComponent(QObject *owner) : pgx::MetaComponent(nullptr)
{
    if (auto *ownerComponent = qobject_cast<TpgxComponent *>(owner)) {
        if (ownerComponent->depth() + 1 > kMaxTreeDepth)
            throw pgx::Error(
                QStringLiteral("Objects are nested more than %1 levels deep").arg(kMaxTreeDepth));
        setParent(ownerComponent->report());
        m_parent = ownerComponent;
        ownerComponent->m_objects.append(this);
    } else {
        setParent(owner);
    }
    connect(&m_font, &TpgxFont::changed, this, &TpgxComponent::onFontChanged);
    setParentFont(true);
}

TpgxComponent::~TpgxComponent()
{
    if (TpgxReport *report = indexingReport()) {
        report->notifyObjectDestroyed(this);
        report->unindexName(m_name, this);
    }
    // Children go while this one is still in the tree, so that they find the
    // report to announce themselves to.
    destroyChildren();
    if (m_parent) {
        // Siblings usually go last first: search from the end.
        const qsizetype i = m_parent->m_objects.lastIndexOf(this);
        if (i >= 0)
            m_parent->m_objects.removeAt(i);
    }
    m_parent = nullptr;
}

void TpgxComponent::destroyChildren()
{
    // Children of the ancestor report go too: a kept child would point at a
    // parent that no longer exists. In reverse pre-order every component is
    // freed after its descendants, so no destructor has children left to
    // free and a deep tree cannot exhaust the stack.
    if (m_objects.isEmpty())
        return;
    const QList<TpgxComponent *> all = allObjects();
    for (auto it = all.crbegin(); it != all.crend(); ++it)
        delete *it;
}

TpgxComponent *TpgxComponent::createInDesigner(const QString &className, QObject *owner, int flags)
{
    pgx::MetaComponent *made = pgx::ClassRegistry::create(className, owner);
    auto *c = qobject_cast<TpgxComponent *>(made);
    if (!c) {
        delete made;
        throw pgx::Error(QStringLiteral("Class %1 is not a report component").arg(className));
    }
    c->setIsDesigning(true);
    c->initInDesigner(flags);
    return c;
}

// --- tree ------------------------------------------------------------------

bool TpgxComponent::isDescendantOrSelf(const TpgxComponent *c) const
{
    for (; c; c = c->m_parent)
        if (c == this)
            return true;
    return false;
}

int TpgxComponent::depth() const
{
    int depth = 0;
    for (const TpgxComponent *c = m_parent; c; c = c->m_parent)
        ++depth;
    return depth;
}

int TpgxComponent::subtreeHeight() const
{
    int height = 0;
    forEachDescendant(this, [&](TpgxComponent *c) {
        int levels = 0;
        for (const TpgxComponent *p = c; p != this; p = p->m_parent)
            ++levels;
        height = std::max(height, levels);
        return true;
    });
    return height;
}

void TpgxComponent::setParentComponent(TpgxComponent *p)
{
    if (p != m_parent) {
        // A component inside its own subtree would make every walk endless.
        if (p && isDescendantOrSelf(p))
            throw pgx::Error(QStringLiteral("Cannot make %1 a child of itself or of its own object")
                                 .arg(m_name));
        if (p && p->depth() + 1 + subtreeHeight() > kMaxTreeDepth)
            throw pgx::Error(
                QStringLiteral("Objects are nested more than %1 levels deep").arg(kMaxTreeDepth));
        TpgxReport *oldReport = indexingReport();
        if (m_parent)
            m_parent->m_objects.removeOne(this);
        if (p)
            p->m_objects.append(this);
        m_parent = p;
        TpgxReport *newReport = indexingReport();
        if (oldReport != newReport) {
            if (oldReport)
                indexSubtree(oldReport, false);
            if (newReport)
                indexSubtree(newReport, true);
        }
    }
    if (m_parent)
        setParentFont(m_parentFont);
}

QList<TpgxComponent *> TpgxComponent::allObjects() const
{
    QList<TpgxComponent *> result;
    forEachDescendant(this, [&](TpgxComponent *c) {
        result.append(c);
        return true;
    });
    return result;
}

TpgxPage *TpgxComponent::page() const
{
    for (const TpgxComponent *c = this; c; c = c->m_parent)
        if (auto *page = qobject_cast<TpgxPage *>(const_cast<TpgxComponent *>(c)))
            return page;
    return nullptr;
}

TpgxReport *TpgxComponent::report() const
{
    for (const TpgxComponent *c = this; c; c = c->m_parent)
        if (c->isReportRoot())
            return static_cast<TpgxReport *>(const_cast<TpgxComponent *>(c));
    return nullptr;
}

TpgxReport *TpgxComponent::indexingReport() const
{
    TpgxReport *report = m_parent ? m_parent->report() : nullptr;
    return report && !report->m_destroying ? report : nullptr;
}

void TpgxComponent::indexSubtree(TpgxReport *report, bool add)
{
    auto apply = [&](TpgxComponent *c) {
        if (add)
            report->indexName(c->m_name, c);
        else
            report->unindexName(c->m_name, c);
        return true;
    };
    apply(this);
    forEachDescendant(this, apply);
}

TpgxComponent *TpgxComponent::findObject(const QString &name) const
{
    const TpgxReport *report = this->report();
    const TpgxComponent *scope = report;
    // While a report is being destroyed its index is no longer kept: walk.
    if (report && !report->m_destroying) {
        auto it = report->m_names.constFind(name.toCaseFolded());
        if (it == report->m_names.cend())
            return nullptr;
        if (it->size() == 1)
            return it->first();
        // Several objects share the name: the first in AllObjects order wins.
    } else if (!report) {
        scope = this;
    }
    TpgxComponent *found = nullptr;
    forEachDescendant(scope, [&](TpgxComponent *c) {
        // Case-insensitive comparison folds character by character, so
        // names of different lengths never match.
        if (c->m_name.size() == name.size() && c->m_name.compare(name, Qt::CaseInsensitive) == 0) {
            found = c;
            return false;
        }
        return true;
    });
    return found;
}

// --- names -----------------------------------------------------------------

QString TpgxComponent::nameStem() const
{
    return m_nameStem.isNull() ? pgx::classNameStem(QString::fromLatin1(metaObject()->className()),
                                                    QLatin1StringView("View"))
                               : m_nameStem;
}

void TpgxComponent::makeUniqueName()
{
    const TpgxComponent *scope = report();
    if (!scope)
        scope = m_parent;
    const QString stem = nameStem();
    // Only names of the form stem + n (n without leading zeros, compared
    // without regard to case) can collide with a candidate: collect their n.
    std::vector<qint64> taken;
    if (scope) {
        forEachDescendant(scope, [&](TpgxComponent *c) {
            const QString &name = c->m_name;
            if (name.size() <= stem.size() || !name.startsWith(stem, Qt::CaseInsensitive))
                return true;
            const QStringView digits = QStringView(name).mid(stem.size());
            if (digits.front() == QLatin1Char('0') || digits.size() > 18)
                return true;
            for (QChar ch : digits)
                if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
                    return true;
            taken.push_back(digits.toLongLong());
            return true;
        });
    }
    std::sort(taken.begin(), taken.end());
    qint64 n = 1;
    for (qint64 t : taken) {
        if (t == n)
            ++n;
        else if (t > n)
            break;
    }
    setName(stem + QString::number(n));
}

void TpgxComponent::setName(const QString &value)
{
    if (value.compare(m_name, Qt::CaseInsensitive) == 0)
        return;
    if (!value.isEmpty()) {
        if (const TpgxReport *report = this->report()) {
            const TpgxComponent *other = report->findObject(value);
            if (other && other != this)
                throw pgx::Error(pgxResources().get(QStringLiteral("prDupl")));
            if (fromAncestor())
                throw pgx::Error(
                    QStringLiteral("Could not rename %1, it was introduced in the ancestor report")
                        .arg(m_name));
        }
        if (!isValidIdent(value))
            throw pgx::Error(QStringLiteral("'%1' is not a valid component name").arg(value));
    }
    if (TpgxReport *report = indexingReport()) {
        report->unindexName(m_name, this);
        report->indexName(value, this);
    }
    const QString oldName = m_name;
    m_name = value;
    renamed(oldName);
}

// --- geometry --------------------------------------------------------------

void TpgxComponent::setLeft(double value)
{
    if (!(m_designing && m_restrictions.testFlag(rfDontMove)))
        m_left = value;
}

void TpgxComponent::setTop(double value)
{
    if (!(m_designing && m_restrictions.testFlag(rfDontMove)))
        m_top = value;
}

void TpgxComponent::setWidth(double value)
{
    if (!(m_designing && m_restrictions.testFlag(rfDontSize)))
        m_width = value;
}

void TpgxComponent::setHeight(double value)
{
    if (!(m_designing && m_restrictions.testFlag(rfDontSize)))
        m_height = value;
}

void TpgxComponent::setBounds(double aLeft, double aTop, double aWidth, double aHeight)
{
    setLeft(aLeft);
    setTop(aTop);
    setWidth(aWidth);
    setHeight(aHeight);
}

double TpgxComponent::absLeft() const
{
    double result = m_left;
    for (const TpgxComponent *p = m_parent; p && !p->placesChildrenOnOwnWindow(); p = p->m_parent)
        result += p->m_left;
    return result;
}

double TpgxComponent::absTop() const
{
    double result = m_top;
    for (const TpgxComponent *p = m_parent; p && !p->placesChildrenOnOwnWindow(); p = p->m_parent)
        result += p->m_top;
    return result;
}

// --- font ------------------------------------------------------------------

void TpgxComponent::setFont(const TpgxFont *f)
{
    if (f)
        m_font.assign(*f);
    m_parentFont = false;
}

void TpgxComponent::setParentFont(bool value)
{
    if (value && m_parent)
        m_font.assign(m_parent->m_font);   // FontAltered clears the flag ...
    m_parentFont = value;                  // ... and this sets it again
}

void TpgxComponent::onFontChanged()
{
    fontAltered();
}

void TpgxComponent::fontAltered()
{
    m_parentFont = false;
    for (TpgxComponent *child : std::as_const(m_objects))
        if (child->m_parentFont)
            child->setParentFont(true);
}

// --- operations ------------------------------------------------------------

QString TpgxComponent::kindCaption() const
{
    return QString::fromLatin1(metaObject()->className());
}

void TpgxComponent::clear()
{
    // Children of the ancestor report stay (cleared themselves); the others
    // are freed. The list is rebuilt first so that each freed child finds
    // nothing to remove from it.
    QList<TpgxComponent *> freed;
    QList<TpgxComponent *> kept;
    for (TpgxComponent *child : std::as_const(m_objects))
        (child->fromAncestor() ? kept : freed).append(child);
    m_objects = kept;
    for (TpgxComponent *child : std::as_const(kept))
        child->clear();
    for (TpgxComponent *child : std::as_const(freed))
        delete child;
}

// --- TpgxReportComponent ---------------------------------------------------

TpgxReportComponent::TpgxReportComponent(QObject *owner) : TpgxComponent(owner) { }

void TpgxReportComponent::beforePrint()
{
    m_savedBounds = QRectF(left(), top(), width(), height());
}

void TpgxReportComponent::afterPrint()
{
    setBounds(m_savedBounds.left(), m_savedBounds.top(), m_savedBounds.width(),
              m_savedBounds.height());
}

QRectF TpgxReportComponent::printedBounds() const
{
    return QRectF(absLeft(), absTop(), width(), height());
}

TpgxDialogComponent::TpgxDialogComponent(QObject *owner) : TpgxReportComponent(owner)
{
    setWidth(28);
    setHeight(28);
}
