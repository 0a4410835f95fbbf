#include "report/styles/TpgxStyles.h"

#include "persist/XMLDocument.h"
#include "persist/XMLEscape.h"
#include "persist/XMLItem.h"
#include "persist/serializer/ValueText.h"
#include "persist/serializer/XMLSerializer.h"
#include "platform/Error.h"
#include "platform/SaveFile.h"
#include "report/resources/TpgxResources.h"
#include "report/root/TpgxReport.h"

#include <QtCore/QFile>

using pgx::SameXMLName;
using pgx::TpgxXMLDocument;
using pgx::TpgxXMLItem;
using pgx::TpgxXMLResult;

namespace {

void saveDocument(TpgxXMLDocument &document, QIODevice *stream)
{
    if (!stream)
        throw pgx::Error(QStringLiteral("No stream to write to"));
    if (const TpgxXMLResult result = document.SaveToStream(*stream); !result)
        throw pgx::Error(result.description());
}

// Both file forms save the same way; SaveToStream throws what it meets.
template<class Saver>
void saveToFile(const QString &fileName, Saver &&save)
{
    const QString error = pgx::saveFile(fileName, [&save](QIODevice &file) {
        save(&file);
        return QString();
    });
    if (!error.isEmpty())
        throw pgx::Error(error);
}

// Reads a document; an early end is kept as a message, anything that is
// not XML throws.
void loadDocument(TpgxXMLDocument &document, QIODevice *stream, QStringList &errors)
{
    if (!stream)
        throw pgx::Error(QStringLiteral("No stream to read from"));
    const TpgxXMLResult result = document.LoadFromStream(*stream);
    if (result.status() == TpgxXMLResult::EndedEarly)
        errors.append(result.description());
    else if (!result)
        throw pgx::Error(result.description());
}

template<class Loader>
QStringList loadFile(const QString &fileName, Loader &&load)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw pgx::Error(
            QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    return load(&file);
}

}   // namespace

// ---- TpgxStyleItem -------------------------------------------------------------

TpgxStyleItem::TpgxStyleItem(TpgxStyles *styles) : QObject(styles), m_styles(styles) { }

void TpgxStyleItem::SetName(const QString &value)
{
    if (value.compare(m_name, Qt::CaseInsensitive) == 0) {
        m_name = value;
        return;
    }
    if (m_styles && m_styles->Find(value))
        throw pgx::Error(pgxResources().Get(QStringLiteral("prDupl")));
    m_name = value;
}

void TpgxStyleItem::MakeUniqueName()
{
    for (int n = 1;; ++n) {
        const QString name = QStringLiteral("Style%1").arg(n);
        if (!m_styles || !m_styles->Find(name)) {
            m_name = name;
            return;
        }
    }
}

void TpgxStyleItem::Assign(const TpgxStyleItem &source)
{
    m_name = source.m_name;
    m_color = source.m_color;
    m_font.Assign(source.m_font);
    m_frame.Assign(source.m_frame);
}

// ---- TpgxStyles ------------------------------------------------------------------

TpgxStyleItem *TpgxStyles::Add()
{
    auto *item = new TpgxStyleItem(this);
    m_items.append(item);
    return item;
}

void TpgxStyles::Delete(int index)
{
    if (index >= 0 && index < Count())
        delete m_items.takeAt(index);
}

void TpgxStyles::Clear()
{
    qDeleteAll(m_items);
    m_items.clear();
}

TpgxStyleItem *TpgxStyles::Find(const QString &name) const
{
    for (TpgxStyleItem *item : m_items)
        if (item->Name().compare(name, Qt::CaseInsensitive) == 0)
            return item;
    return nullptr;
}

void TpgxStyles::ListNames(QStringList &list) const
{
    list.clear();
    for (const TpgxStyleItem *item : m_items)
        list.append(item->Name());
}

void TpgxStyles::Assign(const TpgxStyles &source)
{
    if (&source == this)
        return;
    Clear();
    m_name = source.m_name;
    for (const TpgxStyleItem *from : source.m_items)
        Add()->Assign(*from);
}

void TpgxStyles::WriteElement(TpgxXMLItem &element) const
{
    element.SetName("style");
    element.SetText("Name=\"" + pgx::EscapeAttr(pgx::persist::encodeAttrText(m_name)) + '"');
    pgx::TpgxXMLSerializer serializer;
    for (TpgxStyleItem *style : m_items) {
        TpgxXMLItem *item = element.Add();
        item->SetName("item");
        item->SetText(serializer.PropsToAttrs(style).mid(1));
    }
}

