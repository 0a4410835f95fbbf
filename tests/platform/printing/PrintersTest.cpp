// The printer list: enumeration, the virtual printer, the default printer
// and selection.
#include "FakePrinterBackend.h"

#include "platform/Error.h"
#include "platform/printing/PrinterTexts.h"
#include "platform/printing/Printers.h"

#include <gtest/gtest.h>

namespace pgx {
namespace {

using test::FakePrinterBackend;
using test::officePrinter;
using test::ScopedEnv;

std::unique_ptr<FakePrinterBackend> threePrinters(const QString &defaultName)
{
    auto backend = std::make_unique<FakePrinterBackend>();
    backend->printers
        = {{"Alpha", officePrinter()}, {"Beta", officePrinter()}, {"Gamma", officePrinter()}};
    backend->defaultName = defaultName;
    return backend;
}

void expectOnlyTheVirtualPrinter(const TpgxPrinters &printers)
{
    EXPECT_FALSE(printers.hasPhysicalPrinters());
    ASSERT_EQ(printers.count(), 1);
    EXPECT_EQ(printers.printerNames(), QStringList({"Virtual"}));
    EXPECT_EQ(printers.printerIndex(), 0);
    const TpgxCustomPrinter *printer = printers.currentPrinter();
    ASSERT_NE(printer, nullptr);
    EXPECT_TRUE(printer->isInitialized());
    EXPECT_EQ(printer->name(), QStringLiteral("Virtual"));
    EXPECT_EQ(printer->dpiX(), 600);
    EXPECT_EQ(printer->papers().size(), 67);
}

TEST(Printers, WithoutPrintersTheVirtualPrinterIsCurrent)
{
    expectOnlyTheVirtualPrinter(TpgxPrinters(std::make_unique<FakePrinterBackend>()));
    expectOnlyTheVirtualPrinter(TpgxPrinters(nullptr));
}

TEST(Printers, TheEnvironmentForcesTheVirtualPrinter)
{
    {
        ScopedEnv force(kForceVirtualPrinterVariable, "1");
        EXPECT_TRUE(PrinterBackend::virtualPrinterForced());
        expectOnlyTheVirtualPrinter(TpgxPrinters(PrinterBackend::createDefault()));

        TpgxPrinters::resetInstance();
        expectOnlyTheVirtualPrinter(TpgxPrinters::instance());
        TpgxPrinters::resetInstance();
    }
    for (const char *value : {"", "0"}) {
        ScopedEnv notForced(kForceVirtualPrinterVariable, value);
        EXPECT_FALSE(PrinterBackend::virtualPrinterForced()) << value;
    }
}

TEST(Printers, TheProcessListCanBeGivenABackend)
{
    TpgxPrinters::resetInstance(threePrinters("Gamma"));
    TpgxPrinters &printers = TpgxPrinters::instance();
    EXPECT_EQ(&printers, &TpgxPrinters::instance());
    EXPECT_TRUE(printers.hasPhysicalPrinters());
    EXPECT_EQ(printers.currentPrinter()->name(), QStringLiteral("Gamma"));
    TpgxPrinters::resetInstance();
}

TEST(Printers, TheDefaultPrinterIsCurrentAndAStaleDefaultFallsBackToTheFirst)
{
    const struct
    {
        const char *defaultName;
        int index;
    } cases[] = {{"Beta", 1}, {"GAMMA", 2}, {"", 0}, {"Removed", 0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.defaultName);
        TpgxPrinters printers(threePrinters(c.defaultName));
        EXPECT_TRUE(printers.hasPhysicalPrinters());
        EXPECT_EQ(printers.printerNames(), QStringList({"Alpha", "Beta", "Gamma"}));
        EXPECT_EQ(printers.defaultPrinterName(), QString::fromLatin1(c.defaultName));
        EXPECT_EQ(printers.printerIndex(), c.index);
        EXPECT_EQ(printers.defaultPrinterIndex(), c.index);
        EXPECT_TRUE(printers.currentPrinter()->isInitialized());
        // Only the printer made current is read.
        EXPECT_EQ(printers.printer((c.index + 1) % 3)->isInitialized(), false);
    }
}

TEST(Printers, IndexOfPrinterIgnoresCase)
{
    TpgxPrinters printers(threePrinters("Alpha"));
    EXPECT_EQ(printers.indexOfPrinter("alpha"), 0);
    EXPECT_EQ(printers.indexOfPrinter("GaMmA"), 2);
    EXPECT_EQ(printers.indexOfPrinter("Delta"), -1);
    EXPECT_EQ(printers.indexOfPrinter("Default"), -1);
    EXPECT_EQ(printers.indexOfPrinter(QString()), -1);
}

TEST(Printers, SelectingAPrinterInitialisesItOnce)
{
    auto owned = threePrinters("Beta");
    FakePrinterBackend *backend = owned.get();
    TpgxPrinters printers(std::move(owned));

    printers.setPrinterIndex(2);
    EXPECT_EQ(printers.currentPrinter()->name(), QStringLiteral("Gamma"));
    EXPECT_TRUE(printers.currentPrinter()->isInitialized());
    printers.setPrinterIndex(2);
    EXPECT_EQ(backend->capabilityRequests.value("Gamma"), 1);

    printers.setPrinterIndex(-1);   // the default printer
    EXPECT_EQ(printers.printerIndex(), 1);
    for (int outside : {3, -2, 1000}) {
        printers.setPrinterIndex(outside);
        EXPECT_EQ(printers.printerIndex(), 1) << outside;
    }
    EXPECT_EQ(printers.printer(3), nullptr);
    EXPECT_EQ(printers.printer(-1), nullptr);
}

TEST(Printers, AnInvalidPrinterFailsWhenSelectedNotWhenListed)
{
    auto backend = threePrinters("Beta");
    backend->printers[1].capabilities->dpiX = 0;
    TpgxPrinters printers(std::move(backend));   // must not raise
    EXPECT_EQ(printers.printerIndex(), 1);
    EXPECT_FALSE(printers.currentPrinter()->isInitialized());
    EXPECT_THROW(printers.setPrinterIndex(-1), Error);
    EXPECT_EQ(printers.printerIndex(), 1);
    printers.setPrinterIndex(0);
    EXPECT_TRUE(printers.currentPrinter()->isInitialized());
}

TEST(Printers, RefillSeesPrintersAddedAndRemoved)
{
    auto owned = std::make_unique<FakePrinterBackend>();
    FakePrinterBackend *backend = owned.get();
    TpgxPrinters printers(std::move(owned));
    EXPECT_FALSE(printers.hasPhysicalPrinters());

    backend->printers = {{"Alpha", officePrinter()}, {"Beta", officePrinter()}};
    backend->defaultName = "Beta";
    printers.refill();
    EXPECT_TRUE(printers.hasPhysicalPrinters());
    EXPECT_EQ(printers.printerNames(), QStringList({"Alpha", "Beta"}));
    EXPECT_EQ(printers.currentPrinter()->name(), QStringLiteral("Beta"));

    backend->printers.clear();
    printers.refill();
    expectOnlyTheVirtualPrinter(printers);
}

TEST(PrinterTexts, TheTranslationHookNamesListsAndTheVirtualPrinter)
{
    const QHash<QString, QString> german
        = {{"prDefault", "Standard"}, {"prCustom", "Benutzerdefiniert"}, {"prVirtual", "Virtuell"}};
    printerTexts().setTranslationHook([&](const QString &key) { return german.value(key, key); });
    {
        TpgxPrinters printers(nullptr);
        EXPECT_EQ(printers.printerNames(), QStringList({"Virtuell"}));
        EXPECT_EQ(printers.currentPrinter()->paperNames().first(),
                  QStringLiteral("Benutzerdefiniert"));
        EXPECT_EQ(printers.currentPrinter()->binNames(), QStringList({"Standard"}));
    }
    // Unknown keys return themselves and empty answers are no answer: the
    // built-in texts stand in.
    for (KeyedTexts::TranslationHook lookup :
         {KeyedTexts::TranslationHook([](const QString &key) { return key; }),
          KeyedTexts::TranslationHook([](const QString &) { return QString(); })}) {
        printerTexts().setTranslationHook(lookup);
        EXPECT_EQ(printerText(PrinterText::prDefault), QStringLiteral("Default"));
        EXPECT_EQ(printerText(PrinterText::prCustom), QStringLiteral("Custom"));
        EXPECT_EQ(printerText(PrinterText::prVirtual), QStringLiteral("Virtual"));
    }
    printerTexts().setTranslationHook({});
    EXPECT_EQ(printerText(PrinterText::prVirtual), QStringLiteral("Virtual"));
    EXPECT_EQ(printerTextKey(PrinterText::prCustom), QStringLiteral("prCustom"));
}

}   // namespace
}   // namespace pgx
