// Barcodes in a report run: a script names the symbologies, and every row's
// barcode reaches the prepared pages with its own text and type.
#include "engine/EngineTestSupport.h"

#include "objects/RegisterObjects.h"
#include "objects/barcode/BarcodeScriptModule.h"
#include "objects/barcode/TpgxBarCodeView.h"

using namespace pgx::test;

namespace {

TEST(BarcodeScript, ScriptsNameTheSymbologiesAndRowsKeepTheirText)
{
    ensureGuiApplication();
    pgx::script::installScriptAnalyser();
    pgx::registerReportClasses();
    pgx::registerObjectClasses();
    pgx::engine::installReportEvaluation();
    pgx::registerObjectModules();

    EngineReport r;
    auto *rows = r.band<TpgxMasterData>(QStringLiteral("Rows"), 0, 100);
    rows->setRowCount(2);
    auto *code = new TpgxBarCodeView(rows);
    code->setName(QStringLiteral("Code"));
    code->setBounds(10, 10, 100, 60);
    code->setExpression(QStringLiteral("'ROW' + IntToStr(<Line>)"));
    code->setOnBeforePrint(QStringLiteral("CodeBeforePrint"));
    r.report.setScriptText({QStringLiteral("procedure CodeBeforePrint(Sender: TObject);"),
                            QStringLiteral("begin"),
                            QStringLiteral("  if <Line> = 2 then Code.BarType := bcCodeQR"),
                            QStringLiteral("  else Code.BarType := bcCode128B;"),
                            QStringLiteral("end;"), QStringLiteral("begin end.")});
    ASSERT_TRUE(r.prepare()) << r.report.errorsText().toStdString();

    QList<QPair<TpgxBarcodeType, QString>> printed;
    for (const TpgxComponent *band : r.pages.getPage(0)->objects())
        for (const TpgxComponent *object : band->objects())
            if (const auto *view = qobject_cast<const TpgxBarCodeView *>(object))
                printed.append({view->barType(), view->text()});
    const QList<QPair<TpgxBarcodeType, QString>> expected
        = {{TpgxBarcodeTypes::bcCode128B, QStringLiteral("ROW1")},
           {TpgxBarcodeTypes::bcCodeQR, QStringLiteral("ROW2")}};
    EXPECT_EQ(printed, expected);
}

}   // namespace
