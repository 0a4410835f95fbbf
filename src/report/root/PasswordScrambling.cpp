#include "report/root/PasswordScrambling.h"

#include <QtCore/QList>

namespace pgx::password {

namespace {

constexpr char32_t kSurrogateFirst = 0xD800;
constexpr char32_t kSurrogateCount = 0x800;
constexpr qint64 kScalarCount = 0x110000 - kSurrogateCount;
constexpr int kShift = 10;

qint64 toIndex(char32_t c)
{
    return c < kSurrogateFirst ? c : c - kSurrogateCount;
}
char32_t fromIndex(qint64 i)
{
    return char32_t(i < kSurrogateFirst ? i : i + kSurrogateCount);
}

QString shifted(const QString &text, int shift)
{
    QString result;
    result.reserve(text.size());
    for (char32_t c : text.toUcs4()) {
        // A lone surrogate of damaged text arrives as U+FFFD already.
        const qint64 index = ((toIndex(c) + shift) % kScalarCount + kScalarCount) % kScalarCount;
        const char32_t out = fromIndex(index);
        result.append(QString::fromUcs4(&out, 1));
    }
    return result;
}

}   // namespace

QString scramble(const QString &password)
{
    return shifted(password, -kShift);
}
QString unscramble(const QString &stored)
{
    return shifted(stored, kShift);
}

}   // namespace pgx::password
