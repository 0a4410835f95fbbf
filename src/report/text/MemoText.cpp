#include "report/text/MemoText.h"

#include "platform/format/NumberText.h"
#include "report/text/HtmlTags.h"

#include <cmath>

namespace pgx::text {

namespace {

constexpr double kAutoWidthLimit = 10000;

double nint(double value)
{
    return format::roundHalfEven(value);
}

// The text rectangle measuring works in: the box's at scale 1, or
// 10,000 x 10,000 units with AutoWidth.
DeviceRect measuringRect(const TextOptions &options, const MemoBox &box)
{
    if (options.autoWidth)
        return DeviceRect{0, 0, int(kAutoWidthLimit), int(kAutoWidthLimit)};
    return box.textRect(DeviceScale{});
}

}   // namespace

double layoutLimit(const TextOptions &options, const MemoBox &box)
{
    const DeviceRect rect = measuringRect(options, box);
    return (options.runsAlongHeight() ? rect.height() : rect.width()) * kLayoutFactor;
}

TextLayout layOutMemo(const QStringList &lines, const TextOptions &options, const MemoBox &box)
{
    return TextLayout(lines, options, layoutLimit(options, box));
}

double calcHeight(const QStringList &lines, const TextOptions &options, const MemoBox &box)
{
    const TextLayout layout = layOutMemo(lines, options, box);
    return nint(layout.lineCount() * layout.lineHeight() + box.heightInsets());
}

double calcWidth(const QStringList &lines, const TextOptions &options, const MemoBox &box)
{
    const TextLayout layout = layOutMemo(lines, options, box);
    return nint(layout.widestLine() + box.widthInsets());
}

TextPart takePart(const QStringList &lines, const TextOptions &options, const MemoBox &box)
{
    TextPart part;
    part.layout = layOutMemo(lines, options, box);
    const TextLayout &layout = part.layout;
    const DeviceRect rect = box.textRect(DeviceScale{});
    const double free = (options.runsAlongHeight() ? rect.width() : rect.height()) + 1;
    const int count = layout.lineCount();
    // A line height of 0 or less (no font file and no spacing) fits every line.
    const double h = layout.lineHeight();
    const int fit = h > 0 ? int(std::min(double(count), std::floor(free / h))) : count;
    part.lastParaBreak = options.lastParaBreak;
    if (fit <= 0 && count > 0) {
        part.remainingText = layout.source();
        part.emptyHeight = box.height;
        part.layout.keepLines(0);
        return part;
    }
    if (fit > 0) {
        const LayoutLine &last = layout.lines()[size_t(fit - 1)];
        part.text = layout.source().left(last.sourceEnd);
        if (last.hyphenated)
            part.text += QLatin1Char('-');
    }
    if (fit < count) {
        const LayoutLine &next = layout.lines()[size_t(fit)];
        part.lastParaBreak = !(layout.lines()[size_t(fit - 1)].flags & kLastOfParagraph);
        int from = next.sourceBegin;
        if (!(next.flags & kFirstOfParagraph) && from < layout.source().size()
            && layout.source()[from] == u' ')
            ++from;
        part.remainingText = layout.source().mid(from);
        if (options.allowHtmlTags)
            part.remainingText.prepend(restoringTags(layout.format(next.begin)));
        part.layout.keepLines(fit);
    }
    const double empty = free - fit * h;
    part.emptyHeight = empty == 0 ? 0.0001 : empty;
    return part;
}

}   // namespace pgx::text
