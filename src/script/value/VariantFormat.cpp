#include "script/value/VariantFormat.h"

#include <QtCore/QStringList>

#include "platform/format/NumberText.h"
#include "platform/format/TextFormat.h"
#include "script/value/ScriptError.h"

namespace pgx::script {

namespace fmt = pgx::format;

namespace {
fmt::FormatArg toFormatArg(const Variant &v)
{
    switch (v.type()) {
    case varInt64: return fmt::FormatArg::fromInt64(v.rawInt());
    case varSingle:
    case varDouble:
    case varDate: return fmt::FormatArg::fromFloat(v.rawDouble());
    case varCurrency: return fmt::FormatArg::fromCurrency(v.toDouble());
    case varString:
    case varOleStr: return fmt::FormatArg::fromString(v.stringRef());
    case varBoolean: return fmt::FormatArg::fromBool(v.rawInt() != 0);
    default:
        if (v.isInteger())
            return fmt::FormatArg::fromInt(v.rawInt());
        return fmt::FormatArg::fromInt(0);
    }
}
}   // namespace

QString formatVariants(const QString &format, const Variant &args)
{
    QList<fmt::FormatArg> list;
    if (args.isArray()) {
        const Variant *data = args.arrayData();
        for (qint64 i = 0, n = args.arrayTotalCount(); i < n; ++i)
            list.append(toFormatArg(data[i]));
    } else {
        list.append(toFormatArg(args));
    }
    try {
        return fmt::formatText(format, list);
    } catch (const fmt::ConvertError &e) {
        throw ScriptError(e.message(), QStringLiteral("EConvertError"));
    }
}

QString displayText(const Variant &value)
{
    if (value.isNull())
        return QStringLiteral("Null");
    if (value.isArray()) {
        QStringList parts;
        if (value.arrayDimCount() == 1) {
            const qint64 n = value.arrayTotalCount();
            for (qint64 i = 0; i < n; ++i)
                parts << displayText(value.arrayData()[i]);
        }
        return u'[' + parts.join(QStringLiteral(", ")) + u']';
    }
    return value.toString();
}

}   // namespace pgx::script
