#pragma once

// Test-only reflected classes: one of every property kind, a subclass that
// declares again, and a class with declaration mistakes.
#include "meta/MetaComponent.h"

#include <QtCore/QPointer>
#include <QtCore/QRectF>
#include <QtCore/QStringList>
#include <QtCore/QVariant>

class SampleInner : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int Width MEMBER width)
    Q_PROPERTY(QString Caption MEMBER caption)
    Q_CLASSINFO("pgx:default:Width", "1")

public:
    int width = 1;
    QString caption;
};

// A minimal component: a flat list of children is enough for the reflection.
class SampleNode : public pgx::MetaComponent
{
    Q_OBJECT
    Q_PROPERTY(QString Name READ componentName WRITE setComponentName STORED false)

public:
    Q_INVOKABLE explicit SampleNode(QObject *owner = nullptr);

    QString componentName() const override { return m_name; }
    void setComponentName(const QString &name) override { m_name = name; }
    pgx::MetaComponent *parentComponent() const override { return m_parent; }
    qsizetype childCount() const override { return m_children.size(); }
    pgx::MetaComponent *childAt(qsizetype i) const override { return m_children.value(i); }
    pgx::MetaComponent *findComponent(const QString &name) const override;
    void clearComponent() override;

private:
    SampleNode *m_parent = nullptr;
    QList<SampleNode *> m_children;
    QString m_name;
};

class Sample : public SampleNode
{
    Q_OBJECT
    Q_PROPERTY(int Count MEMBER count)
    Q_PROPERTY(double Ratio MEMBER ratio)
    Q_PROPERTY(bool Flag MEMBER flag)
    Q_PROPERTY(bool Plain MEMBER plain)
    Q_PROPERTY(QString Text MEMBER text)
    Q_PROPERTY(QString OnClick MEMBER onClick)
    Q_PROPERTY(Sample::SampleMode Mode MEMBER mode)
    Q_PROPERTY(Sample::SampleOptions Options MEMBER options)
    Q_PROPERTY(QStringList Lines MEMBER lines)
    Q_PROPERTY(QVariant Value MEMBER value)
    Q_PROPERTY(SampleInner *Inner READ inner)
    Q_PROPERTY(SampleNode *Link READ link WRITE setLink)
    Q_PROPERTY(qint64 Big MEMBER big)
    Q_PROPERTY(QRectF Area MEMBER area)
    Q_PROPERTY(int Color MEMBER color)
    Q_PROPERTY(int Hidden MEMBER hidden STORED false)
    Q_PROPERTY(QString Caption MEMBER caption)
    Q_CLASSINFO("pgx:default:Count", "3")
    Q_CLASSINFO("pgx:default:Ratio", "2,5")
    Q_CLASSINFO("pgx:default:Flag", "True")
    Q_CLASSINFO("pgx:default:Mode", "mdTwo")
    Q_CLASSINFO("pgx:default:Options", "opFirst|opThird")
    Q_CLASSINFO("pgx:type:Color", "TColor")
    Q_CLASSINFO("pgx:stored:Caption", "captionIsStored")

public:
    enum SampleMode { mdOne, mdTwo, mdThree };
    Q_ENUM(SampleMode)
    enum SampleOption { opFirst = 1 << 0, opSecond = 1 << 1, opThird = 1 << 2 };
    Q_DECLARE_FLAGS(SampleOptions, SampleOption)
    Q_FLAG(SampleOptions)

    Q_INVOKABLE explicit Sample(QObject *owner = nullptr) : SampleNode(owner) { }

    int count = 3;
    double ratio = 2.5;
    bool flag = true;
    bool plain = false;
    QString text;
    QString onClick;
    SampleMode mode = mdTwo;
    SampleOptions options = SampleOptions(opFirst | opThird);
    QStringList lines;
    QVariant value;
    qint64 big = 0;
    QRectF area;
    int color = 0;
    int hidden = 0;
    QString caption;

    SampleInner *inner() const { return const_cast<SampleInner *>(&m_inner); }
    SampleNode *link() const { return m_link; }
    void setLink(SampleNode *node) { m_link = node; }
    Q_INVOKABLE bool captionIsStored() const { return caption != QLatin1String("auto"); }

private:
    SampleInner m_inner;
    QPointer<SampleNode> m_link;
};

// Declares Count again (keeping its place, with a new default) and adds one.
class SampleDerived : public Sample
{
    Q_OBJECT
    Q_PROPERTY(int Extra MEMBER extra)
    Q_PROPERTY(int Count MEMBER count)
    Q_CLASSINFO("pgx:default:Count", "7")

public:
    Q_INVOKABLE explicit SampleDerived(QObject *owner = nullptr) : Sample(owner) { count = 7; }
    int extra = 0;
};

// Every mistake the reflection reports.
class SampleBroken : public QObject
{
    Q_OBJECT
    Q_PROPERTY(SampleBroken::Gappy Gap MEMBER gap)
    Q_PROPERTY(SampleBroken::BadFlags Bits MEMBER bits)
    Q_PROPERTY(int Number MEMBER number)
    Q_PROPERTY(bool Switch MEMBER Switch)
    Q_PROPERTY(QStringList List MEMBER list)
    Q_CLASSINFO("pgx:default:Number", "twelve")
    Q_CLASSINFO("pgx:default:Switch", "Maybe")
    Q_CLASSINFO("pgx:default:List", "a")
    Q_CLASSINFO("pgx:default:Missing", "1")
    Q_CLASSINFO("pgx:stored:Number", "NoSuchRule")

public:
    enum Gappy { gpA = 0, gpB = 2 };
    Q_ENUM(Gappy)
    enum BadFlag { bfA = 1, bfB = 4 };
    Q_DECLARE_FLAGS(BadFlags, BadFlag)
    Q_FLAG(BadFlags)

    Gappy gap = gpA;
    BadFlags bits;
    int number = 0;
    bool Switch = false;
    QStringList list;
};
