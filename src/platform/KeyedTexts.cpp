#include "platform/KeyedTexts.h"

namespace pgx {

QString KeyedTexts::text(const QString &key) const
{
    TranslationHook hook;
    {
        QReadLocker lock(&m_lock);
        hook = m_hook;
    }
    // Called without the lock: the hook may well read another table.
    if (hook) {
        QString translated = hook(key);
        if (!translated.isEmpty() && translated != key)
            return translated;
    }
    QReadLocker lock(&m_lock);
    const auto it = m_texts.constFind(key.toCaseFolded());
    if (it == m_texts.cend())
        return key;
    return it->startsWith(QLatin1Char('!')) ? it->mid(1) : *it;
}

void KeyedTexts::add(const QString &key, const QString &text)
{
    QWriteLocker lock(&m_lock);
    m_texts.insert(key.toCaseFolded(), text);
}

void KeyedTexts::add(std::span<const KeyedText> rows)
{
    QWriteLocker lock(&m_lock);
    for (const KeyedText &row : rows)
        m_texts.insert(QString::fromLatin1(row.key).toCaseFolded(), QString::fromUtf8(row.text));
}

void KeyedTexts::clear()
{
    QWriteLocker lock(&m_lock);
    m_texts.clear();
}

void KeyedTexts::setTranslationHook(TranslationHook hook)
{
    QWriteLocker lock(&m_lock);
    m_hook = std::move(hook);
}

}   // namespace pgx
