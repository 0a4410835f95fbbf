#pragma once

#include "report/text/MemoText.h"

#include <QtCore/QStringList>
#include <QtGui/QGuiApplication>

namespace pgx::test {

// Fonts load only through a QGuiApplication: the one of the suite, made on
// first use (on the offscreen platform the suite's main sets).
inline QGuiApplication &guiApplication()
{
    static int argc = 1;
    static char name[] = "test_report";
    static char *argv[] = {name, nullptr};
    static QGuiApplication *app = new QGuiApplication(argc, argv);
    return *app;
}

class TextTest : public ::testing::Test
{
protected:
    void SetUp() override { guiApplication(); }
};

// A memo box of the given size at the origin, with the default gaps.
inline text::MemoBox box(double width, double height = 100)
{
    text::MemoBox b;
    b.width = width;
    b.height = height;
    return b;
}

// The texts of a layout's lines.
inline QStringList lineTexts(const text::TextLayout &layout)
{
    QStringList out;
    for (int i = 0; i < layout.lineCount(); ++i)
        out << layout.lineText(i);
    return out;
}

}   // namespace pgx::test
