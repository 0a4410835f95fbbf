#include "prepared/TpgxDictionary.h"

#include "meta/ClassDescriptor.h"
#include "report/bands/TpgxBand.h"

QString TpgxDictionary::freeAlias(const QString &prefix, const QMap<QString, int> &taken)
{
    auto isTaken = [&](int n) { return taken.contains(prefix + QString::number(n)); };
    int n = 10000;
    while (!isTaken(n) && n > 1)
        n /= 2;
    while (isTaken(n))
        ++n;
    return prefix + QString::number(n);
}

QString TpgxDictionary::prefixFor(const TpgxComponent &object)
{
    if (qobject_cast<const TpgxBand *>(&object))
        return QStringLiteral("b");
    const QString stem
        = pgx::classNameStem(QString::fromLatin1(object.metaObject()->className()));
    return stem.isEmpty() ? QStringLiteral("o") : stem.left(1).toLower();
}

void TpgxDictionary::clear()
{
    m_aliases.clear();
    m_entries.clear();
    m_aliasByObject.clear();
}

QString TpgxDictionary::add(const QString &sourcePath, TpgxComponent *copy,
                            const TpgxComponent *original)
{
    const QString alias = freeAlias(prefixFor(*copy), m_aliases);
    addAlias(alias, sourcePath, copy);
    if (original)
        m_aliasByObject.insert(original, alias);
    return alias;
}

void TpgxDictionary::addAlias(const QString &alias, const QString &sourcePath,
                              TpgxComponent *copy)
{
    m_aliases.insert(alias, int(m_entries.size()));
    m_entries.append({sourcePath, copy});
    if (copy)
        m_aliasByObject.insert(copy, alias);
}

const TpgxDictionary::Entry *TpgxDictionary::find(const QString &alias) const
{
    const auto it = m_aliases.constFind(alias);
    return it == m_aliases.cend() ? nullptr : &m_entries[*it];
}

TpgxComponent *TpgxDictionary::copyOf(const QString &alias) const
{
    const Entry *entry = find(alias);
    return entry ? entry->copy : nullptr;
}
