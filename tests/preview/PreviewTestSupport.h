#pragma once

#include "platform/UserPrompts.h"
#include "platform/printing/CustomPrinter.h"
#include "platform/printing/FakePrinterBackend.h"
#include "platform/printing/Printers.h"

#include <QtCore/QStringList>
#include <QtWidgets/QApplication>

#include <memory>
#include <optional>
#include <utility>

namespace pgx::test {

// The one QApplication of the widget suite, made on first use.
inline QApplication &widgetApplication()
{
    static int argc = 1;
    static char name[] = "test_preview";
    static char *argv[] = {name, nullptr};
    static QApplication *app = [] {
        auto *created = new QApplication(argc, argv);
        QApplication::setQuitOnLastWindowClosed(false);
        return created;
    }();
    return *app;
}

// A printer with exactly the lists a test gives, custom entries wherever
// the test puts them.
class ListPrinter final : public TpgxCustomPrinter
{
public:
    explicit ListPrinter(QList<TpgxPrinterItem> papers, int defaultPaper = 9)
        : TpgxCustomPrinter(QStringLiteral("List"), QString())
    {
        m_papers = std::move(papers);
        m_defaultPaper = defaultPaper;
    }
    void initDevice() override { }
    void selectSheet(int, double, double, TPrinterOrientation) override { }
    void configureJob(int, double, double, TPrinterOrientation, int, int, int) override { }
};

// Capabilities of a printer with the papers given (name, code), no
// margins, and two trays besides the automatic source.
inline PrinterCapabilities printerWithPapers(const QList<std::pair<QString, int>> &papers,
                                             int defaultPaper)
{
    PrinterCapabilities caps;
    for (const auto &[name, code] : papers)
        caps.papers.append({name, code, 200, 300, 0, 0, 0, 0});
    caps.bins = {{"Automatic", 7}, {"Upper tray", 1}, {"Lower tray", 2}};
    caps.defaultPaper = defaultPaper;
    caps.dpiX = caps.dpiY = 600;
    return caps;
}

// For one scope, the process-wide printer list holds:
//   0 "Office":  Default, A4, Letter, A5 (its photo size is custom)
//   1 "Plotter": Default, Letter, A3, A4, A5
//   2 "Label":   Default, Envelope #10, Letter (no A4; Letter is its default)
//   3 "Broken":  a resolution of 0, which the printer list refuses
// with "Office" current.
class ScopedPrinters
{
public:
    ScopedPrinters()
    {
        auto backend = std::make_unique<FakePrinterBackend>();
        PrinterCapabilities broken = officePrinter();
        broken.dpiX = 0;
        backend->printers = {
            {"Office", officePrinter()},
            {"Plotter", printerWithPapers({{"Letter", 1}, {"A3", 8}, {"A4", 9}, {"A5", 11}}, 9)},
            {"Label", printerWithPapers({{"Envelope #10", 20}, {"Letter", 1}}, 1)},
            {"Broken", broken},
        };
        backend->defaultName = QStringLiteral("Office");
        TpgxPrinters::resetInstance(std::move(backend));
    }
    ~ScopedPrinters() { TpgxPrinters::resetInstance(); }
    ScopedPrinters(const ScopedPrinters &) = delete;
    ScopedPrinters &operator=(const ScopedPrinters &) = delete;

    TpgxPrinters &printers() const { return TpgxPrinters::instance(); }
    TpgxCustomPrinter &printer(int index) const { return *printers().printer(index); }
};

// Records what would have been shown and answers save dialogs as told.
class RecordingPrompts final : public UserPrompts
{
public:
    void showMessage(Kind kind, const QString &text) override
    {
        messages.append(caption(kind) + QStringLiteral(": ") + text);
    }
    std::optional<QString> askSaveFileName(const SaveFileRequest &request) override
    {
        saveRequests.append(request);
        return saveAnswer;
    }

    QStringList messages;
    QList<SaveFileRequest> saveRequests;
    std::optional<QString> saveAnswer;
};

}   // namespace pgx::test
