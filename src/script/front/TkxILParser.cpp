#include "TkxILParser.h"

#include "KxMessages.h"
#include "LanguageRegistry.h"
#include "TkxGrammar.h"
#include "platform/Error.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QRegularExpression>

namespace pgx::script {

// Stage 1 builds the tree as a list of lines, as the grammar interpreter
// has always done: a node's opening line goes in front of what its element
// emitted, its closing line after it, and a failed rule drops its lines.
// A slot for the opening line is reserved when an element with a node
// starts, so that wrapping never shifts the list; a slot whose element then
// fails is marked dead and skipped when the tree is built.
struct TkxILParser::Line
{
    enum Kind : quint8 { Open, Close, Leaf, Dead, UnitBlock };
    Kind kind = Leaf;
    const QString *name = nullptr;   // owned by the grammar or static
    QByteArray text;                 // leaf text as read (UTF-8), unless
    int sliceStart = 0;              // ... it is the script's own bytes
    int sliceLength = 0;             // from this 1-based position on
    int pos = 0;                     // byte positions in the text
    int pos1 = 0;
    int unit = -1;   // UnitBlock: index into m_units
};

struct TkxILParser::Unit
{
    QString name;
    std::unique_ptr<ProgramNode> body;   // the unit's own program tree, or null
    int pos = 0;
};

// Ends the analysis from deep inside the interpreter: a grammar that refers
// to an undefined rule, or nesting beyond the limit.
struct TkxILParser::AnalysisAbort
{
    QString message;
    int position;
};

namespace {

const QString kUses = QStringLiteral("uses");
const QString kFile = QStringLiteral("file");
const QString kDsgn = QStringLiteral("dsgn");
const QString kNode = QStringLiteral("node");
const QString kExpr = QStringLiteral("expr");
const QString kString = QStringLiteral("string");
const QByteArray kGet = QByteArrayLiteral("Get");

bool equalNoCase(QByteArrayView a, QByteArrayView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = char(x | 0x20);
        if (y >= 'A' && y <= 'Z')
            y = char(y | 0x20);
        if (x != y)
            return false;
    }
    return true;
}

struct DepthGuard
{
    int &depth;
    explicit DepthGuard(int &d) : depth(d) { ++depth; }
    ~DepthGuard() { --depth; }
};

}   // namespace

QByteArray joinScriptLines(const QStringList &lines)
{
    QByteArray text;
    for (const QString &line : lines) {
        text += line.toUtf8();
        text += "\r\n";
    }
    return text;
}

QByteArray normalizeScriptText(const QString &text)
{
    if (text.isEmpty())
        return {};
    static const QRegularExpression kLineEnd(QStringLiteral("\r\n|\n|\r"));
    QStringList lines = text.split(kLineEnd);
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast();
    return joinScriptLines(lines);
}

TkxILParser::TkxILParser() = default;
TkxILParser::~TkxILParser() = default;

void TkxILParser::selectLanguage(const QString &name)
{
    std::shared_ptr<const TkxGrammar> grammar = languageGrammarDocument(name);
    m_grammar = std::move(grammar);
    m_languageName = name;
    m_tok.loadGrammar(*m_grammar, m_highCharacters);
    m_declarationsRequired = m_tok.declarationsRequired();
}

void TkxILParser::resetAnalysis()
{
    m_lines.clear();
    m_units.clear();
    m_errorRecorded = false;
    m_errorTerm = false;
    m_errorMessage.clear();
    m_errorPos.clear();
    m_errorUnit.clear();
    m_tree = ProgramTree();
}

bool TkxILParser::makeProgramTree(const QString &text)
{
    return makeProgramTree(text.toUtf8());
}

