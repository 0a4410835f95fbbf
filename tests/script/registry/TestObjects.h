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
    Q_PROPERTY(bool Visible READ visible WRITE setVisible)
    Q_PROPERTY(int Width READ width WRITE setWidth)
    Q_PROPERTY(double Ratio READ ratio WRITE setRatio)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(TLayout Layout READ layout WRITE setLayout)
    Q_PROPERTY(int Tag READ tag)
public:
    bool visible() const { return m_visible; }
    void setVisible(bool v) { m_visible = v; }
    int width() const { return m_width; }
    void setWidth(int w) { m_width = w; }
    double ratio() const { return m_ratio; }
    void setRatio(double r) { m_ratio = r; }
    QString caption() const { return m_caption; }
    void setCaption(const QString &c) { m_caption = c; }
    TLayout layout() const { return m_layout; }
    void setLayout(TLayout l) { m_layout = l; }
    int tag() const { return 42; }

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
    void setScriptEvent(const QString &eventName, TkxNativeEvent handler) override
    {
        if (handler)
            m_events.insert(eventName, std::move(handler));
        else
            m_events.remove(eventName);
    }
    bool has(const QString &eventName) const { return m_events.contains(eventName); }
    void fire(const QString &eventName, QList<Variant> &args)
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
