#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QString>

#include <exception>

namespace pgx::script {

// The one exception type of the script engine. Values and operators raise
// it without a position; the statement list that was running adds "line:col"
// and the unit on the way out, so the position costs nothing until an error
// actually happens. `className` is what try-except shows scripts as
// ExceptionClassName ("EConvertError", "EDivByZero", ...).
class ScriptError : public std::exception
{
public:
    explicit ScriptError(QString message, QString className = QStringLiteral("Exception"))
        : m_message(std::move(message)), m_className(std::move(className))
    {
        refreshWhat();
    }

    const QString &message() const noexcept { return m_message; }
    const QString &className() const noexcept { return m_className; }
    // "line:col" of the statement that raised, empty until known.
    const QString &position() const noexcept { return m_position; }
    const QString &unitName() const noexcept { return m_unit; }
    bool hasPosition() const noexcept { return !m_position.isEmpty(); }
    void setPosition(const QString &position, const QString &unit)
    {
        m_position = position;
        m_unit = unit;
        refreshWhat();
    }
    const char *what() const noexcept override { return m_what.constData(); }

private:
    void refreshWhat()
    {
        m_what = (m_position.isEmpty() ? m_message : m_position + QStringLiteral(": ") + m_message)
                     .toUtf8();
    }

    QString m_message;
    QString m_className;
    QString m_position;
    QString m_unit;
    QByteArray m_what;
};

}   // namespace pgx::script
