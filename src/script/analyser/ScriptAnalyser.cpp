#include "script/analyser/ScriptAnalyser.h"

#include "platform/Error.h"
#include "script/analyser/ProgramBuilder.h"
#include "script/front/LanguageRegistry.h"
#include "script/front/TkxILParser.h"
#include "script/registry/ObjectTable.h"
#include "script/registry/Registry.h"
#include "script/runtime/Script.h"
#include "script/value/ScriptError.h"

namespace pgx::script {

namespace {

// Stage 2: builds the runtime program from the tree stage 1 left in the
// parser. Errors are stored in the program (message, position, unit);
// nothing propagates.
void buildProgram(const TkxILParser &parser, TkxScript &program)
{
    program.ErrorUnit.clear();
    const ProgramTree &tree = parser.programTree();
    if (tree.isEmpty())
        return;
    TkxProgramBuilder builder(program, parser.declarationsRequired(), program.Lines());
    try {
        builder.Build(*tree.root());
    } catch (const ScriptError &e) {
        program.ErrorMessage = e.message();
        program.ErrorPosition = e.hasPosition() ? e.position() : builder.errorPosition();
        program.ErrorUnit = e.hasPosition() ? e.unitName() : builder.unitName();
    } catch (const pgx::Error &e) {
        program.ErrorMessage = e.message();
        program.ErrorPosition = builder.errorPosition();
        program.ErrorUnit = builder.unitName();
    }
}

void compileScript(TkxScript &script)
{
    // The library is part of every program; Evaluate's scopes bring their
    // own and see the program's through their parent.
    if (!script.Parent())
        script.AddModules();
    TkxILParser parser;
    parser.setHighCharacters(script.HighCharIdentifiers);
    if (script.OnGetUnit) {
        parser.OnGetUnit = [&script](const QString &unitName, QString &text) {
            script.OnGetUnit(&script, unitName, text);
        };
    }
    try {
        parser.SelectLanguage(script.SyntaxType());
    } catch (const pgx::Error &e) {
        script.ErrorMessage = e.message();
        script.ErrorPosition.clear();
        return;
    }
    if (!parser.MakeProgramTree(JoinScriptLines(script.Lines()))) {
        // A program rule that matches nothing and has no message for it (an
        // empty BasicScript) is an empty program, not an error.
        script.ErrorMessage = parser.errorMessage();
        script.ErrorPosition = parser.errorPos();
        script.ErrorUnit = parser.errorUnit();
        return;
    }
    buildProgram(parser, script);
}

}   // namespace

void InstallScriptAnalyser()
{
    RegisterStandardLanguages();   // once; later calls return at once
    TkxScript::SetCompileHandler(compileScript);
    // Member questions of designators go to the registry's class items.
    TkxScript::SetClassMemberHandler(
        [](TkxCustomVariable *classItem, const QString &member) -> TkxCustomVariable * {
            auto *cls = dynamic_cast<TkxClassVariable *>(classItem);
            if (!cls)
                return nullptr;
            if (!member.isEmpty())
                return cls->FindMember(member);
            for (TkxClassVariable *c = cls; c; c = c->Ancestor())
                if (c->DefaultProperty)
                    return c->DefaultProperty;
            return nullptr;
        });
    TkxScript::SetObjectClassHandler([](const Variant &object) {
        QObject *o = object.isInteger() ? TkxObjectTable::object(object) : nullptr;
        return o ? TkxObjectTable::scriptClassName(o->metaObject()) : QString();
    });
}

}   // namespace pgx::script
