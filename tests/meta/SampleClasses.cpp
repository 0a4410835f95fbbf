#include "SampleClasses.h"

SampleNode::SampleNode(QObject *owner) : pgx::MetaComponent(owner)
{
    if (auto *parent = qobject_cast<SampleNode *>(owner)) {
        m_parent = parent;
        parent->m_children.append(this);
    }
}

pgx::MetaComponent *SampleNode::findComponent(const QString &name) const
{
    for (SampleNode *c : m_children)
        if (c->m_name.compare(name, Qt::CaseInsensitive) == 0)
            return c;
    return nullptr;
}

void SampleNode::clearComponent()
{
    qDeleteAll(std::exchange(m_children, {}));
}
