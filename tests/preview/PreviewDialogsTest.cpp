// The search dialog and the page settings form as a user drives them.
#include "PreviewTestSupport.h"

#include "platform/KeyStore.h"
#include "preview/dialogs/TpgxPageSettingsForm.h"
#include "preview/dialogs/TpgxSearchDialog.h"
#include "report/root/TpgxReport.h"

#include <gtest/gtest.h>

#include <QtCore/QTemporaryDir>
#include <QtTest/QTest>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>

namespace pgx::preview {
namespace {

using test::ScopedPrinters;

// On the indicator: a stretched check box or radio button takes clicks only
// on its indicator and text.
void tick(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

QPushButton *okButton(QDialogButtonBox *buttons)
{
    return buttons->button(QDialogButtonBox::Ok);
}

// Replaces the text of an edit as a user does: select everything and type.
void retype(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
    else
        QTest::keyClicks(edit, text);
}

QStringList labelTexts(const QWidget &widget)
{
    QStringList texts;
    for (const QLabel *label : widget.findChildren<QLabel *>())
        texts.append(label->text());
    return texts;
}

class SearchDialogTest : public ::testing::Test
{
protected:
    SearchDialogTest() { test::widgetApplication(); }
};

TEST_F(SearchDialogTest, ShowsTheLastTextSelectedAndReportsTheOptions)
{
    TpgxSearchDialog dialog;
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Find Text"));
    EXPECT_TRUE(labelTexts(dialog).contains(QStringLiteral("Text to find:")));
    EXPECT_EQ(dialog.findChild<QGroupBox *>(QStringLiteral("optionsGroup"))->title(),
              QStringLiteral("Search options"));
    EXPECT_EQ(dialog.fromBeginningBox->text(), QStringLiteral("Search from beginning"));
    EXPECT_EQ(dialog.caseSensitiveBox->text(), QStringLiteral("Case sensitive"));
    // Nothing to look for yet: an empty text would match every line.
    EXPECT_FALSE(okButton(dialog.buttons)->isEnabled());

    dialog.setText(QStringLiteral("Row 12"));
    EXPECT_EQ(dialog.textEdit->selectedText(), QStringLiteral("Row 12"));
    EXPECT_TRUE(okButton(dialog.buttons)->isEnabled());
    dialog.textEdit->setFocus();
    QTest::keyClicks(dialog.textEdit, QStringLiteral("total"));
    EXPECT_EQ(dialog.text(), QStringLiteral("total"));

    EXPECT_FALSE(dialog.fromBeginning());
    EXPECT_FALSE(dialog.caseSensitive());
    tick(dialog.fromBeginningBox);
    tick(dialog.caseSensitiveBox);
    EXPECT_TRUE(dialog.fromBeginning());
    EXPECT_TRUE(dialog.caseSensitive());
    QTest::keyClick(dialog.textEdit, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

class PageSettingsFormTest : public ::testing::Test
{
protected:
    PageSettingsFormTest()
    {
        test::widgetApplication();
        m_report.setIniFile(m_dir.filePath(QStringLiteral("settings.ini")));
        m_page.setLeftMargin(10);
        m_page.setTopMargin(10);
        m_page.setRightMargin(10);
        m_page.setBottomMargin(10);
    }

    void storeUnits(int units)
    {
        std::unique_ptr<KeyStore> store = m_report.settingsStore();
        store->writeInteger(QStringLiteral("Form.TpgxDesignerForm"), QStringLiteral("Units"),
                            units);
        ASSERT_TRUE(store->save());
    }

    static QStringList lengthTexts(const TpgxPageSettingsForm &form)
    {
        return {form.widthEdit->text(), form.heightEdit->text(), form.leftEdit->text(),
                form.topEdit->text(),   form.rightEdit->text(),  form.bottomEdit->text()};
    }

    // "Office" is current: Custom, A4, Letter, A5.
    ScopedPrinters m_printers;
    QTemporaryDir m_dir;
    TpgxReport m_report;
    TpgxReportPage m_page{nullptr};
};

TEST_F(PageSettingsFormTest, ShowsThePageInTheDesignersUnit)
{
    const struct
    {
        int units;
        QStringList texts;
        const char *unit;
    } cases[] = {
        {0, {"21", "29.7", "1", "1", "1", "1"}, "cm"},
        {1, {"8.268", "11.693", "0.394", "0.394", "0.394", "0.394"}, "in"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.units);
        storeUnits(c.units);
        TpgxPageSettingsForm form(m_report);
        form.setPage(m_page);
        form.show();
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Page Settings"));
        EXPECT_EQ(lengthTexts(form), c.texts);
        EXPECT_EQ(labelTexts(form).count(QLatin1String(c.unit)), 2);
        EXPECT_EQ(form.paperBox->count(), 4);
        EXPECT_EQ(form.paperBox->currentText(), QStringLiteral("A4"));
        EXPECT_TRUE(form.portraitButton->isChecked());
        EXPECT_TRUE(form.currentPageButton->isChecked());
        // Confirmed untouched, the page comes back exactly as it was.
        EXPECT_TRUE(okButton(form.buttons)->isEnabled());
        QTest::mouseClick(okButton(form.buttons), Qt::LeftButton);
        EXPECT_EQ(form.result(), QDialog::Accepted);
        EXPECT_EQ(form.settings(), pageSettingsOf(m_page));
    }
}

TEST_F(PageSettingsFormTest, ChoosingAPaperInLandscapeFillsItsTurnedSize)
{
    TpgxPageSettingsForm form(m_report);
    form.setPage(m_page);
    form.show();
    tick(form.landscapeButton);
    EXPECT_TRUE(form.landscapeButton->isChecked());
    EXPECT_EQ(form.widthEdit->text(), QStringLiteral("29.7"));
    EXPECT_EQ(form.heightEdit->text(), QStringLiteral("21"));

    form.paperBox->setCurrentIndex(form.paperBox->findText(QStringLiteral("Letter")));
    EXPECT_EQ(form.widthEdit->text(), QStringLiteral("27.94"));
    EXPECT_EQ(form.heightEdit->text(), QStringLiteral("21.59"));
    const PageSettings s = form.settings();
    EXPECT_EQ(s.paperSize, 1);
    EXPECT_EQ(s.orientation, TpgxReportPage::poLandscape);
    EXPECT_DOUBLE_EQ(s.paperWidth, 279.4);
    EXPECT_DOUBLE_EQ(s.paperHeight, 215.9);
    // The margins stay as they were.
    EXPECT_EQ(form.leftEdit->text(), QStringLiteral("1"));

    tick(form.portraitButton);
    EXPECT_EQ(form.widthEdit->text(), QStringLiteral("21.59"));
    EXPECT_EQ(form.paperBox->currentText(), QStringLiteral("Letter"));
}

TEST_F(PageSettingsFormTest, TypingASizeSelectsTheCustomPaper)
{
    const struct
    {
        const char *typed;
        double mm;
    } cases[] = {{"1,5", 15}, {"1.5", 15}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        TpgxPageSettingsForm form(m_report);
        form.setPage(m_page);
        form.show();
        retype(form.widthEdit, QLatin1String(c.typed));
        EXPECT_EQ(form.paperBox->currentIndex(), 0);
        EXPECT_EQ(form.paperBox->currentText(), QStringLiteral("Custom"));
        // What is being typed stays as typed.
        EXPECT_EQ(form.widthEdit->text(), QLatin1String(c.typed));
        EXPECT_EQ(form.settings().paperSize, kCustomPaper);
        EXPECT_DOUBLE_EQ(form.settings().paperWidth, c.mm);
        EXPECT_DOUBLE_EQ(form.settings().paperHeight, 297);
    }
}

TEST_F(PageSettingsFormTest, OkWaitsForLengthsThatMakeAPageAndApplyChoosesThePages)
{
    TpgxPageSettingsForm form(LengthUnit::Centimetres);
    form.setPage(m_page);
    form.show();
    QPushButton *ok = okButton(form.buttons);
    retype(form.heightEdit, QStringLiteral("abc"));
    EXPECT_FALSE(ok->isEnabled());
    retype(form.heightEdit, QStringLiteral("20"));
    EXPECT_TRUE(ok->isEnabled());
    retype(form.bottomEdit, QString());
    // Choosing a paper leaves the unreadable margin as typed.
    form.paperBox->setCurrentIndex(3);
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_EQ(form.bottomEdit->text(), QString());

    EXPECT_FALSE(form.settings().applyToAll);
    tick(form.allPagesButton);
    EXPECT_TRUE(form.settings().applyToAll);
    // Another page keeps the choice.
    form.setPage(m_page);
    EXPECT_TRUE(form.settings().applyToAll);
}

}   // namespace
}   // namespace pgx::preview
