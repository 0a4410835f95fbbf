#pragma once

#include <QtWidgets/QApplication>

namespace pgx::test {

// The one QApplication of the widget suite, made on first use.
inline QApplication &widgetApplication()
{
    static int argc = 1;
    static char name[] = "test_launcher";
    static char *argv[] = {name, nullptr};
    static QApplication *app = [] {
        auto *created = new QApplication(argc, argv);
        QApplication::setQuitOnLastWindowClosed(false);  // the suite decides when it ends
        return created;
    }();
    return *app;
}

} // namespace pgx::test
