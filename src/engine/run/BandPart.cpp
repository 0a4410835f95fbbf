#include "engine/run/BandPart.h"

#include "report/component/TpgxComponent.h"

namespace pgx::engine {

BandPart::BandPart(const QList<TpgxComponent *> &objects) : m_objects(objects)
{
    for (const TpgxComponent *object : objects)
        m_visible.append(object->visible());
}

BandPart::~BandPart()
{
    for (qsizetype i = 0; i < m_objects.size(); ++i)
        m_objects[i]->setVisible(m_visible[i]);
}

void BandPart::showOnly(const std::function<bool(int index, TpgxComponent *object)> &inPart)
{
    for (qsizetype i = 0; i < m_objects.size(); ++i)
        m_objects[i]->setVisible(m_visible[i] && inPart(int(i), m_objects[i]));
}

}   // namespace pgx::engine
