#pragma once

#include <QtCore/QString>

#include <functional>

namespace pgx::views {

// The opening and closing delimiter of ExpressionDelimiters ("[,]"),
// split at the first comma.
struct Delimiters
{
    QString open;
    QString close;
};
Delimiters splitDelimiters(const QString &expressionDelimiters);

// The position just past the delimiter that closes the one opening at
// `from`: nesting counts, delimiters inside single- or double-quoted
// strings do not. -1 without a match (the rest of the text is then the
// expression).
qsizetype matchingClose(const QString &text, qsizetype from, const Delimiters &d);

// Replaces every delimited expression by `expand(expression)`, scanning on
// after the inserted text (which is not scanned again). Empty delimiters
// expand nothing.
QString expandExpressions(const QString &text, const Delimiters &d,
                          const std::function<QString(const QString &expression)> &expand);

}   // namespace pgx::views
