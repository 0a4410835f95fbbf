#pragma once

#include <QtCore/QString>

namespace pgx::launcher {

// `pagoryn --preview TEMPLATE.pgr` and `pagoryn FILE.pgp`: the preview
// window on a template prepared into it as it runs, or on a prepared report
// read from its file. Returns the program's exit code once the window is
// closed: 1 when the file could not be read.
int runPreview(const QString &fileName);

// Whether the arguments ask for the preview rather than the splash.
bool wantsPreview(const QStringList &arguments, QString *fileName);

}   // namespace pgx::launcher
