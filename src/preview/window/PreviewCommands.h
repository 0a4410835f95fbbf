#pragma once

#include <QtCore/QFlags>

namespace pgx::preview {

// The preview window's commands whose visibility and enabled state follow
// the report's PreviewOptions.Buttons and the preview's state.
enum class PreviewCommand {
    Print,
    Open,
    Save,
    Export,
    ExportPdf,
    Find,
    ZoomIn,
    Zoom,
    ZoomOut,
    FullScreen,
    Outline,
    Thumbnails,
    PageSettings,
    Edit,
    First,
    Prior,
    PageNumber,
    Next,
    Last,
    Close,
    CollapseAll,
    ExpandAll,
};

// What the rules look at.
struct PreviewState
{
    int buttons = 0;        // TpgxPreviewOptions::TpgxPreviewButtons
    bool running = false;   // a report is being prepared into the preview
    bool hasPages = false;
    bool allowEdit = false;   // PreviewOptions.AllowEdit
    bool designerAvailable = false;
    bool hasDrillDown = false;   // the template has a group header with DrillDown
    bool hasExportFilters = false;
    bool hasPdfExport = false;   // an export filter of the quick PDF kind
};

// Shown at all (its pb... flag on; Export also needs a filter, Export to
// PDF pbExportQuick and a PDF filter; Close unless pbNoClose; Full Screen
// needs pbZoom without pbNoFullScreen; Edit needs a designer; Collapse and
// Expand all are always in the context menu).
bool isVisible(PreviewCommand command, const PreviewState &state);
// Enabled while shown: Print, Save, Export, Export to PDF, Find and Page
// Settings only when not running and there are pages; Open only when not
// running (an empty preview loads its pages that way); Edit only when not
// running, with AllowEdit and a page; Collapse/Expand all only when not
// running with a drill-down group; the rest always. A hidden command is
// never enabled.
bool isEnabled(PreviewCommand command, const PreviewState &state);

}   // namespace pgx::preview
