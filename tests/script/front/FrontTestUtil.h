#pragma once

#include "script/front/LanguageRegistry.h"
#include "script/front/TkxGrammar.h"
#include "script/front/TkxParser.h"

#include <QtCore/QByteArray>
#include <QtCore/QString>

namespace pgx::script::test {

// A tokenizer set up for a shipped language, as the analyser sets it up.
inline TkxParser tokenizerFor(const QString &language, const QByteArray &text,
                              bool highCharacters = false)
{
    registerStandardLanguages();
    TkxParser parser;
    parser.loadGrammar(*languageGrammarDocument(language), highCharacters);
    parser.setText(text);
    return parser;
}

}   // namespace pgx::script::test
