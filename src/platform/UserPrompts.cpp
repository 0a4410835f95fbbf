#include "platform/UserPrompts.h"

#include <cstdio>

namespace pgx {

namespace {

// Where no window system is at hand a message still reaches someone.
class StderrPrompts final : public UserPrompts
{
public:
    void showMessage(Kind kind, const QString &text) override
    {
        const QByteArray line
            = (caption(kind) + QLatin1String(": ") + text + QLatin1Char('\n')).toLocal8Bit();
        std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
        std::fflush(stderr);
    }
};

StderrPrompts gStderrPrompts;
UserPrompts *gCurrent = nullptr;

}   // namespace

std::optional<QString> UserPrompts::askPassword(const PasswordRequest &)
{
    return std::nullopt;
}

std::optional<QString> UserPrompts::askSaveFileName(const SaveFileRequest &)
{
    return std::nullopt;
}

std::optional<QString> UserPrompts::askOpenFileName(const SaveFileRequest &)
{
    return std::nullopt;
}

QString UserPrompts::caption(Kind kind)
{
    switch (kind) {
    case Kind::Error: return QStringLiteral("Error");
    case Kind::Information: return QStringLiteral("Information");
    }
    return {};
}

UserPrompts &UserPrompts::current()
{
    return gCurrent ? *gCurrent : gStderrPrompts;
}

UserPrompts &UserPrompts::console()
{
    return gStderrPrompts;
}

UserPrompts *UserPrompts::install(UserPrompts *prompts)
{
    UserPrompts *previous = gCurrent;
    gCurrent = prompts;
    return previous;
}

}   // namespace pgx
