// The print dialog as a user drives it, on printers of the test's own.
#include "PreviewTestSupport.h"

#include "preview/print/PrintPictures.h"
#include "preview/print/TpgxPrintDialog.h"
#include "report/root/ReportOptions.h"

#include <gtest/gtest.h>

#include <QtTest/QTest>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QSpinBox>

namespace pgx::preview {
namespace {

using test::RecordingPrompts;
using test::ScopedPrinters;

class PrintDialogTest : public ::testing::Test
{
protected:
    PrintDialogTest() { test::widgetApplication(); }

    static void clickOk(TpgxPrintDialog &dialog)
    {
        QTest::mouseClick(dialog.buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
    }
    static void clickCancel(TpgxPrintDialog &dialog)
    {
        QTest::mouseClick(dialog.buttons->button(QDialogButtonBox::Cancel), Qt::LeftButton);
    }
    // On the indicator: a check box or radio button stretched by its layout
    // takes clicks only on its indicator and text, not in its middle.
    static void tick(QAbstractButton *button)
    {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    static QImage pictureOf(const QLabel *label) { return label->pixmap().toImage(); }

    ScopedPrinters m_printers;
    RecordingPrompts m_prompts;
    ScopedUserPrompts m_usePrompts{m_prompts};
    TpgxPrintOptions m_options;
};

TEST_F(PrintDialogTest, OpensOnTheOptionsAndTheCurrentPrinter)
{
    m_options.copies = 3;
    m_options.collate = false;
    m_options.pageNumbers = QStringLiteral("2-4");
    m_options.printPages = TpgxPrintOptions::ppOdd;
    m_options.reverse = true;
    m_options.printMode = TpgxPrintOptions::pmJoin;
    m_options.printOnSheet = 11;
    TpgxPrintDialog dialog(m_options);
    dialog.show();

    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Print"));
    EXPECT_EQ(dialog.printersBox->count(), 4);
    EXPECT_EQ(dialog.printersBox->currentText(), QStringLiteral("Office"));
    EXPECT_EQ(dialog.copiesBox->value(), 3);
    EXPECT_EQ(dialog.copiesBox->minimum(), 1);
    EXPECT_FALSE(dialog.collateBox->isChecked());
    EXPECT_TRUE(dialog.rangeButton->isChecked());
    EXPECT_EQ(dialog.pagesEdit->text(), QStringLiteral("2-4"));
    EXPECT_EQ(dialog.parityBox->currentText(), QStringLiteral("Odd pages"));
    EXPECT_EQ(dialog.orderBox->currentText(), QStringLiteral("Reverse (9-1)"));
    EXPECT_EQ(dialog.duplexBox->currentText(), QStringLiteral("Default"));
    EXPECT_EQ(dialog.modeBox->currentText(), QStringLiteral("Join small pages"));
    EXPECT_TRUE(dialog.sheetBox->isEnabled());
    EXPECT_EQ(dialog.sheetBox->currentText(), QStringLiteral("A5"));
    EXPECT_FALSE(dialog.printToFileBox->isChecked());

    // Confirmed untouched, the options come back as they were.
    clickOk(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(m_options.copies, 3);
    EXPECT_EQ(m_options.pageNumbers, QStringLiteral("2-4"));
    EXPECT_EQ(m_options.printPages, TpgxPrintOptions::ppOdd);
    EXPECT_TRUE(m_options.reverse);
    EXPECT_EQ(m_options.printMode, TpgxPrintOptions::pmJoin);
    EXPECT_EQ(m_options.printOnSheet, 11);
}

TEST_F(PrintDialogTest, TheCollatePictureFollowsTheCheckBox)
{
    TpgxPrintDialog dialog(m_options);
    dialog.show();
    const QImage collated = collatePicture(true).toImage();
    const QImage uncollated = collatePicture(false).toImage();
    ASSERT_NE(collated, uncollated);
    EXPECT_EQ(pictureOf(dialog.collatePicture), collated);
    tick(dialog.collateBox);
    EXPECT_EQ(pictureOf(dialog.collatePicture), uncollated);
    tick(dialog.collateBox);
    EXPECT_EQ(pictureOf(dialog.collatePicture), collated);
}

TEST_F(PrintDialogTest, OnlyTheModesThatPlacePagesOnOneSheetChooseIt)
{
    TpgxPrintDialog dialog(m_options);
    dialog.show();
    EXPECT_FALSE(dialog.sheetBox->isEnabled());
    EXPECT_EQ(dialog.sheetBox->currentText(), QStringLiteral("Default"));
    EXPECT_EQ(dialog.sheetBox->count(), 4);

    dialog.modeBox->setCurrentIndex(TpgxPrintOptions::pmSplit);
    EXPECT_TRUE(dialog.sheetBox->isEnabled());
    EXPECT_EQ(dialog.sheetBox->currentText(), QStringLiteral("A4"));
    dialog.sheetBox->setCurrentIndex(2);
    EXPECT_EQ(dialog.sheetBox->currentText(), QStringLiteral("Letter"));
    // "Default" is no sheet for these modes.
    dialog.sheetBox->setCurrentIndex(0);
    EXPECT_EQ(dialog.sheetBox->currentText(), QStringLiteral("A4"));
    dialog.sheetBox->setCurrentIndex(3);

    dialog.modeBox->setCurrentIndex(TpgxPrintOptions::pmDefault);
    EXPECT_FALSE(dialog.sheetBox->isEnabled());
    EXPECT_EQ(dialog.sheetBox->currentText(), QStringLiteral("Default"));

    dialog.modeBox->setCurrentIndex(TpgxPrintOptions::pmScale);
    EXPECT_EQ(dialog.sheetBox->currentText(), QStringLiteral("A4"));
    dialog.sheetBox->setCurrentIndex(3);
    clickOk(dialog);
    EXPECT_EQ(m_options.printMode, TpgxPrintOptions::pmScale);
    EXPECT_EQ(m_options.printOnSheet, 11);
}

TEST_F(PrintDialogTest, CurrentPagePrintsThePageThePreviewShows)
{
    {
        TpgxPrintDialog dialog(m_options);
        dialog.show();
        EXPECT_FALSE(dialog.currentPageButton->isEnabled());
        dialog.setCurrentPageNumber(5);
        ASSERT_TRUE(dialog.currentPageButton->isEnabled());
        tick(dialog.currentPageButton);
        EXPECT_TRUE(dialog.currentPageButton->isChecked());
        clickOk(dialog);
        EXPECT_EQ(m_options.pageNumbers, QStringLiteral("5"));
    }
    {
        // Reopened on "5" it shows Pages:; All prints everything again.
        TpgxPrintDialog dialog(m_options);
        dialog.show();
        EXPECT_TRUE(dialog.rangeButton->isChecked());
        tick(dialog.allPagesButton);
        clickOk(dialog);
        EXPECT_EQ(m_options.pageNumbers, QString());
    }
}

TEST_F(PrintDialogTest, TypingPageNumbersChoosesPages)
{
    TpgxPrintDialog dialog(m_options);
    dialog.show();
    EXPECT_TRUE(dialog.allPagesButton->isChecked());
    QTest::keyClicks(dialog.pagesEdit, QStringLiteral("1,3x,5-7"));
    EXPECT_TRUE(dialog.rangeButton->isChecked());
    // Only digits, commas, dashes and blanks get in.
    EXPECT_EQ(dialog.pagesEdit->text(), QStringLiteral("1,3,5-7"));
    clickOk(dialog);
    EXPECT_EQ(m_options.pageNumbers, QStringLiteral("1,3,5-7"));
}

TEST_F(PrintDialogTest, TheOtherChoicesAreWrittenBack)
{
    TpgxPrintDialog dialog(m_options);
    dialog.show();
    dialog.copiesBox->setValue(4);
    tick(dialog.collateBox);
    dialog.parityBox->setCurrentIndex(2);
    dialog.duplexBox->setCurrentIndex(3);
    dialog.orderBox->setCurrentIndex(1);
    EXPECT_EQ(dialog.duplexChoice(), 0);
    clickOk(dialog);
    EXPECT_EQ(dialog.duplexChoice(), 3);
    EXPECT_EQ(m_options.copies, 4);
    EXPECT_FALSE(m_options.collate);
    EXPECT_EQ(m_options.printPages, TpgxPrintOptions::ppEven);
    EXPECT_TRUE(m_options.reverse);
    EXPECT_EQ(m_options.printMode, TpgxPrintOptions::pmDefault);
    EXPECT_EQ(m_options.printOnSheet, 256);
}

TEST_F(PrintDialogTest, PrintToFileAsksForAPrnFile)
{
    TpgxCustomPrinter &office = m_printers.printer(0);
    office.setFileName(QStringLiteral("/tmp/last.prn"));
    m_prompts.saveAnswer = QStringLiteral("/tmp/jobs/report.txt");
    TpgxPrintDialog dialog(m_options);
    dialog.show();
    tick(dialog.printToFileBox);
    clickOk(dialog);

    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(m_prompts.saveRequests.size(), 1);
    EXPECT_EQ(m_prompts.saveRequests[0].caption, QStringLiteral("Print To File"));
    EXPECT_EQ(m_prompts.saveRequests[0].filter, QStringLiteral("Printer files (*.prn)"));
    EXPECT_EQ(m_prompts.saveRequests[0].fileName, QStringLiteral("/tmp/last.prn"));
    EXPECT_EQ(office.fileName(), QStringLiteral("/tmp/jobs/report.prn"));
}

TEST_F(PrintDialogTest, CancellingTheFilePromptCancelsTheDialog)
{
    TpgxCustomPrinter &office = m_printers.printer(0);
    office.setFileName(QStringLiteral("/tmp/last.prn"));
    for (const std::optional<QString> &answer :
         {std::optional<QString>(), std::optional(QString())}) {
        m_prompts.saveAnswer = answer;
        TpgxPrintDialog dialog(m_options);
        dialog.show();
        dialog.copiesBox->setValue(7);
        dialog.printersBox->setCurrentIndex(1);
        tick(dialog.printToFileBox);
        clickOk(dialog);

        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_EQ(m_options.copies, 1);
        EXPECT_EQ(m_printers.printers().printerIndex(), 0);
        EXPECT_EQ(office.fileName(), QStringLiteral("/tmp/last.prn"));
    }
}

TEST_F(PrintDialogTest, PrintingToThePrinterForgetsTheFile)
{
    TpgxCustomPrinter &office = m_printers.printer(0);
    office.setFileName(QStringLiteral("/tmp/last.prn"));
    TpgxPrintDialog dialog(m_options);
    dialog.show();
    clickOk(dialog);
    EXPECT_TRUE(m_prompts.saveRequests.isEmpty());
    EXPECT_EQ(office.fileName(), QString());
}

TEST_F(PrintDialogTest, AnotherPrinterKeepsTheSheetWhenItHasIt)
{
    m_options.printMode = TpgxPrintOptions::pmSplit;
    m_options.printOnSheet = 11;   // A5
    TpgxPrintDialog dialog(m_options);
    dialog.show();
    TpgxPrinters &printers = m_printers.printers();
    const struct
    {
        int printer;
        const char *sheet;
        int entries;
    } steps[] = {
        {1, "A5", 5},       // the plotter has A5
        {2, "Letter", 3},   // no A5, no A4: its own default
        {0, "Letter", 4},   // Letter again
        {1, "Letter", 5},
    };
    for (const auto &step : steps) {
        SCOPED_TRACE(step.printer);
        dialog.printersBox->setCurrentIndex(step.printer);
        EXPECT_EQ(printers.printerIndex(), step.printer);
        EXPECT_EQ(dialog.sheetBox->count(), step.entries);
        EXPECT_EQ(dialog.sheetBox->currentText(), QString::fromLatin1(step.sheet));
        EXPECT_TRUE(dialog.sheetBox->isEnabled());
    }
    clickOk(dialog);
    EXPECT_EQ(printers.printerIndex(), 1);
    EXPECT_EQ(m_options.printOnSheet, 1);
}

TEST_F(PrintDialogTest, WithoutOkThePrinterOfTheOpeningIsCurrentAgain)
{
    TpgxPrinters &printers = m_printers.printers();
    printers.setPrinterIndex(2);
    {
        TpgxPrintDialog dialog(m_options);
        dialog.show();
        EXPECT_EQ(dialog.printersBox->currentText(), QStringLiteral("Label"));
        dialog.printersBox->setCurrentIndex(1);
        EXPECT_EQ(printers.printerIndex(), 1);
        clickCancel(dialog);
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_EQ(printers.printerIndex(), 2);
        EXPECT_EQ(dialog.printersBox->currentText(), QStringLiteral("Label"));
    }
    {
        TpgxPrintDialog dialog(m_options);
        dialog.show();
        dialog.printersBox->setCurrentIndex(0);
        dialog.reject();   // Escape, the window's close button
        EXPECT_EQ(printers.printerIndex(), 2);
    }
    {
        TpgxPrintDialog dialog(m_options);
        dialog.show();
        dialog.printersBox->setCurrentIndex(0);
        clickOk(dialog);
        EXPECT_EQ(printers.printerIndex(), 0);
    }
}

TEST_F(PrintDialogTest, APrinterTheListRefusesIsReportedAndStaysChosen)
{
    TpgxPrintDialog dialog(m_options);
    dialog.show();
    dialog.printersBox->setCurrentIndex(3);
    ASSERT_EQ(m_prompts.messages.size(), 1);
    EXPECT_TRUE(m_prompts.messages[0].startsWith(QStringLiteral("Error: ")))
        << m_prompts.messages[0].toStdString();
    EXPECT_EQ(m_printers.printers().printerIndex(), 3);
    EXPECT_EQ(dialog.sheetBox->count(), 1);
    clickCancel(dialog);
    EXPECT_EQ(m_printers.printers().printerIndex(), 0);
}

TEST_F(PrintDialogTest, PropertiesChooseAPaperSourceThatCancelTakesBack)
{
    TpgxCustomPrinter &office = m_printers.printer(0);
    TpgxCustomPrinter &plotter = m_printers.printer(1);
    QStringList asked;
    auto chooseBin = [&asked](TpgxCustomPrinter &printer) {
        asked.append(printer.name());
        printer.setBinOverride(printer.bins().last().code);
        return true;
    };
    {
        TpgxPrintDialog dialog(m_options);
        dialog.show();
        dialog.setPropertiesRunner(chooseBin);
        QTest::mouseClick(dialog.propertiesButton, Qt::LeftButton);
        dialog.printersBox->setCurrentIndex(1);
        QTest::mouseClick(dialog.propertiesButton, Qt::LeftButton);
        QTest::mouseClick(dialog.propertiesButton, Qt::LeftButton);
        EXPECT_EQ(asked, QStringList({"Office", "Plotter", "Plotter"}));
        EXPECT_EQ(office.binOverride(), office.bins().last().code);
        clickCancel(dialog);
        EXPECT_EQ(office.binOverride(), -1);
        EXPECT_EQ(plotter.binOverride(), -1);
    }
    {
        TpgxPrintDialog dialog(m_options);
        dialog.show();
        dialog.setPropertiesRunner(chooseBin);
        QTest::mouseClick(dialog.propertiesButton, Qt::LeftButton);
        clickOk(dialog);
        EXPECT_EQ(office.binOverride(), office.bins().last().code);
    }
}

TEST_F(PrintDialogTest, F1OpensTheHelp)
{
    TpgxPrintDialog dialog(m_options);
    dialog.show();
    QStringList opened;
    dialog.setHelpOpener([&opened](const QString &location) { opened.append(location); });
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(&dialog, Qt::Key_F1);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(opened[0].endsWith(QStringLiteral("/help/index.htm"))) << opened[0].toStdString();
}

}   // namespace
}   // namespace pgx::preview
