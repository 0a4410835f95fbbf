#include "preview/dialogs/PageSettingsRules.h"

#include "platform/KeyStore.h"
#include "platform/format/NumberText.h"
#include "platform/printing/PaperTable.h"
#include "preview/print/PrintDialogRules.h"
#include "report/root/TpgxReport.h"

#include <cmath>
#include <memory>
#include <utility>

namespace pgx::preview {

namespace {

constexpr double kMmPerCentimetre = 10;
constexpr double kMmPerInch = 25.4;

// A table paper's size turned for the orientation; false for a code the
// table does not know.
bool tablePaperSize(int code, TpgxReportPage::TPrinterOrientation orientation, double &width,
                    double &height)
{
    if (!lookUpPaperSize(code, width, height))
        return false;
    if (orientation == TpgxReportPage::poLandscape)
        std::swap(width, height);
    return true;
}

}   // namespace

PageSettings pageSettingsOf(const TpgxReportPage &page)
{
    PageSettings settings;
    settings.paperSize = page.paperSize();
    settings.paperWidth = page.paperWidth();
    settings.paperHeight = page.paperHeight();
    settings.orientation = page.orientation();
    settings.leftMargin = page.leftMargin();
    settings.topMargin = page.topMargin();
    settings.rightMargin = page.rightMargin();
    settings.bottomMargin = page.bottomMargin();
    return settings;
}

void applyPageSettings(const PageSettings &settings, TpgxReportPage &page)
{
    // Turning the page first: it swaps the old sizes and margins, which the
    // lines below then replace with the ones chosen.
    page.setOrientation(settings.orientation);
    page.setSizeAndDimensions(settings.paperSize, settings.paperWidth, settings.paperHeight);
    page.setLeftMargin(settings.leftMargin);
    page.setTopMargin(settings.topMargin);
    page.setRightMargin(settings.rightMargin);
    page.setBottomMargin(settings.bottomMargin);
}

PageSettingsRules::PageSettingsRules(QList<TpgxPrinterItem> papers, LengthUnit unit)
    : m_papers(std::move(papers)), m_unit(unit)
{
    for (const TpgxPrinterItem &paper : m_papers)
        m_names.append(paper.name.isEmpty() && paper.code != kCustomPaper
                           ? SheetBox::unnamedPaperText(paper.code)
                           : paper.name);
    m_readable.fill(true);
}

LengthUnit PageSettingsRules::unitOf(const KeyStore &store)
{
    const qint64 units
        = store.readInteger(QStringLiteral("Form.TpgxDesignerForm"), QStringLiteral("Units"), 0);
    return units == 1 ? LengthUnit::Inches : LengthUnit::Centimetres;
}

LengthUnit PageSettingsRules::unitOf(const TpgxReport &report)
{
    const std::unique_ptr<KeyStore> store = report.settingsStore();
    return unitOf(*store);
}

double PageSettingsRules::millimetresPerUnit(LengthUnit unit)
{
    return unit == LengthUnit::Inches ? kMmPerInch : kMmPerCentimetre;
}

QString PageSettingsRules::lengthText(double mm, LengthUnit unit)
{
    const double steps = unit == LengthUnit::Inches ? 1000 : 100;
    const double value = format::roundHalfEven(mm / millimetresPerUnit(unit) * steps) / steps;
    // No "-0" for a length that rounds to nothing.
    return format::fileFloatText(value == 0 ? 0.0 : value);
}

std::optional<double> PageSettingsRules::readLength(const QString &text, LengthUnit unit)
{
    const std::optional<double> value = format::parseFileFloat(text);
    if (!value)
        return std::nullopt;
    return *value * millimetresPerUnit(unit);
}

void PageSettingsRules::setSettings(const PageSettings &settings)
{
    m_settings = settings;
    m_readable.fill(true);
}

int PageSettingsRules::customIndex() const
{
    for (int i = 0; i < m_papers.size(); ++i)
        if (m_papers[i].code == kCustomPaper)
            return i;
    return 0;
}

int PageSettingsRules::paperIndex() const
{
    if (m_settings.paperSize != kCustomPaper)
        for (int i = 0; i < m_papers.size(); ++i)
            if (m_papers[i].code == m_settings.paperSize)
                return i;
    return customIndex();
}

void PageSettingsRules::choosePaper(int index)
{
    if (index < 0 || index >= m_papers.size())
        return;
    const int code = m_papers[index].code;
    m_settings.paperSize = code;
    double width = 0, height = 0;
    if (code != kCustomPaper && tablePaperSize(code, m_settings.orientation, width, height)) {
        m_settings.paperWidth = width;
        m_settings.paperHeight = height;
        m_readable[size_t(Length::Width)] = m_readable[size_t(Length::Height)] = true;
    }
}

void PageSettingsRules::setOrientation(TpgxReportPage::TPrinterOrientation orientation)
{
    if (orientation == m_settings.orientation)
        return;
    m_settings.orientation = orientation;
    double width = 0, height = 0;
    if (m_settings.paperSize != kCustomPaper
        && tablePaperSize(m_settings.paperSize, orientation, width, height)) {
        m_settings.paperWidth = width;
        m_settings.paperHeight = height;
    } else {
        std::swap(m_settings.paperWidth, m_settings.paperHeight);
    }
    // Sides shown anew: text that did not read is given up.
    m_readable[size_t(Length::Width)] = m_readable[size_t(Length::Height)] = true;
}

double &PageSettingsRules::length(Length which)
{
    switch (which) {
    case Length::Width: return m_settings.paperWidth;
    case Length::Height: return m_settings.paperHeight;
    case Length::LeftMargin: return m_settings.leftMargin;
    case Length::TopMargin: return m_settings.topMargin;
    case Length::RightMargin: return m_settings.rightMargin;
    case Length::BottomMargin: break;
    }
    return m_settings.bottomMargin;
}

double PageSettingsRules::length(Length which) const
{
    return const_cast<PageSettingsRules *>(this)->length(which);
}

QString PageSettingsRules::lengthText(Length which) const
{
    return lengthText(length(which), m_unit);
}

bool PageSettingsRules::setLengthText(Length which, const QString &text)
{
    if (which == Length::Width || which == Length::Height)
        m_settings.paperSize = kCustomPaper;
    const std::optional<double> mm = readLength(text, m_unit);
    m_readable[size_t(which)] = mm.has_value();
    if (mm)
        length(which) = *mm;
    return mm.has_value();
}

bool PageSettingsRules::isValid() const
{
    for (bool readable : m_readable)
        if (!readable)
            return false;
    const PageSettings &s = m_settings;
    const auto isSize = [](double mm) { return mm > 0 && mm <= kMaxPaperLength; };
    if (!isSize(s.paperWidth) || !isSize(s.paperHeight))
        return false;
    if (s.leftMargin < 0 || s.topMargin < 0 || s.rightMargin < 0 || s.bottomMargin < 0)
        return false;
    return s.leftMargin + s.rightMargin < s.paperWidth
        && s.topMargin + s.bottomMargin < s.paperHeight;
}

}   // namespace pgx::preview
