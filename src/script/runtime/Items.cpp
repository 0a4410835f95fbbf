#include "script/runtime/Items.h"

#include "script/runtime/CallFrame.h"
#include "script/runtime/Script.h"
#include "script/runtime/Statements.h"
#include "script/value/ScriptError.h"

namespace pgx::script {

TkxItemList::~TkxItemList() = default;

void TkxItemList::Clear()
{
    m_subItems.clear();
}

// ---- TkxCustomVariable ------------------------------------------------------

TkxCustomVariable::TkxCustomVariable(const QString &name, TkxKind kind, const QString &typeName)
    : m_name(name), m_upperName(name.toUpper()), m_kind(kind), m_typeName(typeName)
{ }

void TkxCustomVariable::SetName(const QString &name)
{
    m_name = name;
    m_upperName = name.toUpper();
}

void TkxCustomVariable::SetValue(const Variant &value)
{
    if (!ReadOnly)
        Value = value;
}

Variant TkxCustomVariable::GetValue()
{
    return Value;
}

TkxParamItem *TkxCustomVariable::AddParam(std::unique_ptr<TkxParamItem> param)
{
    TkxParamItem *raw = param.get();
    m_params.push_back(raw);
    AddSubItem(std::move(param));
    return raw;
}

void TkxCustomVariable::LinkParam(TkxParamItem *param)
{
    m_params.push_back(param);
}

int TkxCustomVariable::RequiredParamCount() const
{
    int n = 0;
    for (const TkxParamItem *p : m_params)
        if (!p->HasDefault)
            ++n;
    return n;
}

TkxVariable::TkxVariable(const QString &name, TkxKind kind, const QString &typeName,
                         const Variant &value)
    : TkxCustomVariable(name, kind, typeName)
{
    Value = value;
    m_plain = true;
}

TkxStringVariable::TkxStringVariable(const QString &name, TkxKind kind, const QString &typeName)
    : TkxVariable(name, kind, typeName, Variant::fromString8(QString()))
{
    m_plain = false;
}

void TkxStringVariable::SetValue(const Variant &value)
{
    if (ReadOnly)
        return;
    Value = value.type() == varString ? value : Variant::fromString8(value.toString());
}

TkxTypeVariable::TkxTypeVariable(const QString &name, TkxKind kind)
    : TkxCustomVariable(name, kind, name)
{
    ReadOnly = true;
}

TkxParamItem::TkxParamItem(const QString &name, TkxKind kind, const QString &typeName,
                           bool isVarParam, bool hasDefault, const Variant &defaultValue)
    : TkxCustomVariable(name, kind, typeName), IsVarParam(isVarParam), HasDefault(hasDefault),
      DefaultValue(defaultValue)
{
    m_plain = true;
    if (hasDefault)
        Value = defaultValue;
}

// ---- procedures ---------------------------------------------------------------

TkxProcVariable::TkxProcVariable(const QString &name, bool isFunction, TkxKind resultKind,
                                 const QString &resultType, TkxScript *parent)
    : TkxCustomVariable(name, isFunction ? resultKind : TkxKind::Variant,
                        isFunction ? resultType : QStringLiteral("Variant")),
      IsFunction(isFunction), m_local(std::make_unique<TkxScript>())
{
    ReadOnly = true;
    m_local->SetParent(parent);
    if (isFunction) {
        const Variant initial = resultKind == TkxKind::String || resultKind == TkxKind::Char
            ? Variant::fromString8(QString())
            : Variant::null();
        RefItem = m_local->AddVariable(QStringLiteral("Result"), resultKind, resultType, initial);
    }
}

TkxProcVariable::~TkxProcVariable() = default;

TkxParamItem *TkxProcVariable::AddParameter(const QString &name, TkxKind kind,
                                            const QString &typeName, bool isVarParam,
                                            bool hasDefault, const Variant &defaultValue)
{
    auto param = std::make_unique<TkxParamItem>(name, kind, typeName, isVarParam, hasDefault,
                                                defaultValue);
    TkxParamItem *raw = m_local->Add(name, std::move(param));
    LinkParam(raw);
    return raw;
}

void TkxProcVariable::refreshLocalVariables()
{
    m_localVars.clear();
    for (int i = 0; i < m_local->Count(); ++i) {
        TkxItemList *item = m_local->Items(i);
        if (dynamic_cast<TkxVariable *>(item) || dynamic_cast<TkxParamItem *>(item))
            m_localVars.push_back(static_cast<TkxCustomVariable *>(item));
    }
    m_localVarsVersion = m_local->ItemsVersion();
}

void callframe::throwCallDepthError()
{
    throw ScriptError(QStringLiteral("Stack overflow: script calls nested more than %1 deep")
                          .arg(TkxScript::MaxCallDepth()),
                      QStringLiteral("EStackOverflow"));
}

Variant TkxProcVariable::GetValue()
{
    return Run();
}

// ---- string and array access --------------------------------------------------

void throwStringIndexError(qint64 index, qint64 length)
{
    throw ScriptError(QStringLiteral("String index %1 out of range 1..%2").arg(index).arg(length),
                      QStringLiteral("ERangeError"));
}

void throwNotAnArrayError()
{
    throw ScriptError(QStringLiteral("Variant is not an array"),
                      QStringLiteral("EVariantNotAnArrayError"));
}

void throwArrayIndexError()
{
    throw ScriptError(QStringLiteral("Variant or safe array index out of bounds"),
                      QStringLiteral("EVariantBadIndexError"));
}

Variant stringCharAt(const Variant &text, qint64 index)
{
    const QString s = text.isString() ? text.stringRef() : text.toString();
    if (index < 1 || index > s.size())
        throwStringIndexError(index, s.size());
    const QString ch(s[int(index - 1)]);
    return text.type() == varOleStr ? Variant(ch) : Variant::fromString8(ch);
}

Variant stringWithCharAt(const Variant &text, qint64 index, const Variant &value)
{
    QString s = text.isString() ? text.stringRef() : text.toString();
    if (index < 1 || index > s.size())
        throwStringIndexError(index, s.size());
    const QString v = value.toString();
    s[int(index - 1)] = v.isEmpty() ? QChar(0) : v[0];
    return text.type() == varOleStr ? Variant(s) : Variant::fromString8(s);
}

TkxArrayHelper::TkxArrayHelper(const QString &name, int dimensions, bool onValueBeforeDot)
    : TkxCustomHelper(name, TkxKind::Variant, QStringLiteral("Variant")),
      m_onValueBeforeDot(onValueBeforeDot)
{
    for (int i = 0; i < dimensions; ++i)
        AddParam(std::make_unique<TkxParamItem>(QStringLiteral("Index%1").arg(i), TkxKind::Integer,
                                                QStringLiteral("Integer"), false, i > 0,
                                                Variant(0)));
}

TkxArrayHelper::Indices TkxArrayHelper::indices(int dimensions) const
{
    // The registered helper has three index parameters of which the last two
    // default; the array's own dimension count says how many are meant.
    Indices out;
    const int n = qMin(qMin(ParamCount(), dimensions), kMaxIndices);
    for (int i = 0; i < n; ++i)
        out.append(Param(i)->Value.toInt64());
    return out;
}

Variant TkxArrayHelper::GetValue()
{
    const Variant &array = m_onValueBeforeDot || !ParentRef ? ParentValue : ParentRef->Value;
    if (!array.isArray())
        throwNotAnArrayError();
    const int dims = array.arrayDimCount();
    if (dims > kMaxIndices)
        return Variant::null();
    const Indices idx = indices(dims);
    const Variant *element = array.arrayElement(idx.data(), int(idx.size()));
    if (!element)
        throwArrayIndexError();
    return *element;
}

void TkxArrayHelper::SetValue(const Variant &value)
{
    if (!m_onValueBeforeDot && ParentRef) {
        // In place: drop our copy first so that the array is not shared and
        // the write does not copy it.
        ParentValue = Variant();
        Variant &array = ParentRef->Value;
        if (!array.isArray())
            throwNotAnArrayError();
        if (array.arrayDimCount() > kMaxIndices)
            return;
        const Indices idx = indices(array.arrayDimCount());
        array.setArrayElement(idx.data(), int(idx.size()), value);
        return;
    }
    Variant array = ParentValue;
    ParentValue = Variant();
    if (!array.isArray())
        throwNotAnArrayError();
    if (array.arrayDimCount() > kMaxIndices)
        return;
    const Indices idx = indices(array.arrayDimCount());
    array.setArrayElement(idx.data(), int(idx.size()), value);
    if (ParentRef)
        ParentRef->SetValue(array);
}

TkxStringHelper::TkxStringHelper(const QString &name)
    : TkxCustomHelper(name, TkxKind::Char, QStringLiteral("Char"))
{
    AddParam(std::make_unique<TkxParamItem>(QStringLiteral("Index"), TkxKind::Integer,
                                            QStringLiteral("Integer"), false));
}

Variant TkxStringHelper::GetValue()
{
    return stringCharAt(ParentValue, Param(0)->Value.toInt64());
}

void TkxStringHelper::SetValue(const Variant &value)
{
    const Variant changed = stringWithCharAt(ParentValue, Param(0)->Value.toInt64(), value);
    if (ParentRef)
        ParentRef->SetValue(changed);
}

}   // namespace pgx::script
