#include "report/root/TpgxVariables.h"

#include "persist/XMLDocument.h"
#include "persist/XMLItem.h"
#include "persist/serializer/XMLSerializer.h"
#include "platform/Error.h"
#include "platform/SaveFile.h"

#include <QtCore/QFile>

using pgx::sameXmlName;
using pgx::TpgxXMLDocument;
using pgx::TpgxXMLItem;
using pgx::TpgxXMLResult;

namespace {
const QLatin1Char kHeadingMark(' ');
}   // namespace

TpgxVariable *TpgxVariables::add()
{
    return insert(count());
}

TpgxVariable *TpgxVariables::insert(int index)
{
    auto *variable = new TpgxVariable(this);
    m_items.insert(qBound(0, index, count()), variable);
    return variable;
}

void TpgxVariables::removeAt(int index)
{
    if (index >= 0 && index < count())
        delete m_items.takeAt(index);
}

void TpgxVariables::clear()
{
    qDeleteAll(m_items);
    m_items.clear();
}

int TpgxVariables::indexOf(const QString &name) const
{
    for (int i = 0; i < count(); ++i)
        if (m_items[i]->name().compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant TpgxVariables::value(const QString &name) const
{
    const int i = indexOf(name);
    return i < 0 ? QVariant() : m_items[i]->value();
}

void TpgxVariables::setValue(const QString &name, const QVariant &value)
{
    const int i = indexOf(name);
    TpgxVariable *variable = i < 0 ? add() : m_items[i];
    if (i < 0)
        variable->setName(name);
    variable->setValue(value);
}

int TpgxVariables::indexOfCategory(const QString &category) const
{
    return indexOf(kHeadingMark + category);
}

void TpgxVariables::listCategories(QStringList &list, bool clearList) const
{
    if (clearList)
        list.clear();
    for (const TpgxVariable *v : m_items)
        if (v->isCategory())
            list.append(v->name().mid(1));
}

void TpgxVariables::listVariables(const QString &category, QStringList &list) const
{
    list.clear();
    int i = 0;
    if (!category.isEmpty()) {
        i = indexOfCategory(category);
        if (i < 0)
            return;
        ++i;
    }
    for (; i < count() && !m_items[i]->isCategory(); ++i)
        list.append(m_items[i]->name());
}

void TpgxVariables::removeCategory(const QString &name)
{
    const int heading = indexOfCategory(name);
    if (heading < 0)
        return;
    int end = heading + 1;
    while (end < count() && !m_items[end]->isCategory())
        ++end;
    for (int i = end - 1; i >= heading; --i)
        removeAt(i);
}

void TpgxVariables::removeVariable(const QString &name)
{
    removeAt(indexOf(name));
}

void TpgxVariables::addToCategory(const QString &category, const QString &name,
                                  const QVariant &value)
{
    int i = indexOfCategory(category);
    if (i < 0)
        return;
    ++i;
    while (i < count() && !m_items[i]->isCategory())
        ++i;
    TpgxVariable *variable = insert(i);
    variable->setName(name);
    variable->setValue(value);
}

void TpgxVariables::saveToStream(QIODevice *stream) const
{
    TpgxXMLDocument document;
    document.setIndented(true);
    document.root()->setName("variables");
    pgx::TpgxXMLSerializer serializer;
    for (TpgxVariable *variable : m_items) {
        TpgxXMLItem *item = document.root()->add();
        item->setName("item");
        item->setText(serializer.propsToAttrs(variable).mid(1));
    }
    if (!stream)
        throw pgx::Error(QStringLiteral("No stream to write to"));
    if (const TpgxXMLResult result = document.saveToStream(*stream); !result)
        throw pgx::Error(result.description());
}

void TpgxVariables::saveToFile(const QString &fileName) const
{
    const QString error = pgx::saveFile(fileName, [this](QIODevice &file) {
        saveToStream(&file);
        return QString();
    });
    if (!error.isEmpty())
        throw pgx::Error(error);
}

QStringList TpgxVariables::loadFromStream(QIODevice *stream)
{
    if (!stream)
        throw pgx::Error(QStringLiteral("No stream to read from"));
    TpgxXMLDocument document;
    const TpgxXMLResult result = document.loadFromStream(*stream);
    if (!result && result.status() != TpgxXMLResult::EndedEarly)
        throw pgx::Error(result.description());
    clear();
    pgx::TpgxXMLSerializer serializer;
    if (result.status() == TpgxXMLResult::EndedEarly)
        serializer.addError(result.description());
    const TpgxXMLItem *root = document.root();
    if (!sameXmlName(root->name(), "variables"))
        return serializer.errors();
    for (int i = 0; i < root->count(); ++i) {
        const TpgxXMLItem *item = root->items(i);
        if (sameXmlName(item->name(), "item"))
            serializer.attrsToProps(item->text(), add());
    }
    return serializer.errors();
}

QStringList TpgxVariables::loadFromFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw pgx::Error(
            QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    return loadFromStream(&file);
}

void TpgxVariables::assign(const TpgxVariables &source)
{
    if (&source == this)
        return;
    clear();
    for (const TpgxVariable *from : source.m_items) {
        TpgxVariable *to = add();
        to->setName(from->name());
        to->setValue(from->value());
    }
}

TpgxVariables &pgxGlobalVariables()
{
    static TpgxVariables *variables = new TpgxVariables;
    return *variables;
}
