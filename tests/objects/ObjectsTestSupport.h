#pragma once

// The GUI application the barcode tests draw text with. Never destroyed: a
// static one would be torn down after Qt's thread storage at exit, while
// the fonts the text path registered are removed, and crash there.
#include <QtGui/QGuiApplication>

namespace pgx::test {

inline void ensureLastingGuiApplication()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "test_objects";
    static char *argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);   // ### freed by the process's end only
}

}   // namespace pgx::test
