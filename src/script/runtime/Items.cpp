#include "script/runtime/Items.h"

#include "script/runtime/CallFrame.h"
#include "script/runtime/Script.h"
#include "script/runtime/Statements.h"
#include "script/value/ScriptError.h"

namespace pgx::script {

TkxItemList::~TkxItemList() = default;

void TkxItemList::clear()
{
    m_subItems.clear();
}

// ---- TkxCustomVariable ------------------------------------------------------

TkxCustomVariable::TkxCustomVariable(const QString &name, TkxKind kind, const QString &typeName)
    : m_name(name), m_upperName(name.toUpper()), m_kind(kind), m_typeName(typeName)
{ }

void TkxCustomVariable::setName(const QString &name)
{
    m_name = name;
    m_upperName = name.toUpper();
}

void TkxCustomVariable::setValue(const Variant &value)
{
    if (!readOnly)
        this->value = value;
}

Variant TkxCustomVariable::getValue()
{
    return value;
}

TkxParamItem *TkxCustomVariable::addParam(std::unique_ptr<TkxParamItem> param)
{
    TkxParamItem *raw = param.get();
    m_params.push_back(raw);
    addSubItem(std::move(param));
    return raw;
}

void TkxCustomVariable::linkParam(TkxParamItem *param)
{
    m_params.push_back(param);
}

int TkxCustomVariable::requiredParamCount() const
{
    int n = 0;
    for (const TkxParamItem *p : m_params)
        if (!p->hasDefault)
            ++n;
    return n;
}

TkxVariable::TkxVariable(const QString &name, TkxKind kind, const QString &typeName,
                         const Variant &value)
    : TkxCustomVariable(name, kind, typeName)
{
    this->value = value;
    m_plain = true;
}

TkxStringVariable::TkxStringVariable(const QString &name, TkxKind kind, const QString &typeName)
    : TkxVariable(name, kind, typeName, Variant::fromString8(QString()))
{
    m_plain = false;
}

void TkxStringVariable::setValue(const Variant &value)
{
    if (readOnly)
        return;
    this->value = value.type() == varString ? value : Variant::fromString8(value.toString());
}

TkxTypeVariable::TkxTypeVariable(const QString &name, TkxKind kind)
    : TkxCustomVariable(name, kind, name)
{
    readOnly = true;
}

TkxParamItem::TkxParamItem(const QString &name, TkxKind kind, const QString &typeName,
                           bool isVarParam, bool hasDefault, const Variant &defaultValue)
    : TkxCustomVariable(name, kind, typeName), isVarParam(isVarParam), hasDefault(hasDefault),
      defaultValue(defaultValue)
{
    m_plain = true;
    if (hasDefault)
        value = defaultValue;
}

// ---- procedures ---------------------------------------------------------------

TkxProcVariable::TkxProcVariable(const QString &name, bool isFunction, TkxKind resultKind,
                                 const QString &resultType, TkxScript *parent)
    : TkxCustomVariable(name, isFunction ? resultKind : TkxKind::Variant,
                        isFunction ? resultType : QStringLiteral("Variant")),
      isFunction(isFunction), m_local(std::make_unique<TkxScript>())
{
    readOnly = true;
    m_local->setParentScope(parent);
    if (isFunction) {
        const Variant initial = resultKind == TkxKind::String || resultKind == TkxKind::Char
            ? Variant::fromString8(QString())
            : Variant::null();
        refItem = m_local->addVariable(QStringLiteral("Result"), resultKind, resultType, initial);
    }
}

TkxProcVariable::~TkxProcVariable() = default;

TkxParamItem *TkxProcVariable::addParameter(const QString &name, TkxKind kind,
                                            const QString &typeName, bool isVarParam,
                                            bool hasDefault, const Variant &defaultValue)
{
    auto param = std::make_unique<TkxParamItem>(name, kind, typeName, isVarParam, hasDefault,
                                                defaultValue);
    TkxParamItem *raw = m_local->add(name, std::move(param));
    linkParam(raw);
    return raw;
}

void TkxProcVariable::refreshLocalVariables()
{
    m_localVars.clear();
    for (int i = 0; i < m_local->count(); ++i) {
        TkxItemList *item = m_local->items(i);
        if (dynamic_cast<TkxVariable *>(item) || dynamic_cast<TkxParamItem *>(item))
            m_localVars.push_back(static_cast<TkxCustomVariable *>(item));
    }
    m_localVarsVersion = m_local->itemsVersion();
}

Variant TkxProcVariable::getValue()
{
    return run();
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
        addParam(std::make_unique<TkxParamItem>(QStringLiteral("Index%1").arg(i), TkxKind::Integer,
                                                QStringLiteral("Integer"), false, i > 0,
                                                Variant(0)));
}

TkxArrayHelper::Indices TkxArrayHelper::indices(int dimensions) const
{
    // The registered helper has three index parameters of which the last two
    // default; the array's own dimension count says how many are meant.
    Indices out;
    const int n = qMin(qMin(paramCount(), dimensions), kMaxIndices);
    for (int i = 0; i < n; ++i)
        out.append(param(i)->value.toInt64());
    return out;
}

Variant TkxArrayHelper::getValue()
{
    const Variant &array = m_onValueBeforeDot || !parentRef ? parentValue : parentRef->value;
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

void TkxArrayHelper::setValue(const Variant &value)
{
    if (!m_onValueBeforeDot && parentRef) {
        // In place: drop our copy first so that the array is not shared and
        // the write does not copy it.
        parentValue = Variant();
        Variant &array = parentRef->value;
        if (!array.isArray())
            throwNotAnArrayError();
        if (array.arrayDimCount() > kMaxIndices)
            return;
        const Indices idx = indices(array.arrayDimCount());
        array.setArrayElement(idx.data(), int(idx.size()), value);
        return;
    }
    Variant array = parentValue;
    parentValue = Variant();
    if (!array.isArray())
        throwNotAnArrayError();
    if (array.arrayDimCount() > kMaxIndices)
        return;
    const Indices idx = indices(array.arrayDimCount());
    array.setArrayElement(idx.data(), int(idx.size()), value);
    if (parentRef)
        parentRef->setValue(array);
}

TkxStringHelper::TkxStringHelper(const QString &name)
    : TkxCustomHelper(name, TkxKind::Char, QStringLiteral("Char"))
{
    addParam(std::make_unique<TkxParamItem>(QStringLiteral("Index"), TkxKind::Integer,
                                            QStringLiteral("Integer"), false));
}

Variant TkxStringHelper::getValue()
{
    return stringCharAt(parentValue, param(0)->value.toInt64());
}

void TkxStringHelper::setValue(const Variant &value)
{
    const Variant changed = stringWithCharAt(parentValue, param(0)->value.toInt64(), value);
    if (parentRef)
        parentRef->setValue(changed);
}

}   // namespace pgx::script
