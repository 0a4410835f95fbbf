#pragma once

#include <QtCore/QList>
#include <QtCore/QPair>
#include <QtCore/QString>
#include <memory>
#include <vector>

namespace pgx::script {

// A position in script text: 1-based line and column; 0, 0 means none.
struct TextPos
{
    int line = 0;
    int column = 0;

    bool isNull() const { return line == 0 && column == 0; }
    // "line:col", or empty for no position.
    QString toString() const;
    static TextPos fromString(QStringView text);
    friend bool operator==(const TextPos &, const TextPos &) = default;
};

// One node of the language-neutral program tree that the syntax analyser's
// first stage produces and its second stage consumes. Node names come from
// the grammar's node and add attributes ("assignstmt", "dsgn", "expr", ...).
// A leaf (from add) carries a text; a node (from node) carries children.
class ProgramNode
{
public:
    ProgramNode() = default;
    explicit ProgramNode(QString name) : m_name(std::move(name)) { }

    const QString &name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }

    bool isLeaf() const { return m_hasText; }
    const QString &text() const { return m_text; }
    void setText(const QString &text)
    {
        m_text = text;
        m_hasText = true;
    }

    // Where the element began (first non-blank character) or, for a leaf,
    // the position just after its token.
    TextPos pos() const { return m_pos; }
    void setPos(TextPos pos) { m_pos = pos; }
    // For "expr": the position just after its last token.
    TextPos pos1() const { return m_pos1; }
    void setPos1(TextPos pos) { m_pos1 = pos; }

    // Further attributes: "unit" of a uses node, "type" of a type alias.
    QString attribute(QStringView name) const;
    void setAttribute(const QString &name, const QString &value);
    const QList<QPair<QString, QString>> &attributes() const { return m_attributes; }

    ProgramNode *parent() const { return m_parent; }
    int childCount() const { return int(m_children.size()); }
    ProgramNode *child(int index) const { return m_children[size_t(index)].get(); }
    // The first child of that name (without regard to case), or null.
    ProgramNode *findChild(QStringView name) const;
    ProgramNode *appendChild(std::unique_ptr<ProgramNode> node);
    void reserveChildren(int count) { m_children.reserve(size_t(count)); }
    ProgramNode *insertChild(int index, std::unique_ptr<ProgramNode> node);
    std::unique_ptr<ProgramNode> takeChild(int index);

    std::unique_ptr<ProgramNode> clone() const;

private:
    QString m_name;
    QString m_text;
    bool m_hasText = false;
    TextPos m_pos;
    TextPos m_pos1;
    QList<QPair<QString, QString>> m_attributes;
    ProgramNode *m_parent = nullptr;
    std::vector<std::unique_ptr<ProgramNode>> m_children;
};

// The program tree: a root node named "program".
class ProgramTree
{
public:
    ProgramTree() = default;
    explicit ProgramTree(std::unique_ptr<ProgramNode> root) : m_root(std::move(root)) { }

    bool isEmpty() const { return !m_root; }
    ProgramNode *root() const { return m_root.get(); }
    std::unique_ptr<ProgramNode> takeRoot() { return std::move(m_root); }

    // The tree as XML text, indented two blanks per level, one element a
    // line; with declaration, preceded by <?xml version="1.0"?>.
    QString toXml(bool declaration = true) const;
    static QString nodeToXml(const ProgramNode &node, int indent = 0);

    // Reads a tree written by toXml (a stored unit tree); false with
    // "Invalid file format" when the text is not one.
    static bool fromXml(const QString &text, ProgramTree &tree, QString *error = nullptr);

private:
    std::unique_ptr<ProgramNode> m_root;
};

}   // namespace pgx::script
