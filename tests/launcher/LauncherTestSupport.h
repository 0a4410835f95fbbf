#pragma once

#include <QtCore/QFile>
#include <QtWidgets/QApplication>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace pgx::test {

// The one QApplication of the widget suite, made on first use.
inline QApplication &widgetApplication()
{
    static int argc = 1;
    static char name[] = "test_launcher";
    static char *argv[] = {name, nullptr};
    static QApplication *app = [] {
        auto *created = new QApplication(argc, argv);
        QApplication::setQuitOnLastWindowClosed(false);   // the suite decides when it ends
        return created;
    }();
    return *app;
}

// A path that exists, is no folder, and that no one can open for reading,
// not even root (who ignores permissions): a bound Unix socket. Returns the
// path, or an empty string when it could not be made.
inline QString makeUnreadableFile(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    sockaddr_un address{};
    if (size_t(native.size()) >= sizeof(address.sun_path))
        return {};
    address.sun_family = AF_UNIX;
    std::copy(native.begin(), native.end(), address.sun_path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound
        = fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)) == 0;
    if (fd >= 0)
        ::close(fd);   // the socket file stays
    return bound ? path : QString();
}

}   // namespace pgx::test
