#pragma once

#include <QtWidgets/QDialog>

class QComboBox;

namespace pgx {
class TpgxCustomPrinter;
}

namespace pgx::preview {

// The printer's own settings that the print dialog's "Properties..." opens:
// the paper source (bin). On OK the source chosen beats the bins the pages
// ask for until the printer's next job ends.
class PrinterPropertiesDialog : public QDialog
{
    Q_OBJECT

public:
    explicit PrinterPropertiesDialog(TpgxCustomPrinter &printer, QWidget *parent = nullptr);

    void accept() override;

    // The printer's bins in its order; the bin chosen earlier is selected,
    // else the first ("Default").
    QComboBox *binBox;

    // Shows the dialog modally over `parent`; true when confirmed.
    static bool run(TpgxCustomPrinter &printer, QWidget *parent);

private:
    TpgxCustomPrinter &m_printer;
};

}   // namespace pgx::preview
