#include "report/TpgxReport.h"

#include "platform/Error.h"
#include "report/TpgxResources.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>

namespace {
TpgxReport::DesignerFactory &designerFactory()
{
    static TpgxReport::DesignerFactory factory;
    return factory;
}
} // namespace

TpgxReport::TpgxReport(QObject *owner)
    : TpgxComponent(owner),
      m_iniFile(QStringLiteral("\\Software\\Velmora"))
{
    Clear();
}

TpgxReport::~TpgxReport()
{
    // The children go while this is still a report, so that their
    // notifications reach a whole object.
    m_destroying = true;
    DestroyChildren();
    m_names.clear();
}

void TpgxReport::NotifyObjectDestroyed(TpgxComponent *component)
{
    if (!m_destroying)
        emit ObjectDestroyed(component);
}

void TpgxReport::IndexName(const QString &name, TpgxComponent *component)
{
    if (!name.isEmpty())
        m_names[name.toCaseFolded()].append(component);
}

void TpgxReport::UnindexName(const QString &name, TpgxComponent *component)
{
    if (name.isEmpty())
        return;
    auto it = m_names.find(name.toCaseFolded());
    if (it == m_names.end())
        return;
    it->removeOne(component);
    if (it->isEmpty())
        m_names.erase(it);
}

void TpgxReport::Clear()
{
    TpgxComponent::Clear();
    m_engineOptions.Reset();
    m_previewOptions.Reset();
    m_printOptions.Reset();
    m_reportOptions.Reset();
    m_dotMatrixReport = false;
    m_scriptLanguage = QStringLiteral("PascalScript");
    m_scriptText = QStringList{QStringLiteral("begin"), QString(), QStringLiteral("end.")};
    m_onRunDialogs.clear();
    m_onStartReport.clear();
    m_onStopReport.clear();
}

QString TpgxReport::KindCaption() const { return pgxResources().Get(QStringLiteral("obReport")); }

void TpgxReport::AddError(const QString &message)
{
    // Sorted without regard to case; a message already listed in any letter
    // case is not added again.
    auto it = std::lower_bound(m_errors.begin(), m_errors.end(), message, [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    if (it != m_errors.end() && it->compare(message, Qt::CaseInsensitive) == 0)
        return;
    m_errors.insert(it, message);
}

bool TpgxReport::LoadFromFile(const QString &fileName, bool raiseIfMissing)
{
    Clear();
    m_fileName.clear();
    const QFileInfo info(fileName);
    const bool exists = info.exists() && !info.isDir();
    if (!exists && !raiseIfMissing)
        return false;
    QFile file(fileName);
    if (!exists || !file.open(QIODevice::ReadOnly))
        throw pgx::Error(QStringLiteral("Cannot open file \"%1\". %2")
                             .arg(fileName, exists ? file.errorString() : QStringLiteral("The file does not exist")));
    ClearErrors();
    try {
        LoadFromStream(&file);
    } catch (const pgx::Error &e) {
        AddError(e.message());
    }
    m_fileName = fileName;
    return true;
}

void TpgxReport::setDesignerFactory(DesignerFactory factory) { designerFactory() = std::move(factory); }

bool TpgxReport::hasDesignerFactory() { return bool(designerFactory()); }

void TpgxReport::DesignReport(bool modal, bool asChild)
{
    const DesignerFactory &factory = designerFactory();
    if (!factory || m_designerOpen)
        return;
    m_designerOpen = true;
    struct Reset
    {
        bool &flag;
        ~Reset() { flag = false; }
    } reset{m_designerOpen};
    factory(*this, modal, asChild);
}
