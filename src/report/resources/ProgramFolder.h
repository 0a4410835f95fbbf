#pragma once

#include <QtCore/QString>

// The folder of the running program with a trailing "/" (the current folder
// when no application object exists): where its help, language files and
// templates lie.
QString pgxProgramFolder();
