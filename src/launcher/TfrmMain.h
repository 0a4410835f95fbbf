#pragma once

#include "launcher/ColourKey.h"

#include <QtCore/QStringList>
#include <QtWidgets/QWidget>

class QLabel;
class QTimer;
class TpgxReport;

namespace pgx::launcher {

class RectangleShape;

// The launcher's splash window and the course of the whole program run:
// register the file type, then either end half a second later (no
// argument) or, half a second after showing, load the template named by the
// first argument, open the designer on it modally and end half a second
// after the designer closes.
//
// States: registering (in the constructor) -> waiting (EditTimer or
// ExitTimer running) -> editing (designer open, modal) -> closing
// ("Zamykanie programu...", ExitTimer) -> finished(). Every path ends in
// finished(), including a load or designer call that throws: the error is
// reported through the user prompts and the launcher goes on to close.
class TfrmMain : public QWidget
{
    Q_OBJECT

public:
    // `arguments` are the command-line arguments after the program name;
    // `executablePath` is what the file-type registration points at.
    TfrmMain(const QStringList &arguments, const QString &executablePath,
             QWidget *parent = nullptr);
    ~TfrmMain() override;

    // The controls, under the names their object names also carry.
    RectangleShape *titleShape;
    RectangleShape *infoShape;
    QLabel *pgrLabel;
    QLabel *editorLabel;
    QLabel *infoLabel;
    QTimer *editTimer;
    QTimer *exitTimer;
    TpgxReport *report;

    // The colour that is see-through: the form's background.
    static QColor transparentColor() { return QColor(255, 0, 255); }
    ColourKey::Method colourKeyMethod() const { return m_colourKey; }

Q_SIGNALS:
    // The launcher has closed; the process should end.
    void finished();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void editTimerTimer();
    void exitTimerTimer();
    // Runs one call into the report; an error escaping it is reported and
    // turned into `false`, so the launcher's course goes on.
    template<typename Call>
    bool guarded(Call &&call);

    QStringList m_arguments;
    ColourKey::Method m_colourKey;
};

}   // namespace pgx::launcher
