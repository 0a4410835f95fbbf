#include "launcher/TfrmMain.h"
#include "launcher/LauncherTestSupport.h"
#include "launcher/SplashWidgets.h"
#include "platform/KeyStore.h"
#include "platform/UserPrompts.h"
#include "platform/XdgSandbox.h"
#include "report/root/TpgxReport.h"

#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtCore/QTimer>
#include <QtGui/QFontInfo>
#include <QtTest/QSignalSpy>
#include <QtTest/QTest>
#include <QtWidgets/QLabel>

namespace pgx::launcher {
namespace {

using test::XdgSandbox;

const QString kExe = QStringLiteral("/opt/pagoryn/bin/pagoryn");

// What the launcher told the user.
class RecordingPrompts final : public UserPrompts
{
public:
    void showMessage(Kind kind, const QString &text) override
    {
        messages.append(caption(kind) + ": " + text);
    }
    QStringList messages;
};

class TfrmMainTest : public ::testing::Test
{
protected:
    TfrmMainTest() { test::widgetApplication(); }
    ~TfrmMainTest() override { TpgxReport::setDesignerFactory({}); }

    // Records each designer call with what the splash showed at that moment.
    void recordDesignerCalls(TfrmMain *&form)
    {
        TpgxReport::setDesignerFactory([this, &form](TpgxReport &report, bool modal, bool asChild) {
            m_events.append(QStringLiteral("designer modal=%1 child=%2 label=%3")
                                .arg(modal)
                                .arg(asChild)
                                .arg(form->infoLabel->text()));
            EXPECT_EQ(&report, form->report);
            EXPECT_FALSE(form->editTimer->isActive());
            EXPECT_FALSE(form->exitTimer->isActive());
        });
    }

    // Windows on screen other than the splash.
    static QWidgetList otherWindows(const QWidget *splash)
    {
        QWidgetList found;
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (widget != splash && widget->isVisible())
                found.append(widget);
        }
        return found;
    }

