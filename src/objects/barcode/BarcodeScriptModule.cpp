#include "objects/barcode/BarcodeScriptModule.h"

#include "engine/bindings/ReportModule.h"
#include "objects/barcode/TpgxBarCodeView.h"
#include "script/registry/Registry.h"
#include "script/runtime/Script.h"

#include <QtCore/QMetaEnum>
#include <QtCore/QStringList>

namespace pgx {

namespace {

// The enumeration's names from the one reflection, in their order.
template<class Enum>
QString enumNames()
{
    const QMetaEnum meta = QMetaEnum::fromType<Enum>();
    QStringList names;
    for (int i = 0; i < meta.keyCount(); ++i)
        names.append(QString::fromLatin1(meta.key(i)));
    return names.join(QLatin1String(", "));
}

class TpgxBarcodeFunctions : public script::TkxItemList
{
public:
    explicit TpgxBarcodeFunctions(script::TkxScript &s)
    {
        script::declareEnum(s, QStringLiteral("TpgxBarcodeType"),
                            enumNames<TpgxBarcodeTypes::TpgxBarcodeType>());
        script::declareEnum(s, QStringLiteral("TpgxBarcodeErrorLevel"),
                            enumNames<TpgxBarcodeTypes::TpgxBarcodeErrorLevel>());
        engine::ensureClass(s, &TpgxBarCodeView::staticMetaObject);
    }
};

}   // namespace

void registerObjectModules()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    engine::registerReportModules();
    script::TkxScript::registerModule(
        [](script::TkxScript &s) { return std::make_unique<TpgxBarcodeFunctions>(s); });
}

}   // namespace pgx
