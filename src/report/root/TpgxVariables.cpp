#include "report/root/TpgxVariables.h"

#include "persist/XMLDocument.h"
#include "persist/XMLItem.h"
#include "persist/serializer/XMLSerializer.h"
#include "platform/Error.h"
#include "platform/SaveFile.h"

#include <QtCore/QFile>

using pgx::SameXMLName;
using pgx::TpgxXMLDocument;
using pgx::TpgxXMLItem;
using pgx::TpgxXMLResult;

namespace {
const QLatin1Char kHeadingMark(' ');
}   // namespace

TpgxVariable *TpgxVariables::Add()
{
    return Insert(Count());
}

TpgxVariable *TpgxVariables::Insert(int index)
{
    auto *variable = new TpgxVariable(this);
    m_items.insert(qBound(0, index, Count()), variable);
    return variable;
}

void TpgxVariables::Delete(int index)
{
    if (index >= 0 && index < Count())
        delete m_items.takeAt(index);
}

void TpgxVariables::Clear()
{
    qDeleteAll(m_items);
    m_items.clear();
}

int TpgxVariables::IndexOf(const QString &name) const
{
    for (int i = 0; i < Count(); ++i)
        if (m_items[i]->Name().compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant TpgxVariables::Value(const QString &name) const
{
    const int i = IndexOf(name);
    return i < 0 ? QVariant() : m_items[i]->Value();
}

void TpgxVariables::SetValue(const QString &name, const QVariant &value)
{
    const int i = IndexOf(name);
    TpgxVariable *variable = i < 0 ? Add() : m_items[i];
    if (i < 0)
        variable->SetName(name);
    variable->SetValue(value);
}

int TpgxVariables::IndexOfCategory(const QString &category) const
{
    return IndexOf(kHeadingMark + category);
}

void TpgxVariables::ListCategories(QStringList &list, bool clearList) const
{
    if (clearList)
        list.clear();
    for (const TpgxVariable *v : m_items)
        if (v->IsCategory())
            list.append(v->Name().mid(1));
}

void TpgxVariables::ListVariables(const QString &category, QStringList &list) const
{
    list.clear();
    int i = 0;
    if (!category.isEmpty()) {
        i = IndexOfCategory(category);
        if (i < 0)
            return;
        ++i;
    }
    for (; i < Count() && !m_items[i]->IsCategory(); ++i)
        list.append(m_items[i]->Name());
}

void TpgxVariables::RemoveCategory(const QString &name)
{
    const int heading = IndexOfCategory(name);
    if (heading < 0)
        return;
    int end = heading + 1;
    while (end < Count() && !m_items[end]->IsCategory())
        ++end;
    for (int i = end - 1; i >= heading; --i)
        Delete(i);
}

void TpgxVariables::RemoveVariable(const QString &name)
{
    Delete(IndexOf(name));
}

void TpgxVariables::AddToCategory(const QString &category, const QString &name,
                                  const QVariant &value)
{
    int i = IndexOfCategory(category);
    if (i < 0)
        return;
    ++i;
    while (i < Count() && !m_items[i]->IsCategory())
        ++i;
    TpgxVariable *variable = Insert(i);
    variable->SetName(name);
    variable->SetValue(value);
}

void TpgxVariables::SaveToStream(QIODevice *stream) const
{
    TpgxXMLDocument document;
    document.SetIndented(true);
    document.Root()->SetName("variables");
    pgx::TpgxXMLSerializer serializer;
    for (TpgxVariable *variable : m_items) {
        TpgxXMLItem *item = document.Root()->Add();
        item->SetName("item");
        item->SetText(serializer.PropsToAttrs(variable).mid(1));
    }
    if (!stream)
        throw pgx::Error(QStringLiteral("No stream to write to"));
    if (const TpgxXMLResult result = document.SaveToStream(*stream); !result)
        throw pgx::Error(result.description());
}

void TpgxVariables::SaveToFile(const QString &fileName) const
{
    const QString error = pgx::saveFile(fileName, [this](QIODevice &file) {
        SaveToStream(&file);
        return QString();
    });
    if (!error.isEmpty())
        throw pgx::Error(error);
}

QStringList TpgxVariables::LoadFromStream(QIODevice *stream)
{
    if (!stream)
        throw pgx::Error(QStringLiteral("No stream to read from"));
    TpgxXMLDocument document;
    const TpgxXMLResult result = document.LoadFromStream(*stream);
    if (!result && result.status() != TpgxXMLResult::EndedEarly)
        throw pgx::Error(result.description());
    Clear();
    pgx::TpgxXMLSerializer serializer;
    if (result.status() == TpgxXMLResult::EndedEarly)
        serializer.AddError(result.description());
    const TpgxXMLItem *root = document.Root();
    if (!SameXMLName(root->Name(), "variables"))
        return serializer.Errors();
    for (int i = 0; i < root->Count(); ++i) {
        const TpgxXMLItem *item = root->Items(i);
        if (SameXMLName(item->Name(), "item"))
            serializer.AttrsToProps(item->Text(), Add());
    }
    return serializer.Errors();
}

QStringList TpgxVariables::LoadFromFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw pgx::Error(
            QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    return LoadFromStream(&file);
}

void TpgxVariables::Assign(const TpgxVariables &source)
{
    if (&source == this)
        return;
    Clear();
    for (const TpgxVariable *from : source.m_items) {
        TpgxVariable *to = Add();
        to->SetName(from->Name());
        to->SetValue(from->Value());
    }
}

TpgxVariables &pgxGlobalVariables()
{
    static TpgxVariables *variables = new TpgxVariables;
    return *variables;
}
