// DiffAttrs: the difference text of prepared pages.
#include "SampleComponents.h"

#include "report/root/TpgxReport.h"

#include <gtest/gtest.h>

namespace {

TEST(DiffAttrs, IdenticalComponentsGiveNothingButABandKeepsItsTop)
{
    TpgxSampleView v;
    EXPECT_EQ(v.DiffAttrs(&v), QString());
    TpgxSampleBand band;
    band.SetTop(12.5);
    EXPECT_EQ(band.DiffAttrs(&band), QStringLiteral(" t=\"12.5\""));
}

TEST(DiffAttrs, ListsDifferencesInTheirFixedOrder)
{
    TpgxSampleBand parent;
    auto *source = new TpgxSampleView(&parent);
    auto *copy = new TpgxSampleView(&parent);
    source->SetBounds(10, 20, 30, 40);
    copy->SetBounds(10.00005, 21, 30, 40.5);   // a difference of 0.0001 or less does not count
    copy->SetVisible(false);
    copy->SetTag(7);
    EXPECT_EQ(copy->DiffAttrs(source),
              QStringLiteral(" t=\"21\" h=\"40.5\" Visible=\"0\" Tag=\"7\""));

    // The font is compared only when it is the component's own.
    copy->Font()->SetName(QStringLiteral("Say \"Hi\" & Co"));
    copy->Font()->SetSize(12);
    copy->Font()->SetColor(255);
    copy->Font()->SetStyle(TpgxFont::fsBold | TpgxFont::fsUnderline);
    copy->Font()->SetCharset(238);
    EXPECT_EQ(
        copy->DiffAttrs(source),
        QStringLiteral(" t=\"21\" h=\"40.5\" Visible=\"0\" Font.Name=\"Say &#34;Hi&#34; &#38; Co\""
                       " Font.Size=\"12\" Font.Color=\"255\" Font.Style=\"5\" Font.Charset=\"238\""
                       " ParentFont=\"0\" Tag=\"7\""));
    EXPECT_EQ(source->DiffAttrs(copy),
              QStringLiteral(" t=\"20\" h=\"40\" Visible=\"1\" ParentFont=\"1\" Tag=\"0\""));
}

TEST(DiffAttrs, FloatsUseTheGeneralFormat)
{
    TpgxSampleView a, b;
    a.SetBounds(0.000001, -3.25, 1e20, 1.0 / 3);   // Left is within 0.0001 of 0: not written
    EXPECT_EQ(a.DiffAttrs(&b), QStringLiteral(" t=\"-3.25\" w=\"1E20\" h=\"0.333333333333333\""));
}

}   // namespace

namespace {

TEST(DiffAttrs, AutoWidthTextLeavesTheWidthOut)
{
    TpgxSampleMemoView a, b;
    a.SetWidth(80);
    EXPECT_EQ(a.DiffAttrs(&b), QStringLiteral(" w=\"80\""));
    a.AutoWidth = true;
    EXPECT_EQ(a.DiffAttrs(&b), QString());
}

}   // namespace
