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
        if (auto *v = isValue ? nullptr : dynamic_cast<TkxVariable *>(s.FindLocal(text)))
            e->AddDesignator(std::make_unique<TkxVariableDesignator>(&s, v));
        else
            e->AddConstant(isValue ? value : s.Evaluate(text));
        EXPECT_EQ(e->Finish(), QString()) << qPrintable(text);
        return e;
    }
};

class LibraryScript
{
public:
    LibraryScript()
    {
        InstallScriptAnalyser();   // arguments given as text are compiled
        registerLibraryModules();
        script.AddModules();
    }

    // fn(args)
    Variant call(const QString &fn, const QList<Arg> &args = {})
    {
        TkxCustomVariable *f = script.Find(fn);
        EXPECT_NE(f, nullptr) << qPrintable(fn);
        if (!f)
            return Variant();
        TkxDesignator d(&script);
        auto item = std::make_unique<TkxDesignatorItem>(f);
        for (const Arg &a : args)
            item->AddArgument(a.build(script));
        d.AddItem(std::move(item));
        return d.GetValue();
    }

    // object.member(args), or object.member[args] := *set
    Variant member(const Variant &object, const QString &name, const QList<Arg> &args = {},
                   const Variant *set = nullptr)
    {
        TkxClassVariable *cls = FindClassOf(script, TkxObjectTable::nonNil(object));
        EXPECT_NE(cls, nullptr);
        TkxCustomVariable *m = cls ? cls->FindMember(name) : nullptr;
        EXPECT_NE(m, nullptr) << qPrintable(name);
        if (!m)
            return Variant();
        return chain(object, m, args, set);
    }

    // Class.member(args): constructors.
    Variant classMember(const QString &className, const QString &name, const QList<Arg> &args = {})
    {
        TkxClassVariable *cls = FindClassVariable(script, className);
        EXPECT_NE(cls, nullptr) << qPrintable(className);
        TkxDesignator d(&script);
        d.AddItem(std::make_unique<TkxDesignatorItem>(cls));
        auto item = std::make_unique<TkxDesignatorItem>(cls->FindMember(name));
        for (const Arg &a : args)
            item->AddArgument(a.build(script));
        d.AddItem(std::move(item));
        return d.GetValue();
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
            = script.AddVariable(QStringLiteral("__obj%1").arg(m_holders++), TkxKind::Variant,
                                 QStringLiteral("Variant"), object);
        TkxDesignator d(&script);
        d.AddItem(std::make_unique<TkxDesignatorItem>(holder));
        auto item = std::make_unique<TkxDesignatorItem>(m);
        for (const Arg &a : args)
            item->AddArgument(a.build(script));
        d.AddItem(std::move(item));
        if (set) {
            d.SetValue(*set);
            return Variant();
        }
        return d.GetValue();
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
