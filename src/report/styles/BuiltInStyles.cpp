// The style sheet the report wizard offers: four sets of the same six styles.

#include "report/styles/TpgxStyles.h"

namespace {

struct StyleRow
{
    TColor color;
    TColor fontColor;    // -1: the font's own colour stays
    int fontHeight;      // 0: the font's own height stays
    int fontStyle;       // -1: the font's own style stays; 1 bold, 0 regular
    int frameTyp;        // bit mask: 4 top, 8 bottom
    double frameWidth;   // 0: the frame's own width stays
};

constexpr const char *kStyleNames[]
    = {"Title", "Header", "Group header", "Data", "Group footer", "Header line"};
constexpr int kStylesPerSet = int(std::size(kStyleNames));

struct StyleSet
{
    const char *name;
    StyleRow rows[kStylesPerSet];
};

constexpr TColor kT = kClTransparent;
constexpr StyleSet kSets[] = {
    {"Pagoryn",
     {{8421504, 16777215, -16, 1, 0, 0},
      {kT, 128, 0, 1, 0, 0},
      {16053492, 128, 0, 1, 0, 0},
      {kT, -1, 0, -1, 0, 0},
      {kT, -1, 0, 1, 0, 0},
      {kT, -1, 0, -1, 8, 2}}},
    {"Standard",
     {{kT, -1, -16, 1, 0, 0},
      {kT, -1, 0, 1, 0, 0},
      {kT, -1, 0, -1, 8, 0},
      {kT, -1, 0, -1, 0, 0},
      {kT, -1, 0, -1, 4, 0},
      {kT, -1, 0, -1, 8, 2}}},
    {"Soft gray",
     {{14211288, -1, -16, 1, 0, 0},
      {15790320, -1, 0, 1, 0, 0},
      {15790320, -1, 0, 1, 0, 0},
      {kT, -1, 0, 0, 0, 0},
      {kT, -1, 0, -1, 4, 0},
      {kT, -1, 0, -1, 0, 2}}},
    {"Corporate",
     {{0, 16777215, -16, 1, 0, 0},
      {0, 16777215, 0, 1, 0, 0},
      {52479, -1, 0, 1, 0, 0},
      {kT, -1, 0, -1, 0, 0},
      {kT, -1, 0, 1, 0, 0},
      {kT, -1, 0, -1, 0, 2}}},
};
static_assert(std::size(kSets) == 4, "the wizard offers four style sets");

}   // namespace

void TpgxStyleSheet::loadBuiltIn()
{
    clear();
    for (const StyleSet &set : kSets) {
        TpgxStyles *styles = add();
        styles->setName(QString::fromLatin1(set.name));
        for (int i = 0; i < kStylesPerSet; ++i) {
            const StyleRow &row = set.rows[i];
            TpgxStyleItem *style = styles->add();
            style->setName(QString::fromLatin1(kStyleNames[i]));
            style->setColor(row.color);
            if (row.fontColor >= 0)
                style->font()->setColor(row.fontColor);
            if (row.fontHeight != 0)
                style->font()->setHeight(row.fontHeight);
            if (row.fontStyle >= 0)
                style->font()->setStyle(TpgxFont::TpgxFontStyles::fromInt(row.fontStyle));
            if (row.frameTyp != 0)
                style->frame()->setTyp(TpgxFrame::TpgxFrameTypes::fromInt(row.frameTyp));
            if (row.frameWidth != 0)
                style->frame()->setWidth(row.frameWidth);
        }
    }
}
