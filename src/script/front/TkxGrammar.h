#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QHash>
#include <QtCore/QList>
#include <QtCore/QPair>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtCore/QStringView>
#include <memory>
#include <vector>

namespace pgx {
class TpgxXMLItem;
}

namespace pgx::script {

// What a body element of a grammar rule does; the names in the grammar
// document map onto these once, when the grammar is read.
enum class GrammarOp : quint8 {
    Rule,      // a rule definition (child of the document root)
    Char,      // one punctuation character
    Keyword,   // an identifier-shaped word, keywords included
    Ident,     // an identifier that is not a keyword
    Number,
    String,
    FrString,   // bracketed report expression, read raw
    Eol,
    Sequence,
    Switch,
    OptionalSwitch,
    Loop,
    OptionalLoop,
    Optional,
    Reference,   // any other name: the rule of that name
};

struct GrammarElement
{
    GrammarOp op = GrammarOp::Sequence;
    bool hasText = false;
    bool term = false;               // term="1": its error only ends an enclosing loop
    bool noSkip = false;             // char with skip="0": no blank skipping before it
    bool discardLastError = false;   // loop with skip="1"
    bool hasAddText = false;
    bool container = false;   // switch, loops and optional: never wrapped
    bool usesNode = false;    // node="uses": units are included here
    bool exprNode = false;    // node="expr": also records where it ends
    QByteArray text;          // literal, lower-cased; a loop's separator
    QByteArray addText;       // lower-cased
    QString node;             // wrap what matched in a node of this name
    QString add;              // emit a leaf of this name
    int error = -1;           // index into errorTexts(), -1 when none
    int rule = -1;            // Reference: the rule element, -1 when undefined
    QString name;             // the element name as written (references)
    std::vector<int> children;
};

// A type alias of the grammar's <types> section (<int type="integer"/>):
// its name and all of its attributes, which go into every program tree.
struct GrammarTypeAlias
{
    QString name;
    QList<QPair<QString, QString>> attributes;
    QString attribute(QStringView attributeName) const;
};

// A grammar document read into a form the analyser interprets directly:
// the lexical settings in document order, the keyword list, the error texts,
// the type aliases and the rules as a flat element table.
class TkxGrammar
{
public:
    // Reads a grammar document; throws pgx::Error("Invalid file format")
    // when the text is not a well-formed grammar document.
    static std::shared_ptr<const TkxGrammar> parse(const QString &text);

    const QString &languageName() const { return m_name; }
    const QList<QPair<QString, QString>> &settings() const { return m_settings; }
    const QStringList &keywords() const { return m_keywords; }
    const QString &errorText(int index) const { return m_errorTexts[index]; }
    // The text of an error by its element name ("err5"); empty when absent.
    QString errorText(const QString &name) const
    {
        const int index = m_errorIndex.value(name.toLower(), -1);
        return index < 0 ? QString() : m_errorTexts[index];
    }
    const std::vector<GrammarTypeAlias> &types() const { return m_types; }

    const GrammarElement &element(int index) const { return m_elements[size_t(index)]; }
    int elementCount() const { return int(m_elements.size()); }
    // The rule of a name (without regard to case), or -1.
    int ruleIndex(const QString &name) const;
    // The start rule "program", or -1 when the grammar has none.
    int programRule() const { return m_programRule; }

private:
    int addElement(const TpgxXMLItem &item);

    QString m_name;
    QList<QPair<QString, QString>> m_settings;
    QStringList m_keywords;
    QStringList m_errorTexts;
    QHash<QString, int> m_errorIndex;   // lower-cased err name -> index
    std::vector<GrammarTypeAlias> m_types;
    std::vector<GrammarElement> m_elements;
    QHash<QString, int> m_rules;   // lower-cased rule name -> element
    int m_programRule = -1;
};

}   // namespace pgx::script
