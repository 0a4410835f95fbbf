#pragma once

#include <QtCore/QHash>
#include <QtCore/QString>

// Keyed user-visible texts. Every text is looked up by a name (or a decimal
// number as the name); an unknown key returns itself, and a text beginning
// with "!" is returned without it. Names compare without regard to case.
// One process-wide instance; each layer adds its table at start-up.
class TpgxResources
{
public:
    QString Get(const QString &name) const;
    // Replaces the text of an existing name or adds the pair.
    void Add(const QString &name, const QString &text);
    // Adds every "name=text" line whose name and text are both non-empty;
    // the name is everything before the first "=".
    void AddLines(const QString &text);
    void Clear();

private:
    QHash<QString, QString> m_texts; // case-folded name -> text
};

// The process-wide resources, created with the report layer's own texts on
// first use.
TpgxResources &pgxResources();
