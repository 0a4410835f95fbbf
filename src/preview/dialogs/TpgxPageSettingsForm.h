#pragma once

#include "preview/dialogs/PageSettingsRules.h"

#include <QtCore/QList>
#include <QtWidgets/QDialog>

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class TpgxReport;
class TpgxReportPage;

namespace pgx::preview {

// The page settings of the preview: paper, orientation and margins of one
// page, shown in the designer's unit, and whether they go to the current
// page only or to every page of the template. The papers are those of the
// current printer. OK is enabled only while every field reads as a length
// that makes a page (PageSettingsRules::isValid).
class TpgxPageSettingsForm : public QDialog
{
    Q_OBJECT

public:
    // The unit is the one the report's settings store names.
    explicit TpgxPageSettingsForm(const TpgxReport &report, QWidget *parent = nullptr);
    explicit TpgxPageSettingsForm(LengthUnit unit, QWidget *parent = nullptr);
    ~TpgxPageSettingsForm() override;

    void setPage(const TpgxReportPage &page);
    PageSettings settings() const { return m_rules.settings(); }
    const PageSettingsRules &rules() const { return m_rules; }

    // The controls, under the names their object names also carry. The
    // length edits are in PageSettingsRules::Length order.
    QComboBox *paperBox;
    QLineEdit *widthEdit;
    QLineEdit *heightEdit;
    QRadioButton *portraitButton;
    QRadioButton *landscapeButton;
    QLineEdit *leftEdit;
    QLineEdit *topEdit;
    QLineEdit *rightEdit;
    QLineEdit *bottomEdit;
    QRadioButton *currentPageButton;
    QRadioButton *allPagesButton;
    QDialogButtonBox *buttons;

private:
    QWidget *createPaperGroup();
    QWidget *createOrientationGroup();
    QWidget *createMarginsGroup();
    QWidget *createApplyGroup();
    QLineEdit *lengthEdit(const char *name, PageSettingsRules::Length which);

    // Shows the rules' values in every control but the one being typed in.
    void showSettings(const QLineEdit *typing = nullptr);
    void chooseOrientation();
    void updateOk();

    PageSettingsRules m_rules;
    QList<std::pair<QLineEdit *, PageSettingsRules::Length>> m_lengthEdits;
};

}   // namespace pgx::preview
