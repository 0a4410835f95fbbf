#pragma once

// One fuzz input through the syntax analyser; shared by the libFuzzer target
// and the corpus replay test of the normal build.
//
// Input: the first byte chooses the language (bits 0-1) and the
// high-character option (bit 2); the rest is the script text as raw bytes,
// line ends and all. A unit named in a uses clause has its own name as its
// text, so the fuzzer reaches nested units without touching the disk.

#include "script/front/LanguageRegistry.h"
#include "script/front/TkxILParser.h"

#include <cstddef>
#include <cstdint>

namespace pgx::script::fuzz {

inline void parseScriptInput(const uint8_t *data, size_t size)
{
    static const bool kRegistered = (registerStandardLanguages(), true);
    (void)kRegistered;
    if (size == 0)
        return;
    static const char *const kLanguages[] = {"PascalScript", "C++Script", "BasicScript", "JScript"};
    TkxILParser parser;
    parser.setHighCharacters((data[0] & 4) != 0);
    parser.onGetUnit = [](const QString &unitName, QString &text) { text = unitName; };
    parser.selectLanguage(QString::fromLatin1(kLanguages[data[0] & 3]));
    const QByteArray text(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    if (parser.makeProgramTree(text))
        (void)parser.programTree().toXml();
}

}   // namespace pgx::script::fuzz