bool TkxILParser::makeProgramTree(const QByteArray &utf8Text)
{
    resetAnalysis();
    m_tok.setText(utf8Text);
    // Roughly one tree line per eight bytes of script; reserving saves most
    // copies of a growing list.
    m_lines.reserve(size_t(utf8Text.size() / 8 + 16));
    try {
        if (!m_grammar)
            throw AnalysisAbort{kxMessageWith(QStringLiteral("SLangNotFound"), QString()), 1};
        // "#language Name" on the first line selects the language of the rest.
        m_tok.skipBlanks();
        const int directive = m_tok.position();
        bool switched = false;
        if (m_tok.readPunctuation() == '#'
            && equalNoCase(m_tok.scanWord(), QByteArrayView("language"))) {
            const QByteArray &all = m_tok.text();
            int from = m_tok.position() - 1;   // 0-based index of the rest of the line
            int to = from;
            while (to < all.size() && all[to] != '\r' && all[to] != '\n')
                ++to;
            const QString name = QString::fromUtf8(all.mid(from, to - from)).trimmed();
            try {
                selectLanguage(name);
            } catch (const pgx::Error &e) {
                throw AnalysisAbort{e.message(), directive};
            }
            if (to < all.size() && all[to] == '\r')
                ++to;
            if (to < all.size() && all[to] == '\n')
                ++to;
            m_tok.setPosition(to + 1);
            switched = true;
        }
        if (!switched)
            m_tok.setPosition(1);
        const int program = m_grammar->programRule();
        if (program < 0)
            throw AnalysisAbort{kxMessage(QStringLiteral("SInvalidLanguage")), 1};
        const bool matched = interpret(program);
        if (matched && !m_errorRecorded)
            m_tree = buildTree();
    } catch (const AnalysisAbort &abort) {
        // The analysis cannot go on; an error recorded before still wins.
        m_tree = ProgramTree();
        if (!m_errorRecorded) {
            m_errorRecorded = true;
            m_errorMessage = abort.message;
            m_errorPos = errorPositionText(abort.position);
            m_errorUnit = m_unitName;
        }
    } catch (const pgx::Error &e) {
        // A grammar document that cannot be read.
        m_tree = ProgramTree();
        if (!m_errorRecorded) {
            m_errorRecorded = true;
            m_errorMessage = e.message();
            m_errorPos.clear();
            m_errorUnit = m_unitName;
        }
    }
    // A program rule that fails without an element carrying an error text
    // (an empty BasicScript) gives no tree and an empty message.
    return !m_tree.isEmpty();
}

void TkxILParser::emitLeaf(const QString &name, QByteArray text, int position, int sliceStart,
                           int sliceLength)
{
    Line line;
    line.kind = Line::Leaf;
    line.name = &name;
    line.text = std::move(text);
    line.sliceStart = sliceStart;
    line.sliceLength = sliceLength;
    line.pos = position;
    m_lines.push_back(std::move(line));
}

// A bracketed report expression becomes a call of Get with its text: the
// six lines of a designator Get('text'), every position after the text.
void TkxILParser::emitReportExpression(const QByteArray &text, int position)
{
    Line open;
    open.kind = Line::Open;
    open.pos = position;
    Line close;
    close.kind = Line::Close;

    open.name = &kDsgn;
    m_lines.push_back(open);
    emitLeaf(kNode, kGet, position);
    open.name = &kExpr;
    open.pos1 = position;
    m_lines.push_back(open);
    emitLeaf(kString, '\'' + text + '\'', position);
    close.name = &kExpr;
    m_lines.push_back(close);
    close.name = &kDsgn;
    m_lines.push_back(close);
}

// An error at the end of the text (a missing end, } or End If) names the
// last character of the source: the end-of-text position lies past the
// line end that joining adds after the last line, on a line of its own.
QString TkxILParser::errorPositionText(int position) const
{
    int last = m_tok.length();
    if (m_tok.text().endsWith("\r\n") && last > 2)
        last -= 2;
    return m_tok.positionText(qMax(1, qMin(position, last)));
}

void TkxILParser::recordError(const GrammarElement &e, int entryPos)
{
    // The first recorded error wins; its position is where the failing
    // element began, past blanks and comments.
    if (m_errorRecorded)
        return;
    m_errorRecorded = true;
    m_errorTerm = e.term;
    m_errorMessage = m_grammar->errorText(e.error);
    m_tok.setPosition(entryPos);
    m_tok.skipBlanks();
    m_errorPos = errorPositionText(m_tok.position());
    if (m_errorUnit.isEmpty())
        m_errorUnit = m_unitName;
}

bool TkxILParser::interpretChildren(const GrammarElement &e)
{
    for (int child : e.children)
        if (!interpret(child))
            return false;
    return true;
}

