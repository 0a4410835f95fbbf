// The stream members of TpgxComponent: the serializer does the work.

#include "report/component/TpgxComponent.h"

#include "persist/serializer/ComponentStreams.h"
#include "report/root/TpgxReport.h"

#include <QtCore/QBuffer>

void TpgxComponent::loadFromStream(QIODevice *stream)
{
    const QStringList errors = pgx::loadComponentFromStream(this, stream);
    if (TpgxReport *report = this->report())
        for (const QString &message : errors)
            report->addError(message);
}

void TpgxComponent::saveToStream(QIODevice *stream, bool saveChildren, bool writeDefaults)
{
    pgx::saveComponentToStream(this, stream, saveChildren, writeDefaults);
}

namespace {

// Through the virtual members, so that a class's own saving and loading
// apply to copies too.
void copyComponent(TpgxComponent *target, TpgxComponent *source, bool withChildren)
{
    if (!source || source == target)
        return;
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    source->saveToStream(&buffer, withChildren, true);
    buffer.seek(0);
    target->loadFromStream(&buffer);
}

}   // namespace

void TpgxComponent::assign(TpgxComponent *source)
{
    copyComponent(this, source, false);
}

void TpgxComponent::assignTree(TpgxComponent *source)
{
    copyComponent(this, source, true);
}
