#pragma once

#include "script/value/Variant.h"

#include <QtCore/QList>
#include <QtCore/QString>

namespace pgx::script {

class TkxScript;

// A parsed declaration text:
//   ["macro"]function|procedure Name ["(" groups ")"] [":" ResultType] [";"]
// where a group is ["var"|"const"] name {"," name} ":" Type ["=" default].
// Only the last name of a group takes the default.
struct TkxDeclaration
{
    struct Param
    {
        QString name;
        QString typeName;
        bool byRef = false;
        bool hasDefault = false;
        Variant defaultValue = Variant::null();
    };
    bool isFunction = false;
    bool isMacro = false;
    QString name;
    QString resultType;
    QList<Param> params;
};

// Defaults that name a registered constant or variable take its current
// value from `script` (Null when unknown). Raises ScriptError ("Invalid
// declaration: ...") for text that does not parse.
TkxDeclaration parseDeclaration(const TkxScript &script, const QString &text);

}   // namespace pgx::script
