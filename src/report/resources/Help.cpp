#include "report/resources/Help.h"

#include "report/resources/ProgramFolder.h"

#include <QtCore/QDir>

#include <iterator>

namespace pgx {

namespace {

// Help topics by class name.
constexpr const char *kHelpTopics[][2] = {
    {"TpgxDesignerForm", "Designer.htm"},
    {"TpgxOptionsEditor", "Designer_options.htm"},
    {"TpgxReportEditorForm", "Report_options.htm"},
    {"TpgxPageEditorForm", "Page_options.htm"},
    {"TpgxCrossEditorForm", "Cross_tab_reports.htm"},
    {"TpgxChartEditorForm", "Diagrams.htm"},
    {"TpgxSyntaxMemo", "Script.htm"},
    {"TpgxDialogPage", "Dialogue_forms.htm"},
    {"TpgxDialogComponent", "Data_access_components.htm"},
    {"TpgxVarEditorForm", "Variables.htm"},
    {"TpgxHighlightEditorForm", "Conditional_highlighting.htm"},
    {"TpgxSysMemoEditorForm", "Inserting_aggregate_function.htm"},
    {"TpgxFormatEditorForm", "Values_formatting.htm"},
    {"TpgxGroupEditorForm", "Report_with_groups.htm"},
    {"TpgxPictureEditorForm", "Picture_object.htm"},
    {"TpgxMemoEditorForm", "Text_object.htm"},
    {"TpgxSQLEditorForm", "TpgxADOQuery.htm"},
};
static_assert(std::size(kHelpTopics) == 17, "help knows 17 class topics");

}   // namespace

QString helpTopic(const QString &className)
{
    for (const auto &row : kHelpTopics)
        if (className.compare(QLatin1String(row[0]), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(row[1]);
    return {};
}

QString helpLocation(const QString &className, const QString &programFolder)
{
    const QString folder = (programFolder.isEmpty() ? pgxProgramFolder() : programFolder);
    const QString topic = helpTopic(className);
    return QDir(folder).filePath(QStringLiteral("help/")
                                 + (topic.isEmpty() ? QStringLiteral("index.htm") : topic));
}

}   // namespace pgx
