#pragma once

#include "script/registry/EventAdapters.h"

#include <QtCore/QHash>
#include <QtCore/QObject>

namespace pgx::script::test {

// A host object with published properties of every kind the registry maps.
class TTestPanel : public QObject
{
    Q_OBJECT
public:
    enum TLayout { tlTop, tlCenter, tlBottom };
    Q_ENUM(TLayout)
private:
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(double Ratio READ Ratio WRITE SetRatio)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(TLayout Layout READ Layout WRITE SetLayout)
    Q_PROPERTY(int Tag READ Tag)
public:
    bool Visible() const { return m_visible; }
    void SetVisible(bool v) { m_visible = v; }
    int Width() const { return m_width; }
    void SetWidth(int w) { m_width = w; }
    double Ratio() const { return m_ratio; }
    void SetRatio(double r) { m_ratio = r; }
    QString Caption() const { return m_caption; }
    void SetCaption(const QString &c) { m_caption = c; }
    TLayout Layout() const { return m_layout; }
    void SetLayout(TLayout l) { m_layout = l; }
    int Tag() const { return 42; }

private:
    bool m_visible = false;
    int m_width = 0;
    double m_ratio = 0;
    QString m_caption;
    TLayout m_layout = tlTop;
};

// A form with events that scripts bind.
class TForm : public TTestPanel, public TkxEventTarget
{
    Q_OBJECT
public:
    void SetScriptEvent(const QString &eventName, TkxNativeEvent handler) override
    {
        if (handler)
            m_events.insert(eventName, std::move(handler));
        else
            m_events.remove(eventName);
    }
    bool Has(const QString &eventName) const { return m_events.contains(eventName); }
    void Fire(const QString &eventName, QList<Variant> &args)
    {
        if (auto it = m_events.find(eventName); it != m_events.end())
            (*it)(args);
    }

private:
    QHash<QString, TkxNativeEvent> m_events;
};

class TOrderForm : public TForm
{
    Q_OBJECT
};

}   // namespace pgx::script::test
