#pragma once

// Shared by the report-root and styles tests: prompts that answer and
// record, and templates to and from memory.

#include "platform/UserPrompts.h"
#include "report/root/RegisterClasses.h"
#include "report/root/TpgxReport.h"

#include <QtCore/QBuffer>
#include <QtCore/QFile>

#include <optional>

namespace pgx::test {

class RecordingPrompts final : public UserPrompts
{
public:
    void showMessage(Kind kind, const QString &text) override { messages.append(text); }
    std::optional<QString> askPassword(const PasswordRequest &request) override
    {
        requests.append(request);
        return passwordAnswer;
    }

    QStringList messages;
    QList<PasswordRequest> requests;
    std::optional<QString> passwordAnswer;   // nullopt: the user cancels
};

inline void registerClasses()
{
    static const bool kDone = [] {
        registerReportClasses();
        return true;
    }();
    Q_UNUSED(kDone);
}

inline QByteArray saveReport(TpgxReport &report)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    report.saveToStream(&out);
    return out.data();
}

inline void loadReport(TpgxReport &report, const QByteArray &text)
{
    QBuffer in;
    in.setData(text);
    in.open(QIODevice::ReadOnly);
    report.loadFromStream(&in);
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A fixed creation time, so that saved templates can be compared as text.
inline void fixDates(TpgxReport &report)
{
    report.reportOptions()->createDate = 39233.67535607639;
    report.reportOptions()->lastChange = 39233.67535607639;
}

}   // namespace pgx::test
