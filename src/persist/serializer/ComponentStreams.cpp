#include "persist/serializer/ComponentStreams.h"

#include "meta/MetaComponent.h"
#include "persist/serializer/XMLSerializer.h"

#include <QtCore/QBuffer>

namespace pgx {

void saveComponentToStream(MetaComponent *component, QIODevice *stream, bool saveChildren,
                           bool writeDefaults)
{
    TpgxXMLSerializer serializer(stream);
    serializer.setWriteAllValues(writeDefaults);
    serializer.writeTree(component, saveChildren);
}

QStringList loadComponentFromStream(MetaComponent *component, QIODevice *stream)
{
    component->clearComponent();
    TpgxXMLSerializer serializer(stream);
    serializer.setOwner(component);
    serializer.readTree(component);
    return serializer.errors();
}

QStringList assignComponent(MetaComponent *target, MetaComponent *source, bool withChildren)
{
    if (!target || !source || target == source)
        return {};
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    saveComponentToStream(source, &buffer, withChildren, true);
    buffer.seek(0);
    return loadComponentFromStream(target, &buffer);
}

}   // namespace pgx
