#include "engine/bindings/BindingFamilies.h"

#include "report/component/Units.h"
#include "report/root/ReportOptions.h"

#include <QtCore/QMetaEnum>

namespace pgx::engine::bindings {

namespace {

// Numbered by position, the script's preview buttons would be off by one
// from pbRefresh on (pbTools would switch the Edit button): each takes the
// bit of the report's button of that name instead. pbTree is the outline
// button's older name; there is no refresh button, so pbRefresh is no bit.
void matchPreviewButtons(TkxScript &s)
{
    const QMetaEnum buttons = QMetaEnum::fromType<TpgxPreviewOptions::TpgxPreviewButtons>();
    auto *type
        = dynamic_cast<script::TkxEnumVariable *>(s.find(QStringLiteral("TpgxPreviewButtons")));
    if (!type)
        return;
    for (const QString &name : type->values) {
        const QByteArray key
            = name == QLatin1String("pbTree") ? QByteArrayLiteral("pbOutline") : name.toLatin1();
        bool ok = false;
        const int bit = buttons.keyToValue(key.constData(), &ok);
        if (script::TkxCustomVariable *c = s.find(name))
            c->value = Variant(ok ? bit : 0);
    }
}

}   // namespace

void declareConstants(TkxScript &s)
{
    const QString extended = QStringLiteral("Extended");
    const QString integer = QStringLiteral("Integer");
    script::declareConst(s, QStringLiteral("pg01cm"), extended, Variant(kPg01cm));
    script::declareConst(s, QStringLiteral("pg1cm"), extended, Variant(kPg1cm));
    script::declareConst(s, QStringLiteral("pg01in"), extended, Variant(kPg01in));
    script::declareConst(s, QStringLiteral("pg1in"), extended, Variant(kPg1in));
    script::declareConst(s, QStringLiteral("pg1CharX"), extended, Variant(kPg1CharX));
    script::declareConst(s, QStringLiteral("pg1CharY"), extended, Variant(kPg1CharY));
    script::declareConst(s, QStringLiteral("clTransparent"), integer, Variant(kClTransparent));
    script::declareConst(s, QStringLiteral("crHand"), integer, Variant(kCrHand));
    script::declareConst(s, QStringLiteral("crZoom"), integer, Variant(kCrZoom));
    script::declareConst(s, QStringLiteral("crFormat"), integer, Variant(kCrFormat));

    // The value lists as scripts have always seen them (TpgxAlign without
    // the newer baClient, TpgxPreviewButtons with pbTree and pbRefresh;
    // its values are mended below).
    static const struct
    {
        const char *type;
        const char *values;
        bool isSet;
    } kEnums[] = {
        {"TpgxStretchMode", "smDontStretch, smActualHeight, smMaxHeight", false},
        {"TpgxShiftMode", "smDontShift, smAlways, smWhenOverlapped", false},
        {"TpgxDuplexMode", "dmNone, dmVertical, dmHorizontal, dmSimplex", false},
        {"TpgxAlign", "baNone, baLeft, baRight, baCenter, baWidth, baBottom", false},
        {"TpgxFrameStyle", "fsSolid, fsDash, fsDot, fsDashDot, fsDashDotDot, fsDouble", false},
        {"TpgxFrameTypes", "ftLeft, ftRight, ftTop, ftBottom", true},
        {"TpgxHAlign", "haLeft, haRight, haCenter, haBlock", false},
        {"TpgxVAlign", "vaTop, vaBottom, vaCenter", false},
        {"TpgxRestrictions", "rfDontModify, rfDontSize, rfDontMove, rfDontDelete", true},
        {"TpgxShapeKind",
         "skRectangle, skRoundRectangle, skEllipse, skTriangle, skDiagonal1, skDiagonal2", false},
        {"TpgxPreviewButtons",
         "pbPrint, pbLoad, pbSave, pbExport, pbZoom, pbFind, pbTree, pbPageSetup, pbRefresh, "
         "pbTools, pbEdit, pbNavigator, pbExportQuick",
         true},
        {"TpgxZoomMode", "zmDefault, zmWholePage, zmPageWidth, zmManyPages", false},
        {"TpgxPrintPages", "ppAll, ppOdd, ppEven", false},
        {"TpgxDMPFontStyles",
         "fsxBold, fsxItalic, fsxUnderline, fsxSuperScript, fsxSubScript, fsxCondensed, fsxWide, "
         "fsx12cpi, fsx15cpi",
         true},
        {"TpgxRangeBegin", "rbFirst, rbCurrent", false},
        {"TpgxRangeEnd", "reLast, reCurrent, reCount", false},
        {"TpgxFieldType", "fftNumeric, fftString, fftBoolean", false},
        {"TpgxFormatKind", "fkText, fkNumeric, fkDateTime, fkBoolean", false},
    };
    for (const auto &e : kEnums) {
        const QString type = QString::fromLatin1(e.type);
        const QString values = QString::fromLatin1(e.values);
        if (e.isSet)
            script::declareEnumSet(s, type, values);
        else
            script::declareEnum(s, type, values);
    }
    matchPreviewButtons(s);
}

}   // namespace pgx::engine::bindings
