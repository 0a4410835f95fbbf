// The print run's host for windows: its dialog, its progress window, and a
// whole run from the dialog to the printed file.
#include "PreviewTestSupport.h"

#include "prepared/PreparedTestSupport.h"
#include "prepared/print/PrintRun.h"
#include "preview/print/TpgxPrintDialog.h"
#include "preview/print/WidgetPrintHost.h"

#include <gtest/gtest.h>

#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtTest/QTest>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QProgressDialog>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QSpinBox>

namespace pgx::preview {
namespace {

using test::RecordingPrompts;
using test::ScopedPrinters;

class WidgetPrintHostTest : public ::testing::Test
{
protected:
    WidgetPrintHostTest() { test::widgetApplication(); }

    ScopedPrinters m_printers;
    RecordingPrompts m_prompts;
    ScopedUserPrompts m_usePrompts{m_prompts};
    TpgxReport m_report;
};

TEST_F(WidgetPrintHostTest, TheDialogsChoicesReachTheRun)
{
    WidgetPrintHost host(&m_report);
    host.setCurrentPageNumber(4);
    bool currentPageOffered = false;
    host.setDialogRunner([&](TpgxPrintDialog &dialog) {
        currentPageOffered = dialog.currentPageButton->isEnabled();
        dialog.currentPageButton->setChecked(true);
        dialog.duplexBox->setCurrentIndex(1);
        dialog.buttons->button(QDialogButtonBox::Ok)->click();
        return dialog.result();
    });
    int duplexChoice = 0;
    EXPECT_TRUE(host.showPrintDialog(m_report, duplexChoice));
    EXPECT_TRUE(currentPageOffered);
    EXPECT_EQ(duplexChoice, 1);
    EXPECT_EQ(m_report.printOptions()->pageNumbers, QStringLiteral("4"));
}

TEST_F(WidgetPrintHostTest, ACancelledDialogChangesNothing)
{
    WidgetPrintHost host(&m_report);
    host.setDialogRunner([](TpgxPrintDialog &dialog) {
        dialog.copiesBox->setValue(5);
        dialog.duplexBox->setCurrentIndex(2);
        dialog.buttons->button(QDialogButtonBox::Cancel)->click();
        return dialog.result();
    });
    int duplexChoice = 0;
    EXPECT_FALSE(host.showPrintDialog(m_report, duplexChoice));
    EXPECT_EQ(duplexChoice, 0);
    EXPECT_EQ(m_report.printOptions()->copies, 1);
}

TEST_F(WidgetPrintHostTest, TheProgressWindowsCancelStopsTheReport)
{
    QWidget preview;
    WidgetPrintHost host(&m_report, &preview);
    EXPECT_EQ(host.progressDialog(), nullptr);
    host.progressStarted();
    QProgressDialog *progress = host.progressDialog();
    ASSERT_NE(progress, nullptr);
    EXPECT_TRUE(progress->isVisible());
    EXPECT_EQ(progress->parentWidget(), &preview);
    host.progress(QStringLiteral("Printing page 3"), 3);
    EXPECT_EQ(progress->labelText(), QStringLiteral("Printing page 3"));

    EXPECT_FALSE(m_report.terminated());
    auto *cancel = progress->findChild<QPushButton *>();
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(cancel->text(), QStringLiteral("Cancel"));
    QTest::mouseClick(cancel, Qt::LeftButton);
    EXPECT_TRUE(m_report.terminated());

    host.progressStopped();
    EXPECT_EQ(host.progressDialog(), nullptr);
}

TEST_F(WidgetPrintHostTest, WithoutShowProgressThereIsNoProgressWindow)
{
    m_report.setShowProgress(false);
    WidgetPrintHost host(&m_report);
    host.progressStarted();
    EXPECT_EQ(host.progressDialog(), nullptr);
    host.progress(QStringLiteral("Printing page 1"), 1);
    host.progressStopped();
}

TEST_F(WidgetPrintHostTest, AProgressWindowClosedWithItsParentIsNotDeletedTwice)
{
    auto *preview = new QWidget;
    WidgetPrintHost host(&m_report, preview);
    host.progressStarted();
    delete preview;
    EXPECT_EQ(host.progressDialog(), nullptr);
    host.progress(QStringLiteral("Printing page 2"), 2);
    host.progressStopped();
}

TEST_F(WidgetPrintHostTest, PrintingToAFileFromTheDialog)
{
    test::PreparedReport prepared;
    prepared.run(3, 2);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    m_prompts.saveAnswer = dir.filePath(QStringLiteral("orders.pdf"));

    WidgetPrintHost host(&prepared.report);
    host.setDialogRunner([](TpgxPrintDialog &dialog) {
        dialog.printToFileBox->setChecked(true);
        dialog.pagesEdit->setText(QStringLiteral("2-3"));
        dialog.rangeButton->setChecked(true);
        dialog.buttons->button(QDialogButtonBox::Ok)->click();
        return dialog.result();
    });
    EXPECT_TRUE(prepared::printPreparedReport(prepared.store, host));
    EXPECT_TRUE(m_prompts.messages.isEmpty()) << m_prompts.messages.join('\n').toStdString();

    QFile printed(dir.filePath(QStringLiteral("orders.prn")));
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    EXPECT_TRUE(printed.readAll().startsWith("%PDF"));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("orders.pdf"))));
    // The dialog's choices held for that run only.
    EXPECT_EQ(prepared.report.printOptions()->pageNumbers, QString());
    EXPECT_EQ(host.progressDialog(), nullptr);
}

}   // namespace
}   // namespace pgx::preview