void TpgxStyles::ReadElement(const TpgxXMLItem &element, QStringList &errors)
{
    Clear();
    m_name = pgx::persist::decodeAttrText(element.Prop("Name"));
    pgx::TpgxXMLSerializer serializer;
    for (int i = 0; i < element.Count(); ++i) {
        const TpgxXMLItem *item = element.Items(i);
        if (!SameXMLName(item->Name(), "item"))
            continue;
        // A style whose name repeats one read before fails to take it (the
        // message goes to the errors) and is kept under a fresh name rather
        // than dropped: its settings are the user's.
        auto *style = Add();
        serializer.AttrsToProps(item->Text(), style);
        if (style->Name().isEmpty())
            style->MakeUniqueName();
    }
    errors += serializer.Errors();
}

void TpgxStyles::SaveToStream(QIODevice *stream) const
{
    TpgxXMLDocument document;
    document.SetIndented(true);
    WriteElement(*document.Root());
    saveDocument(document, stream);
}

void TpgxStyles::SaveToFile(const QString &fileName) const
{
    saveToFile(fileName, [this](QIODevice *d) { SaveToStream(d); });
}

QStringList TpgxStyles::LoadFromStream(QIODevice *stream)
{
    TpgxXMLDocument document;
    QStringList errors;
    loadDocument(document, stream, errors);
    if (SameXMLName(document.Root()->Name(), "style"))
        ReadElement(*document.Root(), errors);
    return errors;
}

QStringList TpgxStyles::LoadFromFile(const QString &fileName)
{
    return loadFile(fileName, [this](QIODevice *d) { return LoadFromStream(d); });
}

void TpgxStyles::Apply(TpgxReport *report) const
{
    if (!report)
        return;
    for (TpgxComponent *c : report->AllObjects()) {
        const QVariant styleName = c->property("Style");
        if (!styleName.isValid() || styleName.toString().isEmpty())
            continue;
        const TpgxStyleItem *style = Find(styleName.toString());
        if (!style) {
            c->setProperty("Style", QString());
            continue;
        }
        c->setProperty("Color", style->Color());
        if (c->property("Font").isValid())
            c->SetFont(style->Font());
        if (auto *frame = qobject_cast<TpgxFrame *>(c->property("Frame").value<QObject *>()))
            frame->Assign(*style->Frame());
    }
}

// ---- TpgxStyleSheet --------------------------------------------------------------

TpgxStyles *TpgxStyleSheet::Add()
{
    auto *styles = new TpgxStyles(this);
    m_items.append(styles);
    return styles;
}

void TpgxStyleSheet::Clear()
{
    qDeleteAll(m_items);
    m_items.clear();
}

void TpgxStyleSheet::Delete(int index)
{
    if (index >= 0 && index < Count())
        delete m_items.takeAt(index);
}

TpgxStyles *TpgxStyleSheet::Find(const QString &name) const
{
    for (TpgxStyles *styles : m_items)
        if (styles->Name().compare(name, Qt::CaseInsensitive) == 0)
            return styles;
    return nullptr;
}

void TpgxStyleSheet::ListNames(QStringList &list) const
{
    list.clear();
    for (const TpgxStyles *styles : m_items)
        list.append(styles->Name());
}

void TpgxStyleSheet::SaveToStream(QIODevice *stream) const
{
    TpgxXMLDocument document;
    document.SetIndented(true);
    document.Root()->SetName("stylesheet");
    for (const TpgxStyles *styles : m_items)
        styles->WriteElement(*document.Root()->Add());
    saveDocument(document, stream);
}

void TpgxStyleSheet::SaveToFile(const QString &fileName) const
{
    saveToFile(fileName, [this](QIODevice *d) { SaveToStream(d); });
}

QStringList TpgxStyleSheet::LoadFromStream(QIODevice *stream)
{
    TpgxXMLDocument document;
    QStringList errors;
    loadDocument(document, stream, errors);
    Clear();
    const TpgxXMLItem *root = document.Root();
    if (!SameXMLName(root->Name(), "stylesheet"))
        return errors;
    for (int i = 0; i < root->Count(); ++i)
        if (SameXMLName(root->Items(i)->Name(), "style"))
            Add()->ReadElement(*root->Items(i), errors);
    return errors;
}

QStringList TpgxStyleSheet::LoadFromFile(const QString &fileName)
{
    return loadFile(fileName, [this](QIODevice *d) { return LoadFromStream(d); });
}
