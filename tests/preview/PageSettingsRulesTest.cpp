// The page settings rules without the dialog: the unit of the settings
// store, lengths shown and read, the paper box, turning the page, and the
// settings written into a page.
#include "preview/dialogs/PageSettingsRules.h"
#include "platform/KeyStore.h"
#include "preview/PreviewTexts.h"
#include "report/root/TpgxReport.h"

#include <gtest/gtest.h>

#include <QtCore/QTemporaryDir>

#include <optional>

namespace pgx::preview {
namespace {

using Length = PageSettingsRules::Length;
constexpr auto kCm = LengthUnit::Centimetres;
constexpr auto kInch = LengthUnit::Inches;
constexpr auto poPortrait = TpgxReportPage::poPortrait;
constexpr auto poLandscape = TpgxReportPage::poLandscape;

// As a system printer lists them: the custom size first.
QList<TpgxPrinterItem> officePapers()
{
    return {{"Custom", 256}, {"A4", 9}, {"Letter", 1}, {"A5", 11}};
}

PageSettings a4(TpgxReportPage::TPrinterOrientation orientation = poPortrait)
{
    PageSettings s;
    s.paperSize = 9;
    s.paperWidth = orientation == poPortrait ? 210 : 297;
    s.paperHeight = orientation == poPortrait ? 297 : 210;
    s.orientation = orientation;
    s.leftMargin = s.topMargin = s.rightMargin = s.bottomMargin = 10;
    return s;
}

PageSettingsRules officeRules(const PageSettings &settings)
{
    PageSettingsRules rules(officePapers(), kCm);
    rules.setSettings(settings);
    return rules;
}

TEST(PageSettingsRules, TheUnitIsTheDesignersFromTheSettingsStore)
{
    const struct
    {
        const char *stored;   // nullptr: no value
        LengthUnit expected;
    } cases[] = {
        {nullptr, kCm}, {"0", kCm}, {"1", kInch}, {"2", kCm}, {"-1", kCm}, {"inch", kCm},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "(none)");
        QTemporaryDir dir;
        TpgxReport report;
        report.setIniFile(dir.filePath(QStringLiteral("settings.ini")));
        if (c.stored) {
            std::unique_ptr<KeyStore> store = report.settingsStore();
            store->writeString(QStringLiteral("Form.TpgxDesignerForm"), QStringLiteral("Units"),
                               QLatin1String(c.stored));
            ASSERT_TRUE(store->save());
        }
        EXPECT_EQ(PageSettingsRules::unitOf(report), c.expected);
    }
}

TEST(PageSettingsRules, LengthsAreShownInTheUnitRounded)
{
    const struct
    {
        double mm;
        LengthUnit unit;
        const char *text;
    } cases[] = {
        {210, kCm, "21"},    {297, kCm, "29.7"},     {12.345, kCm, "1.23"}, {0, kCm, "0"},
        {-0.0001, kCm, "0"}, {297, kInch, "11.693"}, {25.4, kInch, "1"},    {215.9, kInch, "8.5"},
        {0.001, kInch, "0"}, {5000, kCm, "500"},     {0.1, kCm, "0.01"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(PageSettingsRules::lengthText(c.mm, c.unit), QLatin1String(c.text))
            << c.mm << (c.unit == kCm ? " cm" : " in");
}

TEST(PageSettingsRules, LengthsReadWithEitherDecimalSeparator)
{
    const struct
    {
        const char *text;
        LengthUnit unit;
        std::optional<double> mm;
    } cases[] = {
        {"1,5", kCm, 15},   {"1.5", kCm, 15},   {" 2 ", kCm, 20}, {"1,5", kInch, 38.1},
        {"0", kCm, 0},      {"-1", kCm, -10},   {"", kCm, {}},    {"abc", kCm, {}},
        {"1,5cm", kCm, {}}, {"1.5.5", kCm, {}}, {"nan", kCm, {}}, {"inf", kInch, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        const std::optional<double> mm
            = PageSettingsRules::readLength(QLatin1String(c.text), c.unit);
        ASSERT_EQ(mm.has_value(), c.mm.has_value());
        if (mm) {
            EXPECT_NEAR(*mm, *c.mm, 1e-9);
        }
    }
}

TEST(PageSettingsRules, ThePaperBoxShowsTheCurrentPaperOrTheCustomEntry)
{
    registerPreviewTexts();
    // A printer that names no paper (the virtual one) shows their sizes.
    PageSettingsRules unnamed({{"Custom", 256}, {"", 9}, {"", 1}}, kCm);
    EXPECT_EQ(unnamed.paperNames(), QStringList({"Custom", "210 x 297 mm", "215.9 x 279.4 mm"}));

    const struct
    {
        QList<TpgxPrinterItem> papers;
        int code;
        int index;
    } cases[] = {
        {officePapers(), 9, 1},
        {officePapers(), 11, 3},
        {officePapers(), 256, 0},
        {officePapers(), 8, 0},   // A3: not offered
        {{{"A4", 9}, {"Custom", 256}, {"Letter", 1}}, 8, 1},
        {{{"A4", 9}, {"Custom", 256}, {"Letter", 1}}, 1, 2},
        {{{"A4", 9}}, 1, 0},   // no custom entry at all
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.code);
        PageSettingsRules rules(c.papers, kCm);
        PageSettings s = a4();
        s.paperSize = c.code;
        rules.setSettings(s);
        EXPECT_EQ(rules.paperIndex(), c.index);
        // Shown as custom, an unlisted paper still keeps its code.
        EXPECT_EQ(rules.settings().paperSize, c.code);
    }
}

TEST(PageSettingsRules, ChoosingAPaperFillsItsSizeForTheOrientation)
{
    const struct
    {
        TpgxReportPage::TPrinterOrientation orientation;
        int index;
        int code;
        double width;
        double height;
    } cases[] = {
        {poPortrait, 2, 1, 215.9, 279.4},
        {poLandscape, 2, 1, 279.4, 215.9},
        {poLandscape, 3, 11, 210, 148},
        {poPortrait, 1, 9, 210, 297},
        // The custom entry keeps whatever size there is.
        {poLandscape, 0, 256, 297, 210},
        // Outside the box: nothing changes.
        {poLandscape, 4, 9, 297, 210},
        {poLandscape, -1, 9, 297, 210},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.orientation << " " << c.index);
        PageSettingsRules rules = officeRules(a4(c.orientation));
        rules.choosePaper(c.index);
        EXPECT_EQ(rules.settings().paperSize, c.code);
        EXPECT_DOUBLE_EQ(rules.settings().paperWidth, c.width);
        EXPECT_DOUBLE_EQ(rules.settings().paperHeight, c.height);
        EXPECT_EQ(rules.settings().leftMargin, 10);
    }
}

TEST(PageSettingsRules, TurningThePageTurnsItsPaper)
{
    // A table paper takes the table's size.
    PageSettingsRules paper = officeRules(a4());
    paper.setOrientation(poLandscape);
    EXPECT_EQ(paper.settings(), a4(poLandscape));

    // A custom size swaps its sides, whatever they were.
    PageSettings custom = a4();
    custom.paperSize = 256;
    custom.paperWidth = 100;
    custom.paperHeight = 50;
    PageSettingsRules rules = officeRules(custom);
    rules.setOrientation(poLandscape);
    EXPECT_DOUBLE_EQ(rules.settings().paperWidth, 50);
    EXPECT_DOUBLE_EQ(rules.settings().paperHeight, 100);

    // Text that did not read is given up: the sides are shown anew.
    rules.setLengthText(Length::Width, QStringLiteral("?"));
    EXPECT_FALSE(rules.isValid());
    rules.setOrientation(poPortrait);
    EXPECT_TRUE(rules.isValid());
    EXPECT_DOUBLE_EQ(rules.settings().paperWidth, 100);
    EXPECT_DOUBLE_EQ(rules.settings().paperHeight, 50);
}

TEST(PageSettingsRules, OnlyLengthsThatMakeAPageAreValid)
{
    const struct
    {
        const char *name;
        void (*change)(PageSettings &);
        bool valid;
    } cases[] = {
        {"as it is", [](PageSettings &) {}, true},
        {"no width", [](PageSettings &s) { s.paperWidth = 0; }, false},
        {"negative height", [](PageSettings &s) { s.paperHeight = -297; }, false},
        {"more than ten metres", [](PageSettings &s) { s.paperHeight = 10000.5; }, false},
        {"negative margin", [](PageSettings &s) { s.bottomMargin = -1; }, false},
        {"margins fill the width", [](PageSettings &s) { s.leftMargin = 200; }, false},
        {"margins fill the height", [](PageSettings &s) { s.topMargin = 287; }, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        PageSettings s = a4();
        c.change(s);
        EXPECT_EQ(officeRules(s).isValid(), c.valid);
    }
}

TEST(PageSettingsRules, ApplyingWritesThePageAsGiven)
{
    TpgxReportPage page(nullptr);
    page.setLeftMargin(1);
    page.setBottomMargin(4);
    // Landscape Letter: the margins given are not turned again.
    const PageSettings s{1, 279.4, 215.9, poLandscape, 5, 6, 7, 8, false};
    applyPageSettings(s, page);
    EXPECT_EQ(pageSettingsOf(page), s);
    EXPECT_DOUBLE_EQ(page.width(), std::nearbyint(279.4 * kPg01cm));
    const PageSettings custom{256, 100, 150, poPortrait, 0, 0, 0, 0, false};
    applyPageSettings(custom, page);
    EXPECT_EQ(pageSettingsOf(page), custom);
}

}   // namespace
}   // namespace pgx::preview
