#pragma once

#include <QtCore/QStringView>
#include <vector>

namespace pgx::text {

// Hyphenation of Russian words (the memo's WordBreak).

// The word a line break may hyphenate: from the start of `text` to the
// character before the next of " .,-;".
QStringView hyphenationWord(QStringView text);

// Every number of letters p after which `word` may be broken, ascending.
// A break after letter p is a candidate when letter p is a consonant not
// followed by a vowel or a sign (Ь, Ъ), or a vowel not followed by Й -
// but not a vowel before a doubled consonant that a vowel follows, where
// the break goes between the two consonants instead. Both sides must be
// at least two letters long and hold a vowel. Words of three letters or
// fewer have no break points.
std::vector<int> hyphenationPoints(QStringView word);

// The largest break point smaller than `fittedLetters` (the letters of the
// word that fitted on the line), or 0 when there is none.
int hyphenationPoint(QStringView word, int fittedLetters);

}   // namespace pgx::text
