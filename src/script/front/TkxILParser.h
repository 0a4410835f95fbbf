#pragma once

#include "ProgramTree.h"
#include "TkxParser.h"

#include <QtCore/QString>
#include <QtCore/QStringList>
#include <functional>
#include <memory>
#include <vector>

namespace pgx::script {

class TkxGrammar;
struct GrammarElement;

// Supplies the text of a unit named in a uses clause; the handler fills
// text (left empty, the unit has no lines). Without a handler the analyser
// reads the file of that name.
using TkxGetUnitEvent = std::function<void(const QString &unitName, QString &text)>;

// Joins script lines the way the analyser expects them: each line ends with
// CR LF, the last one too, so that line-oriented grammars see the end of
// the last line.
QByteArray joinScriptLines(const QStringList &lines);
// Splits a text at CR LF, LF or CR and joins it again as above.
QByteArray normalizeScriptText(const QString &text);

// The syntax analyser's stage 1 (MakeProgramTree): interprets the selected
// language's grammar over the script text, backtracking between
// alternatives, and emits the language-neutral program tree. Stage 2, which
// builds the runtime program from that tree, is the analyser's
// (script/analyser) and reads only the tree. One parser serves one
// compilation; a nested one is made for each unit a script includes.
class TkxILParser
{
public:
    TkxILParser();
    ~TkxILParser();
    TkxILParser(const TkxILParser &) = delete;
    TkxILParser &operator=(const TkxILParser &) = delete;

    // Loads the grammar of a language and applies its lexical settings to
    // the tokenizer. Throws pgx::Error (SLangNotFound) for an unknown name.
    void selectLanguage(const QString &name);
    const QString &languageName() const { return m_languageName; }
    bool declarationsRequired() const { return m_declarationsRequired; }

    // Stage 1. On return errorMessage(), errorPos() and errorUnit() are set
    // (empty on success) and, on success, programTree() holds the tree.
    bool makeProgramTree(const QString &text);
    bool makeProgramTree(const QByteArray &utf8Text);

    const QString &errorMessage() const { return m_errorMessage; }
    const QString &errorPos() const { return m_errorPos; }
    const QString &errorUnit() const { return m_errorUnit; }
    const ProgramTree &programTree() const { return m_tree; }
    ProgramTree takeProgramTree() { return std::move(m_tree); }

    // Settings the owning script gives its parser.
    TkxGetUnitEvent onGetUnit;
    // Characters 128..255 are identifier characters (the report's scripts).
    void setHighCharacters(bool on) { m_highCharacters = on; }
    // Unit files without an OnGetUnit handler are read relative to this
    // folder (the script's own); empty means the current folder.
    void setUnitFolder(const QString &folder) { m_unitFolder = folder; }
    // The name of the unit being analysed (empty for the main script).
    void setUnitName(const QString &name) { m_unitName = name; }
    const QStringList &usesList() const { return m_usesList; }
    void setUsesList(const QStringList &list) { m_usesList = list; }
    // Interpreter nesting allowed before the analyser gives up with
    // SNestingTooDeep; lowered by tests.
    void setNestingLimit(int limit) { m_nestingLimit = limit; }
    static constexpr int kDefaultNestingLimit = 4000;

    // The tokenizer, set up for the selected language.
    const TkxParser &tokenizer() const { return m_tok; }

private:
    struct Line;
    struct Unit;
    struct AnalysisAbort;

    bool interpret(int index);
    bool interpretChildren(const GrammarElement &e);
    bool interpretLoop(const GrammarElement &e, int entryPos);
    void recordError(const GrammarElement &e, int entryPos);
    QString errorPositionText(int position) const;
    void completeUses(bool matched, int firstLine, int entryPos);
    void includeUnit(const QString &unitName, int entryPos, std::vector<Line> &blocks);
    bool readUnitText(const QString &unitName, QString &text) const;
    void emitLeaf(const QString &name, QByteArray text, int position, int sliceStart = 0,
                  int sliceLength = 0);
    QString leafText(const Line &line) const;
    void emitReportExpression(const QByteArray &text, int position);
    ProgramTree buildTree();
    void resetAnalysis();

    TkxParser m_tok;
    std::shared_ptr<const TkxGrammar> m_grammar;
    QString m_languageName;
    bool m_declarationsRequired = true;
    bool m_highCharacters = false;
    QString m_unitFolder;
    QString m_unitName;
    QStringList m_usesList;
    int m_nestingLimit = kDefaultNestingLimit;
    int m_depth = 0;

    std::vector<Line> m_lines;
    std::vector<Unit> m_units;
    bool m_errorRecorded = false;
    bool m_errorTerm = false;
    QString m_errorMessage;
    QString m_errorPos;
    QString m_errorUnit;
    ProgramTree m_tree;
};

}   // namespace pgx::script
