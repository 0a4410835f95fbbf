#include "report/text/Hyphenation.h"

#include <QtCore/QString>

namespace pgx::text {

namespace {

enum LetterClass : unsigned char { kOther = 0, kVowel = 1, kConsonant = 2, kSign = 4, kShortI = 8 };

// The letter classes of upper-case Russian letters; signs and Й are
// consonants as well.
int letterClass(QChar c)
{
    switch (c.unicode()) {
    case u'А': case u'Е': case u'Ё': case u'И': case u'О':
    case u'У': case u'Ы': case u'Э': case u'Ю': case u'Я':
        return kVowel;
    case u'Ь': case u'Ъ':
        return kConsonant | kSign;
    case u'Й':
        return kConsonant | kShortI;
    case u'Б': case u'В': case u'Г': case u'Д': case u'Ж': case u'З': case u'К':
    case u'Л': case u'М': case u'Н': case u'П': case u'Р': case u'С': case u'Т':
    case u'Ф': case u'Х': case u'Ц': case u'Ч': case u'Ш': case u'Щ':
        return kConsonant;
    default:
        return kOther;
    }
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
