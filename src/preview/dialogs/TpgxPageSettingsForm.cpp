#include "preview/dialogs/TpgxPageSettingsForm.h"

#include "platform/printing/Printers.h"
#include "preview/PreviewTexts.h"
#include "preview/WidgetBuilders.h"
#include "report/root/TpgxReport.h"

#include <QtCore/QSignalBlocker>
#include <QtGui/QPainter>
#include <QtGui/QPixmap>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QVBoxLayout>

#include <utility>

namespace pgx::preview {

namespace {

using Length = PageSettingsRules::Length;

QList<TpgxPrinterItem> currentPapers()
{
    const TpgxCustomPrinter *printer = TpgxPrinters::instance().currentPrinter();
    if (printer)
        return printer->papers();
    return {{previewText("prCustom"), kCustomPaper}};
}

// A sheet with a few lines of text, upright or lying.
QPixmap sheetPicture(bool landscape)
{
    constexpr int kSide = 32;
    QPixmap pixmap(kSide, kSide);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    const QRect sheet = landscape ? QRect(2, 7, 28, 19) : QRect(7, 2, 19, 28);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(sheet);
    painter.setPen(Qt::darkGray);
    for (int y = sheet.top() + 4; y < sheet.bottom() - 2; y += 3)
        painter.drawLine(sheet.left() + 3, y, sheet.right() - 3, y);
    return pixmap;
}

}   // namespace

TpgxPageSettingsForm::TpgxPageSettingsForm(const TpgxReport &report, QWidget *parent)
    : TpgxPageSettingsForm(PageSettingsRules::unitOf(report), parent)
{ }

TpgxPageSettingsForm::TpgxPageSettingsForm(LengthUnit unit, QWidget *parent)
    : QDialog(parent), m_rules((registerPreviewTexts(), currentPapers()), unit)
{
    setObjectName(QStringLiteral("TpgxPageSettingsForm"));
    setWindowTitle(previewText("psCaption"));

    buttons
        = named(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel), "buttons");
    buttons->button(QDialogButtonBox::Ok)->setText(previewText("1"));
    buttons->button(QDialogButtonBox::Cancel)->setText(previewText("2"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QGridLayout(this);
    layout->addWidget(createPaperGroup(), 0, 0);
    layout->addWidget(createOrientationGroup(), 0, 1);
    layout->addWidget(createMarginsGroup(), 1, 0);
    layout->addWidget(createApplyGroup(), 1, 1);
    layout->addWidget(buttons, 2, 0, 1, 2);

    showSettings();
}

TpgxPageSettingsForm::~TpgxPageSettingsForm() = default;

QLineEdit *TpgxPageSettingsForm::lengthEdit(const char *name, Length which)
{
    auto *edit = named(new QLineEdit, name);
    edit->setMaximumWidth(90);
    m_lengthEdits.append({edit, which});
    // Only what the user types: the texts this form sets itself change no
    // value.
    connect(edit, &QLineEdit::textEdited, this, [this, edit, which](const QString &text) {
        m_rules.setLengthText(which, text);
        showSettings(edit);
    });
    return edit;
}

QWidget *TpgxPageSettingsForm::createPaperGroup()
{
    paperBox = named(new QComboBox, "paperBox");
    paperBox->addItems(m_rules.paperNames());
    paperBox->setMinimumContentsLength(20);
    paperBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    connect(paperBox, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_rules.choosePaper(index);
        showSettings();
    });
    widthEdit = lengthEdit("widthEdit", Length::Width);
    heightEdit = lengthEdit("heightEdit", Length::Height);

    const QString unit
        = previewText(m_rules.unit() == LengthUnit::Inches ? "psInches" : "psCentimetres");
    auto *grid = new QGridLayout;
    grid->addWidget(paperBox, 0, 0, 1, 3);
    grid->addWidget(new QLabel(previewText("psWidth")), 1, 0);
    grid->addWidget(widthEdit, 1, 1);
    grid->addWidget(new QLabel(unit), 1, 2);
    grid->addWidget(new QLabel(previewText("psHeight")), 2, 0);
    grid->addWidget(heightEdit, 2, 1);
    grid->addWidget(new QLabel(unit), 2, 2);
    return group("psPaperSize", "paperGroup", grid);
}

QWidget *TpgxPageSettingsForm::createOrientationGroup()
{
    portraitButton = named(new QRadioButton(previewText("psPortrait")), "portraitButton");
    landscapeButton = named(new QRadioButton(previewText("psLandscape")), "landscapeButton");
    portraitButton->setIcon(sheetPicture(false));
    landscapeButton->setIcon(sheetPicture(true));
    portraitButton->setIconSize(QSize(32, 32));
    landscapeButton->setIconSize(QSize(32, 32));
    connect(portraitButton, &QRadioButton::toggled, this, &TpgxPageSettingsForm::chooseOrientation);

    auto *column = new QVBoxLayout;
    column->addWidget(portraitButton);
    column->addWidget(landscapeButton);
    column->addStretch();
    return group("psOrientation", "orientationGroup", column);
}

QWidget *TpgxPageSettingsForm::createMarginsGroup()
{
    leftEdit = lengthEdit("leftEdit", Length::LeftMargin);
    topEdit = lengthEdit("topEdit", Length::TopMargin);
    rightEdit = lengthEdit("rightEdit", Length::RightMargin);
    bottomEdit = lengthEdit("bottomEdit", Length::BottomMargin);

    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(previewText("psLeft")), 0, 0);
    grid->addWidget(leftEdit, 0, 1);
    grid->addWidget(new QLabel(previewText("psTop")), 0, 2);
    grid->addWidget(topEdit, 0, 3);
    grid->addWidget(new QLabel(previewText("psRight")), 1, 0);
    grid->addWidget(rightEdit, 1, 1);
    grid->addWidget(new QLabel(previewText("psBottom")), 1, 2);
    grid->addWidget(bottomEdit, 1, 3);
    return group("psMargins", "marginsGroup", grid);
}

