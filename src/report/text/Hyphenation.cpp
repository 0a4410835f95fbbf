#include "report/text/Hyphenation.h"

#include <QtCore/QString>

namespace pgx::text {

namespace {

enum LetterClass : unsigned char { kOther = 0, kVowel = 1, kConsonant = 2, kSign = 4, kShortI = 8 };

// The letter classes of upper-case Russian letters (code page 1251's);
// signs and Й are consonants as well.
int letterClass(QChar c)
{
    if (QStringView(u"АЕЁИОУЫЭЮЯ").contains(c))
        return kVowel;
    if (QStringView(u"ЬЪ").contains(c))
        return kConsonant | kSign;
    if (c == u'Й')
        return kConsonant | kShortI;
    if (QStringView(u"БВГДЖЗКЛМНПРСТФХЦЧШЩ").contains(c))
        return kConsonant;
    return kOther;
}

bool hasVowel(QStringView letters)
{
    for (QChar c : letters)
        if (letterClass(c) & kVowel)
            return true;
    return false;
}

}   // namespace

QStringView hyphenationWord(QStringView text)
{
    qsizetype end = 0;
    while (end < text.size() && !QStringView(u" .,-;").contains(text[end]))
        ++end;
    return text.left(end);
}

std::vector<int> hyphenationPoints(QStringView word)
{
    std::vector<int> points;
    const int length = int(word.size());
    if (length <= 3)
        return points;
    const QString upper = word.toString().toUpper();
    // cls(i) is the class of letter i, 1-based; 0 past the end.
    auto cls = [&](int i) { return i <= length ? letterClass(upper[i - 1]) : int(kOther); };
    for (int p = 1; p < length; ++p) {
        bool candidate = false;
        if (cls(p) & kConsonant) {
            candidate = !(cls(p + 1) & (kVowel | kSign));
        } else if (cls(p) & kVowel) {
            const bool doubledConsonant = p < length - 2 && (cls(p + 1) & kConsonant)
                && upper[p] == upper[p + 1] && (cls(p + 3) & kVowel);
            candidate = !(cls(p + 1) & kShortI) && !doubledConsonant;
        }
        if (!candidate || p < 2 || length - p < 2)
            continue;
        if (hasVowel(QStringView(upper).left(p)) && hasVowel(QStringView(upper).mid(p)))
            points.push_back(p);
    }
    return points;
}

int hyphenationPoint(QStringView word, int fittedLetters)
{
    int best = 0;
    for (int p : hyphenationPoints(word))
        if (p < fittedLetters)
            best = p;
    return best;
}

}   // namespace pgx::text
