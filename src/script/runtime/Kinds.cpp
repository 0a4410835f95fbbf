#include "script/runtime/Kinds.h"

#include "script/runtime/Script.h"

namespace pgx::script {

QString kindTypeText(TkxKind kind, const QString &typeName)
{
    switch (kind) {
    case TkxKind::Integer: return QStringLiteral("Integer");
    case TkxKind::Boolean: return QStringLiteral("Boolean");
    case TkxKind::Float: return QStringLiteral("Extended");
    case TkxKind::Char: return QStringLiteral("Char");
    case TkxKind::String: return QStringLiteral("String");
    case TkxKind::Array: return QStringLiteral("Array");
    case TkxKind::Variant: return QStringLiteral("Variant");
    case TkxKind::Class:
    case TkxKind::Enumeration:
    case TkxKind::Constructor: return typeName.isEmpty() ? QStringLiteral("Variant") : typeName;
    }
    return typeName;
}

bool kindsCompatible(TkxKind target, const QString &targetType, TkxKind value,
                     const QString &valueType, bool assignment)
{
    using K = TkxKind;
    switch (target) {
    case K::Integer:
        if (value == K::Float)
            return !assignment;
        return value == K::Integer || value == K::Variant || value == K::Enumeration;
    case K::Boolean: return value == K::Boolean || value == K::Variant;
    case K::Float: return value == K::Integer || value == K::Float || value == K::Variant;
    case K::Char:
    case K::String: return value == K::Char || value == K::String || value == K::Variant;
    case K::Class:
        return value == K::Variant
            || (value == K::Class && TkxScript::classInherits(valueType, targetType));
    case K::Array: return value == K::Array || value == K::Variant;
    case K::Variant: return true;
    case K::Enumeration:
        return (value == K::Enumeration && targetType.compare(valueType, Qt::CaseInsensitive) == 0)
            || value == K::Integer || value == K::Variant;
    case K::Constructor: return false;
    }
    return false;
}

}   // namespace pgx::script
