#include "KxMessages.h"

namespace pgx::script {

namespace {

// The engine's own texts. Three of them end with a blank and the string
// message keeps its old wording: stored translations were made against these.
constexpr pgx::KeyedText kBuiltIn[] = {
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

}   // namespace

pgx::KeyedTexts &kxMessages()
{
    static pgx::KeyedTexts texts(kBuiltIn);
    return texts;
}

QString kxMessage(const QString &key)
{
    return kxMessages().text(key);
}

QString kxMessageWith(const QString &key, const QString &argument)
{
    QString text = kxMessage(key);
    const qsizetype at = text.indexOf(QLatin1String("%s"));
    if (at >= 0)
        text.replace(at, 2, argument);
    return text;
}

}   // namespace pgx::script
