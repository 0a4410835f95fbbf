#pragma once

#include <QtCore/QHash>
#include <QtCore/QMap>
#include <QtCore/QString>
#include <QtCore/QStringList>

class TpgxComponent;

// Short aliases for the objects of the source pages, so that a prepared
// page names each object in a few bytes. An alias is a prefix ("b" for
// bands, else the first letter of the class name's stem) and a number; the
// same alias stands for a template object and its source copy.
class TpgxDictionary
{
public:
    struct Entry
    {
        QString sourcePath;                // "Page" + source page index + "." + name
        TpgxComponent *copy = nullptr;     // the source copy
    };

    // The first free number for `prefix`: from 10000 halve while the alias
    // is free and the number is above 1, then count up to a free one.
    static QString freeAlias(const QString &prefix, const QMap<QString, int> &taken);
    static QString prefixFor(const TpgxComponent &object);

    void clear();
    // Gives the copy (and its template, when there is one) a new alias.
    QString add(const QString &sourcePath, TpgxComponent *copy, const TpgxComponent *original);
    // As read from a file: the alias given.
    void addAlias(const QString &alias, const QString &sourcePath, TpgxComponent *copy);

    // The alias of a template object or source copy; empty when it has none.
    QString aliasOf(const TpgxComponent *object) const { return m_aliasByObject.value(object); }
    const Entry *find(const QString &alias) const;
    TpgxComponent *copyOf(const QString &alias) const;
    // The aliases in sorted order.
    QStringList aliases() const { return m_aliases.keys(); }
    int count() const { return int(m_entries.size()); }

private:
    QMap<QString, int> m_aliases;   // alias -> index into m_entries
    QList<Entry> m_entries;
    QHash<const TpgxComponent *, QString> m_aliasByObject;
};
