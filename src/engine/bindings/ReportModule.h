#pragma once

#include "script/runtime/Items.h"

namespace pgx::script {
class TkxClassVariable;
class TkxScript;
}   // namespace pgx::script

namespace pgx::engine {

// The report unit's registration module: the report's constants,
// enumerations and classes, the process-wide variables and the global
// functions of the designer's function list.
class TpgxReportFunctions : public script::TkxItemList
{
public:
    explicit TpgxReportFunctions(script::TkxScript &script);
};

// Makes the class of a reflected object known to a script when it is not:
// declared under its own name, its ancestor the nearest registered base
// class (declared the same way first), and so on for the classes of its
// object properties, so that every member a script may reach has a type.
// The class variable, or nullptr for no class.
script::TkxClassVariable *ensureClass(script::TkxScript &script, const QMetaObject *meta);

// Lists the report module after the script library's modules (which it
// lists first when that has not happened yet). Start-up code calls it once;
// later calls do nothing.
void registerReportModules();

}   // namespace pgx::engine
