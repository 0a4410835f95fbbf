// The stream members of TpgxComponent: the serializer does the work.

#include "report/component/TpgxComponent.h"

#include "persist/serializer/ComponentStreams.h"
#include "report/root/TpgxReport.h"

#include <QtCore/QBuffer>

void TpgxComponent::LoadFromStream(QIODevice *stream)
{
    const QStringList errors = pgx::LoadComponentFromStream(this, stream);
    if (TpgxReport *report = Report())
        for (const QString &message : errors)
            report->AddError(message);
}

void TpgxComponent::SaveToStream(QIODevice *stream, bool SaveChildren, bool writeDefaults)
{
    pgx::SaveComponentToStream(this, stream, SaveChildren, writeDefaults);
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
    source->SaveToStream(&buffer, withChildren, true);
    buffer.seek(0);
    target->LoadFromStream(&buffer);
}

}   // namespace

void TpgxComponent::Assign(TpgxComponent *source)
{
    copyComponent(this, source, false);
}

void TpgxComponent::AssignTree(TpgxComponent *source)
{
    copyComponent(this, source, true);
}
