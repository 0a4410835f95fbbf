#include "preview/print/TpgxPrintDialog.h"

#include "platform/Error.h"
#include "platform/UserPrompts.h"
#include "platform/printing/CustomPrinter.h"
#include "platform/printing/Printers.h"
#include "preview/PreviewTexts.h"
#include "preview/WidgetBuilders.h"
#include "preview/print/PrintPictures.h"
#include "preview/print/PrinterPropertiesDialog.h"
#include "report/resources/Help.h"
#include "report/root/ReportOptions.h"

#include <QtCore/QRegularExpression>
#include <QtCore/QSignalBlocker>
#include <QtCore/QUrl>
#include <QtGui/QDesktopServices>
#include <QtGui/QKeySequence>
#include <QtGui/QRegularExpressionValidator>
#include <QtGui/QShortcut>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QSpinBox>
#include <QtWidgets/QVBoxLayout>

#include <algorithm>

namespace pgx::preview {

namespace {

// Enough for any job; the spin box needs a bound.
constexpr int kMaxCopies = 9999;

QComboBox *comboOf(std::initializer_list<const char *> keys, const char *name)
{
    auto *box = named(new QComboBox, name);
    for (const char *key : keys)
        box->addItem(previewText(key));
    return box;
}

}   // namespace

TpgxPrintDialog::TpgxPrintDialog(TpgxPrintOptions &options, QWidget *parent)
    : QDialog(parent), m_options(options)
{
    registerPreviewTexts();
    setObjectName(QStringLiteral("TpgxPrintDialog"));
    setWindowTitle(previewText("200"));
    m_runProperties = [this](TpgxCustomPrinter &printer) {
        return PrinterPropertiesDialog::run(printer, this);
    };
    m_openHelp
        = [](const QString &location) { QDesktopServices::openUrl(QUrl::fromLocalFile(location)); };

    buttons
        = named(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel), "buttons");
    buttons->button(QDialogButtonBox::Ok)->setText(previewText("1"));
    buttons->button(QDialogButtonBox::Cancel)->setText(previewText("2"));

    auto *layout = new QGridLayout(this);
    layout->addWidget(createPrinterGroup(), 0, 0, 1, 2);
    layout->addWidget(createPagesGroup(), 1, 0);
    layout->addWidget(createCopiesGroup(), 1, 1);
    layout->addWidget(createModeGroup(), 2, 0);
    layout->addWidget(createOtherGroup(), 2, 1);
    layout->addWidget(buttons, 3, 0, 1, 2);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);

    TpgxPrinters &printers = TpgxPrinters::instance();
    m_initialPrinterIndex = printers.printerIndex();
    for (const QString &name : printers.printerNames())
        printersBox->addItem(printerIcon(), name);
    printersBox->setCurrentIndex(m_initialPrinterIndex);
    selectPrinter(m_initialPrinterIndex);
    showValues(PrintDialogRules::valuesFromOptions(m_options, currentPrinter()));
    setCurrentPageNumber(0);
    connectControls();
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
}

TpgxPrintDialog::~TpgxPrintDialog() = default;

QWidget *TpgxPrintDialog::createPrinterGroup()
{
    printersBox = named(new QComboBox, "printersBox");
    printersBox->setIconSize(QSize(16, 16));
    printersBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    printersBox->setMinimumContentsLength(24);
    portLabel = named(new QLabel, "portLabel");
    propertiesButton = named(new QPushButton(previewText("209")), "propertiesButton");
    printToFileBox = named(new QCheckBox(previewText("210")), "printToFileBox");

    auto *nameLabel = new QLabel(previewText("212"));
    nameLabel->setBuddy(printersBox);
    auto *grid = new QGridLayout;
    grid->addWidget(nameLabel, 0, 0);
    grid->addWidget(printersBox, 0, 1);
    grid->addWidget(propertiesButton, 0, 2);
    grid->addWidget(new QLabel(previewText("208")), 1, 0);
    grid->addWidget(portLabel, 1, 1);
    grid->addWidget(printToFileBox, 1, 2);
    grid->setColumnStretch(1, 1);
    return group("201", "printerGroup", grid);
}

QWidget *TpgxPrintDialog::createPagesGroup()
{
    allPagesButton = named(new QRadioButton(previewText("3")), "allPagesButton");
    currentPageButton = named(new QRadioButton(previewText("4")), "currentPageButton");
    rangeButton = named(new QRadioButton(previewText("5")), "rangeButton");
    pagesEdit = named(new QLineEdit, "pagesEdit");
    // Page numbers, ranges, commas and blanks; the print run reports a
    // range it cannot read.
    pagesEdit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9,\\- ]*")), pagesEdit));
    pagesHint = named(new QLabel(previewText("9")), "pagesHint");
    pagesHint->setWordWrap(true);

    auto *range = new QHBoxLayout;
    range->addWidget(rangeButton);
    range->addWidget(pagesEdit, 1);
    auto *column = new QVBoxLayout;
    column->addWidget(allPagesButton);
    column->addWidget(currentPageButton);
    column->addLayout(range);
    column->addWidget(pagesHint);
    column->addStretch();
    return group("202", "pagesGroup", column);
}