    XdgSandbox m_xdg;
    RecordingPrompts m_prompts;
    ScopedUserPrompts m_usePrompts{m_prompts};
    QStringList m_events;
};

// The splash as the form declares it: every control, where it stands, what
// it says and in which font.
TEST_F(TfrmMainTest, SplashLayout)
{
    TfrmMain form({}, kExe);
    EXPECT_EQ(form.size(), QSize(300, 200));
    EXPECT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(form.cursor().shape(), Qt::WaitCursor);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Pagoryn"));
    EXPECT_EQ(form.font().pixelSize(), 11);
    EXPECT_EQ(form.palette().color(QPalette::Window), QColor(255, 0, 255));

    struct Shape
    {
        RectangleShape *shape;
        const char *name;
        QRect geometry;
    } shapes[] = {{form.titleShape, "TitleShape", {0, 0, 300, 113}},
                  {form.infoShape, "InfoShape", {0, 128, 300, 72}}};
    for (const Shape &s : shapes) {
        EXPECT_EQ(s.shape->objectName(), QLatin1String(s.name));
        EXPECT_EQ(s.shape->geometry(), s.geometry) << s.name;
        EXPECT_EQ(s.shape->penWidth(), 2) << s.name;
    }
    struct Label
    {
        QLabel *label;
        const char *name;
        RectangleShape *on;
        QPoint at;
        QString text;
        int pixelSize;
        bool bold;
        QColor color;
    } labels[] = {
        {form.pgrLabel,
         "PgrLabel",
         form.titleShape,
         {8, 0},
         QStringLiteral("Pgr"),
         64,
         true,
         Qt::red},
        {form.editorLabel,
         "EditorLabel",
         form.titleShape,
         {88, 32},
         QStringLiteral("Editor"),
         64,
         true,
         Qt::black},
        {form.infoLabel,
         "InfoLabel",
         form.infoShape,
         {10, 144},
         QStringLiteral("Zaktualizowano rejestr systemu"),
         13,
         false,
         Qt::black},
    };
    for (const Label &l : labels) {
        EXPECT_EQ(l.label->objectName(), QLatin1String(l.name));
        EXPECT_EQ(l.label->pos(), l.at) << l.name;
        EXPECT_EQ(l.label->text(), l.text) << l.name;
        EXPECT_EQ(l.label->font().pixelSize(), l.pixelSize) << l.name;
        EXPECT_EQ(l.label->font().bold(), l.bold) << l.name;
        EXPECT_TRUE(l.label->font().families().startsWith(QStringLiteral("Tahoma"))) << l.name;
        EXPECT_EQ(l.label->palette().color(QPalette::WindowText), l.color) << l.name;
        EXPECT_FALSE(l.label->autoFillBackground()) << l.name;
        // Each label lies wholly on its shape, so the colour key leaves it whole.
        EXPECT_TRUE(l.on->geometry().contains(l.label->geometry())) << l.name;
    }
    EXPECT_EQ(form.infoLabel->size(), QSize(280, 41));
    EXPECT_TRUE(form.infoLabel->alignment() & Qt::AlignHCenter);

    // The report as the form stores it.
    const struct
    {
        const char *path;
        QVariant value;
    } values[] = {
        {"Version", QStringLiteral("4.2.16")},
        {"DotMatrixReport", false},
        {"IniFile", QStringLiteral("\\Software\\Velmora")},
        {"PreviewOptions.Zoom", 1.0},
        {"PrintOptions.Printer", QStringLiteral("Default")},
        {"PrintOptions.PrintOnSheet", 0},
        {"ReportOptions.CreateDate", 39233.67535607639},
        {"ReportOptions.LastChange", 39233.67535607639},
        {"ScriptLanguage", QStringLiteral("PascalScript")},
        {"ScriptText", QStringList{"begin", "", "end."}},
    };
    for (const auto &v : values) {
        const QStringList path = QString::fromLatin1(v.path).split('.');
        const QObject *holder = path.size() == 1
            ? form.report
            : form.report->property(qPrintable(path[0])).value<QObject *>();
        ASSERT_NE(holder, nullptr) << v.path;
        EXPECT_EQ(holder->property(qPrintable(path.last())), v.value) << v.path;
    }
    EXPECT_EQ(form.report->previewOptions()->buttons, TpgxPreviewOptions::kAllButtons);

    for (QTimer *timer : {form.editTimer, form.exitTimer})
        EXPECT_EQ(timer->interval(), 500) << timer->objectName().toStdString();
    EXPECT_EQ(form.editTimer->objectName(), QStringLiteral("EditTimer"));
    EXPECT_EQ(form.exitTimer->objectName(), QStringLiteral("ExitTimer"));
}

// Without a compositor (the offscreen platform has none) the magenta
// background is cut away: what is left is exactly the two shapes.
TEST_F(TfrmMainTest, ColourKeyLeavesOnlyTheShapes)
{
    TfrmMain form({}, kExe);
    ASSERT_EQ(form.colourKeyMethod(), ColourKey::Method::WindowMask);
    form.show();
    const QRegion expected = QRegion(0, 0, 300, 113) + QRegion(0, 128, 300, 72);
    EXPECT_EQ(form.mask(), expected);
    // A translucent window paints no key colour at all.
    QWidget translucent;
    translucent.resize(10, 10);
    ColourKey::prepare(&translucent, TfrmMain::transparentColor(),
                       ColourKey::Method::TranslucentBackground);
    EXPECT_TRUE(translucent.testAttribute(Qt::WA_TranslucentBackground));
    EXPECT_FALSE(translucent.autoFillBackground());
}

// No argument: the four values are written, the label says so, and the
// launcher closes on its exit timer without opening another window.
TEST_F(TfrmMainTest, NoArgumentRegistersAndEnds)
{
    TfrmMain *form = nullptr;
    recordDesignerCalls(form);
    TfrmMain splash({}, kExe);
    form = &splash;
    QSignalSpy finished(&splash, &TfrmMain::finished);

    KeyStore classes(m_xdg.path("etc-xdg/Velmora/Classes.ini"));
    EXPECT_EQ(classes.readString(QStringLiteral(".pgr"), QString()), QStringLiteral("PgrView.pgr"));
    EXPECT_EQ(classes.readString(QStringLiteral("PgrView.pgr\\Shell\\Open\\Command"), QString()),
              "\"" + kExe + "\" \"%1\"");
    EXPECT_TRUE(QFileInfo::exists(m_xdg.path("usr-share/applications/velmora-pagoryn.desktop")));
    EXPECT_EQ(splash.infoLabel->text(), QStringLiteral("Zaktualizowano rejestr systemu"));
    EXPECT_TRUE(splash.exitTimer->isActive());
    EXPECT_FALSE(splash.editTimer->isActive());

    splash.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(finished.count(), 0);   // it waits for its timer
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_FALSE(splash.isVisible());
    EXPECT_TRUE(otherWindows(&splash).isEmpty());
    EXPECT_TRUE(m_events.isEmpty());
    EXPECT_TRUE(m_prompts.messages.isEmpty());
}

// A missing file: the designer opens (on an empty report), then the closing
// text shows and the launcher ends; nothing is reported.
TEST_F(TfrmMainTest, MissingFileOpensDesignerThenEnds)
{
    const QString missing = m_xdg.path("no such dir/missing file.pgr");
    TfrmMain *form = nullptr;
    recordDesignerCalls(form);
    TfrmMain splash({missing, QStringLiteral("ignored")}, kExe);
    form = &splash;
    QSignalSpy finished(&splash, &TfrmMain::finished);
    const QString opening
        = QStringLiteral("Otwieranie formatki:\r'") + missing + QStringLiteral("'");
    EXPECT_EQ(splash.infoLabel->text(), opening);
    EXPECT_TRUE(splash.editTimer->isActive());
    EXPECT_FALSE(splash.exitTimer->isActive());

    splash.show();
    QObject::connect(splash.exitTimer, &QTimer::timeout, &splash,
                     [&] { m_events.append("exit timer label=" + splash.infoLabel->text()); });
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_EQ(m_events,
              (QStringList{"designer modal=1 child=0 label=" + opening,
                           QStringLiteral("exit timer label=Zamykanie programu...")}));
    EXPECT_TRUE(splash.report->fileName().isEmpty());
    EXPECT_TRUE(m_prompts.messages.isEmpty());
}

// Errors escaping the report's calls are reported, and the launcher still
// comes to its closing text and its end instead of stranding the splash.
TEST_F(TfrmMainTest, ErrorsAreReportedAndTheLauncherStillEnds)
{
    const QString unreadable = test::makeUnreadableFile(m_xdg.path("unreadable.pgr"));
    ASSERT_FALSE(unreadable.isEmpty());
    {
        TfrmMain *form = nullptr;
        recordDesignerCalls(form);
        TfrmMain splash({unreadable}, kExe);
        form = &splash;
        QSignalSpy finished(&splash, &TfrmMain::finished);
        splash.show();
        ASSERT_TRUE(finished.wait(5000));
        ASSERT_EQ(m_prompts.messages.size(), 1);
        EXPECT_TRUE(m_prompts.messages[0].startsWith("Error: "))
            << m_prompts.messages[0].toStdString();
        EXPECT_TRUE(m_prompts.messages[0].contains(unreadable));
        EXPECT_TRUE(m_events.isEmpty());   // no designer on a report that failed to load
        EXPECT_EQ(splash.infoLabel->text(), QStringLiteral("Zamykanie programu..."));
    }
    m_prompts.messages.clear();
    {
        TpgxReport::setDesignerFactory(
            [](TpgxReport &, bool, bool) { throw std::runtime_error("designer failed"); });
        TfrmMain splash({m_xdg.path("missing.pgr")}, kExe);
        QSignalSpy finished(&splash, &TfrmMain::finished);
        splash.show();
        ASSERT_TRUE(finished.wait(5000));
        EXPECT_EQ(m_prompts.messages, QStringList{QStringLiteral("Error: designer failed")});
        EXPECT_EQ(splash.infoLabel->text(), QStringLiteral("Zamykanie programu..."));
    }
}

// The caption keeps its lone carriage return, and the label draws it as a
// line break rather than as nothing.
TEST_F(TfrmMainTest, CarriageReturnBreaksTheCaption)
{
    CaptionLabel label(QStringLiteral("Otwieranie formatki:\r'x'"));
    label.setFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    CaptionLabel oneLine(QStringLiteral("Otwieranie formatki: 'x'"));
    oneLine.setFont(label.font());
    EXPECT_GE(oneLine.sizeHint().height(), QFontMetrics(label.font()).height());
    EXPECT_GE(label.sizeHint().height(), 2 * QFontMetrics(label.font()).height());
    EXPECT_LT(label.sizeHint().width(), oneLine.sizeHint().width());
    EXPECT_TRUE(label.text().contains(QChar(13)));
}

}   // namespace
}   // namespace pgx::launcher
