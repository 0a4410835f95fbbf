// DiffAttrs: the difference text of prepared pages.
#include "SampleComponents.h"

#include "report/root/TpgxReport.h"

#include <gtest/gtest.h>

namespace {

TEST(DiffAttrs, IdenticalComponentsGiveNothingButABandKeepsItsTop)
{
    TpgxSampleView v;
    EXPECT_EQ(v.diffAttrs(&v), QString());
    TpgxSampleBand band;
    band.setTop(12.5);
    EXPECT_EQ(band.diffAttrs(&band), QStringLiteral(" t=\"12.5\""));
}

TEST(DiffAttrs, ListsDifferencesInTheirFixedOrder)
{
    TpgxSampleBand parent;
    auto *source = new TpgxSampleView(&parent);
    auto *copy = new TpgxSampleView(&parent);
    source->setBounds(10, 20, 30, 40);
    copy->setBounds(10.00005, 21, 30, 40.5);   // a difference of 0.0001 or less does not count
    copy->setVisible(false);
    copy->setTag(7);
    EXPECT_EQ(copy->diffAttrs(source),
              QStringLiteral(" t=\"21\" h=\"40.5\" Visible=\"0\" Tag=\"7\""));

    // The font is compared only when it is the component's own.
    copy->font()->setName(QStringLiteral("Say \"Hi\" & Co"));
    copy->font()->setSize(12);
    copy->font()->setColor(255);
    copy->font()->setStyle(TpgxFont::fsBold | TpgxFont::fsUnderline);
    copy->font()->setCharset(238);
    EXPECT_EQ(
        copy->diffAttrs(source),
        QStringLiteral(" t=\"21\" h=\"40.5\" Visible=\"0\" Font.Name=\"Say &#34;Hi&#34; &#38; Co\""
                       " Font.Size=\"12\" Font.Color=\"255\" Font.Style=\"5\" Font.Charset=\"238\""
                       " ParentFont=\"0\" Tag=\"7\""));
    EXPECT_EQ(source->diffAttrs(copy),
              QStringLiteral(" t=\"20\" h=\"40\" Visible=\"1\" ParentFont=\"1\" Tag=\"0\""));
}

TEST(DiffAttrs, FloatsUseTheGeneralFormat)
{
    TpgxSampleView a, b;
    a.setBounds(0.000001, -3.25, 1e20, 1.0 / 3);   // Left is within 0.0001 of 0: not written
    EXPECT_EQ(a.diffAttrs(&b), QStringLiteral(" t=\"-3.25\" w=\"1E20\" h=\"0.333333333333333\""));
}

}   // namespace

namespace {

TEST(DiffAttrs, AutoWidthTextLeavesTheWidthOut)
{
    TpgxSampleMemoView a, b;
    a.setWidth(80);
    EXPECT_EQ(a.diffAttrs(&b), QStringLiteral(" w=\"80\""));
    a.autoWidth = true;
    EXPECT_EQ(a.diffAttrs(&b), QString());
}

}   // namespace
