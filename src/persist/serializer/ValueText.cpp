#include "persist/serializer/ValueText.h"

#include "persist/XMLEscape.h"
#include "platform/format/NumberText.h"

#include <QtCore/QMutex>
#include <QtCore/QStringDecoder>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace pgx::persist {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArrayView trimmed(QByteArrayView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

// A file's text in a message: quoted by the caller, cut so that one bad
// attribute cannot flood the error list.
QString excerpt(QByteArrayView text)
{
    constexpr qsizetype kMax = 64;
    QString shown = decodeAttrText(text.first(qMin(text.size(), kMax)));
    if (text.size() > kMax)
        shown += QStringLiteral("...");
    return shown;
}

}   // namespace

std::optional<qint64> parseInteger(QByteArrayView text)
{
    text = trimmed(text);
    bool negative = false;
    if (!text.isEmpty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text = text.sliced(1);
    }
    int base = 10;
    if (text.startsWith('$')) {
        base = 16;
        text = text.sliced(1);
    } else if (text.startsWith("0x") || text.startsWith("0X")) {
        base = 16;
        text = text.sliced(2);
    }
    if (text.isEmpty())
        return std::nullopt;
    quint64 magnitude = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size())
        return std::nullopt;
    if (negative) {
        if (magnitude > quint64(std::numeric_limits<qint64>::max()) + 1)
            return std::nullopt;
        return qint64(0 - magnitude);
    }
    if (magnitude > quint64(std::numeric_limits<qint64>::max()))
        return std::nullopt;
    return qint64(magnitude);
}

QByteArray enumToText(int ordinal, const QList<QByteArray> &names)
{
    if (ordinal >= 0 && ordinal < names.size())
        return names[ordinal];
    return QByteArray::number(ordinal);
}

std::optional<int> enumFromText(QByteArrayView text, const QList<QByteArray> &names)
{
    if (const auto number = parseInteger(text)) {
        if (*number >= 0 && *number < names.size())
            return int(*number);
        return std::nullopt;
    }
    const QByteArrayView name = trimmed(text);
    for (int i = 0; i < names.size(); ++i)
        if (name.compare(names[i], Qt::CaseInsensitive) == 0)
            return i;
    return std::nullopt;
}

QByteArray setToText(quint32 mask)
{
    return QByteArray::number(mask);
}

std::optional<quint32> setFromText(QByteArrayView text, int elementCount)
{
    const auto number = parseInteger(text);
    if (!number || *number < std::numeric_limits<qint32>::min()
        || *number > std::numeric_limits<quint32>::max())
        return std::nullopt;
    const quint32 known = elementCount >= 32 ? ~0u : (1u << elementCount) - 1;
    return quint32(*number) & known;
}

QByteArray variantToText(const QVariant &value)
{
    if (!value.isValid())
        return {};
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QByteArrayLiteral("True") : QByteArrayLiteral("False");
    case QMetaType::Double:
    case QMetaType::Float: return format::fileFloatText(value.toDouble()).toLatin1();
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::Long:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::LongLong: return QByteArray::number(value.toLongLong());
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::ULong:
    case QMetaType::UChar:
    case QMetaType::ULongLong: return QByteArray::number(value.toULongLong());
    case QMetaType::QByteArray: return escapeAttr(value.toByteArray());
    default: return escapeAttr(encodeAttrText(value.toString()));
    }
}

QString invalidIntegerMessage(QByteArrayView text)
{
    return QStringLiteral("'%1' is not a valid integer value").arg(excerpt(text));
}

QString invalidFloatMessage(QByteArrayView text)
{
    return QStringLiteral("'%1' is not a valid floating point value").arg(excerpt(text));
}

QString invalidEnumMessage(QByteArrayView text, QByteArrayView typeName)
{
    return QStringLiteral("'%1' is not a valid value of %2")
        .arg(excerpt(text), QString::fromLatin1(typeName));
}

namespace {

QMutex &codePageMutex()
{
    static QMutex mutex;
    return mutex;
}

QByteArray &codePageName()
{
    static QByteArray name = QByteArrayLiteral("windows-1250");
    return name;
}

}   // namespace

QByteArray encodeAttrText(const QString &text)
{
    return text.toUtf8();
}

QString decodeAttrText(QByteArrayView bytes)
{
    bool ascii = true;
    for (char c : bytes)
        if (quint8(c) >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii)
        return QString::fromLatin1(bytes);

    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder legacy(legacyCodePage().constData(), QStringDecoder::Flag::Stateless);
    if (legacy.isValid())
        return legacy.decode(bytes);
    return QString::fromLatin1(bytes);
}

bool setLegacyCodePage(const QByteArray &name)
{
    if (!QStringDecoder(name.constData()).isValid())
        return false;
    QMutexLocker lock(&codePageMutex());
    codePageName() = name;
    return true;
}

QByteArray legacyCodePage()
{
    QMutexLocker lock(&codePageMutex());
    return codePageName();
}

}   // namespace pgx::persist
