#pragma once

// pgrtool --timeout SECONDS: a verb that runs longer (an endless script
// loop) ends the process with a message and exit 1.

#include <QtCore/QStringList>

namespace pgx::tool {

// Takes "--timeout SECONDS" out of the verb's arguments and, when given,
// arms the watchdog. False (with a message) when the value is no positive
// number.
bool takeTimeoutOption(QStringList &args, QString &error);

}   // namespace pgx::tool