QWidget *TpgxPageSettingsForm::createApplyGroup()
{
    currentPageButton = named(new QRadioButton(previewText("psApplyCurrent")), "currentPageButton");
    allPagesButton = named(new QRadioButton(previewText("psApplyAll")), "allPagesButton");
    currentPageButton->setChecked(true);
    connect(allPagesButton, &QRadioButton::toggled, this,
            [this](bool on) { m_rules.setApplyToAll(on); });

    auto *column = new QVBoxLayout;
    column->addWidget(currentPageButton);
    column->addWidget(allPagesButton);
    column->addStretch();
    auto *box = new QWidget;
    box->setObjectName(QStringLiteral("applyGroup"));
    box->setLayout(column);
    return box;
}

void TpgxPageSettingsForm::setPage(const TpgxReportPage &page)
{
    PageSettings settings = pageSettingsOf(page);
    settings.applyToAll = allPagesButton->isChecked();
    m_rules.setSettings(settings);
    showSettings();
}

void TpgxPageSettingsForm::showSettings(const QLineEdit *typing)
{
    {
        const QSignalBlocker blockPaper(paperBox);
        paperBox->setCurrentIndex(m_rules.paperIndex());
    }
    for (const auto &[edit, which] : std::as_const(m_lengthEdits))
        if (edit != typing && m_rules.isReadable(which))
            edit->setText(m_rules.lengthText(which));
    {
        const QSignalBlocker blockPortrait(portraitButton);
        const QSignalBlocker blockLandscape(landscapeButton);
        const bool landscape = m_rules.settings().orientation == TpgxReportPage::poLandscape;
        landscapeButton->setChecked(landscape);
        portraitButton->setChecked(!landscape);
    }
    updateOk();
}

void TpgxPageSettingsForm::chooseOrientation()
{
    m_rules.setOrientation(portraitButton->isChecked() ? TpgxReportPage::poPortrait
                                                       : TpgxReportPage::poLandscape);
    showSettings();
}

void TpgxPageSettingsForm::updateOk()
{
    buttons->button(QDialogButtonBox::Ok)->setEnabled(m_rules.isValid());
}

}   // namespace pgx::preview
