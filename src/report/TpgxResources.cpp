#include "report/TpgxResources.h"

#include <QtCore/QRegularExpression>
#include <QtCore/QStringList>

namespace {

// The report layer's own texts; the other layers add theirs at start-up.
constexpr const char *kReportTexts[][2] = {
    {"prDupl", "Duplicate name"},
    {"prDefault", "Default"},
    {"clErrors", "The following error(s) have occured:"},
};

} // namespace

QString TpgxResources::Get(const QString &name) const
{
    auto it = m_texts.constFind(name.toCaseFolded());
    if (it == m_texts.cend())
        return name;
    if (it->startsWith(QLatin1Char('!')))
        return it->mid(1);
    return *it;
}

void TpgxResources::Add(const QString &name, const QString &text)
{
    m_texts.insert(name.toCaseFolded(), text);
}

void TpgxResources::AddLines(const QString &text)
{
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
    for (const QString &line : lines) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0 || eq == line.size() - 1)
            continue;
        Add(line.left(eq), line.mid(eq + 1));
    }
}

void TpgxResources::Clear() { m_texts.clear(); }

TpgxResources &pgxResources()
{
    static TpgxResources *instance = [] {
        auto *r = new TpgxResources;
        for (const auto &pair : kReportTexts)
            r->Add(QString::fromLatin1(pair[0]), QString::fromUtf8(pair[1]));
        return r;
    }();
    return *instance;
}
