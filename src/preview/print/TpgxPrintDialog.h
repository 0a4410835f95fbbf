#pragma once

#include "preview/print/PrintDialogRules.h"

#include <QtCore/QList>
#include <QtWidgets/QDialog>

#include <functional>
#include <utility>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class TpgxPrintOptions;

namespace pgx {
class TpgxCustomPrinter;
}

namespace pgx::preview {

// The print dialog: the printer, the pages, copies and collation, the print
// mode with its sheet, parity, duplex and order, over a report's print
// options and the process-wide printer list. Choosing a printer makes it
// current at once (its papers fill the sheet box); OK writes the choices
// into the options, Cancel (or a cancelled file prompt of "Print to file")
// leaves them alone and makes the printer current that was current when the
// dialog opened. The rules live in PrintDialogRules; this class only shows
// them.
class TpgxPrintDialog : public QDialog
{
    Q_OBJECT

public:
    explicit TpgxPrintDialog(TpgxPrintOptions &options, QWidget *parent = nullptr);
    ~TpgxPrintDialog() override;

    // The page the preview shows, which "Current page" prints; below 1 (the
    // default) there is none and the choice is disabled.
    void setCurrentPageNumber(int number);
    int currentPageNumber() const { return m_currentPageNumber; }

    // After OK: 0 keeps the pages' own duplex, 1 to 3 print every page
    // vertical, horizontal or simplex.
    int duplexChoice() const { return m_duplexChoice; }

    // What the controls hold now.
    PrintDialogValues values() const;

    // "Properties...": the printer's own settings, modal; true when
    // confirmed. PrinterPropertiesDialog by default; tests answer it.
    using PropertiesRunner = std::function<bool(TpgxCustomPrinter &printer)>;
    void setPropertiesRunner(PropertiesRunner runner) { m_runProperties = std::move(runner); }
    // F1: opens a help page (its path); the system's browser by default.
    using HelpOpener = std::function<void(const QString &location)>;
    void setHelpOpener(HelpOpener opener) { m_openHelp = std::move(opener); }

    void accept() override;
    void done(int result) override;

    // The controls, under the names their object names also carry.
    QComboBox *printersBox;
    QLabel *portLabel;
    QPushButton *propertiesButton;
    QCheckBox *printToFileBox;
    QRadioButton *allPagesButton;
    QRadioButton *currentPageButton;
    QRadioButton *rangeButton;
    QLineEdit *pagesEdit;
    QLabel *pagesHint;
    QSpinBox *copiesBox;
    QCheckBox *collateBox;
    QLabel *collatePicture;
    QComboBox *modeBox;
    QComboBox *sheetBox;
    QComboBox *parityBox;
    QComboBox *duplexBox;
    QComboBox *orderBox;
    QDialogButtonBox *buttons;

private:
    QWidget *createPrinterGroup();
    QWidget *createPagesGroup();
    QWidget *createCopiesGroup();
    QWidget *createModeGroup();
    QWidget *createOtherGroup();
    void connectControls();

    TpgxCustomPrinter &currentPrinter() const;
    void showValues(const PrintDialogValues &values);
    void choosePrinter(int index);
    void selectPrinter(int index);
    void fillSheetBox();
    void showSheetState(const PrintDialogRules::SheetState &state);
    void applyModeRule();
    void showCollatePicture();
    void runProperties();
    void restorePrinter();

    TpgxPrintOptions &m_options;
    int m_initialPrinterIndex = 0;
    int m_currentPageNumber = 0;
    int m_duplexChoice = 0;
    // The paper source of each printer before "Properties..." changed it,
    // put back when the dialog is cancelled.
    QList<std::pair<TpgxCustomPrinter *, int>> m_savedBinOverrides;
    PropertiesRunner m_runProperties;
    HelpOpener m_openHelp;
};

}   // namespace pgx::preview
