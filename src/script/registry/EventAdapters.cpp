#include "script/registry/EventAdapters.h"

#include "script/runtime/Script.h"

namespace pgx::script {

using W = TkxEventAdapterClass;

const TkxEventAdapterClass kTkxNotifyEvent{"TkxNotifyEvent", {W::None}};
const TkxEventAdapterClass kTkxMouseEvent{"TkxMouseEvent",
                                          {W::None, W::None, W::None, W::None, W::None}};
const TkxEventAdapterClass kTkxMouseMoveEvent{"TkxMouseMoveEvent",
                                              {W::None, W::None, W::None, W::None}};
const TkxEventAdapterClass kTkxKeyEvent{"TkxKeyEvent", {W::None, W::AsInteger, W::None}};
const TkxEventAdapterClass kTkxKeyPressEvent{"TkxKeyPressEvent", {W::None, W::AsFirstChar}};
const TkxEventAdapterClass kTkxCloseEvent{"TkxCloseEvent", {W::None, W::AsInteger}};
const TkxEventAdapterClass kTkxCloseQueryEvent{"TkxCloseQueryEvent", {W::None, W::AsBoolean}};
const TkxEventAdapterClass kTkxCanResizeEvent{"TkxCanResizeEvent",
                                              {W::None, W::AsInteger, W::AsInteger, W::AsBoolean}};
const TkxEventAdapterClass kTkxDatasetNotifyEvent{"TkxDatasetNotifyEvent", {W::None}};
const TkxEventAdapterClass kTkxFilterRecordEvent{"TkxFilterRecordEvent", {W::None, W::AsBoolean}};
const TkxEventAdapterClass kTkxFieldGetTextEvent{"TkxFieldGetTextEvent",
                                                 {W::None, W::AsString, W::None}};

const TkxEventAdapterClass *findEventAdapterClass(const QString &className)
{
    static const TkxEventAdapterClass *const kAll[] = {
        &kTkxNotifyEvent,       &kTkxMouseEvent,        &kTkxMouseMoveEvent,
        &kTkxKeyEvent,          &kTkxKeyPressEvent,     &kTkxCloseEvent,
        &kTkxCloseQueryEvent,   &kTkxCanResizeEvent,    &kTkxDatasetNotifyEvent,
        &kTkxFilterRecordEvent, &kTkxFieldGetTextEvent,
    };
    for (const TkxEventAdapterClass *c : kAll) {
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

TkxNativeEvent TkxCustomEvent::nativeEntry()
{
    std::weak_ptr<TkxCustomEvent *> weak = m_self;
    return [weak](QList<Variant> &args) {
        if (auto self = weak.lock(); self && *self)
            (*self)->fire(args);
    };
}

void TkxCustomEvent::fire(QList<Variant> &args)
{
    if (!m_handler || m_handler->executing)
        return;
    const int n = qMin(int(args.size()), m_handler->paramCount());
    for (int i = 0; i < n; ++i)
        m_handler->param(i)->value = args[i];
    m_handler->getValue();
    for (int i = 0; i < n && i < m_class.args.size(); ++i) {
        const Variant &v = m_handler->param(i)->value;
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
