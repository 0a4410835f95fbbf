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
    program.errorUnit.clear();
    const ProgramTree &tree = parser.programTree();
    if (tree.isEmpty())
        return;
    TkxProgramBuilder builder(program, parser.declarationsRequired(), program.lines());
    try {
        builder.build(*tree.root());
    } catch (const ScriptError &e) {
        program.errorMessage = e.message();
        program.errorPosition = e.hasPosition() ? e.position() : builder.errorPosition();
        program.errorUnit = e.hasPosition() ? e.unitName() : builder.unitName();
    } catch (const pgx::Error &e) {
        program.errorMessage = e.message();
        program.errorPosition = builder.errorPosition();
        program.errorUnit = builder.unitName();
    }
}

void compileScript(TkxScript &script)
{
    // The library is part of every program; Evaluate's scopes bring their
    // own and see the program's through their parent.
    if (!script.parentScope())
        script.addModules();
    TkxILParser parser;
    parser.setHighCharacters(script.highCharIdentifiers);
    if (script.onGetUnit) {
        parser.onGetUnit = [&script](const QString &unitName, QString &text) {
            script.onGetUnit(&script, unitName, text);
        };
    }
    try {
        parser.selectLanguage(script.syntaxType());
    } catch (const pgx::Error &e) {
        script.errorMessage = e.message();
        script.errorPosition.clear();
        return;
    }
    if (!parser.makeProgramTree(joinScriptLines(script.lines()))) {
        // A program rule that matches nothing and has no message for it (an
        // empty BasicScript) is an empty program, not an error.
        script.errorMessage = parser.errorMessage();
        script.errorPosition = parser.errorPos();
        script.errorUnit = parser.errorUnit();
        return;
    }
    buildProgram(parser, script);
}

}   // namespace

void installScriptAnalyser()
{
    registerStandardLanguages();   // once; later calls return at once
    TkxScript::setCompileHandler(compileScript);
    // Member questions of designators go to the registry's class items.
    TkxScript::setClassMemberHandler(
        [](TkxCustomVariable *classItem, const QString &member) -> TkxCustomVariable * {
            auto *cls = dynamic_cast<TkxClassVariable *>(classItem);
            if (!cls)
                return nullptr;
            if (!member.isEmpty())
                return cls->findMember(member);
            for (TkxClassVariable *c = cls; c; c = c->ancestor())
                if (c->defaultProperty)
                    return c->defaultProperty;
            return nullptr;
        });
    TkxScript::setObjectClassHandler([](const Variant &object) {
        QObject *o = object.isInteger() ? TkxObjectTable::object(object) : nullptr;
        return o ? TkxObjectTable::scriptClassName(o->metaObject()) : QString();
    });
}

}   // namespace pgx::script
