#pragma once

#include "platform/KeyedTexts.h"

#include <QtCore/QIODevice>
#include <QtCore/QString>
#include <QtCore/QStringList>

// The report's keyed texts: every user-visible text of the report layers is
// looked up by a name (or a decimal number as the name); an unknown key
// returns itself, and a text beginning with "!" is returned without it.
// Names compare without regard to case. One process-wide instance
// (pgxResources()), created with the report layer's table and the printer
// texts; each later layer adds its table at start-up. A language file
// (.pgc) holds "name=text" lines and replaces all texts.
//
// The resources are also the translation of the lower layers' tables
// (platform/KeyedTexts.h): pgxResources() installs itself as the translation hook
// of the printer texts, and the layer that links the script engine installs
// it as the hook of the script messages, so the "S..." texts of a
// language file reach the engine without being copied.
class TpgxResources
{
public:
    TpgxResources();

    QString get(const QString &name) const { return m_texts.text(name); }
    // Replaces the text of an existing name or adds the pair.
    void add(const QString &name, const QString &text) { m_texts.add(name, text); }
    // Adds every "name=text" line whose name and text are both non-empty;
    // the name is everything before the first "=".
    void addLines(const QString &text);
    void clear() { m_texts.clear(); }

    // Nothing happens when the file does not exist. A file that exists but
    // cannot be read throws pgx::Error.
    void loadFromFile(const QString &fileName);
    // Clears all texts and adds each "name=text" line (UTF-8; bytes that
    // are not UTF-8 are read as Windows-1250).
    void loadFromStream(QIODevice *stream);

    // The languages of the "*.pgc" files in `folder` (the program's folder
    // when empty): file names without extension, first letter upper-case,
    // the rest lower-case, sorted.
    static QStringList availableLanguages(const QString &folder = {});

private:
    pgx::KeyedTexts m_texts;
};

// The process-wide resources, created with the report layer's own texts on
// first use.
TpgxResources &pgxResources();
