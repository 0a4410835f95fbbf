#include "script/registry/EventAdapters.h"

#include "script/runtime/Script.h"

namespace pgx::script {

using W = TkxEventAdapterClass;

const TkxEventAdapterClass TkxNotifyEvent{"TkxNotifyEvent", {W::None}};
const TkxEventAdapterClass TkxMouseEvent{"TkxMouseEvent",
                                         {W::None, W::None, W::None, W::None, W::None}};
const TkxEventAdapterClass TkxMouseMoveEvent{"TkxMouseMoveEvent",
                                             {W::None, W::None, W::None, W::None}};
const TkxEventAdapterClass TkxKeyEvent{"TkxKeyEvent", {W::None, W::AsInteger, W::None}};
const TkxEventAdapterClass TkxKeyPressEvent{"TkxKeyPressEvent", {W::None, W::AsFirstChar}};
const TkxEventAdapterClass TkxCloseEvent{"TkxCloseEvent", {W::None, W::AsInteger}};
const TkxEventAdapterClass TkxCloseQueryEvent{"TkxCloseQueryEvent", {W::None, W::AsBoolean}};
const TkxEventAdapterClass TkxCanResizeEvent{"TkxCanResizeEvent",
                                             {W::None, W::AsInteger, W::AsInteger, W::AsBoolean}};
const TkxEventAdapterClass TkxDatasetNotifyEvent{"TkxDatasetNotifyEvent", {W::None}};
const TkxEventAdapterClass TkxFilterRecordEvent{"TkxFilterRecordEvent", {W::None, W::AsBoolean}};
const TkxEventAdapterClass TkxFieldGetTextEvent{"TkxFieldGetTextEvent",
                                                {W::None, W::AsString, W::None}};

const TkxEventAdapterClass *FindEventAdapterClass(const QString &className)
{
    static const TkxEventAdapterClass *const all[] = {
        &TkxNotifyEvent,        &TkxMouseEvent,        &TkxMouseMoveEvent,    &TkxKeyEvent,
        &TkxKeyPressEvent,      &TkxCloseEvent,        &TkxCloseQueryEvent,   &TkxCanResizeEvent,
        &TkxDatasetNotifyEvent, &TkxFilterRecordEvent, &TkxFieldGetTextEvent,
    };
    for (const TkxEventAdapterClass *c : all) {
        if (className.compare(QLatin1String(c->className), Qt::CaseInsensitive) == 0)
            return c;
    }
    return nullptr;
}

TkxCustomEvent::TkxCustomEvent(const TkxEventAdapterClass &cls, QObject *instance,
                               TkxProcVariable *handler)
    : m_class(cls), m_instance(instance), m_handler(handler),
      m_self(std::make_shared<TkxCustomEvent *>(this))
{ }

TkxCustomEvent::~TkxCustomEvent()
{
    *m_self = nullptr;
}

TkxNativeEvent TkxCustomEvent::NativeEntry()
{
    std::weak_ptr<TkxCustomEvent *> weak = m_self;
    return [weak](QList<Variant> &args) {
        if (auto self = weak.lock(); self && *self)
            (*self)->Fire(args);
    };
}

void TkxCustomEvent::Fire(QList<Variant> &args)
{
    if (!m_handler || m_handler->Executing)
        return;
    const int n = qMin(int(args.size()), m_handler->ParamCount());
    for (int i = 0; i < n; ++i)
        m_handler->Param(i)->Value = args[i];
    m_handler->GetValue();
    for (int i = 0; i < n && i < m_class.args.size(); ++i) {
        const Variant &v = m_handler->Param(i)->Value;
        switch (m_class.args[i]) {
        case W::None: break;
        case W::AsInteger: args[i] = Variant::fromInt(v.toInt64()); break;
        case W::AsBoolean: args[i] = Variant(v.toBool()); break;
        case W::AsFirstChar: args[i] = Variant::fromString8(v.toString().left(1)); break;
        case W::AsString: args[i] = Variant::fromString8(v.toString()); break;
        }
    }
}

}   // namespace pgx::script
