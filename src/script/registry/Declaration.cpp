#include "script/registry/Declaration.h"

#include "platform/format/NumberText.h"
#include "script/front/TkxParser.h"
#include "script/runtime/Script.h"
#include "script/value/ScriptError.h"

namespace pgx::script {

namespace {

[[noreturn]] void invalid(const QString &text)
{
    throw ScriptError(QStringLiteral("Invalid declaration: ") + text);
}

Variant numberValue(const QByteArray &digits, bool negative)
{
    const QString t = QString::fromLatin1(digits);
    qint64 i = 0;
    if (pgx::format::tryStrToInt64(t, &i))
        return Variant::fromInt(negative ? -i : i);
    double d = 0;
    // Declarations are program text: "." whatever the settings.
    if (!pgx::format::tryStrToFloat(t, &d, pgx::format::FormatSettings::defaults()))
        return Variant::null();
    return Variant(negative ? -d : d);
}

}   // namespace

TkxDeclaration parseDeclaration(const TkxScript &script, const QString &text)
{
    TkxDeclaration decl;
    TkxParser p;
    p.setText(text.toUtf8());
    // The character at the position; NUL at the end of the text.
    auto peek
        = [&p]() { return p.position() <= p.length() ? p.text().at(p.position() - 1) : '\0'; };

    p.skipBlanks();
    QString word = QString::fromUtf8(p.readIdentifier());
    if (word.isEmpty())
        invalid(text);
    if (word.left(5).compare(QLatin1String("macro"), Qt::CaseInsensitive) == 0) {
        decl.isMacro = true;
        word = word.mid(5);
        if (word.isEmpty()) {   // "macro function" as two words
            p.skipBlanks();
            word = QString::fromUtf8(p.readIdentifier());
        }
    }
    decl.isFunction = word.compare(QLatin1String("function"), Qt::CaseInsensitive) == 0;
    p.skipBlanks();
    decl.name = QString::fromUtf8(p.readIdentifier());
    if (decl.name.isEmpty())
        invalid(text);

    if (decl.isFunction) {
        // The identifier after the last colon of the text.
        const int colon = text.lastIndexOf(QLatin1Char(':'));
        if (colon < 0)
            invalid(text);
        TkxParser r;
        r.setText(text.mid(colon + 1).toUtf8());
        r.skipBlanks();
        decl.resultType = QString::fromUtf8(r.readIdentifier());
        if (decl.resultType.isEmpty())
            invalid(text);
    }

    p.skipBlanks();
    if (peek() == '(') {
        p.readPunctuation();
        for (;;) {
            p.skipBlanks();
            const char c = peek();
            if (c == ')') {
                p.readPunctuation();
                break;
            }
            if (c == 0)
                invalid(text);
            // One group.
            QStringList names;
            bool byRef = false;
            for (;;) {
                p.skipBlanks();
                const QString id = QString::fromUtf8(p.readIdentifier());
                if (id.isEmpty())
                    invalid(text);
                if (id.compare(QLatin1String("var"), Qt::CaseInsensitive) == 0 && names.isEmpty()
                    && !byRef)
                    byRef = true;
                else if (id.compare(QLatin1String("const"), Qt::CaseInsensitive) == 0
                         && names.isEmpty())
                    ;
                else
                    names.append(id);
                p.skipBlanks();
                const char sep = p.readPunctuation();
                if (sep == ',' || sep == 0)
                    continue;
                if (sep == ':')
                    break;
                invalid(text);
            }
            if (names.isEmpty())
                invalid(text);
            p.skipBlanks();
            const QString type = QString::fromUtf8(p.readIdentifier());
            if (type.isEmpty())
                invalid(text);
            Variant def = Variant::null();
            p.skipBlanks();
            char next = p.readPunctuation();
            if (next == '=') {
                p.skipBlanks();
                const int before = p.position();
                bool negative = false;
                if (peek() == '-') {
                    negative = true;
                    p.readPunctuation();
                }
                const QByteArray number = p.readNumber();
                if (!number.isEmpty()) {
                    def = numberValue(number, negative);
                } else if (!negative && peek() == '\'') {
                    const QByteArray s = p.readString();
                    if (p.position() == before)
                        invalid(text);
                    // The token keeps its quotes; '' inside stands for one.
                    QString t = QString::fromUtf8(s);
                    if (t.size() >= 2 && t.startsWith(QLatin1Char('\''))
                        && t.endsWith(QLatin1Char('\'')))
                        t = t.mid(1, t.size() - 2)
                                .replace(QStringLiteral("''"), QStringLiteral("'"));
                    def = Variant::fromString8(t);
                } else if (!negative) {
                    const QString ident = QString::fromUtf8(p.readIdentifier());
                    if (ident.isEmpty())
                        invalid(text);
                    if (TkxCustomVariable *v = script.find(ident);
                        v && dynamic_cast<TkxVariable *>(v))
                        def = v->value;
                } else {
                    invalid(text);
                }
                p.skipBlanks();
                next = p.readPunctuation();
            }
            for (int i = 0; i < names.size(); ++i) {
                TkxDeclaration::Param param;
                param.name = names[i];
                param.typeName = type;
                param.byRef = byRef;
                if (i == names.size() - 1 && !def.isNull()) {
                    param.hasDefault = true;
                    param.defaultValue = def;
                }
                decl.params.append(param);
            }
            if (next == ';')
                continue;
            if (next == ')')
                break;
            invalid(text);
        }
    }
    return decl;
}

}   // namespace pgx::script
