#include "preview/print/PrinterPropertiesDialog.h"

#include "platform/printing/CustomPrinter.h"
#include "preview/PreviewTexts.h"

#include <QtWidgets/QComboBox>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

namespace pgx::preview {

PrinterPropertiesDialog::PrinterPropertiesDialog(TpgxCustomPrinter &printer, QWidget *parent)
    : QDialog(parent), m_printer(printer)
{
    registerPreviewTexts();
    setObjectName(QStringLiteral("PrinterPropertiesDialog"));
    setWindowTitle(printer.name());

    binBox = new QComboBox(this);
    binBox->setObjectName(QStringLiteral("binBox"));
    binBox->addItems(printer.binNames());
    binBox->setCurrentIndex(std::max(0, printer.findBinIndex(printer.binOverride())));

    auto *form = new QFormLayout;
    form->addRow(previewText("prnPaperSource"), binBox);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(previewText("1"));
    buttons->button(QDialogButtonBox::Cancel)->setText(previewText("2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void PrinterPropertiesDialog::accept()
{
    const int index = binBox->currentIndex();
    if (index >= 0 && index < m_printer.bins().size())
        m_printer.setBinOverride(m_printer.bins()[index].code);
    QDialog::accept();
}

bool PrinterPropertiesDialog::run(TpgxCustomPrinter &printer, QWidget *parent)
{
    PrinterPropertiesDialog dialog(printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

}   // namespace pgx::preview
