#include "ProgramTree.h"

#include "FrontXml.h"
#include "TkxParser.h"

#include "persist/XMLDocument.h"
#include "persist/XMLEscape.h"
#include "persist/XMLWriter.h"
#include "persist/serializer/AttrText.h"

#include <QtCore/QBuffer>

namespace pgx::script {

QString TextPos::toString() const
{
    if (isNull())
        return {};
    return QString::number(line) + u':' + QString::number(column);
}

TextPos TextPos::fromString(QStringView text)
{
    const QPoint point = positionToPoint(text);
    return TextPos{point.y(), point.x()};
}

QString ProgramNode::attribute(QStringView name) const
{
    return xmlAttribute(m_attributes, name);
}

void ProgramNode::setAttribute(const QString &name, const QString &value)
{
    for (auto &pair : m_attributes) {
        if (pair.first.compare(name, Qt::CaseInsensitive) == 0) {
            pair.second = value;
            return;
        }
    }
    m_attributes.append({name, value});
}

ProgramNode *ProgramNode::findChild(QStringView name) const
{
    for (const auto &c : m_children)
        if (QStringView(c->m_name).compare(name, Qt::CaseInsensitive) == 0)
            return c.get();
    return nullptr;
}

ProgramNode *ProgramNode::appendChild(std::unique_ptr<ProgramNode> node)
{
    return insertChild(childCount(), std::move(node));
}

ProgramNode *ProgramNode::insertChild(int index, std::unique_ptr<ProgramNode> node)
{
    node->m_parent = this;
    ProgramNode *raw = node.get();
    m_children.insert(m_children.begin() + index, std::move(node));
    return raw;
}

std::unique_ptr<ProgramNode> ProgramNode::takeChild(int index)
{
    std::unique_ptr<ProgramNode> node = std::move(m_children[size_t(index)]);
    m_children.erase(m_children.begin() + index);
    node->m_parent = nullptr;
    return node;
}

std::unique_ptr<ProgramNode> ProgramNode::clone() const
{
    auto copy = std::make_unique<ProgramNode>(m_name);
    copy->m_text = m_text;
    copy->m_hasText = m_hasText;
    copy->m_pos = m_pos;
    copy->m_pos1 = m_pos1;
    copy->m_attributes = m_attributes;
    for (const auto &c : m_children)
        copy->appendChild(c->clone());
    return copy;
}

namespace {

// Element by element through the persist writer, one line each, two blanks
// a level and LF line ends (the tree is text for tools and golden files).
// Values are escaped exactly: a script's "&quot;" must come back as typed.
// `attrs` is one buffer for the whole walk.
void writeNode(TpgxXMLWriter &writer, const ProgramNode &node, int indent, QByteArray &attrs)
{
    attrs.truncate(0);
    const auto attr = [&attrs](QByteArrayView name, const QString &value) {
        persist::appendAttr(attrs, {}, name, escapeAttrExact(value.toUtf8()));
    };
    if (node.isLeaf())
        attr("text", node.text());
    for (const auto &pair : node.attributes())
        attr(pair.first.toUtf8(), pair.second);
    if (!node.pos().isNull())
        attr("pos", node.pos().toString());
    if (!node.pos1().isNull())
        attr("pos1", node.pos1().toString());
    const QByteArray name = node.name().toUtf8();
    const bool hasChildren = node.childCount() > 0;
    writer.writeStartTag(name, attrs, hasChildren, indent * 2);
    if (!hasChildren)
        return;
    for (int i = 0; i < node.childCount(); ++i)
        writeNode(writer, *node.child(i), indent + 1, attrs);
    writer.writeEndTag(name, indent * 2);
}

QString treeText(const ProgramNode *node, int indent, bool declaration)
{
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    {
        TpgxXMLWriter writer(&buffer, true);
        writer.setLineBreak("\n");
        if (declaration)
            writer.writeLine("<?xml version=\"1.0\"?>");
        QByteArray attrs;
        if (node)
            writeNode(writer, *node, indent, attrs);
        writer.flush();   // a buffer in memory takes every byte
    }
    return QString::fromUtf8(out);
}

// Null for a malformed element. The reader bounds the nesting of elements,
// so this recursion is bounded.
std::unique_ptr<ProgramNode> fromItem(const TpgxXMLItem &item)
{
    QString name;
    XmlAttributes attributes;
    if (!readXmlElement(item, name, attributes))
        return nullptr;
    auto node = std::make_unique<ProgramNode>(name);
    for (const auto &pair : attributes) {
        const QString key = pair.first.toLower();
        if (key == QLatin1String("text"))
            node->setText(pair.second);
        else if (key == QLatin1String("pos"))
            node->setPos(TextPos::fromString(pair.second));
        else if (key == QLatin1String("pos1"))
            node->setPos1(TextPos::fromString(pair.second));
        else
            node->setAttribute(pair.first, pair.second);
    }
    node->reserveChildren(item.count());
    for (int i = 0; i < item.count(); ++i) {
        std::unique_ptr<ProgramNode> child = fromItem(*item.items(i));
        if (!child)
            return nullptr;
        node->appendChild(std::move(child));
    }
    return node;
}

}   // namespace

QString ProgramTree::nodeToXml(const ProgramNode &node, int indent)
{
    return treeText(&node, indent, false);
}

QString ProgramTree::toXml(bool declaration) const
{
    return treeText(m_root.get(), 0, declaration);
}

bool ProgramTree::fromXml(const QString &text, ProgramTree &tree, QString *error)
{
    TpgxXMLDocument document;
    if (!loadXmlText(text, document, error))
        return false;
    std::unique_ptr<ProgramNode> root = fromItem(*document.root());
    if (!root) {
        if (error)
            *error = QStringLiteral("Invalid file format");
        return false;
    }
    tree = ProgramTree(std::move(root));
    return true;
}

}   // namespace pgx::script
