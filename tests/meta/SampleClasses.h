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
    Q_PROPERTY(int Width MEMBER Width)
    Q_PROPERTY(QString Caption MEMBER Caption)
    Q_CLASSINFO("pgx:default:Width", "1")

public:
    int Width = 1;
    QString Caption;
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
    Q_PROPERTY(int Count MEMBER Count)
    Q_PROPERTY(double Ratio MEMBER Ratio)
    Q_PROPERTY(bool Flag MEMBER Flag)
    Q_PROPERTY(bool Plain MEMBER Plain)
    Q_PROPERTY(QString Text MEMBER Text)
    Q_PROPERTY(QString OnClick MEMBER OnClick)
    Q_PROPERTY(Sample::SampleMode Mode MEMBER Mode)
    Q_PROPERTY(Sample::SampleOptions Options MEMBER Options)
    Q_PROPERTY(QStringList Lines MEMBER Lines)
    Q_PROPERTY(QVariant Value MEMBER Value)
    Q_PROPERTY(SampleInner *Inner READ Inner)
    Q_PROPERTY(SampleNode *Link READ Link WRITE SetLink)
    Q_PROPERTY(qint64 Big MEMBER Big)
    Q_PROPERTY(QRectF Area MEMBER Area)
    Q_PROPERTY(int Color MEMBER Color)
    Q_PROPERTY(int Hidden MEMBER Hidden STORED false)
    Q_PROPERTY(QString Caption MEMBER Caption)
    Q_CLASSINFO("pgx:default:Count", "3")
    Q_CLASSINFO("pgx:default:Ratio", "2,5")
    Q_CLASSINFO("pgx:default:Flag", "True")
    Q_CLASSINFO("pgx:default:Mode", "mdTwo")
    Q_CLASSINFO("pgx:default:Options", "opFirst|opThird")
    Q_CLASSINFO("pgx:type:Color", "TColor")
    Q_CLASSINFO("pgx:stored:Caption", "CaptionIsStored")

public:
    enum SampleMode { mdOne, mdTwo, mdThree };
    Q_ENUM(SampleMode)
    enum SampleOption { opFirst = 1 << 0, opSecond = 1 << 1, opThird = 1 << 2 };
    Q_DECLARE_FLAGS(SampleOptions, SampleOption)
    Q_FLAG(SampleOptions)

    Q_INVOKABLE explicit Sample(QObject *owner = nullptr) : SampleNode(owner) { }

    int Count = 3;
    double Ratio = 2.5;
    bool Flag = true;
    bool Plain = false;
    QString Text;
    QString OnClick;
    SampleMode Mode = mdTwo;
    SampleOptions Options = SampleOptions(opFirst | opThird);
    QStringList Lines;
    QVariant Value;
    qint64 Big = 0;
    QRectF Area;
    int Color = 0;
    int Hidden = 0;
    QString Caption;

    SampleInner *Inner() const { return const_cast<SampleInner *>(&m_inner); }
    SampleNode *Link() const { return m_link; }
    void SetLink(SampleNode *node) { m_link = node; }
    Q_INVOKABLE bool CaptionIsStored() const { return Caption != QLatin1String("auto"); }

private:
    SampleInner m_inner;
    QPointer<SampleNode> m_link;
};

// Declares Count again (keeping its place, with a new default) and adds one.
class SampleDerived : public Sample
{
    Q_OBJECT
    Q_PROPERTY(int Extra MEMBER Extra)
    Q_PROPERTY(int Count MEMBER Count)
    Q_CLASSINFO("pgx:default:Count", "7")

public:
    Q_INVOKABLE explicit SampleDerived(QObject *owner = nullptr) : Sample(owner) { Count = 7; }
    int Extra = 0;
};

// Every mistake the reflection reports.
class SampleBroken : public QObject
{
    Q_OBJECT
    Q_PROPERTY(SampleBroken::Gappy Gap MEMBER Gap)
    Q_PROPERTY(SampleBroken::BadFlags Bits MEMBER Bits)
    Q_PROPERTY(int Number MEMBER Number)
    Q_PROPERTY(bool Switch MEMBER Switch)
    Q_PROPERTY(QStringList List MEMBER List)
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

    Gappy Gap = gpA;
    BadFlags Bits;
    int Number = 0;
    bool Switch = false;
    QStringList List;
};
