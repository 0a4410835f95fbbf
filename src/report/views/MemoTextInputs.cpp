#include "report/views/MemoTextInputs.h"

#include "report/data/TpgxDataSet.h"
#include "report/views/TpgxMemoView.h"

namespace pgx::views {

namespace {

text::FontSpec fontSpec(const TpgxFont &font)
{
    text::FontSpec spec;
    spec.name = font.name();
    spec.size = font.size();
    spec.style = int(font.style());
    spec.color = font.color();
    return spec;
}

}   // namespace

text::TextOptions memoTextOptions(const TpgxCustomMemoView &memo)
{
    text::TextOptions o;
    const TpgxHighlight *highlight = memo.highlight();
    o.font = fontSpec(highlight->active() ? *highlight->font() : *memo.font());
    o.wordWrap = memo.wordWrap();
    o.wordBreak = memo.wordBreak();
    o.allowHtmlTags = memo.allowHtmlTags();
    o.autoWidth = memo.autoWidth();
    o.wysiwyg = memo.wysiwyg();
    o.clipped = memo.clipped();
    o.rtlReading = memo.rtlReading();
    o.underlines = memo.underlines();
    o.rotation = memo.rotation();
    o.hAlign = text::HAlign(int(memo.hAlign()));
    o.vAlign = text::VAlign(int(memo.vAlign()));
    o.lineSpacing = memo.lineSpacing();
    o.charSpacing = memo.charSpacing();
    o.paragraphGap = memo.paragraphGap();
    o.firstParaBreak = memo.firstParaBreak();
    o.lastParaBreak = memo.lastParaBreak();
    return o;
}

text::MemoBox memoBox(const TpgxCustomMemoView &memo)
{
    text::MemoBox box;
    box.left = memo.absLeft();
    box.top = memo.absTop();
    box.width = memo.width();
    box.height = memo.height();
    box.gapX = memo.gapX();
    box.gapY = memo.gapY();
    const TpgxFrame *frame = memo.frame();
    box.frameSides = int(frame->typ());
    box.frameWidth = frame->width();
    box.frameColor = frame->color();
    box.dropShadow = frame->dropShadow();
    box.shadowWidth = frame->shadowWidth();
    return box;
}

QStringList memoLayoutLines(const TpgxCustomMemoView &memo)
{
    if (memo.isDesigning() && memo.isBound()) {
        const TpgxDataSet *source = memo.dataSet();
        return {QLatin1Char('[') + source->userName() + QLatin1String(".\"") + memo.dataField()
                + QLatin1String("\"]")};
    }
    return memo.memo();
}

}   // namespace pgx::views
