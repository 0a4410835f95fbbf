#include "persist/serializer/ComponentStreams.h"

#include "meta/MetaComponent.h"
#include "persist/serializer/XMLSerializer.h"

#include <QtCore/QBuffer>

namespace pgx {

void SaveComponentToStream(MetaComponent *component, QIODevice *stream, bool saveChildren,
                           bool writeDefaults)
{
    TpgxXMLSerializer serializer(stream);
    serializer.SetWriteAllValues(writeDefaults);
    serializer.WriteTree(component, saveChildren);
}

QStringList LoadComponentFromStream(MetaComponent *component, QIODevice *stream)
{
    component->clearComponent();
    TpgxXMLSerializer serializer(stream);
    serializer.SetOwner(component);
    serializer.ReadTree(component);
    return serializer.Errors();
}

QStringList AssignComponent(MetaComponent *target, MetaComponent *source, bool withChildren)
{
    if (!target || !source || target == source)
        return {};
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    SaveComponentToStream(source, &buffer, withChildren, true);
    buffer.seek(0);
    return LoadComponentFromStream(target, &buffer);
}

}   // namespace pgx
