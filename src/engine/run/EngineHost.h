#pragma once

#include <QtCore/QString>

class TpgxReport;

namespace pgx::engine {

// What the engine needs from the program that runs it: a progress display
// with Cancel, the event loop serviced during long runs, and the dialog
// pages shown. The base class is the headless host: no progress, no
// events, and dialog pages that cannot be shown are passed over.
class EngineHost
{
public:
    virtual ~EngineHost() = default;

    virtual void progressStarted() { }
    // "Preparing page %d" or "First pass: page %d", already formatted.
    virtual void progress(const QString &text, int page) { }
    virtual void progressStopped() { }
    // Called at the start of every data level and with every progress step;
    // the program processes pending events there so that Cancel works.
    virtual void processEvents() { }
    // Shows the report's dialog pages; false when the user cancelled. The
    // headless host shows nothing and goes on.
    virtual bool runDialogs(TpgxReport &report) { return true; }
};

}   // namespace pgx::engine
