#pragma once

#include "report/text/TextOptions.h"

#include <QtCore/QString>
#include <QtCore/QStringView>
#include <vector>

namespace pgx::text {

// The small HTML subset of text objects: <b> <i> <u> <strike> and their
// closing tags switch style bits, <sub> and <sup> switch to two thirds of
// the memo's size (sub also lowered) and </sub> </sup> back, <font
// color=...> and </font> set and restore the colour. Tag names ignore
// case; anything else, unknown tags included, is text. The state is flat
// (a closing tag clears its bit whatever was opened before) and carries
// from one memo line to the next.
class HtmlTagParser
{
public:
    explicit HtmlTagParser(const CharFormat &defaults);

    // Appends the characters of `line` that are text to `plain`, and for
    // each its format and its index in `line` (plus `sourceOffset`).
    void parseLine(QStringView line, int sourceOffset, QString &plain,
                   std::vector<CharFormat> &formats, std::vector<int> &sources);

    const CharFormat &current() const { return m_current; }

private:
    // The length of the tag at the start of `rest` it knows, else 0.
    qsizetype applyTag(QStringView rest);

    CharFormat m_defaults;
    CharFormat m_current;
};

// The size <sub> and <sup> switch to.
int smallSize(int size);

// Tags that give text following them `format` when it starts with the
// memo's defaults: "<font color="#RRGGBB">" then <u>, <i>, <b> as the
// style has them.
QString restoringTags(const CharFormat &format);

}   // namespace pgx::text
