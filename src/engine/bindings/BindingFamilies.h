#pragma once

// The families of the report module, one file each, and what they share.

#include "script/library/LibraryCommon.h"
#include "script/registry/Registry.h"

namespace pgx::engine::bindings {

using script::declareIndexed;
using script::declareMember;
using script::declareProp;
using script::str8;
using script::TkxClassVariable;
using script::TkxMethodHelper;
using script::TkxObjectTable;
using script::TkxScript;
using script::Variant;
using H = TkxMethodHelper;

// Unit constants, colours, cursors and the enumerations.
void declareConstants(TkxScript &s);
// Components, views, bands and pages, with the string list of text lines.
void declareComponents(TkxScript &s);
// Data sources.
void declareDataSets(TkxScript &s);
// The report, its variables, the engine and the outline.
void declareReportObjects(TkxScript &s);
// DayOf, MonthOf, YearOf and the entries of IIF and the aggregates.
void declareGlobalFunctions(TkxScript &s);

// A class of the reflection under its own name, or a name alone (no
// reflected class: only the name, its ancestor and the members declared
// here). The existing class when the name is known already.
TkxClassVariable *declareReportClass(TkxScript &s, const QMetaObject *meta, const char *ancestor,
                                     const char *name = nullptr);

inline Variant handleOf(QObject *o)
{
    return script::TkxObjectTable::toVariant(o);
}

// A class the class registry can make gets that as its factory.
void setComponentFactory(TkxClassVariable *c);

// The object of a handle as T; nil and other classes raise.
template<class T>
T *objectArg(const Variant &handle)
{
    T *t = script::TkxObjectTable::as<T>(handle);
    if (!t)
        throw script::ScriptError(QStringLiteral("Invalid object reference"),
                                  QStringLiteral("EAccessViolation"));
    return t;
}

// A member that the platform does not have yet raises this, naming itself.
[[noreturn]] void throwUnavailable(const QString &member);

}   // namespace pgx::engine::bindings
