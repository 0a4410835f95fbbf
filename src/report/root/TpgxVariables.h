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
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(QVariant Value READ Value WRITE SetValue)

public:
    explicit TpgxVariable(QObject *parent = nullptr) : QObject(parent) { }

    QString Name() const { return m_name; }
    void SetName(const QString &value) { m_name = value; }
    QVariant Value() const { return m_value; }
    void SetValue(const QVariant &value) { m_value = value; }

    bool IsCategory() const { return m_name.startsWith(QLatin1Char(' ')); }

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

    int Count() const { return int(m_items.size()); }
    TpgxVariable *Items(int index) const { return m_items.value(index); }
    const QList<TpgxVariable *> &items() const { return m_items; }
    TpgxVariable *Add();
    // A new variable at `index` (clamped to the list).
    TpgxVariable *Insert(int index);
    void Delete(int index);
    void Clear();
    // The first variable of that name, without regard to case; -1 if none.
    int IndexOf(const QString &name) const;

    // Variables[name]: the value, or null when there is no such variable.
    QVariant Value(const QString &name) const;
    // Sets the existing variable's value, or appends a new variable.
    void SetValue(const QString &name, const QVariant &value);

    // The category names, in order; with clearList the list is emptied first.
    void ListCategories(QStringList &list, bool clearList = true) const;
    // The names after the heading of `category` up to the next heading; for
    // an empty category, the names before the first heading.
    void ListVariables(const QString &category, QStringList &list) const;
    // Removes the heading and its variables.
    void RemoveCategory(const QString &name);
    void RemoveVariable(const QString &name);
    // Inserts the variable at the end of `category` (before the next
    // heading); nothing when there is no such category.
    void AddToCategory(const QString &category, const QString &name, const QVariant &value);

    // Saving throws pgx::Error when the file or stream cannot be written.
    void SaveToStream(QIODevice *stream) const;
    void SaveToFile(const QString &fileName) const;
    // Loading clears the list and reads every "item" of a "variables"
    // document (nothing is loaded from any other root). A stream that is
    // not XML throws pgx::Error; faults of the items' values are returned.
    QStringList LoadFromStream(QIODevice *stream);
    QStringList LoadFromFile(const QString &fileName);

    void Assign(const TpgxVariables &source);

private:
    int IndexOfCategory(const QString &category) const;

    QList<TpgxVariable *> m_items;
};

// The process-wide variables every report and script sees.
TpgxVariables &pgxGlobalVariables();
