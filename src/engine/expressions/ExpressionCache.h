#pragma once

#include "script/value/Variant.h"

#include <QtCore/QString>

#include <map>
#include <memory>

namespace pgx::script {
class TkxScript;
}   // namespace pgx::script

namespace pgx::engine {

// Report expressions compiled once each: every distinct expression becomes
// a one-function program of the cache's language ("pgrf<n>"), compiled in a
// private script whose parent, for name look-up, is the calling script.
// Expressions are told apart as the language tells names apart: without
// regard to case in PascalScript and BasicScript, but never inside string
// literals ('abc' and 'ABC' are two expressions).
class ExpressionCache
{
public:
    // `errorPrefix` starts compile errors ("Error in expression").
    ExpressionCache(QString language, QString errorPrefix);
    ~ExpressionCache();
    ExpressionCache(const ExpressionCache &) = delete;
    ExpressionCache &operator=(const ExpressionCache &) = delete;

    const QString &language() const { return m_language; }
    int count() const { return int(m_entries.size()); }

    struct Result
    {
        script::Variant value;
        QString error;   // empty on success
    };
    // Compiles the expression on first use, then calls its function with
    // the main script's MainRun flag cleared for the call. A compile error
    // is "<prefix> '<expr>': <message>"; an error raised by the
    // call is its message.
    Result calc(const QString &expression, script::TkxScript &caller);

    // The key an expression is filed under.
    QString keyOf(const QString &expression) const;

    // The program text of the n-th expression's function.
    static QString programText(const QString &language, const QString &expression, int n);

private:
    struct Entry
    {
        std::unique_ptr<script::TkxScript> program;
        QString function;   // its name in the program
        QString error;
    };
    QString m_language;
    QString m_errorPrefix;
    bool m_foldsCase = false;
    std::map<QString, Entry> m_entries;
};

}   // namespace pgx::engine
