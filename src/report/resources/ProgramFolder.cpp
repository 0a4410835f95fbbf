#include "report/resources/ProgramFolder.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>

QString pgxProgramFolder()
{
    QString folder = QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                                  : QDir::currentPath();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}
