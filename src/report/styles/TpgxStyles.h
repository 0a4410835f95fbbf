#pragma once

#include "report/component/TpgxFont.h"
#include "report/component/TpgxFrame.h"

#include <QtCore/QIODevice>
#include <QtCore/QObject>
#include <QtCore/QStringList>

class TpgxReport;
class TpgxStyles;
namespace pgx {
class TpgxXMLItem;
}

// A named look for text objects: fill colour, font and frame.
class TpgxStyleItem : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(int Color READ Color WRITE SetColor)
    Q_PROPERTY(TpgxFont *Font READ Font)
    Q_PROPERTY(TpgxFrame *Frame READ Frame)
    Q_CLASSINFO("pgx:type:Color", "TColor")
    Q_CLASSINFO("pgx:default:Color", "536870911")

public:
    explicit TpgxStyleItem(TpgxStyles *styles = nullptr);

    QString Name() const { return m_name; }
    // Unique in its styles set without regard to case: a name another style
    // of the set has raises "Duplicate name" and the old name stays.
    void SetName(const QString &value);
    TColor Color() const { return m_color; }
    void SetColor(TColor value) { m_color = value; }
    TpgxFont *Font() const { return const_cast<TpgxFont *>(&m_font); }
    TpgxFrame *Frame() const { return const_cast<TpgxFrame *>(&m_frame); }

    // "Style" + the smallest free number from 1 in the set.
    void MakeUniqueName();
    void Assign(const TpgxStyleItem &source);

private:
    TpgxStyles *m_styles;
    QString m_name;
    TColor m_color = clTransparent;
    TpgxFont m_font;
    TpgxFrame m_frame;
};

// A named set of styles. Stored as an element "style" with the attribute
// Name and one "item" per style carrying the style's attributes; a styles
// file has that element as its root. In templates it is the "Style" entry
// of the report's PropData.
class TpgxStyles : public QObject
{
    Q_OBJECT

public:
    explicit TpgxStyles(QObject *parent = nullptr) : QObject(parent) { }

    QString Name() const { return m_name; }
    void SetName(const QString &value) { m_name = value; }
    int Count() const { return int(m_items.size()); }
    TpgxStyleItem *Items(int index) const { return m_items.value(index); }
    const QList<TpgxStyleItem *> &items() const { return m_items; }
    // A new style at the end (without a name).
    TpgxStyleItem *Add();
    void Delete(int index);
    void Clear();
    // The style of that name without regard to case; null for none.
    TpgxStyleItem *Find(const QString &name) const;
    void ListNames(QStringList &list) const;
    void Assign(const TpgxStyles &source);

    // The element of this set in `item` ("style", Name, one "item" each).
    void WriteElement(pgx::TpgxXMLItem &item) const;
    // Replaces the set by the element's contents; only "item" children are
    // read. Faults of the values are added to `errors`.
    void ReadElement(const pgx::TpgxXMLItem &item, QStringList &errors);

    void SaveToStream(QIODevice *stream) const;
    void SaveToFile(const QString &fileName) const;
    // A document whose root is not "style" loads nothing. Not XML: pgx::Error.
    QStringList LoadFromStream(QIODevice *stream);
    QStringList LoadFromFile(const QString &fileName);

    // Every object of the report with a Style naming a style of this set
    // takes that style's colour, font and frame again; an object whose
    // style no longer exists has its Style cleared.
    void Apply(TpgxReport *report) const;

private:
    QString m_name;
    QList<TpgxStyleItem *> m_items;
};

// An ordered list of named styles sets (.pgs files: root "stylesheet",
// one "style" element per set).
class TpgxStyleSheet : public QObject
{
    Q_OBJECT

public:
    explicit TpgxStyleSheet(QObject *parent = nullptr) : QObject(parent) { }

    // A new, empty styles set at the end.
    TpgxStyles *Add();
    void Clear();
    void Delete(int index);
    int Count() const { return int(m_items.size()); }
    TpgxStyles *Items(int index) const { return m_items.value(index); }
    TpgxStyles *Find(const QString &name) const;
    void ListNames(QStringList &list) const;

    void SaveToStream(QIODevice *stream) const;
    void SaveToFile(const QString &fileName) const;
    // The sheet is emptied first; a root other than "stylesheet" loads
    // nothing, and only "style" children are read.
    QStringList LoadFromStream(QIODevice *stream);
    QStringList LoadFromFile(const QString &fileName);

    // The four sets the report wizard offers: "Pagoryn", "Standard",
    // "Soft gray" and "Corporate".
    void LoadBuiltIn();

private:
    QList<TpgxStyles *> m_items;
};
