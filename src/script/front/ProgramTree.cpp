#include "ProgramTree.h"

#include "MiniXml.h"
#include "TkxParser.h"

namespace pgx::script {

QString TextPos::toString() const
{
    if (isNull())
        return {};
    return QString::number(line) + u':' + QString::number(column);
}

TextPos TextPos::fromString(QStringView text)
{
    const QPoint point = PositionToPoint(text);
    return TextPos{point.y(), point.x()};
}

QString ProgramNode::attribute(QStringView name) const
{
    for (const auto &pair : m_attributes)
        if (QStringView(pair.first).compare(name, Qt::CaseInsensitive) == 0)
            return pair.second;
    return {};
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

void writeNode(const ProgramNode &node, int indent, QString &out)
{
    out += QString(indent * 2, u' ');
    out += u'<';
    out += node.name();
    auto attr = [&out](QLatin1String name, const QString &value) {
        out += u' ';
        out += name;
        out += QLatin1String("=\"");
        out += EncodeXmlValue(value);
        out += u'"';
    };
    if (node.isLeaf())
        attr(QLatin1String("text"), node.text());
    for (const auto &pair : node.attributes()) {
        out += u' ';
        out += pair.first;
        out += QLatin1String("=\"");
        out += EncodeXmlValue(pair.second);
        out += u'"';
    }
    if (!node.pos().isNull())
        attr(QLatin1String("pos"), node.pos().toString());
    if (!node.pos1().isNull())
        attr(QLatin1String("pos1"), node.pos1().toString());
    if (node.childCount() == 0) {
        out += QLatin1String("/>\n");
        return;
    }
    out += QLatin1String(">\n");
    for (int i = 0; i < node.childCount(); ++i)
        writeNode(*node.child(i), indent + 1, out);
    out += QString(indent * 2, u' ');
    out += QLatin1String("</");
    out += node.name();
    out += QLatin1String(">\n");
}

std::unique_ptr<ProgramNode> fromElement(const XmlElement &element)
{
    auto node = std::make_unique<ProgramNode>(element.name);
    for (const auto &pair : element.attributes) {
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
    for (const XmlElement &child : element.children)
        node->appendChild(fromElement(child));
    return node;
}

} // namespace

QString ProgramTree::nodeToXml(const ProgramNode &node, int indent)
{
    QString out;
    writeNode(node, indent, out);
    return out;
}

QString ProgramTree::toXml(bool declaration) const
{
    QString out;
    if (declaration)
        out += QLatin1String("<?xml version=\"1.0\"?>\n");
    if (m_root)
        writeNode(*m_root, 0, out);
    return out;
}

bool ProgramTree::fromXml(const QString &text, ProgramTree &tree, QString *error)
{
    XmlElement root;
    if (!ReadXmlText(text, root, error))
        return false;
    tree = ProgramTree(fromElement(root));
    return true;
}

} // namespace pgx::script
