// Which of the preview's commands show and which work, from the report's
// buttons and the preview's state.
#include "preview/window/PreviewCommands.h"

#include "report/root/ReportOptions.h"

#include <gtest/gtest.h>

#include <functional>

namespace pgx::preview {
namespace {

using C = PreviewCommand;
using O = TpgxPreviewOptions;

// Every button and everything available: each case changes one thing.
PreviewState fullState()
{
    PreviewState s;
    s.buttons = O::kAllButtons.toInt();
    s.hasPages = true;
    s.allowEdit = true;
    s.designerAvailable = true;
    s.hasDrillDown = true;
    s.hasExportFilters = true;
    s.hasPdfExport = true;
    return s;
}

std::function<void(PreviewState &)> without(int button)
{
    return [button](PreviewState &s) { s.buttons &= ~button; };
}
std::function<void(PreviewState &)> with(int button)
{
    return [button](PreviewState &s) { s.buttons |= button; };
}
void running(PreviewState &s)
{
    s.running = true;
}
void noPages(PreviewState &s)
{
    s.hasPages = false;
}
void unchanged(PreviewState &) { }

struct CommandCase
{
    const char *name;
    C command;
    std::function<void(PreviewState &)> change;
    bool visible;
    bool enabled;
};

class PreviewCommandsTest : public ::testing::TestWithParam<CommandCase>
{ };

TEST_P(PreviewCommandsTest, FollowsButtonsAndState)
{
    const CommandCase &c = GetParam();
    PreviewState state = fullState();
    c.change(state);
    EXPECT_EQ(isVisible(c.command, state), c.visible);
    EXPECT_EQ(isEnabled(c.command, state), c.enabled);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, PreviewCommandsTest,
    ::testing::Values(
        CommandCase{"Print", C::Print, unchanged, true, true},
        CommandCase{"PrintRunning", C::Print, running, true, false},
        CommandCase{"PrintNoPages", C::Print, noPages, true, false},
        CommandCase{"PrintHidden", C::Print, without(O::pbPrint), false, false},
        CommandCase{"OpenNoPages", C::Open, noPages, true, true},
        CommandCase{"OpenRunning", C::Open, running, true, false},
        CommandCase{"OpenHidden", C::Open, without(O::pbLoad), false, false},
        CommandCase{"SaveNoPages", C::Save, noPages, true, false},
        CommandCase{"SaveHidden", C::Save, without(O::pbSave), false, false},
        CommandCase{"Export", C::Export, unchanged, true, true},
        CommandCase{"ExportNoFilters", C::Export,
                    [](PreviewState &s) { s.hasExportFilters = false; }, false, false},
        CommandCase{"ExportRunning", C::Export, running, true, false},
        CommandCase{"ExportHidden", C::Export, without(O::pbExport), false, false},
        CommandCase{"ExportPdf", C::ExportPdf, unchanged, true, true},
        CommandCase{"ExportPdfNoFilter", C::ExportPdf,
                    [](PreviewState &s) { s.hasPdfExport = false; }, false, false},
        CommandCase{"ExportPdfNotQuick", C::ExportPdf, without(O::pbExportQuick), false, false},
        CommandCase{"ExportPdfNoPages", C::ExportPdf, noPages, true, false},
        CommandCase{"FindRunning", C::Find, running, true, false},
        CommandCase{"FindNoPages", C::Find, noPages, true, false},
        CommandCase{"FindHidden", C::Find, without(O::pbFind), false, false},
        CommandCase{"ZoomInRunning", C::ZoomIn, running, true, true},
        CommandCase{"ZoomHidden", C::Zoom, without(O::pbZoom), false, false},
        CommandCase{"FullScreen", C::FullScreen, unchanged, true, true},
        CommandCase{"FullScreenRefused", C::FullScreen, with(O::pbNoFullScreen), false, false},
        CommandCase{"FullScreenWithoutZoom", C::FullScreen, without(O::pbZoom), false, false},
        CommandCase{"OutlineHidden", C::Outline, without(O::pbOutline), false, false},
        CommandCase{"ThumbnailsHidden", C::Thumbnails, without(O::pbOutline), false, false},
        CommandCase{"PageSettingsNoPages", C::PageSettings, noPages, true, false},
        CommandCase{"PageSettingsHidden", C::PageSettings, without(O::pbPageSetup), false, false},
        CommandCase{"Edit", C::Edit, unchanged, true, true},
        CommandCase{"EditNotAllowed", C::Edit, [](PreviewState &s) { s.allowEdit = false; }, true,
                    false},
        CommandCase{"EditRunning", C::Edit, running, true, false},
        CommandCase{"EditNoPages", C::Edit, noPages, true, false},
        CommandCase{"EditNoDesigner", C::Edit, [](PreviewState &s) { s.designerAvailable = false; },
                    false, false},
        CommandCase{"EditHidden", C::Edit, without(O::pbEdit), false, false},
        CommandCase{"PageNumberHidden", C::PageNumber, without(O::pbNavigator), false, false},
        CommandCase{"CloseRunning", C::Close, running, true, true},
        CommandCase{"CloseRefused", C::Close, with(O::pbNoClose), false, false},
        CommandCase{"CollapseAll", C::CollapseAll, unchanged, true, true},
        CommandCase{"CollapseAllWithoutDrillDown", C::CollapseAll,
                    [](PreviewState &s) { s.hasDrillDown = false; }, true, false},
        CommandCase{"ExpandAllRunning", C::ExpandAll, running, true, false},
        CommandCase{"ExpandAllWithoutButtons", C::ExpandAll, [](PreviewState &s) { s.buttons = 0; },
                    true, true}),
    [](const auto &info) { return std::string(info.param.name); });

}   // namespace
}   // namespace pgx::preview
