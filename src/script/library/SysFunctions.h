#pragma once

#include "script/runtime/Items.h"

namespace pgx::script {

class TkxScript;

// The system functions module, first of every script's modules: the basic
// types, the constants (True, nil, the variant type codes ...), the
// exception variables, the string and array access items, and the
// functions of the categories ctString, ctDate, ctConv, ctFormat, ctMath
// and ctOther.
class TkxSysFunctions : public TkxItemList
{
public:
    explicit TkxSysFunctions(TkxScript &script);
};

// Lists the library's modules with the runtime (system functions first,
// then the class modules) and installs the registry's class handlers.
// Start-up code calls it once; later calls do nothing.
void registerLibraryModules();

}   // namespace pgx::script
