#include "support/GoldenFile.h"

#include <QtCore/QFile>
#include <QtCore/QList>

#include <algorithm>

namespace pgx::test {

namespace {

constexpr qsizetype kContext = 2;      // shared lines shown around a change
constexpr qsizetype kMostShown = 40;   // changed lines shown per side

// Lines with their line ends, so that LF against CR LF shows as a change.
QList<QByteArray> linesOf(const QByteArray &text)
{
    QList<QByteArray> lines;
    qsizetype from = 0;
    while (from < text.size()) {
        const qsizetype end = text.indexOf('\n', from);
        const qsizetype next = end < 0 ? text.size() : end + 1;
        lines.append(text.mid(from, next - from));
        from = next;
    }
    return lines;
}

// "  12: text", the CR of a CR LF shown as "\r", a missing final line end
// said in words.
QString shown(char mark, qsizetype number, QByteArray line)
{
    const bool ended = line.endsWith('\n');
    if (ended)
        line.chop(1);
    QString text = QString::fromUtf8(line);
    text.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    if (!ended)
        text += QLatin1String(" (no line end)");
    return QStringLiteral("%1%2: %3\n").arg(QLatin1Char(mark)).arg(number, 5).arg(text);
}

void appendSide(QString &out, char mark, const QList<QByteArray> &lines, qsizetype from,
                qsizetype to)
{
    for (qsizetype i = from; i < to && i < from + kMostShown; ++i)
        out += shown(mark, i + 1, lines[i]);
    if (to - from > kMostShown)
        out += QStringLiteral("%1 ... %2 more\n")
                   .arg(QLatin1Char(mark))
                   .arg(to - from - kMostShown);
}

// Lines from..to (0-based, `to` excluded) in words.
QString rangeText(qsizetype from, qsizetype to)
{
    if (from == to)
        return QStringLiteral("nothing after line %1").arg(from);
    if (to - from == 1)
        return QStringLiteral("line %1").arg(from + 1);
    return QStringLiteral("lines %1-%2").arg(from + 1).arg(to);
}

}   // namespace

bool goldenUpdateRequested()
{
    const QByteArray value = qgetenv("PGX_UPDATE_GOLDEN");
    return !value.isEmpty() && value != "0";
}

QString lineDifference(const QByteArray &expected, const QByteArray &actual)
{
    if (expected == actual)
        return {};
    const QList<QByteArray> a = linesOf(expected);
    const QList<QByteArray> b = linesOf(actual);
    qsizetype head = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head])
        ++head;
    qsizetype tail = 0;
    while (tail < a.size() - head && tail < b.size() - head
           && a[a.size() - 1 - tail] == b[b.size() - 1 - tail])
        ++tail;
    const qsizetype aEnd = a.size() - tail;
    const qsizetype bEnd = b.size() - tail;

    QString out = QStringLiteral("golden file %1, output %2:\n")
                      .arg(rangeText(head, aEnd), rangeText(head, bEnd));
    for (qsizetype i = std::max<qsizetype>(0, head - kContext); i < head; ++i)
        out += shown(' ', i + 1, a[i]);
    appendSide(out, '-', a, head, aEnd);
    appendSide(out, '+', b, head, bEnd);
    for (qsizetype i = aEnd; i < a.size() && i < aEnd + kContext; ++i)
        out += shown(' ', i + 1, a[i]);
    return out;
}

::testing::AssertionResult matchesGoldenFile(const QByteArray &actual, const QString &path)
{
    if (goldenUpdateRequested()) {
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)
            || out.write(actual) != actual.size())
            return ::testing::AssertionFailure()
                << "cannot rewrite the golden file " << path.toStdString() << ": "
                << out.errorString().toStdString();
    }
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        return ::testing::AssertionFailure() << "no golden file " << path.toStdString()
                                             << " (PGX_UPDATE_GOLDEN=1 writes it from the output)";
    const QByteArray expected = in.readAll();
    if (expected == actual)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
        << "the output differs from the golden file " << path.toStdString()
        << " (PGX_UPDATE_GOLDEN=1 rewrites it)\n"
        << lineDifference(expected, actual).toStdString();
}

}   // namespace pgx::test
