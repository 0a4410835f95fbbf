#pragma once

// The stream operations every component has (SaveToStream, LoadFromStream,
// Assign, AssignTree), written once over the reflection. The component
// classes call these from their members of the same names.

#include <QtCore/QIODevice>
#include <QtCore/QStringList>

namespace pgx {

class MetaComponent;

// Writes the component as the root element of a new indented document,
// header line included; with writeDefaults every stored property is written.
// Throws pgx::Error when the stream cannot be written.
void saveComponentToStream(MetaComponent *component, QIODevice *stream, bool saveChildren = true,
                           bool writeDefaults = false);

// Clears the component, then reads a document into it and its subtree.
// Returns the messages of the content's faults (unknown classes, failing
// setters, an early end of the file). A stream that is not a template
// throws pgx::Error ("Invalid file format") after the component was
// cleared.
QStringList loadComponentFromStream(MetaComponent *component, QIODevice *stream);

// Copies `source`'s own properties into `target` (whose children are removed
// first), and with withChildren its whole subtree. Names of the target
// itself are kept. Returns the faults met, as LoadComponentFromStream.
QStringList assignComponent(MetaComponent *target, MetaComponent *source, bool withChildren);

}   // namespace pgx