QWidget *TpgxPrintDialog::createCopiesGroup()
{
    copiesBox = named(new QSpinBox, "copiesBox");
    copiesBox->setRange(1, kMaxCopies);
    collateBox = named(new QCheckBox(previewText("204")), "collateBox");
    collatePicture = named(new QLabel, "collatePicture");
    collatePicture->setFixedSize(kCollatePictureSize);

    auto *copiesLabel = new QLabel(previewText("203"));
    copiesLabel->setBuddy(copiesBox);
    auto *grid = new QGridLayout;
    grid->addWidget(copiesLabel, 0, 0);
    grid->addWidget(copiesBox, 0, 1);
    grid->addWidget(collatePicture, 1, 0);
    grid->addWidget(collateBox, 1, 1);
    grid->setRowStretch(2, 1);
    return group("205", "copiesGroup", grid);
}

QWidget *TpgxPrintDialog::createModeGroup()
{
    modeBox = named(new QComboBox, "modeBox");
    modeBox->setIconSize(kPrintModePictureSize);
    const std::pair<TpgxPrintOptions::TpgxPrintMode, const char *> modes[] = {
        {TpgxPrintOptions::pmDefault, "pmDefault"},
        {TpgxPrintOptions::pmSplit, "pmSplit"},
        {TpgxPrintOptions::pmJoin, "pmJoin"},
        {TpgxPrintOptions::pmScale, "pmScale"},
    };
    for (const auto &[mode, key] : modes)
        modeBox->addItem(QIcon(printModePicture(mode)), previewText(key));
    sheetBox = named(new QComboBox, "sheetBox");

    auto *sheetLabel = new QLabel(previewText("214"));
    sheetLabel->setBuddy(sheetBox);
    auto *column = new QVBoxLayout;
    column->addWidget(modeBox);
    column->addWidget(sheetLabel);
    column->addWidget(sheetBox);
    column->addStretch();
    return group("213", "modeGroup", column);
}

QWidget *TpgxPrintDialog::createOtherGroup()
{
    parityBox = comboOf({"ppAll", "ppOdd", "ppEven"}, "parityBox");
    duplexBox = comboOf({"dupDefault", "dupVert", "dupHorz", "dupSimpl"}, "duplexBox");
    orderBox = comboOf({"poDirect", "poReverse"}, "orderBox");
    auto *form = new QFormLayout;
    form->addRow(previewText("206"), parityBox);
    form->addRow(previewText("216"), duplexBox);
    form->addRow(previewText("211"), orderBox);
    return group("207", "otherGroup", form);
}

void TpgxPrintDialog::connectControls()
{
    connect(buttons, &QDialogButtonBox::accepted, this, &TpgxPrintDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TpgxPrintDialog::reject);
    connect(printersBox, &QComboBox::currentIndexChanged, this, &TpgxPrintDialog::choosePrinter);
    connect(modeBox, &QComboBox::currentIndexChanged, this, &TpgxPrintDialog::applyModeRule);
    connect(sheetBox, &QComboBox::currentIndexChanged, this, &TpgxPrintDialog::applyModeRule);
    connect(collateBox, &QCheckBox::toggled, this, &TpgxPrintDialog::showCollatePicture);
    connect(pagesEdit, &QLineEdit::textEdited, this, [this] { rangeButton->setChecked(true); });
    connect(rangeButton, &QRadioButton::clicked, this, [this] { pagesEdit->setFocus(); });
    connect(propertiesButton, &QPushButton::clicked, this, &TpgxPrintDialog::runProperties);
    auto *help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [this] {
        if (m_openHelp)
            m_openHelp(helpLocation(QStringLiteral("TpgxPrintDialog")));
    });
}

TpgxCustomPrinter &TpgxPrintDialog::currentPrinter() const
{
    return *TpgxPrinters::instance().currentPrinter();
}

void TpgxPrintDialog::setCurrentPageNumber(int number)
{
    m_currentPageNumber = std::max(0, number);
    currentPageButton->setEnabled(m_currentPageNumber >= 1);
    if (!currentPageButton->isEnabled() && currentPageButton->isChecked())
        allPagesButton->setChecked(true);
}

