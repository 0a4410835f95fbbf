#pragma once

// A script with the library's modules, and calls that go through the
// runtime's call protocol (designators with argument expressions), the way
// compiled scripts reach registered functions and members.

#include "script/analyser/ScriptAnalyser.h"
#include "script/library/SysFunctions.h"
#include "script/registry/ObjectTable.h"
#include "script/registry/Registry.h"
#include "script/runtime/Designator.h"
#include "script/runtime/Expression.h"
#include "script/runtime/Script.h"
#include "script/value/ScriptError.h"

#include <gtest/gtest.h>

namespace pgx::script::test {

// An argument: the name of a variable of the script (by-reference
// arguments are written back to it), PascalScript text the analyser
// evaluates in the script ("2", "'a b'", "nil"), or a value.
struct Arg
{
    Arg(const char *t) : text(QString::fromUtf8(t)) { }
    Arg(const QString &t) : text(t) { }
    Arg(const Variant &v) : value(v), isValue(true) { }
    QString text;
    Variant value;
    bool isValue = false;

    std::unique_ptr<TkxExpression> build(TkxScript &s) const
    {
        auto e = std::make_unique<TkxExpression>(&s);
        if (auto *v = isValue ? nullptr : dynamic_cast<TkxVariable *>(s.findLocal(text)))
            e->addDesignator(std::make_unique<TkxVariableDesignator>(&s, v));
        else
            e->addConstant(isValue ? value : s.evaluate(text));
        EXPECT_EQ(e->finish(), QString()) << qPrintable(text);
        return e;
    }
};

class LibraryScript
{
public:
    LibraryScript()
    {
        installScriptAnalyser();   // arguments given as text are compiled
        registerLibraryModules();
        script.addModules();
    }

    // fn(args)
    Variant call(const QString &fn, const QList<Arg> &args = {})
    {
        TkxCustomVariable *f = script.find(fn);
        EXPECT_NE(f, nullptr) << qPrintable(fn);
        if (!f)
            return Variant();
        TkxDesignator d(&script);
        auto item = std::make_unique<TkxDesignatorItem>(f);
        for (const Arg &a : args)
            item->addArgument(a.build(script));
        d.addItem(std::move(item));
        return d.getValue();
    }

    // object.member(args), or object.member[args] := *set
    Variant member(const Variant &object, const QString &name, const QList<Arg> &args = {},
                   const Variant *set = nullptr)
    {
        TkxClassVariable *cls = findClassOf(script, TkxObjectTable::nonNil(object));
        EXPECT_NE(cls, nullptr);
        TkxCustomVariable *m = cls ? cls->findMember(name) : nullptr;
        EXPECT_NE(m, nullptr) << qPrintable(name);
        if (!m)
            return Variant();
        return chain(object, m, args, set);
    }

    // Class.member(args): constructors.
    Variant classMember(const QString &className, const QString &name, const QList<Arg> &args = {})
    {
        TkxClassVariable *cls = findClassVariable(script, className);
        EXPECT_NE(cls, nullptr) << qPrintable(className);
        TkxDesignator d(&script);
        d.addItem(std::make_unique<TkxDesignatorItem>(cls));
        auto item = std::make_unique<TkxDesignatorItem>(cls->findMember(name));
        for (const Arg &a : args)
            item->addArgument(a.build(script));
        d.addItem(std::move(item));
        return d.getValue();
    }

    Variant create(const QString &className, const QList<Arg> &args = {})
    {
        return classMember(className, QStringLiteral("Create"), args);
    }

    void set(const Variant &object, const QString &name, const Variant &value,
             const QList<Arg> &args = {})
    {
        member(object, name, args, &value);
    }

    TkxScript script;

private:
    Variant chain(const Variant &object, TkxCustomVariable *m, const QList<Arg> &args,
                  const Variant *set)
    {
        // The object sits in a variable: the designator's first link.
        TkxVariable *holder
            = script.addVariable(QStringLiteral("__obj%1").arg(m_holders++), TkxKind::Variant,
                                 QStringLiteral("Variant"), object);
        TkxDesignator d(&script);
        d.addItem(std::make_unique<TkxDesignatorItem>(holder));
        auto item = std::make_unique<TkxDesignatorItem>(m);
        for (const Arg &a : args)
            item->addArgument(a.build(script));
        d.addItem(std::move(item));
        if (set) {
            d.setValue(*set);
            return Variant();
        }
        return d.getValue();
    }
    int m_holders = 0;
};

// The message of the script error an action raises, "" when none.
template<class F>
QString errorOf(F &&f)
{
    try {
        f();
    } catch (const ScriptError &e) {
        return e.message();
    }
    return QString();
}

}   // namespace pgx::script::test
