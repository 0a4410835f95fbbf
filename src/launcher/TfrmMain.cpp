#include "launcher/TfrmMain.h"

#include "launcher/SplashWidgets.h"
#include "platform/Error.h"
#include "platform/FileTypeRegistration.h"
#include "platform/UserPrompts.h"
#include "report/root/TpgxReport.h"

#include <QtCore/QTimer>
#include <QtGui/QCloseEvent>
#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>
#include <QtWidgets/QLabel>

namespace pgx::launcher {

namespace {

constexpr int kTimerInterval = 500;   // ms, both timers

QFont tahoma(int pixelHeight, bool bold)
{
    QFont font;
    // Tahoma is rarely on a Linux desktop. Its stand-in here is the narrower
    // Liberation Sans: in DejaVu Sans "Editor" would run past the window.
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("DejaVu Sans")});
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    return font;
}

CaptionLabel *makeLabel(QWidget *parent, const char *name, const QString &caption,
                        const QFont &font, const QColor &color)
{
    auto *label = new CaptionLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    label->setAutoFillBackground(false);   // transparent
    return label;
}

RectangleShape *makeShape(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *shape = new RectangleShape(parent);
    shape->setObjectName(QLatin1String(name));
    shape->setGeometry(geometry);
    shape->setPenWidth(2);
    return shape;
}

// The report as the form stores it; a loaded template replaces most of it.
void setInitialReportValues(TpgxReport &report)
{
    // 31 May 2007, 16:12:30, as days since 30 December 1899.
    constexpr double kStoredDate = 39233.67535607639;
    report.setDotMatrixReport(false);
    report.setIniFile(QStringLiteral("\\Software\\Velmora"));
    report.previewOptions()->buttons = TpgxPreviewOptions::kAllButtons;
    report.previewOptions()->zoom = 1.0;
    report.printOptions()->printer = QStringLiteral("Default");
    report.printOptions()->printOnSheet = 0;
    report.reportOptions()->createDate = kStoredDate;
    report.reportOptions()->lastChange = kStoredDate;
    report.setScriptLanguage(QStringLiteral("PascalScript"));
    report.setScriptText({QStringLiteral("begin"), QString(), QStringLiteral("end.")});
}

QTimer *makeTimer(QObject *parent, const char *name)
{
    auto *timer = new QTimer(parent);
    timer->setObjectName(QLatin1String(name));
    timer->setInterval(kTimerInterval);
    return timer;   // disabled until the course of the run starts it
}

}   // namespace

TfrmMain::TfrmMain(const QStringList &arguments, const QString &executablePath, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_arguments(arguments),
      m_colourKey(ColourKey::preferredMethod())
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Pagoryn"));
    setFixedSize(300, 200);
    setFont(tahoma(11, false));
    setCursor(Qt::WaitCursor);
    ColourKey::prepare(this, transparentColor(), m_colourKey);

    titleShape = makeShape(this, "TitleShape", QRect(0, 0, 300, 113));
    infoShape = makeShape(this, "InfoShape", QRect(0, 128, 300, 72));
    pgrLabel = makeLabel(this, "PgrLabel", QStringLiteral("Pgr"), tahoma(64, true), Qt::red);
    pgrLabel->move(8, 0);
    pgrLabel->adjustSize();
    editorLabel
        = makeLabel(this, "EditorLabel", QStringLiteral("Editor"), tahoma(64, true), Qt::black);
    editorLabel->move(88, 32);
    editorLabel->adjustSize();
    infoLabel = makeLabel(this, "InfoLabel", QStringLiteral("Proszę czekać..."), tahoma(13, false),
                          Qt::black);
    infoLabel->setGeometry(10, 144, 280, 41);
    infoLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    editTimer = makeTimer(this, "EditTimer");
    exitTimer = makeTimer(this, "ExitTimer");
    connect(editTimer, &QTimer::timeout, this, &TfrmMain::editTimerTimer);
    connect(exitTimer, &QTimer::timeout, this, &TfrmMain::exitTimerTimer);

    report = new TpgxReport(this);
    report->setObjectName(QStringLiteral("Report"));
    setInitialReportValues(*report);

    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    FileTypeRegistration(executablePath).registerAll();

    if (!m_arguments.isEmpty()) {
        // A lone carriage return, as the caption has always had it.
        infoLabel->setText(QStringLiteral("Otwieranie formatki:") + QChar(13) + QLatin1Char('\'')
                           + m_arguments.first() + QLatin1Char('\''));
        editTimer->start();
    } else {
        infoLabel->setText(QStringLiteral("Zaktualizowano rejestr systemu"));
        exitTimer->start();
    }
}

TfrmMain::~TfrmMain() = default;

template<typename Call>
bool TfrmMain::guarded(Call &&call)
{
    QString message;
    try {
        call();
        return true;
    } catch (const Error &error) {
        message = error.message();
    } catch (const std::exception &error) {
        message = QString::fromLocal8Bit(error.what());
    } catch (...) {
        message = QStringLiteral("Unknown error");
    }
    UserPrompts::current().showMessage(UserPrompts::Kind::Error, message);
    return false;
}

void TfrmMain::editTimerTimer()
{
    editTimer->stop();   // the handler runs once
    // Whether the file exists is not asked: loading first empties the
    // report, so a missing file opens the designer on an empty report. An
    // error escaping the load is reported and the designer is not opened on
    // a half-loaded report; either way the launcher goes on to its end.
    const QString fileName = m_arguments.first();
    if (guarded([&] { report->loadFromFile(fileName, false); }))
        guarded([&] { report->designReport(true, false); });
    infoLabel->setText(QStringLiteral("Zamykanie programu..."));
    exitTimer->start();
}

void TfrmMain::exitTimerTimer()
{
    exitTimer->stop();
    close();
}

void TfrmMain::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    ColourKey::update(this, transparentColor(), m_colourKey);
}

void TfrmMain::closeEvent(QCloseEvent *event)
{
    // Closing the splash, by the timer or by the user, ends the program.
    editTimer->stop();
    exitTimer->stop();
    QWidget::closeEvent(event);
    if (event->isAccepted())
        Q_EMIT finished();
}

}   // namespace pgx::launcher
