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

using pgx::sameXmlName;
using pgx::TpgxXMLDocument;
using pgx::TpgxXMLItem;
using pgx::TpgxXMLResult;

namespace {

void saveDocument(TpgxXMLDocument &document, QIODevice *stream)
{
    if (!stream)
        throw pgx::Error(QStringLiteral("No stream to write to"));
    if (const TpgxXMLResult result = document.saveToStream(*stream); !result)
        throw pgx::Error(result.description());
}

// Both file forms save the same way; SaveToStream throws what it meets.
template<class Saver>
void writeStyleFile(const QString &fileName, Saver &&save)
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
    const TpgxXMLResult result = document.loadFromStream(*stream);
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

void TpgxStyleItem::setName(const QString &value)
{
    if (value.compare(m_name, Qt::CaseInsensitive) == 0) {
        m_name = value;
        return;
    }
    if (m_styles && m_styles->find(value))
        throw pgx::Error(pgxResources().get(QStringLiteral("prDupl")));
    m_name = value;
}

void TpgxStyleItem::makeUniqueName()
{
    for (int n = 1;; ++n) {
        const QString name = QStringLiteral("Style%1").arg(n);
        if (!m_styles || !m_styles->find(name)) {
            m_name = name;
            return;
        }
    }
}

void TpgxStyleItem::assign(const TpgxStyleItem &source)
{
    m_name = source.m_name;
    m_color = source.m_color;
    m_font.assign(source.m_font);
    m_frame.assign(source.m_frame);
}

// ---- TpgxStyles ------------------------------------------------------------------

TpgxStyleItem *TpgxStyles::add()
{
    auto *item = new TpgxStyleItem(this);
    m_items.append(item);
    return item;
}

void TpgxStyles::removeAt(int index)
{
    if (index >= 0 && index < count())
        delete m_items.takeAt(index);
}

void TpgxStyles::clear()
{
    qDeleteAll(m_items);
    m_items.clear();
}

TpgxStyleItem *TpgxStyles::find(const QString &name) const
{
    for (TpgxStyleItem *item : m_items)
        if (item->name().compare(name, Qt::CaseInsensitive) == 0)
            return item;
    return nullptr;
}

void TpgxStyles::listNames(QStringList &list) const
{
    list.clear();
    for (const TpgxStyleItem *item : m_items)
        list.append(item->name());
}

void TpgxStyles::assign(const TpgxStyles &source)
{
    if (&source == this)
        return;
    clear();
    m_name = source.m_name;
    for (const TpgxStyleItem *from : source.m_items)
        add()->assign(*from);
}

void TpgxStyles::writeElement(TpgxXMLItem &element) const
{
    element.setName("style");
    element.setText("Name=\"" + pgx::escapeAttr(pgx::persist::encodeAttrText(m_name)) + '"');
    pgx::TpgxXMLSerializer serializer;
    for (TpgxStyleItem *style : m_items) {
        TpgxXMLItem *item = element.add();
        item->setName("item");
        item->setText(serializer.propsToAttrs(style).mid(1));
    }
}

void TpgxStyles::readElement(const TpgxXMLItem &element, QStringList &errors)
{
    clear();
    m_name = pgx::persist::decodeAttrText(element.prop("Name"));
    pgx::TpgxXMLSerializer serializer;
    for (int i = 0; i < element.count(); ++i) {
        const TpgxXMLItem *item = element.items(i);
        if (!sameXmlName(item->name(), "item"))
            continue;
        // A style whose name repeats one read before fails to take it (the
        // message goes to the errors) and is kept under a fresh name rather
        // than dropped: its settings are the user's.
        auto *style = add();
        serializer.attrsToProps(item->text(), style);
        if (style->name().isEmpty())
            style->makeUniqueName();
    }
    errors += serializer.errors();
}

void TpgxStyles::saveToStream(QIODevice *stream) const
{
    TpgxXMLDocument document;
    document.setIndented(true);
    writeElement(*document.root());
    saveDocument(document, stream);
}

void TpgxStyles::saveToFile(const QString &fileName) const
{
    writeStyleFile(fileName, [this](QIODevice *d) { saveToStream(d); });
}

QStringList TpgxStyles::loadFromStream(QIODevice *stream)
{
    TpgxXMLDocument document;
    QStringList errors;
    loadDocument(document, stream, errors);
    if (sameXmlName(document.root()->name(), "style"))
        readElement(*document.root(), errors);
    return errors;
}

QStringList TpgxStyles::loadFromFile(const QString &fileName)
{
    return loadFile(fileName, [this](QIODevice *d) { return loadFromStream(d); });
}

void TpgxStyles::apply(TpgxReport *report) const
{
    if (!report)
        return;
    for (TpgxComponent *c : report->allObjects()) {
        const QVariant styleName = c->property("Style");
        if (!styleName.isValid() || styleName.toString().isEmpty())
            continue;
        const TpgxStyleItem *style = find(styleName.toString());
        if (!style) {
            c->setProperty("Style", QString());
            continue;
        }
        c->setProperty("Color", style->color());
        if (c->property("Font").isValid())
            c->setFont(style->font());
        if (auto *frame = qobject_cast<TpgxFrame *>(c->property("Frame").value<QObject *>()))
            frame->assign(*style->frame());
    }
}

// ---- TpgxStyleSheet --------------------------------------------------------------

TpgxStyles *TpgxStyleSheet::add()
{
    auto *styles = new TpgxStyles(this);
    m_items.append(styles);
    return styles;
}

void TpgxStyleSheet::clear()
{
    qDeleteAll(m_items);
    m_items.clear();
}

void TpgxStyleSheet::removeAt(int index)
{
    if (index >= 0 && index < count())
        delete m_items.takeAt(index);
}

TpgxStyles *TpgxStyleSheet::find(const QString &name) const
{
    for (TpgxStyles *styles : m_items)
        if (styles->name().compare(name, Qt::CaseInsensitive) == 0)
            return styles;
    return nullptr;
}

void TpgxStyleSheet::listNames(QStringList &list) const
{
    list.clear();
    for (const TpgxStyles *styles : m_items)
        list.append(styles->name());
}

void TpgxStyleSheet::saveToStream(QIODevice *stream) const
{
    TpgxXMLDocument document;
    document.setIndented(true);
    document.root()->setName("stylesheet");
    for (const TpgxStyles *styles : m_items)
        styles->writeElement(*document.root()->add());
    saveDocument(document, stream);
}

void TpgxStyleSheet::saveToFile(const QString &fileName) const
{
    writeStyleFile(fileName, [this](QIODevice *d) { saveToStream(d); });
}

QStringList TpgxStyleSheet::loadFromStream(QIODevice *stream)
{
    TpgxXMLDocument document;
    QStringList errors;
    loadDocument(document, stream, errors);
    clear();
    const TpgxXMLItem *root = document.root();
    if (!sameXmlName(root->name(), "stylesheet"))
        return errors;
    for (int i = 0; i < root->count(); ++i)
        if (sameXmlName(root->items(i)->name(), "style"))
            add()->readElement(*root->items(i), errors);
    return errors;
}

QStringList TpgxStyleSheet::loadFromFile(const QString &fileName)
{
    return loadFile(fileName, [this](QIODevice *d) { return loadFromStream(d); });
}
