#include "KxMessages.h"

#include <QtCore/QMutex>

namespace pgx::script {

namespace {

struct BuiltInText {
    const char *key;
    const char *text;
};

// The engine's own texts. Three of them end with a blank and the string
// message keeps its old wording: stored translations were made against these.
constexpr BuiltInText kBuiltIn[] = {
    {"SLangNotFound", "Language '%s' not found"},
    {"SInvalidLanguage", "Invalid language definition"},
    {"SIdRedeclared", "Identifier redeclared: "},
    {"SUnknownType", "Unknown type: "},
    {"SIncompatibleTypes", "Incompatible types"},
    {"SIdUndeclared", "Undeclared identifier: "},
    {"SClassRequired", "Class type required"},
    {"SIndexRequired", "Index required"},
    {"SStringError", "Strings doesn't have properties or methods"},
    {"SClassError", "Class %s does not have a default property"},
    {"SArrayRequired", "Array type required"},
    {"SVarRequired", "Variable required"},
    {"SNotEnoughParams", "Not enough actual parameters"},
    {"STooManyParams", "Too many actual parameters"},
    {"SLeftCantAssigned", "Left side cannot be assigned to"},
    {"SForError", "For loop variable must be numeric variable"},
    {"SEventError", "Event handler must be a procedure"},
    // Faults the analyser reports instead of failing silently or crashing.
    {"SUnitNotFound", "Unit '%s' not found"},
    {"SNestingTooDeep", "Program nesting too deep"},
};

QMutex sourceMutex;
KxMessageSource &source()
{
    static KxMessageSource instance;
    return instance;
}

} // namespace

void SetKxMessageSource(KxMessageSource newSource)
{
    QMutexLocker lock(&sourceMutex);
    source() = std::move(newSource);
}

QString KxMessage(const QString &key)
{
    {
        QMutexLocker lock(&sourceMutex);
        if (source()) {
            QString text = source()(key);
            if (!text.isEmpty())
                return text;
        }
    }
    for (const BuiltInText &entry : kBuiltIn)
        if (key == QLatin1String(entry.key))
            return QString::fromLatin1(entry.text);
    return key;
}

QString KxMessageWith(const QString &key, const QString &argument)
{
    QString text = KxMessage(key);
    const qsizetype at = text.indexOf(QLatin1String("%s"));
    if (at >= 0)
        text.replace(at, 2, argument);
    return text;
}

} // namespace pgx::script