bool TkxILParser::interpretLoop(const GrammarElement &e, int entryPos)
{
    const char separator = e.hasText && !e.text.isEmpty() ? e.text[0] : 0;
    int iterations = 0;
    bool lastMatched = false;
    int lastStop = entryPos;
    for (;;) {
        const int start = m_tok.position();
        ++iterations;
        lastMatched = interpretChildren(e);
        lastStop = m_tok.position();
        if (!lastMatched || lastStop == start)
            break;
        if (separator) {
            m_tok.skipBlanks();
            if (m_tok.readPunctuation() != separator) {
                m_tok.setPosition(lastStop);
                break;
            }
        }
    }
    bool matched = lastMatched;
    if (iterations >= 2) {
        // The failed last iteration only ends the loop when the loop says so
        // (skip="1") or when the error came from a term element.
        if (m_errorRecorded && (e.discardLastError || m_errorTerm)) {
            m_errorRecorded = false;
            m_errorTerm = false;
            m_errorMessage.clear();
            m_errorPos.clear();
            m_errorUnit.clear();
        }
        m_tok.setPosition(lastStop);
        matched = true;
    }
    if (!matched && e.op == GrammarOp::OptionalLoop) {
        m_tok.setPosition(entryPos);
        matched = true;
    }
    return matched;
}

bool TkxILParser::interpret(int index)
{
    const GrammarElement &e = m_grammar->element(index);
    DepthGuard depth(m_depth);
    if (m_depth > m_nestingLimit)
        throw AnalysisAbort{kxMessage(QStringLiteral("SNestingTooDeep")), m_tok.position()};

    const int entryPos = m_tok.position();
    const int firstLine = int(m_lines.size());
    const bool wraps = !e.node.isEmpty() && !e.container && !e.usesNode;
    if (wraps) {
        Line open;
        open.kind = Line::Open;
        open.name = &e.node;
        m_lines.push_back(open);
    }

    bool matched = false;
    QByteArray token;
    int sliceStart = 0;   // a token that is a piece of the text is not copied
    int sliceLength = 0;
    switch (e.op) {
    case GrammarOp::Rule:
    case GrammarOp::Sequence: matched = interpretChildren(e); break;
    case GrammarOp::Reference:
        if (e.rule < 0)
            throw AnalysisAbort{kxMessage(QStringLiteral("SInvalidLanguage")), entryPos};
        matched = interpret(e.rule);
        break;
    case GrammarOp::Char: {
        if (!e.noSkip)
            m_tok.skipBlanks();
        const char c = m_tok.readPunctuation();
        matched = c != 0 && (!e.hasText || (e.text.size() == 1 && e.text[0] == c));
        if (matched) {
            sliceStart = m_tok.position() - 1;
            sliceLength = 1;
        }
        break;
    }
    case GrammarOp::Keyword:
    case GrammarOp::Ident: {
        const QByteArrayView word
            = e.op == GrammarOp::Keyword ? m_tok.scanWord() : m_tok.scanIdentifier();
        matched = !word.isEmpty()
            && (!e.hasText
                || (m_tok.caseSensitive() ? word == QByteArrayView(e.text)
                                          : equalNoCase(word, e.text)));
        if (matched) {
            sliceStart = m_tok.position() - int(word.size());
            sliceLength = int(word.size());
        }
        break;
    }
    case GrammarOp::Number:
    case GrammarOp::String:
        token = e.op == GrammarOp::Number ? m_tok.readNumber() : m_tok.readString();
        matched = !token.isEmpty()
            && (!e.hasText
                || (m_tok.caseSensitive() ? token == e.text : equalNoCase(token, e.text)));
        break;
    case GrammarOp::FrString: {
        const QByteArray text = m_tok.readBracketText();
        matched = !text.isEmpty() && (!e.hasText || equalNoCase(text, e.text));
        if (matched)
            emitReportExpression(text, m_tok.position());
        break;
    }
    case GrammarOp::Eol: matched = m_tok.readLineEnd(); break;
    case GrammarOp::Switch:
    case GrammarOp::OptionalSwitch:
        for (int child : e.children) {
            if (interpret(child)) {
                matched = true;
                break;
            }
        }
        if (!matched && e.op == GrammarOp::OptionalSwitch)
            matched = true;
        break;
    case GrammarOp::Loop:
    case GrammarOp::OptionalLoop: matched = interpretLoop(e, entryPos); break;
    case GrammarOp::Optional:
        for (int child : e.children) {
            if (!interpret(child)) {
                m_tok.setPosition(entryPos);
                break;
            }
        }
        matched = true;
        break;
    }

    if (e.usesNode) {
        completeUses(matched, firstLine, entryPos);
    } else if (wraps) {
        if (matched) {
            Line &open = m_lines[size_t(firstLine)];
            // A node begins at the first non-blank character of its element.
            const int here = m_tok.position();
            m_tok.setPosition(entryPos);
            m_tok.skipBlanks();
            open.pos = m_tok.position();
            m_tok.setPosition(here);
            if (e.exprNode)
                open.pos1 = here;
            Line close;
            close.kind = Line::Close;
            close.name = &e.node;
            m_lines.push_back(close);
        } else if (e.op == GrammarOp::Rule) {
            m_lines.resize(size_t(firstLine));
        } else {
            // What a failed body element emitted stays; only its node goes.
            m_lines[size_t(firstLine)].kind = Line::Dead;
        }
    }

    if (matched) {
        if (!e.container && !e.add.isEmpty()) {
            if (e.hasAddText)
                emitLeaf(e.add, e.addText, m_tok.position());
            else if (sliceStart > 0)
                emitLeaf(e.add, QByteArray(), m_tok.position(), sliceStart, sliceLength);
            else
                emitLeaf(e.add, token, m_tok.position());
        }
        return true;
    }
    if (e.error >= 0)
        recordError(e, entryPos);
    m_tok.setPosition(entryPos);
    return false;
}

