#pragma once

#include <QtCore/QString>
#include <exception>

namespace pgx {

// The one exception type of the report layers: it carries the user-visible
// message. Loading and running catch it at their boundary and record the
// message in the report's error list; the script runtime has its own.
class Error : public std::exception
{
public:
    explicit Error(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) { }

    const QString &message() const noexcept { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

}   // namespace pgx
