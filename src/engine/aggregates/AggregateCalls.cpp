#include "engine/aggregates/AggregateCalls.h"

#include <QtCore/QSet>

namespace pgx::engine {

namespace {

// Parentheses and "<...>" parts nested this deep, or variables referring
// to variables this far, are not looked into: a template from a stranger
// must not exhaust the stack.
constexpr int kMaxDepth = 64;

bool isQuote(QChar c)
{
    return c == QLatin1Char('\'') || c == QLatin1Char('"');
}

bool isIdentifierStart(QChar c)
{
    return c.isLetter() || c == QLatin1Char('_');
}

bool isIdentifierPart(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

bool isAggregateName(const QString &upper)
{
    return upper == QLatin1String("SUM") || upper == QLatin1String("AVG")
        || upper == QLatin1String("MIN") || upper == QLatin1String("MAX")
        || upper == QLatin1String("COUNT");
}

// The position after the string that opens at `from` (its end when it is
// not closed).
qsizetype afterQuoted(QStringView s, qsizetype from)
{
    const qsizetype close = s.indexOf(s[from], from + 1);
    return close < 0 ? s.size() : close + 1;
}

// The ")" that closes the "(" at `from`, nesting and strings counted; -1
// when there is none.
qsizetype closingParen(QStringView s, qsizetype from)
{
    int level = 0;
    for (qsizetype i = from; i < s.size();) {
        const QChar c = s[i];
        if (isQuote(c)) {
            i = afterQuoted(s, i);
            continue;
        }
        if (c == QLatin1Char('('))
            ++level;
        else if (c == QLatin1Char(')') && --level == 0)
            return i;
        ++i;
    }
    return -1;
}

// The ">" that ends a "<" part opening at `from`; -1 when the "<" is an
// operator instead: a part never spans a parenthesis, so "a < b and
// SUM(<c>)" does not read " b and SUM(<c" as one name.
qsizetype closingAngle(QStringView s, qsizetype from)
{
    for (qsizetype i = from + 1; i < s.size();) {
        const QChar c = s[i];
        if (isQuote(c)) {
            i = afterQuoted(s, i);
            continue;
        }
        if (c == QLatin1Char('>'))
            return i;
        if (c == QLatin1Char('(') || c == QLatin1Char(')') || c == QLatin1Char('<'))
            return -1;
        ++i;
    }
    return -1;
}

// The arguments between a call's parentheses, split at the commas outside
// strings, nested parentheses and brackets (a set or an array literal);
// at most three.
QStringList splitArguments(QStringView inner)
{
    QStringList args;
    int level = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i < inner.size();) {
        const QChar c = inner[i];
        if (isQuote(c)) {
            i = afterQuoted(inner, i);
            continue;
        }
        if (c == QLatin1Char('(') || c == QLatin1Char('['))
            ++level;
        else if (c == QLatin1Char(')') || c == QLatin1Char(']'))
            --level;
        else if (c == QLatin1Char(',') && level == 0) {
            args << inner.mid(start, i - start).toString();
            start = i + 1;
        }
        ++i;
    }
    args << inner.mid(start).toString();
    if (args.size() == 1 && args.first().trimmed().isEmpty())
        args.clear();   // COUNT()
    return args.mid(0, 3);
}

class Scanner
{
public:
    explicit Scanner(const AggregateScanNames &names) : m_names(names) { }

    // A whole expression: a variable's name stands for its text, a field
    // reference holds no calls, anything else is read token by token.
    void scanExpression(QStringView s)
    {
        if (m_depth >= kMaxDepth)
            return;
        const QString name = s.trimmed().toString();
        if (scanVariable(name) || m_names.isFieldReference(name))
            return;
        ++m_depth;
        scanTokens(s);
        --m_depth;
    }

    QList<AggregateCall> calls;

private:
    // True when `name` is a report variable (whose text is then scanned).
    bool scanVariable(const QString &name)
    {
        const std::optional<QString> text = m_names.variableText(name);
        if (!text)
            return false;
        const QString key = name.toUpper();
        if (m_inProgress.contains(key) || m_depth >= kMaxDepth)
            return true;
        m_inProgress.insert(key);
        ++m_depth;
        scanExpression(*text);
        --m_depth;
        m_inProgress.remove(key);
        return true;
    }

    void scanTokens(QStringView s)
    {
        qsizetype i = 0;
        while (i < s.size()) {
            const QChar c = s[i];
            if (isQuote(c)) {
                i = afterQuoted(s, i);
            } else if (c == QLatin1Char('(')) {
                const qsizetype close = closingParen(s, i);
                const qsizetype end = close < 0 ? s.size() : close;
                scanExpression(s.mid(i + 1, end - i - 1));
                i = end + 1;
            } else if (c == QLatin1Char('<')) {
                const qsizetype close = closingAngle(s, i);
                if (close >= 0)
                    scanExpression(s.mid(i + 1, close - i - 1));
                i = close < 0 ? i + 1 : close + 1;
            } else if (isIdentifierStart(c)) {
                i = scanIdentifier(s, i);
            } else if (c.isDigit()) {
                while (i < s.size() && (isIdentifierPart(s[i]) || s[i] == QLatin1Char('.')))
                    ++i;
            } else {
                ++i;   // an operator or a blank
            }
        }
    }

    // Reads the identifier at `from`; returns the position after it (after
    // the whole call for an aggregate).
    qsizetype scanIdentifier(QStringView s, qsizetype from)
    {
        qsizetype i = from;
        while (i < s.size() && isIdentifierPart(s[i]))
            ++i;
        const QString word = s.mid(from, i - from).toString();
        const QString upper = word.toUpper();
        if (!isAggregateName(upper) || i >= s.size() || s[i] != QLatin1Char('(')) {
            scanVariable(word);
            return i;
        }
        const qsizetype close = closingParen(s, i);
        const qsizetype end = close < 0 ? s.size() : close;
        AggregateCall call;
        call.name = upper;
        call.args = splitArguments(s.mid(i + 1, end - i - 1));
        call.text = s.mid(from, qMin(end + 1, s.size()) - from).trimmed().toString();
        calls << call;
        return end + 1;
    }

    const AggregateScanNames &m_names;
    QSet<QString> m_inProgress;   // upper-cased names of the variables being scanned
    int m_depth = 0;
};

}   // namespace

QList<AggregateCall> findAggregateCalls(const QString &expression, const AggregateScanNames &names)
{
    Scanner scanner(names);
    scanner.scanExpression(expression);
    return scanner.calls;
}

}   // namespace pgx::engine