// A completed uses clause: each file leaf it emitted is replaced by a uses
// node holding that unit's tree. The leaves are taken from the last one
// back while the insertion point moves forward, so the units of one clause
// appear in reverse order.
void TkxILParser::completeUses(bool matched, int firstLine, int entryPos)
{
    if (!matched) {
        m_lines.resize(size_t(firstLine));
        return;
    }
    std::vector<Line> files;
    std::vector<Line> others;
    for (size_t i = size_t(firstLine); i < m_lines.size(); ++i) {
        if (m_lines[i].kind == Line::Leaf && m_lines[i].name
            && m_lines[i].name->compare(kFile, Qt::CaseInsensitive) == 0)
            files.push_back(std::move(m_lines[i]));
        else
            others.push_back(std::move(m_lines[i]));
    }
    m_lines.resize(size_t(firstLine));
    std::vector<Line> blocks;
    for (auto it = files.rbegin(); it != files.rend(); ++it) {
        QString unitName = leafText(*it);
        if (unitName.size() >= 2 && unitName.startsWith(u'\'') && unitName.endsWith(u'\''))
            unitName = unitName.mid(1, unitName.size() - 2);
        includeUnit(unitName, entryPos, blocks);
    }
    for (Line &line : blocks)
        m_lines.push_back(std::move(line));
    for (Line &line : others)
        m_lines.push_back(std::move(line));
}

bool TkxILParser::readUnitText(const QString &unitName, QString &text) const
{
    if (onGetUnit) {
        onGetUnit(unitName, text);
        return true;
    }
    const QString path = QDir::isAbsolutePath(unitName) || m_unitFolder.isEmpty()
        ? unitName
        : QDir(m_unitFolder).filePath(unitName);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    text = QString::fromUtf8(file.readAll());
    return true;
}

