#include "script/library/ClassesModule.h"
#include "script/library/SysFunctions.h"
#include "script/registry/Registry.h"
#include "script/runtime/Script.h"

namespace pgx::script {

void registerLibraryModules()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    installRegistryHandlers();
    // The system functions come first: the class modules' declarations use
    // its types.
    TkxScript::registerModule([](TkxScript &s) { return std::make_unique<TkxSysFunctions>(s); });
    TkxScript::registerModule(
        [](TkxScript &s) { return std::make_unique<TkxClassesFunctions>(s); });
    TkxScript::registerModule([](TkxScript &s) { return std::make_unique<TkxIniFunctions>(s); });
}

}   // namespace pgx::script
