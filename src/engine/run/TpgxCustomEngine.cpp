#include "engine/run/TpgxCustomEngine.h"

#include "prepared/TpgxPreviewPages.h"
#include "report/root/TpgxReport.h"

#include <cmath>

TpgxCustomEngine::TpgxCustomEngine(TpgxReport &report, TpgxPreviewPages &pages)
    : m_report(report), m_pages(pages)
{ }

TpgxCustomEngine::~TpgxCustomEngine() = default;

bool TpgxCustomEngine::doublePass() const
{
    return m_report.engineOptions()->doublePass;
}

void TpgxCustomEngine::stopReport()
{
    m_report.setTerminated(true);
}

void TpgxCustomEngine::addAnchor(const QString &text)
{
    m_pages.addAnchor(text, std::round(m_curY));
}

int TpgxCustomEngine::anchorPage(const QString &text) const
{
    return m_pages.anchorPage(text);
}
