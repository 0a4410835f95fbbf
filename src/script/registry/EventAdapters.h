#pragma once

#include "script/runtime/Items.h"

#include <QtCore/QList>
#include <QtCore/QObject>
#include <QtCore/QPointer>

#include <functional>
#include <memory>

namespace pgx::script {

class TkxProcVariable;

// How an object fires a native event: the arguments in order; the handler
// writes the by-reference ones back into the list.
using TkxNativeEvent = std::function<void(QList<Variant> &args)>;

// Objects with events that scripts may bind implement this; an empty
// handler clears the event.
class TkxEventTarget
{
public:
    virtual ~TkxEventTarget() = default;
    virtual void setScriptEvent(const QString &eventName, TkxNativeEvent handler) = 0;
};

// One adapter class: the signature of a native event and which of its
// arguments come back after the script procedure ran.
struct TkxEventAdapterClass
{
    enum WriteBack : quint8 { None, AsInteger, AsBoolean, AsFirstChar, AsString };
    const char *className;
    QList<WriteBack> args;   // per argument, in order
};

extern const TkxEventAdapterClass kTkxNotifyEvent;
extern const TkxEventAdapterClass kTkxMouseEvent;
extern const TkxEventAdapterClass kTkxMouseMoveEvent;
extern const TkxEventAdapterClass kTkxKeyEvent;
extern const TkxEventAdapterClass kTkxKeyPressEvent;
extern const TkxEventAdapterClass kTkxCloseEvent;
extern const TkxEventAdapterClass kTkxCloseQueryEvent;
extern const TkxEventAdapterClass kTkxCanResizeEvent;
extern const TkxEventAdapterClass kTkxDatasetNotifyEvent;
extern const TkxEventAdapterClass kTkxFilterRecordEvent;
extern const TkxEventAdapterClass kTkxFieldGetTextEvent;
const TkxEventAdapterClass *findEventAdapterClass(const QString &className);

// Serves one object's event with one script procedure. The script owns it
// (an unnamed item); the native entry it hands out holds it weakly, so an
// event that fires after the script is gone does nothing.
class TkxCustomEvent : public TkxItemList
{
public:
    TkxCustomEvent(const TkxEventAdapterClass &cls, QObject *instance, TkxProcVariable *handler);
    ~TkxCustomEvent() override;

    // The native entry: assigns the arguments to the procedure's first
    // parameters, runs it unless it is already executing, and writes back
    // the by-reference arguments of the signature. A script error the
    // procedure raises reaches the caller of the entry, which reports it.
    void fire(QList<Variant> &args);
    TkxNativeEvent nativeEntry();

    const TkxEventAdapterClass &adapterClass() const { return m_class; }
    QObject *instance() const { return m_instance; }
    TkxProcVariable *handler() const { return m_handler; }

private:
    const TkxEventAdapterClass &m_class;
    QPointer<QObject> m_instance;
    TkxProcVariable *m_handler;
    std::shared_ptr<TkxCustomEvent *> m_self;
};

}   // namespace pgx::script
