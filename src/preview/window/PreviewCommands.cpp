#include "preview/window/PreviewCommands.h"

#include "report/root/ReportOptions.h"

namespace pgx::preview {

namespace {

using Button = TpgxPreviewOptions::TpgxPreviewButton;

bool has(const PreviewState &state, Button button)
{
    return state.buttons & button;
}

}   // namespace

bool isVisible(PreviewCommand command, const PreviewState &state)
{
    using C = PreviewCommand;
    switch (command) {
    case C::Print: return has(state, TpgxPreviewOptions::pbPrint);
    case C::Open: return has(state, TpgxPreviewOptions::pbLoad);
    case C::Save: return has(state, TpgxPreviewOptions::pbSave);
    case C::Export: return has(state, TpgxPreviewOptions::pbExport) && state.hasExportFilters;
    case C::ExportPdf: return has(state, TpgxPreviewOptions::pbExportQuick) && state.hasPdfExport;
    case C::Find: return has(state, TpgxPreviewOptions::pbFind);
    case C::ZoomIn:
    case C::Zoom:
    case C::ZoomOut: return has(state, TpgxPreviewOptions::pbZoom);
    case C::FullScreen:
        return has(state, TpgxPreviewOptions::pbZoom)
            && !has(state, TpgxPreviewOptions::pbNoFullScreen);
    case C::Outline:
    case C::Thumbnails: return has(state, TpgxPreviewOptions::pbOutline);
    case C::PageSettings: return has(state, TpgxPreviewOptions::pbPageSetup);
    case C::Edit: return has(state, TpgxPreviewOptions::pbEdit) && state.designerAvailable;
    case C::First:
    case C::Prior:
    case C::PageNumber:
    case C::Next:
    case C::Last: return has(state, TpgxPreviewOptions::pbNavigator);
    case C::Close: return !has(state, TpgxPreviewOptions::pbNoClose);
    case C::CollapseAll:
    case C::ExpandAll: return true;
    }
    return false;
}

bool isEnabled(PreviewCommand command, const PreviewState &state)
{
    if (!isVisible(command, state))
        return false;
    using C = PreviewCommand;
    switch (command) {
    case C::Print:
    case C::Save:
    case C::Export:
    case C::ExportPdf:
    case C::Find:
    case C::PageSettings: return !state.running && state.hasPages;
    // Loading is how an empty preview gets pages.
    case C::Open: return !state.running;
    // There must be a page to edit.
    case C::Edit: return !state.running && state.allowEdit && state.hasPages;
    case C::CollapseAll:
    case C::ExpandAll: return !state.running && state.hasDrillDown;
    default: return true;
    }
}

}   // namespace pgx::preview
