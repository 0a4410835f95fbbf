#pragma once

#include <QtWidgets/QDialog>

class QCheckBox;
class QDialogButtonBox;
class QLineEdit;

namespace pgx::preview {

// Asks for the text the preview looks for, whether to start at the first
// page and whether case matters. The text given with setText (the previous
// search) is shown selected, so typing replaces it and Enter repeats it.
// OK stays disabled while the text is empty.
class TpgxSearchDialog : public QDialog
{
    Q_OBJECT

public:
    explicit TpgxSearchDialog(QWidget *parent = nullptr);
    ~TpgxSearchDialog() override;

    void setText(const QString &text);
    QString text() const;
    bool fromBeginning() const;
    bool caseSensitive() const;

    // The controls, under the names their object names also carry.
    QLineEdit *textEdit;
    QCheckBox *fromBeginningBox;
    QCheckBox *caseSensitiveBox;
    QDialogButtonBox *buttons;
};

}   // namespace pgx::preview
