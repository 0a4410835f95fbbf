#include "script/library/SysFunctions.h"

#include "platform/UserPrompts.h"
#include "platform/format/DateTime.h"
#include "platform/format/NumberText.h"
#include "platform/format/TextFormat.h"
#include "script/library/LibraryCommon.h"
#include "script/registry/Registry.h"
#include "script/runtime/Script.h"
#include "script/value/ScriptError.h"
#include "script/value/VariantFormat.h"
#include "script/value/VariantOps.h"

#include <QtCore/QDateTime>

#include <cmath>
#include <limits>
#include <random>

namespace pgx::script {

namespace fmt = pgx::format;

namespace {

using H = TkxMethodHelper;

Variant str(const QString &s)
{
    return Variant::fromString8(s);
}

std::mt19937_64 &generator()
{
    static std::mt19937_64 g(5489u);
    return g;
}

[[noreturn]] void mathError(const QString &message)
{
    throw ScriptError(message, QStringLiteral("EInvalidOp"));
}

double checkedFloat(double v)
{
    if (std::isnan(v) || std::isinf(v))
        mathError(QStringLiteral("Invalid floating point operation"));
    return v;
}

qint64 toInt64Checked(double v)
{
    // Beyond the 64-bit range there is no integer to give.
    if (!(v >= -9223372036854775808.0 && v < 9223372036854775808.0))
        mathError(QStringLiteral("Invalid floating point operation"));
    return qint64(v);
}

int wordPart(const Variant &v)
{
    const qint64 i = v.toInt64();
    return i < std::numeric_limits<int>::min() || i > std::numeric_limits<int>::max() ? -1 : int(i);
}

QString trimBlanks(const QString &s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && s.at(b).unicode() <= 32)
        ++b;
    while (e > b && s.at(e - 1).unicode() <= 32)
        --e;
    return s.mid(b, e - b);
}

QString nameCase(const QString &s)
{
    QString r = s.toLower();
    for (qsizetype i = 0; i < r.size(); ++i) {
        if (i == 0 || r.at(i - 1) == QLatin1Char(' '))
            r[i] = r.at(i).toUpper();
    }
    return r;
}

void registerTypes(TkxScript &s)
{
    for (const char *n : {"Byte", "Word", "Integer", "Longint", "Cardinal", "TColor"})
        declareType(s, QString::fromLatin1(n), TkxKind::Integer);
    declareType(s, QStringLiteral("Boolean"), TkxKind::Boolean);
    for (const char *n :
         {"Real", "Single", "Double", "Extended", "Currency", "TDate", "TTime", "TDateTime"})
        declareType(s, QString::fromLatin1(n), TkxKind::Float);
    declareType(s, QStringLiteral("Char"), TkxKind::Char);
    declareType(s, QStringLiteral("String"), TkxKind::String);
    declareType(s, QStringLiteral("Variant"), TkxKind::Variant);
    declareType(s, QStringLiteral("Pointer"), TkxKind::Variant);
    declareType(s, QStringLiteral("Array"), TkxKind::Array);
    declareType(s, QStringLiteral("Constructor"), TkxKind::Constructor);
}

void registerConstants(TkxScript &s)
{
    declareConst(s, QStringLiteral("True"), QStringLiteral("Boolean"), Variant(true));
    declareConst(s, QStringLiteral("False"), QStringLiteral("Boolean"), Variant(false));
    declareConst(s, QStringLiteral("nil"), QStringLiteral("Variant"), Variant(0));
    declareConst(s, QStringLiteral("Null"), QStringLiteral("Variant"), Variant::null());
    static const struct
    {
        const char *name;
        int code;
    } kCodes[] = {
        {"varEmpty", varEmpty},       {"varNull", varNull},         {"varSmallint", varSmallint},
        {"varInteger", varInteger},   {"varSingle", varSingle},     {"varDouble", varDouble},
        {"varCurrency", varCurrency}, {"varDate", varDate},         {"varOleStr", varOleStr},
        {"varDispatch", varDispatch}, {"varError", varError},       {"varBoolean", varBoolean},
        {"varVariant", varVariant},   {"varUnknown", varUnknown},   {"varShortInt", varShortInt},
        {"varByte", varByte},         {"varWord", varWord},         {"varLongWord", varLongWord},
        {"varInt64", varInt64},       {"varStrArg", varStrArg},     {"varString", varString},
        {"varAny", varAny},           {"varTypeMask", varTypeMask}, {"varArray", varArray},
        {"varByRef", varByRef},
    };
    for (const auto &c : kCodes)
        declareConst(s, QString::fromLatin1(c.name), QStringLiteral("Integer"), Variant(c.code));
    declareVariable(s, QStringLiteral("ExceptionClassName"), QStringLiteral("String"),
                    str(QString()));
    declareVariable(s, QStringLiteral("ExceptionMessage"), QStringLiteral("String"),
                    str(QString()));
    if (!s.findLocal(QStringLiteral("__StringHelper"))) {
        auto sh = std::make_unique<TkxStringHelper>(QStringLiteral("__StringHelper"));
        s.add(QStringLiteral("__StringHelper"), std::move(sh));
    }
    if (!s.findLocal(QStringLiteral("__ArrayHelper")))
        s.add(QStringLiteral("__ArrayHelper"),
              std::make_unique<TkxArrayHelper>(QStringLiteral("__ArrayHelper"), 3, true));
}

void registerConversions(TkxScript &s)
{
    const QString c = QStringLiteral("ctConv");
    declareFn(s, "function IntToStr(i: Integer): String", c,
              [](H &h) { return str(QString::number(h.params(0).toInt64())); });
    declareFn(s, "function FloatToStr(e: Extended): String", c,
              [](H &h) { return str(fmt::floatToStr(h.params(0).toDouble())); });
    declareFn(s, "function DateToStr(e: Extended): String", c,
              [](H &h) { return str(fmt::dateToStr(h.params(0).toDouble())); });
    declareFn(s, "function TimeToStr(e: Extended): String", c,
              [](H &h) { return str(fmt::timeToStr(h.params(0).toDouble())); });
    declareFn(s, "function DateTimeToStr(e: Extended): String", c,
              [](H &h) { return str(fmt::dateTimeToStr(h.params(0).toDouble())); });
    declareFn(s, "function VarToStr(v: Variant): String", c,
              [](H &h) { return str(h.params(0).toString()); });
    declareFn(s, "function StrToInt(s: String): Integer", c,
              [](H &h) { return Variant::fromInt(fmt::strToInt(h.params(0).toString())); });
    declareFn(s, "function StrToInt64(s: String): Integer", c,
              [](H &h) { return Variant(fmt::strToInt64(h.params(0).toString())); });
    declareFn(s, "function StrToFloat(s: String): Extended", c,
              [](H &h) { return Variant(fmt::strToFloat(h.params(0).toString())); });
    declareFn(s, "function StrToDate(s: String): Extended", c,
              [](H &h) { return Variant::fromDate(fmt::strToDate(h.params(0).toString())); });
    declareFn(s, "function StrToTime(s: String): Extended", c,
              [](H &h) { return Variant::fromDate(fmt::strToTime(h.params(0).toString())); });
    declareFn(s, "function StrToDateTime(s: String): Extended", c,
              [](H &h) { return Variant::fromDate(fmt::strToDateTime(h.params(0).toString())); });

    const QString f = QStringLiteral("ctFormat");
    declareFn(s, "function Format(Fmt: String; Args: array): String", f,
              [](H &h) { return str(formatVariants(h.params(0).toString(), h.params(1))); });
    declareFn(s, "function FormatFloat(Fmt: String; Value: Extended): String", f, [](H &h) {
        return str(fmt::formatFloat(h.params(0).toString(), h.params(1).toDouble()));
    });
    declareFn(s, "function FormatDateTime(Fmt: String; DateTime: TDateTime): String", f, [](H &h) {
        return str(fmt::formatDateTime(h.params(0).toString(), h.params(1).toDouble()));
    });
    declareFn(s, "function FormatMaskText(EditMask: string; Value: string): string", f, [](H &h) {
        return str(fmt::formatMaskText(h.params(0).toString(), h.params(1).toString()));
    });
}

void registerDates(TkxScript &s)
{
    const QString c = QStringLiteral("ctDate");
    declareFn(s, "function EncodeDate(Year, Month, Day: Word): TDateTime", c, [](H &h) {
        return Variant::fromDate(
            fmt::encodeDate(wordPart(h.params(0)), wordPart(h.params(1)), wordPart(h.params(2))));
    });
    declareFn(s, "procedure DecodeDate(Date: TDateTime; var Year, Month, Day: Word)", c, [](H &h) {
        const fmt::DateParts d = fmt::decodeDate(checkedFloat(h.params(0).toDouble()));
        h.setParam(1, Variant(d.year));
        h.setParam(2, Variant(d.month));
        h.setParam(3, Variant(d.day));
        return Variant();
    });
    declareFn(s, "function EncodeTime(Hour, Min, Sec, MSec: Word): TDateTime", c, [](H &h) {
        return Variant::fromDate(fmt::encodeTime(wordPart(h.params(0)), wordPart(h.params(1)),
                                                 wordPart(h.params(2)), wordPart(h.params(3))));
    });
    declareFn(s, "procedure DecodeTime(Time: TDateTime; var Hour, Min, Sec, MSec: Word)", c,
              [](H &h) {
                  const fmt::TimeParts t = fmt::decodeTime(checkedFloat(h.params(0).toDouble()));
                  h.setParam(1, Variant(t.hour));
                  h.setParam(2, Variant(t.minute));
                  h.setParam(3, Variant(t.second));
                  h.setParam(4, Variant(t.msec));
                  return Variant();
              });
    declareFn(s, "function Date: TDateTime", c,
              [](H &) { return Variant::fromDate(fmt::currentDate()); });
    declareFn(s, "function Time: TDateTime", c,
              [](H &) { return Variant::fromDate(fmt::currentTime()); });
    declareFn(s, "function Now: TDateTime", c,
              [](H &) { return Variant::fromDate(fmt::currentDateTime()); });
    declareFn(s, "function DayOfWeek(aDate: TDateTime): Integer", c,
              [](H &h) { return Variant(fmt::dayOfWeek(checkedFloat(h.params(0).toDouble()))); });
    declareFn(s, "function IsLeapYear(Year: Word): Boolean", c,
              [](H &h) { return Variant(fmt::isLeapYear(int(h.params(0).toInt64()))); });
    declareFn(s, "function DaysInMonth(nYear, nMonth: Integer): Integer", c, [](H &h) {
        const qint64 month = h.params(1).toInt64();
        if (month < 1 || month > 12)
            throw ScriptError(QStringLiteral("Invalid month: %1").arg(month),
                              QStringLiteral("EConvertError"));
        return Variant(fmt::daysInMonth(int(h.params(0).toInt64()), int(month)));
    });
}

void registerStrings(TkxScript &s)
{
    const QString c = QStringLiteral("ctString");
    declareFn(s, "function Length(s: Variant): Integer", c, [](H &h) {
        const Variant v = h.params(0);
        if (v.isArray())
            return Variant::fromInt(v.arrayBound(0).count());
        return Variant::fromInt(v.toString().size());
    });
    declareFn(s, "function Copy(s: String; from, count: Integer): String", c, [](H &h) {
        const QString text = h.params(0).toString();
        const qint64 from = qMax<qint64>(1, h.params(1).toInt64());
        const qint64 count = h.params(2).toInt64();
        if (count <= 0 || from > text.size())
            return str(QString());
        return str(text.mid(from - 1, qMin<qint64>(count, text.size())));
    });
    declareFn(s, "function Pos(substr, s: String): Integer", c, [](H &h) {
        const QString sub = h.params(0).toString();
        if (sub.isEmpty())
            return Variant(0);
        return Variant::fromInt(h.params(1).toString().indexOf(sub) + 1);
    });
    auto deleteFn = [](H &h) {
        QString text = h.params(0).toString();
        const qint64 from = h.params(1).toInt64();
        const qint64 count = h.params(2).toInt64();
        if (from >= 1 && from <= text.size() && count > 0)
            text.remove(from - 1, qMin<qint64>(count, text.size() - from + 1));
        h.setParam(0, str(text));
        return Variant();
    };
    declareFn(s, "procedure Delete(var s: String; from, count: Integer)", c, deleteFn);
    declareFn(s, "procedure DeleteStr(var s: String; from, count: Integer)", c, deleteFn);
    declareFn(s, "procedure Insert(s: String; var s2: String; pos: Integer)", c, [](H &h) {
        QString target = h.params(1).toString();
        const qint64 pos = qBound<qint64>(1, h.params(2).toInt64(), target.size() + 1);
        target.insert(pos - 1, h.params(0).toString());
        h.setParam(1, str(target));
        return Variant();
    });
    declareFn(s, "function Uppercase(s: String): String", c,
              [](H &h) { return str(h.params(0).toString().toUpper()); });
    declareFn(s, "function Lowercase(s: String): String", c,
              [](H &h) { return str(h.params(0).toString().toLower()); });
    declareFn(s, "function Trim(s: String): String", c,
              [](H &h) { return str(trimBlanks(h.params(0).toString())); });
    declareFn(s, "function NameCase(s: String): String", c,
              [](H &h) { return str(nameCase(h.params(0).toString())); });
    declareFn(s, "function CompareText(s, s1: String): Integer", c, [](H &h) {
        const int r
            = QString::compare(h.params(0).toString(), h.params(1).toString(), Qt::CaseInsensitive);
        return Variant(r < 0 ? -1 : (r > 0 ? 1 : 0));
    });
    declareFn(s, "function Chr(i: Integer): Char", c, [](H &h) {
        const qint64 code = h.params(0).toInt64();
        if (code < 0 || code > 0xFFFF)
            throw ScriptError(QStringLiteral("Invalid character code: %1").arg(code),
                              QStringLiteral("ERangeError"));
        return str(QString(QChar(char16_t(code))));
    });
    declareFn(s, "function Ord(ch: Char): Integer", c, [](H &h) {
        const Variant v = h.params(0);
        if (v.isInteger())
            return v;   // an ordinal already (Ord of a number or an enumeration value)
        if (v.isBoolean())
            return Variant(v.toBool() ? 1 : 0);
        const QString text = v.toString();
        if (text.isEmpty())
            throw ScriptError(QStringLiteral("Ord of an empty string"),
                              QStringLiteral("ERangeError"));
        return Variant(int(text.at(0).unicode()));
    });
    declareFn(s, "procedure SetLength(var S: Variant; L: Integer)", c, [](H &h) {
        Variant v = h.params(0);
        const qint64 length = h.params(1).toInt64();
        if (length < 0)
            throw ScriptError(QStringLiteral("Invalid length: %1").arg(length),
                              QStringLiteral("ERangeError"));
        if (v.isString()) {
            QString text = v.toString();
            if (length > Variant::kMaxArrayElements)
                throw ScriptError(QStringLiteral("Invalid length: %1").arg(length),
                                  QStringLiteral("ERangeError"));
            if (length < text.size())
                text.truncate(length);
            else
                text += QString(length - text.size(), QLatin1Char(' '));
            h.setParam(0, v.type() == varOleStr ? Variant(text) : str(text));
        } else if (v.isArray()) {
            v.redimArray(v.arrayBound(0).low + length - 1);
            h.setParam(0, v);
        } else {
            throw ScriptError(QStringLiteral("SetLength needs a string or an array"),
                              QStringLiteral("EVariantTypeCastError"));
        }
        return Variant();
    });
}

void registerMath(TkxScript &s)
{
    const QString c = QStringLiteral("ctMath");
    declareFn(s, "function Round(e: Extended): Integer", c, [](H &h) {
        return Variant::fromInt(toInt64Checked(fmt::roundHalfEven(h.params(0).toDouble())));
    });
    declareFn(s, "function Trunc(e: Extended): Integer", c, [](H &h) {
        return Variant::fromInt(toInt64Checked(std::trunc(h.params(0).toDouble())));
    });
    declareFn(s, "function Int(e: Extended): Integer", c,
              [](H &h) { return Variant(std::trunc(h.params(0).toDouble())); });
    declareFn(s, "function Frac(X: Extended): Extended", c, [](H &h) {
        const double x = h.params(0).toDouble();
        return Variant(x - std::trunc(x));
    });
    declareFn(s, "function Sqrt(e: Extended): Extended", c,
              [](H &h) { return Variant(checkedFloat(std::sqrt(h.params(0).toDouble()))); });
    declareFn(s, "function Abs(e: Extended): Extended", c, [](H &h) {
        const Variant v = h.params(0);
        if (v.isInteger() && v.rawInt() != std::numeric_limits<qint64>::min())
            return Variant::fromInt(v.rawInt() < 0 ? -v.rawInt() : v.rawInt());
        return Variant(std::fabs(v.toDouble()));
    });
    declareFn(s, "function Sin(e: Extended): Extended", c,
              [](H &h) { return Variant(std::sin(h.params(0).toDouble())); });
    declareFn(s, "function Cos(e: Extended): Extended", c,
              [](H &h) { return Variant(std::cos(h.params(0).toDouble())); });
    declareFn(s, "function ArcTan(X: Extended): Extended", c,
              [](H &h) { return Variant(std::atan(h.params(0).toDouble())); });
    declareFn(s, "function Tan(X: Extended): Extended", c, [](H &h) {
        const double x = h.params(0).toDouble();
        return Variant(checkedFloat(std::sin(x) / std::cos(x)));
    });
    declareFn(s, "function Exp(X: Extended): Extended", c,
              [](H &h) { return Variant(checkedFloat(std::exp(h.params(0).toDouble()))); });
    declareFn(s, "function Ln(X: Extended): Extended", c, [](H &h) {
        const double x = h.params(0).toDouble();
        if (x <= 0)
            mathError(QStringLiteral("Invalid floating point operation"));
        return Variant(std::log(x));
    });
    declareFn(s, "function Pi: Extended", c, [](H &) { return Variant(3.1415926535897932385); });
}

void registerOther(TkxScript &s)
{
    const QString c = QStringLiteral("ctOther");
    declareFn(s, "procedure Inc(var i: Integer; incr: Integer = 1)", c, [](H &h) {
        h.setParam(0, vop::add(h.params(0), h.params(1)));
        return Variant();
    });
    declareFn(s, "procedure Dec(var i: Integer; decr: Integer = 1)", c, [](H &h) {
        h.setParam(0, vop::sub(h.params(0), h.params(1)));
        return Variant();
    });
    declareFn(s, "procedure RaiseException(Param: String)", c,
              [](H &h) -> Variant { throw ScriptError(h.params(0).toString()); });
    declareFn(s, "procedure ShowMessage(Msg: Variant)", c, [](H &h) {
        pgx::UserPrompts::current().showMessage(pgx::UserPrompts::Kind::Information,
                                                h.params(0).toString());
        return Variant();
    });
    declareFn(s, "procedure Randomize", c, [](H &) {
        generator().seed(quint64(QDateTime::currentMSecsSinceEpoch()));
        return Variant();
    });
    declareFn(s, "function Random: Extended", c, [](H &) {
        return Variant(std::uniform_real_distribution<double>(0.0, 1.0)(generator()));
    });
    declareFn(s, "function ValidInt(cInt: String): Boolean", c, [](H &h) {
        qint64 v = 0;
        return Variant(fmt::tryStrToInt(h.params(0).toString(), &v));
    });
    declareFn(s, "function ValidFloat(cFlt: String): Boolean", c, [](H &h) {
        double v = 0;
        return Variant(fmt::tryStrToFloat(h.params(0).toString(), &v));
    });
    declareFn(s, "function ValidDate(cDate: String): Boolean", c, [](H &h) {
        double v = 0;
        return Variant(fmt::tryStrToDate(h.params(0).toString(), &v));
    });
    declareFn(s, "function CreateOleObject(ClassName: String): Variant", c, [](H &h) -> Variant {
        throw ScriptError(QStringLiteral("Automation objects are not available on this platform: ")
                              + h.params(0).toString(),
                          QStringLiteral("EOleError"));
    });
    declareFn(s, "function VarArrayCreate(Bounds: Array; Typ: Integer): Variant", c, [](H &h) {
        const Variant b = h.params(0);
        if (!b.isArray() || b.arrayDimCount() != 1 || b.arrayTotalCount() % 2 != 0
            || b.arrayTotalCount() == 0)
            throw ScriptError(QStringLiteral("VarArrayCreate needs bounds in pairs"),
                              QStringLiteral("EVariantBadIndexError"));
        QList<ArrayBound> bounds;
        const Variant *data = b.arrayData();
        for (qint64 i = 0; i + 1 < b.arrayTotalCount(); i += 2)
            bounds.append(ArrayBound{data[i].toInt64(), data[i + 1].toInt64()});
        const qint64 typ = h.params(1).toInt64();
        const bool known
            = (typ >= varSmallint && typ <= varBoolean && typ != varDispatch && typ != varError)
            || typ == varVariant || (typ >= varShortInt && typ <= varInt64) || typ == varString;
        if (!known)
            throw ScriptError(QStringLiteral("Invalid array element type: %1").arg(typ),
                              QStringLiteral("EVariantBadVarTypeError"));
        return Variant::createArray(bounds, VarType(typ));
    });
    declareFn(s, "function VarType(V: Variant): Integer", c,
              [](H &h) { return Variant(int(h.params(0).type())); });
}

}   // namespace

TkxSysFunctions::TkxSysFunctions(TkxScript &script)
{
    registerTypes(script);
    registerConstants(script);
    registerConversions(script);
    registerDates(script);
    registerStrings(script);
    registerMath(script);
    registerOther(script);
}

}   // namespace pgx::script
