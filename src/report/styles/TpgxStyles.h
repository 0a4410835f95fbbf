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
    Q_PROPERTY(QString Name READ name WRITE setName)
    Q_PROPERTY(int Color READ color WRITE setColor)
    Q_PROPERTY(TpgxFont *Font READ font)
    Q_PROPERTY(TpgxFrame *Frame READ frame)
    Q_CLASSINFO("pgx:type:Color", "TColor")
    Q_CLASSINFO("pgx:default:Color", "536870911")

public:
    explicit TpgxStyleItem(TpgxStyles *styles = nullptr);

    QString name() const { return m_name; }
    // Unique in its styles set without regard to case: a name another style
    // of the set has raises "Duplicate name" and the old name stays.
    void setName(const QString &value);
    TColor color() const { return m_color; }
    void setColor(TColor value) { m_color = value; }
    TpgxFont *font() const { return const_cast<TpgxFont *>(&m_font); }
    TpgxFrame *frame() const { return const_cast<TpgxFrame *>(&m_frame); }

    // "Style" + the smallest free number from 1 in the set.
    void makeUniqueName();
    void assign(const TpgxStyleItem &source);

private:
    TpgxStyles *m_styles;
    QString m_name;
    TColor m_color = kClTransparent;
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

    QString name() const { return m_name; }
    void setName(const QString &value) { m_name = value; }
    int count() const { return int(m_items.size()); }
    TpgxStyleItem *items(int index) const { return m_items.value(index); }
    const QList<TpgxStyleItem *> &items() const { return m_items; }
    // A new style at the end (without a name).
    TpgxStyleItem *add();
    void removeAt(int index);
    void clear();
    // The style of that name without regard to case; null for none.
    TpgxStyleItem *find(const QString &name) const;
    void listNames(QStringList &list) const;
    void assign(const TpgxStyles &source);

    // The element of this set in `item` ("style", Name, one "item" each).
    void writeElement(pgx::TpgxXMLItem &item) const;
    // Replaces the set by the element's contents; only "item" children are
    // read. Faults of the values are added to `errors`.
    void readElement(const pgx::TpgxXMLItem &item, QStringList &errors);

    void saveToStream(QIODevice *stream) const;
    void saveToFile(const QString &fileName) const;
    // A document whose root is not "style" loads nothing. Not XML: pgx::Error.
    QStringList loadFromStream(QIODevice *stream);
    QStringList loadFromFile(const QString &fileName);

    // Every object of the report with a Style naming a style of this set
    // takes that style's colour, font and frame again; an object whose
    // style no longer exists has its Style cleared.
    void apply(TpgxReport *report) const;

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
    TpgxStyles *add();
    void clear();
    void removeAt(int index);
    int count() const { return int(m_items.size()); }
    TpgxStyles *items(int index) const { return m_items.value(index); }
    TpgxStyles *find(const QString &name) const;
    void listNames(QStringList &list) const;

    void saveToStream(QIODevice *stream) const;
    void saveToFile(const QString &fileName) const;
    // The sheet is emptied first; a root other than "stylesheet" loads
    // nothing, and only "style" children are read.
    QStringList loadFromStream(QIODevice *stream);
    QStringList loadFromFile(const QString &fileName);

    // The four sets the report wizard offers: "Pagoryn", "Standard",
    // "Soft gray" and "Corporate".
    void loadBuiltIn();

private:
    QList<TpgxStyles *> m_items;
};
