#pragma once

#include "platform/format/FormatSettings.h"

#include <QtCore/QList>
#include <QtCore/QString>

#include <optional>

namespace pgx::format {

// One argument of formatText. The kinds are those a printf-style format
// tells apart; `Any` is a value of no fixed kind (a script variant) that
// converts to what its specifier asks for.
struct FormatArg
{
    enum Kind { Integer, Int64, Float, Currency, String, Boolean, Any };
    Kind kind = Integer;
    qint64 integer = 0;
    double number = 0;      // Float, Currency, and Any when numeric
    QString text;           // String, and the text form of Any
    bool numeric = false;   // Any: `number` is valid

    static FormatArg fromInt(qint64 v)
    {
        FormatArg a;
        a.kind = Integer;
        a.integer = v;
        return a;
    }
    static FormatArg fromInt64(qint64 v)
    {
        FormatArg a;
        a.kind = Int64;
        a.integer = v;
        return a;
    }
    static FormatArg fromFloat(double v)
    {
        FormatArg a;
        a.kind = Float;
        a.number = v;
        return a;
    }
    static FormatArg fromCurrency(double v)
    {
        FormatArg a;
        a.kind = Currency;
        a.number = v;
        return a;
    }
    static FormatArg fromString(const QString &v)
    {
        FormatArg a;
        a.kind = String;
        a.text = v;
        return a;
    }
    static FormatArg fromBool(bool v)
    {
        FormatArg a;
        a.kind = Boolean;
        a.integer = v;
        return a;
    }
    static FormatArg fromAny(const QString &text, std::optional<double> number)
    {
        FormatArg a;
        a.kind = Any;
        a.text = text;
        a.numeric = number.has_value();
        a.number = number.value_or(0);
        return a;
    }
};

// printf-style formatting: "%" ["index:"] ["-"] [width] ["." precision] type,
// with "*" taking width or precision from the arguments and "%%" a percent
// sign. Types: d u x (integers), e f g n m (numbers; n groups thousands, m is
// money), s (text), p (an integer as eight hex digits). A specifier whose
// argument is missing or of another kind raises ConvertError; the format
// text itself is never passed to a C formatting function.
QString formatText(const QString &format, const QList<FormatArg> &args,
                   const FormatSettings &settings = FormatSettings::current());

// Applies an edit mask ("mask;saveLiterals;blank") to a text: 0 9 # digits,
// L l letters, A a letters or digits, C c any character, > < <> case, a
// backslash makes the next character literal, / and : the date and time separators, _ a blank; other
// characters are literals, taken from the text too when saveLiterals is 1.
QString formatMaskText(const QString &editMask, const QString &value,
                       const FormatSettings &settings = FormatSettings::current());

}   // namespace pgx::format