PrintDialogValues TpgxPrintDialog::values() const
{
    PrintDialogValues values;
    values.copies = copiesBox->value();
    values.collate = collateBox->isChecked();
    values.pages = rangeButton->isChecked() ? PageChoice::Range
        : currentPageButton->isChecked()    ? PageChoice::CurrentPage
                                            : PageChoice::All;
    values.pageRanges = pagesEdit->text();
    values.parity = TpgxPrintOptions::TpgxPrintPages(std::max(0, parityBox->currentIndex()));
    values.duplex = std::max(0, duplexBox->currentIndex());
    values.order = std::max(0, orderBox->currentIndex());
    values.mode = TpgxPrintOptions::TpgxPrintMode(std::max(0, modeBox->currentIndex()));
    values.sheetIndex = std::max(0, sheetBox->currentIndex());
    return values;
}

void TpgxPrintDialog::showValues(const PrintDialogValues &values)
{
    copiesBox->setValue(values.copies);
    collateBox->setChecked(values.collate);
    showCollatePicture();
    pagesEdit->setText(values.pageRanges);
    switch (values.pages) {
    case PageChoice::All: allPagesButton->setChecked(true); break;
    case PageChoice::CurrentPage: currentPageButton->setChecked(true); break;
    case PageChoice::Range: rangeButton->setChecked(true); break;
    }
    parityBox->setCurrentIndex(int(values.parity));
    duplexBox->setCurrentIndex(values.duplex);
    orderBox->setCurrentIndex(values.order);
    modeBox->setCurrentIndex(int(values.mode));
    showSheetState({values.sheetIndex, values.mode != TpgxPrintOptions::pmDefault});
}

void TpgxPrintDialog::choosePrinter(int index)
{
    const int remembered
        = PrintDialogRules::rememberedPaper(currentPrinter(), sheetBox->currentIndex());
    selectPrinter(index);
    showSheetState(
        PrintDialogRules::sheetAfterPrinterChange(currentPrinter(), values().mode, remembered));
}

void TpgxPrintDialog::selectPrinter(int index)
{
    try {
        TpgxPrinters::instance().setPrinterIndex(index);
    } catch (const Error &error) {
        // The printer stays chosen with the lists it could give.
        UserPrompts::current().showMessage(UserPrompts::Kind::Error, error.message());
    }
    portLabel->setText(currentPrinter().port());
    fillSheetBox();
}

void TpgxPrintDialog::fillSheetBox()
{
    const QSignalBlocker block(sheetBox);
    sheetBox->clear();
    sheetBox->addItems(SheetBox::entries(currentPrinter()));
}

void TpgxPrintDialog::showSheetState(const PrintDialogRules::SheetState &state)
{
    const QSignalBlocker block(sheetBox);
    sheetBox->setCurrentIndex(state.index);
    sheetBox->setEnabled(state.enabled);
}

void TpgxPrintDialog::applyModeRule()
{
    showSheetState(
        PrintDialogRules::modeRule(currentPrinter(), values().mode, sheetBox->currentIndex()));
}

void TpgxPrintDialog::showCollatePicture()
{
    collatePicture->setPixmap(preview::collatePicture(collateBox->isChecked()));
}

void TpgxPrintDialog::runProperties()
{
    TpgxCustomPrinter &printer = currentPrinter();
    const bool saved = std::any_of(m_savedBinOverrides.cbegin(), m_savedBinOverrides.cend(),
                                   [&](const auto &entry) { return entry.first == &printer; });
    if (!saved)
        m_savedBinOverrides.append({&printer, printer.binOverride()});
    if (m_runProperties)
        m_runProperties(printer);
}

void TpgxPrintDialog::accept()
{
    TpgxCustomPrinter &printer = currentPrinter();
    QString fileName;
    if (printToFileBox->isChecked()) {
        const std::optional<QString> chosen = UserPrompts::current().askSaveFileName(
            {previewText("pdPrintToFile"), previewText("pdPrnFilter"), printer.fileName()});
        if (!chosen || chosen->isEmpty()) {
            reject();
            return;
        }
        fileName = PrintDialogRules::printFileName(*chosen);
    }
    printer.setFileName(fileName);
    m_duplexChoice
        = PrintDialogRules::applyValues(values(), m_currentPageNumber, printer, m_options);
    QDialog::accept();
}

void TpgxPrintDialog::done(int result)
{
    if (result != QDialog::Accepted)
        restorePrinter();
    QDialog::done(result);
}

void TpgxPrintDialog::restorePrinter()
{
    for (const auto &[printer, bin] : std::as_const(m_savedBinOverrides))
        printer->setBinOverride(bin);
    m_savedBinOverrides.clear();
    TpgxPrinters &printers = TpgxPrinters::instance();
    if (printers.printerIndex() == m_initialPrinterIndex)
        return;
    try {
        printers.setPrinterIndex(m_initialPrinterIndex);
    } catch (const Error &) {
        // It was current before, with or without usable metrics.
    }
    const QSignalBlocker block(printersBox);
    printersBox->setCurrentIndex(m_initialPrinterIndex);
}

}   // namespace pgx::preview
