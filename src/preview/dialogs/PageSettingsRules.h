#pragma once

#include "platform/printing/CustomPrinter.h"
#include "platform/printing/PaperTable.h"
#include "report/pages/TpgxReportPage.h"

#include <QtCore/QList>
#include <QtCore/QString>
#include <QtCore/QStringList>

#include <array>
#include <optional>

class TpgxReport;

namespace pgx {
class KeyStore;
}

namespace pgx::preview {

// What the page settings dialog confirms. Lengths are millimetres.
struct PageSettings
{
    int paperSize = kDefaultPaper;
    double paperWidth = 210;
    double paperHeight = 297;
    TpgxReportPage::TPrinterOrientation orientation = TpgxReportPage::poPortrait;
    double leftMargin = 0;
    double topMargin = 0;
    double rightMargin = 0;
    double bottomMargin = 0;
    // "Apply to all pages": every page of the template, then a new run;
    // otherwise the prepared page alone.
    bool applyToAll = false;

    friend bool operator==(const PageSettings &, const PageSettings &) = default;
};

// The page's paper, orientation and margins (applyToAll false).
PageSettings pageSettingsOf(const TpgxReportPage &page);
// Writes paper, orientation and margins into `page` exactly as given: the
// orientation does not turn the sizes or margins again, they are already
// those of the chosen orientation.
void applyPageSettings(const PageSettings &settings, TpgxReportPage &page);

// The unit the designer shows lengths in.
enum class LengthUnit { Centimetres, Inches };

// The rules of the page settings dialog over plain values: the paper box of
// a printer, lengths shown in the designer's unit and read back, and what
// choosing a paper, turning the page or typing a size does to the others.
//
// A length keeps its exact millimetres until its text is edited, so
// confirming an untouched dialog changes nothing even where the shown text
// is rounded (297 mm is "11.693" inches). Likewise the page's paper code
// stays when the printer does not list it and the sizes are not touched,
// although the box then shows the custom entry.
class PageSettingsRules
{
public:
    enum class Length { Width, Height, LeftMargin, TopMargin, RightMargin, BottomMargin };
    static constexpr int kLengthCount = 6;
    // Bigger sheets are a typing slip, and their pixel sizes at high zoom
    // would leave the range of the page layout.
    static constexpr double kMaxPaperLength = 10000;

    PageSettingsRules(QList<TpgxPrinterItem> papers, LengthUnit unit);

    // Settings section "Form.TpgxDesignerForm", value "Units": 1 inches,
    // anything else (0, absent, unreadable) centimetres.
    static LengthUnit unitOf(const KeyStore &store);
    static LengthUnit unitOf(const TpgxReport &report);
    static double millimetresPerUnit(LengthUnit unit);
    // Rounded to 0.01 cm or 0.001 inch, with "." ("21", "29.7", "11.693").
    static QString lengthText(double mm, LengthUnit unit);
    // Millimetres of a length typed in `unit`, with "," or "." as decimal
    // separator; nothing for text that is no finite number.
    static std::optional<double> readLength(const QString &text, LengthUnit unit);

    LengthUnit unit() const { return m_unit; }

    // The values the dialog opens with; every text is then valid.
    void setSettings(const PageSettings &settings);
    const PageSettings &settings() const { return m_settings; }
    void setApplyToAll(bool value) { m_settings.applyToAll = value; }

    // The paper box: the printer's paper names in the printer's order; a
    // paper without a name of its own shows its size.
    QStringList paperNames() const { return m_names; }
    // The entry that shows the current paper: the custom entry for the
    // custom size and for a paper the printer does not list.
    int paperIndex() const;
    // A paper from the box: its code, and its size from the paper table in
    // the current orientation. The custom entry keeps the sizes.
    void choosePaper(int index);
    // Turning the page: a table paper takes its size for the orientation,
    // a custom size swaps its last readable sides. Margins stay.
    void setOrientation(TpgxReportPage::TPrinterOrientation orientation);

    QString lengthText(Length which) const;
    // Text typed into a length field. Width and height select the custom
    // paper, whatever the text. False when the text is no length; the field
    // then keeps its last readable value and the settings are not valid.
    bool setLengthText(Length which, const QString &text);
    bool isReadable(Length which) const { return m_readable[size_t(which)]; }

    // Every field readable; sizes above 0 and at most kMaxPaperLength;
    // margins not negative and leaving some of the paper to print on.
    bool isValid() const;

private:
    double &length(Length which);
    double length(Length which) const;
    int customIndex() const;

    QList<TpgxPrinterItem> m_papers;
    QStringList m_names;
    LengthUnit m_unit;
    PageSettings m_settings;
    std::array<bool, kLengthCount> m_readable{};
};

}   // namespace pgx::preview
