#include "TestComponents.h"

#include "meta/ClassRegistry.h"
#include "persist/serializer/PropData.h"
#include "persist/serializer/XMLSerializer.h"
#include "platform/Error.h"

#include <mutex>

TSerNode::TSerNode(QObject *owner)
{
    if (auto *node = qobject_cast<TSerNode *>(owner)) {
        m_parent = node;
        node->m_children.append(this);
        setParent(node->root());
    } else {
        setParent(owner);
    }
}

TSerNode::~TSerNode()
{
    while (!m_children.isEmpty())
        delete m_children.last();
    if (m_parent)
        m_parent->m_children.removeOne(this);
}

TSerNode *TSerNode::root() const
{
    const TSerNode *node = this;
    while (node->m_parent)
        node = node->m_parent;
    return const_cast<TSerNode *>(node);
}

QList<TSerNode *> TSerNode::allObjects() const
{
    QList<TSerNode *> all;
    for (TSerNode *child : m_children) {
        all.append(child);
        all.append(child->allObjects());
    }
    return all;
}

void TSerNode::setComponentName(const QString &name)
{
    if (name.compare(m_name, Qt::CaseInsensitive) == 0)
        return;
    if (auto *other = findComponent(name); other && other != this)
        throw pgx::Error(QStringLiteral("Duplicate name"));
    m_name = name;
}

pgx::MetaComponent *TSerNode::findComponent(const QString &name) const
{
    for (TSerNode *node : root()->allObjects())
        if (node->m_name.compare(name, Qt::CaseInsensitive) == 0)
            return node;
    return nullptr;
}

void TSerNode::clearComponent()
{
    // Components of an ancestor report stay.
    const QList<TSerNode *> children = m_children;
    for (TSerNode *child : children) {
        if (child->fromAncestor())
            child->clearComponent();
        else
            delete child;
    }
}

void TSerFont::setSize(int v)
{
    if (v < 1)
        throw pgx::Error(QStringLiteral("Font size must be positive"));
    m_size = v;
}

TSerBox::TSerBox(QObject *owner) : TSerNode(owner), m_font(new TSerFont(this)) { }

TSerReport::TSerReport(QObject *owner) : TSerNode(owner), m_options(new TSerOptions(this)) { }

void TSerReport::writeDefinedProperties(pgx::persist::PropDataWriter &writer,
                                        pgx::TpgxXMLSerializer &serializer) const
{
    if (hostLeft)
        writer.writeInteger("Left", hostLeft);
    if (hostTop)
        writer.writeInteger("Top", hostTop);
    serializer.writeCollection(writer, "Variables",
                               QList<QObject *>(variables.begin(), variables.end()));
}

void TSerReport::readDefinedProperty(const pgx::persist::PropEntry &entry,
                                     pgx::TpgxXMLSerializer &serializer)
{
    if (entry.name == "Left")
        hostLeft = int(entry.value.integer);
    else if (entry.name == "Top")
        hostTop = int(entry.value.integer);
    else if (entry.name == "Variables")
        serializer.readCollection(
            entry.value,
            [this] {
                qDeleteAll(variables);
                variables.clear();
            },
            [this]() -> QObject * {
                variables.append(new TSerVariable(this));
                return variables.last();
            });
    else if (entry.name == "Fail")
        throw pgx::Error(QStringLiteral("Cannot read Fail"));
}

void registerSerializerTestClasses()
{
    static std::once_flag once;
    std::call_once(once, [] {
        pgx::ClassRegistry::add<TSerNode>();
        pgx::ClassRegistry::add<TSerBox>();
        pgx::ClassRegistry::add<TSerMemo>();
        pgx::ClassRegistry::add<TSerPage>();
        pgx::ClassRegistry::add<TSerReport>();
    });
}
