#pragma once

#include <QtCore/QString>
#include <QtCore/QStringList>
#include <memory>

namespace pgx::script {

class TkxGrammar;

// The process-wide language registry: an ordered list of name=grammar text
// entries. Names compare without regard to case. Safe to use from any thread.

// Replaces the grammar of an existing entry in place, else appends one.
void registerLanguage(const QString &name, const QString &grammar);

// The grammar text of a language; throws pgx::Error with the SLangNotFound
// message ("Language 'Foo' not found") for an unknown name.
QString languageGrammar(const QString &name);

// Clears the list and fills it with the registered names in registry order,
// leaving out names beginning with "@" (not offered to users).
void languageNames(QStringList &list);

// Re-registers PascalScript with its two adaptations for report scripts: a
// set constructor is written between backquotes so that "[...]" can be a
// bracketed report expression, and variables need not be declared.
void adaptPascalGrammar();

// The parsed form of a language's grammar. Each registered text is parsed
// once per process and shared; registering a new text for the name replaces
// it. Throws like LanguageGrammar, and pgx::Error("Invalid file format") for
// a malformed document.
std::shared_ptr<const TkxGrammar> languageGrammarDocument(const QString &name);

// Script source files name their language by suffix: .pas PascalScript,
// .cpp C++Script, .js JScript, .vb BasicScript (any letter case). Any other
// file is PascalScript, the language of a new report.
QString languageForFile(const QString &fileName);
// The suffixes above, without the dot ("pas", "cpp", "js", "vb").
QStringList scriptFileSuffixes();

// The start-up registration of the four shipped languages, in the order
// JScript, BasicScript, C++Script, PascalScript, followed by
// AdaptPascalGrammar. Called explicitly by the program's start-up (never by
// a static initialiser); later calls do nothing.
void registerStandardLanguages();

}   // namespace pgx::script