void TkxILParser::includeUnit(const QString &unitName, int entryPos, std::vector<Line> &blocks)
{
    for (const QString &used : std::as_const(m_usesList))
        if (used.compare(unitName, Qt::CaseInsensitive) == 0)
            return;
    m_usesList.append(unitName);

    const int nodePos = [&] {
        const int here = m_tok.position();
        m_tok.setPosition(entryPos);
        m_tok.skipBlanks();
        const int p = m_tok.position();
        m_tok.setPosition(here);
        return p;
    }();

    Unit unit;
    unit.name = unitName;
    unit.pos = nodePos;
    QString text;
    if (!readUnitText(unitName, text)) {
        // A unit that cannot be read is a compile error naming it.
        if (!m_errorRecorded) {
            m_errorRecorded = true;
            m_errorTerm = false;
            m_errorMessage = kxMessageWith(QStringLiteral("SUnitNotFound"), unitName);
            m_errorPos = m_tok.positionText(nodePos);
            if (m_errorUnit.isEmpty())
                m_errorUnit = m_unitName;
        }
    } else if (!text.isEmpty()) {
        TkxILParser nested;
        nested.onGetUnit = onGetUnit;
        nested.m_highCharacters = m_highCharacters;
        nested.m_unitFolder = m_unitFolder;
        nested.m_unitName = unitName;
        nested.m_usesList = m_usesList;
        nested.m_nestingLimit = m_nestingLimit;
        nested.m_depth = m_depth;   // units nest on the same stack
        nested.selectLanguage(m_languageName);
        if (nested.makeProgramTree(normalizeScriptText(text))) {
            m_usesList = nested.m_usesList;
            unit.body = nested.m_tree.takeRoot();
        } else if (!m_errorRecorded && !nested.m_errorMessage.isEmpty()) {
            // The unit's first error, with its position in the unit and the
            // name of the (innermost) unit it is in.
            m_errorRecorded = true;
            m_errorTerm = false;
            m_errorMessage = nested.m_errorMessage;
            m_errorPos = nested.m_errorPos;
            m_errorUnit = nested.m_errorUnit.isEmpty() ? unitName : nested.m_errorUnit;
        }
    }
    m_units.push_back(std::move(unit));
    Line block;
    block.kind = Line::UnitBlock;
    block.name = &kUses;
    block.unit = int(m_units.size() - 1);
    block.pos = nodePos;
    blocks.push_back(std::move(block));
}

QString TkxILParser::leafText(const Line &line) const
{
    if (line.sliceStart > 0)
        return QString::fromUtf8(m_tok.text().constData() + line.sliceStart - 1, line.sliceLength);
    return QString::fromUtf8(line.text);
}

ProgramTree TkxILParser::buildTree()
{
    auto root = std::make_unique<ProgramNode>(QStringLiteral("program"));
    auto toPos = [this](int position) {
        if (position <= 0)
            return TextPos();
        const QPoint point = m_tok.positionPoint(position);
        return TextPos{point.y(), point.x()};
    };
    // Child counts first, so that every node reserves its list once.
    std::vector<int> childCounts(m_lines.size(), 0);
    {
        std::vector<size_t> open;
        int topLevel = 0;
        for (size_t i = 0; i < m_lines.size(); ++i) {
            const Line::Kind kind = m_lines[i].kind;
            if (kind == Line::Dead)
                continue;
            if (kind != Line::Close)
                ++(open.empty() ? topLevel : childCounts[open.back()]);
            if (kind == Line::Open)
                open.push_back(i);
            else if (kind == Line::Close && !open.empty())
                open.pop_back();
        }
        root->reserveChildren(topLevel + 1);
    }
    ProgramNode *current = root.get();
    for (size_t i = 0; i < m_lines.size(); ++i) {
        Line &line = m_lines[i];
        switch (line.kind) {
        case Line::Open: {
            auto node = std::make_unique<ProgramNode>(*line.name);
            node->setPos(toPos(line.pos));
            if (line.pos1 > 0)
                node->setPos1(toPos(line.pos1));
            node->reserveChildren(childCounts[i]);
            current = current->appendChild(std::move(node));
            break;
        }
        case Line::Close:
            if (current->parent())
                current = current->parent();
            break;
        case Line::Leaf: {
            auto node = std::make_unique<ProgramNode>(*line.name);
            node->setText(leafText(line));
            node->setPos(toPos(line.pos));
            current->appendChild(std::move(node));
            break;
        }
        case Line::UnitBlock: {
            Unit &unit = m_units[size_t(line.unit)];
            auto node = std::make_unique<ProgramNode>(kUses);
            node->setAttribute(QStringLiteral("unit"), unit.name);
            node->setPos(toPos(line.pos));
            if (unit.body)
                node->appendChild(std::move(unit.body));
            current->appendChild(std::move(node));
            break;
        }
        case Line::Dead: break;
        }
    }
    // The type aliases go with the tree, so that the second stage resolves
    // them without the grammar.
    auto types = std::make_unique<ProgramNode>(QStringLiteral("types"));
    for (const GrammarTypeAlias &alias : m_grammar->types()) {
        auto node = std::make_unique<ProgramNode>(alias.name);
        for (const auto &pair : alias.attributes)
            node->setAttribute(pair.first, pair.second);
        types->appendChild(std::move(node));
    }
    root->appendChild(std::move(types));
    m_lines.clear();
    m_units.clear();
    return ProgramTree(std::move(root));
}

}   // namespace pgx::script
