#pragma once

#include <QtCore/QHash>
#include <QtCore/QReadWriteLock>
#include <QtCore/QString>

#include <functional>
#include <span>

namespace pgx {

// A built-in text: its key and its English wording.
struct KeyedText
{
    const char *key;
    const char *text;
};

// User-visible texts looked up by key: the one mechanism behind the
// report's resources, the printer texts and the script engine's messages,
// each of which keeps its own table. A translation (a language file the
// report's resources read) reaches the tables of the lower layers through
// their translation hook, which the layer that links both installs.
//
// text(key) is the hook's answer when it knows the key, else the
// table's own text, else the key itself (an unknown key returns itself).
// An own text beginning with "!" is given without it. Keys compare without
// regard to case. The table may be read from several threads while one
// changes it.
class KeyedTexts
{
public:
    // Answers the translation of a key: an empty string, or the key itself,
    // when it has none.
    using TranslationHook = std::function<QString(const QString &key)>;

    KeyedTexts() = default;
    explicit KeyedTexts(std::span<const KeyedText> rows) { add(rows); }
    KeyedTexts(const KeyedTexts &) = delete;
    KeyedTexts &operator=(const KeyedTexts &) = delete;

    QString text(const QString &key) const;

    // Replaces the text of a key or adds the pair.
    void add(const QString &key, const QString &text);
    void add(std::span<const KeyedText> rows);
    // Removes every text, the built-in ones too.
    void clear();

    // An empty function removes the hook.
    void setTranslationHook(TranslationHook hook);

private:
    mutable QReadWriteLock m_lock;
    QHash<QString, QString> m_texts;   // case-folded key -> text
    TranslationHook m_hook;
};

}   // namespace pgx
