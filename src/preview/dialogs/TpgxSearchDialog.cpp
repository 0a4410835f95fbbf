#include "preview/dialogs/TpgxSearchDialog.h"

#include "preview/PreviewTexts.h"

#include <QtWidgets/QCheckBox>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

namespace pgx::preview {

TpgxSearchDialog::TpgxSearchDialog(QWidget *parent) : QDialog(parent)
{
    registerPreviewTexts();
    setObjectName(QStringLiteral("TpgxSearchDialog"));
    setWindowTitle(previewText("sdCaption"));

    textEdit = new QLineEdit;
    textEdit->setObjectName(QStringLiteral("textEdit"));
    textEdit->setMinimumWidth(240);
    auto *label = new QLabel(previewText("sdTextToFind"));
    label->setBuddy(textEdit);

    fromBeginningBox = new QCheckBox(previewText("sdFromBeginning"));
    fromBeginningBox->setObjectName(QStringLiteral("fromBeginningBox"));
    caseSensitiveBox = new QCheckBox(previewText("sdCaseSensitive"));
    caseSensitiveBox->setObjectName(QStringLiteral("caseSensitiveBox"));
    auto *options = new QGroupBox(previewText("sdSearchOptions"));
    options->setObjectName(QStringLiteral("optionsGroup"));
    auto *optionsLayout = new QVBoxLayout(options);
    optionsLayout->addWidget(fromBeginningBox);
    optionsLayout->addWidget(caseSensitiveBox);

    buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->setObjectName(QStringLiteral("buttons"));
    buttons->button(QDialogButtonBox::Ok)->setText(previewText("1"));
    buttons->button(QDialogButtonBox::Cancel)->setText(previewText("2"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // An empty text would match every line of every page.
    const auto enableOk = [this] {
        buttons->button(QDialogButtonBox::Ok)->setEnabled(!textEdit->text().isEmpty());
    };
    connect(textEdit, &QLineEdit::textChanged, this, enableOk);
    enableOk();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(textEdit);
    layout->addWidget(options);
    layout->addWidget(buttons);
    setFocusProxy(textEdit);
}

TpgxSearchDialog::~TpgxSearchDialog() = default;

void TpgxSearchDialog::setText(const QString &text)
{
    textEdit->setText(text);
    textEdit->selectAll();
}

QString TpgxSearchDialog::text() const
{
    return textEdit->text();
}

bool TpgxSearchDialog::fromBeginning() const
{
    return fromBeginningBox->isChecked();
}

bool TpgxSearchDialog::caseSensitive() const
{
    return caseSensitiveBox->isChecked();
}

}   // namespace pgx::preview
