#pragma once

#include <QtCore/QIODevice>
#include <QtCore/QObject>
#include <QtCore/QStringList>
#include <QtCore/QVariant>

// One report variable: a name and a value (null when new). A name that
// begins with a blank is a category heading; the rest of it is the
// category's name.
class TpgxVariable : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Name READ name WRITE setName)
    Q_PROPERTY(QVariant Value READ value WRITE setValue)

public:
    explicit TpgxVariable(QObject *parent = nullptr) : QObject(parent) { }

    QString name() const { return m_name; }
    void setName(const QString &value) { m_name = value; }
    QVariant value() const { return m_value; }
    void setValue(const QVariant &value) { m_value = value; }

    bool isCategory() const { return m_name.startsWith(QLatin1Char(' ')); }

private:
    QString m_name;
    QVariant m_value;
};

// An ordered list of variables with category headings; the variables after
// a heading, up to the next one, belong to its category. Names compare
// without regard to case.
//
// Stored in templates as the "Variables" entry of the report's PropData,
// and on its own as a variables file (.pgd): an indented XML document with
// the root "variables" and one "item" per variable carrying its attributes,
// e.g. <item Name=" Category1"/> or <item Name="Var1" Value="10"/>.
class TpgxVariables : public QObject
{
    Q_OBJECT

public:
    explicit TpgxVariables(QObject *parent = nullptr) : QObject(parent) { }

    int count() const { return int(m_items.size()); }
    TpgxVariable *items(int index) const { return m_items.value(index); }
    const QList<TpgxVariable *> &items() const { return m_items; }
    TpgxVariable *add();
    // A new variable at `index` (clamped to the list).
    TpgxVariable *insert(int index);
    void removeAt(int index);
    void clear();
    // The first variable of that name, without regard to case; -1 if none.
    int indexOf(const QString &name) const;

    // Variables[name]: the value, or null when there is no such variable.
    QVariant value(const QString &name) const;
    // Sets the existing variable's value, or appends a new variable.
    void setValue(const QString &name, const QVariant &value);

    // The category names, in order; with clearList the list is emptied first.
    void listCategories(QStringList &list, bool clearList = true) const;
    // The names after the heading of `category` up to the next heading; for
    // an empty category, the names before the first heading.
    void listVariables(const QString &category, QStringList &list) const;
    // Removes the heading and its variables.
    void removeCategory(const QString &name);
    void removeVariable(const QString &name);
    // Inserts the variable at the end of `category` (before the next
    // heading); nothing when there is no such category.
    void addToCategory(const QString &category, const QString &name, const QVariant &value);

    // Saving throws pgx::Error when the file or stream cannot be written.
    void saveToStream(QIODevice *stream) const;
    void saveToFile(const QString &fileName) const;
    // Loading clears the list and reads every "item" of a "variables"
    // document (nothing is loaded from any other root). A stream that is
    // not XML throws pgx::Error; faults of the items' values are returned.
    QStringList loadFromStream(QIODevice *stream);
    QStringList loadFromFile(const QString &fileName);

    void assign(const TpgxVariables &source);

private:
    int indexOfCategory(const QString &category) const;

    QList<TpgxVariable *> m_items;
};

// The process-wide variables every report and script sees.
TpgxVariables &pgxGlobalVariables();
