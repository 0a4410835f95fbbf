#pragma once

#include <QtCore/QString>

namespace pgx {

// The seam in front of every message box the program shows, so that tests
// (and headless runs) can answer or record prompts instead of a user.
// The widget implementation lives with the windows; this layer only knows
// the interface and which implementation is current.
class UserPrompts
{
public:
    // The captions of the program's message boxes.
    enum class Kind { Error, Information };

    virtual ~UserPrompts() = default;
    virtual void showMessage(Kind kind, const QString &text) = 0;

    static QString caption(Kind kind);

    // The process-wide prompts; never null (the default is console()).
    static UserPrompts &current();
    // Prompts that write the caption and text to stderr and answer at once:
    // for runs without a window system.
    static UserPrompts &console();
    // Installs `prompts` (not owned) and returns the one it replaces;
    // nullptr restores the default.
    static UserPrompts *install(UserPrompts *prompts);
};

// For the lifetime of a scope (a test, a headless run), prompts go to `prompts`.
class ScopedUserPrompts
{
public:
    explicit ScopedUserPrompts(UserPrompts &prompts) : m_previous(UserPrompts::install(&prompts)) {}
    ~ScopedUserPrompts() { UserPrompts::install(m_previous); }
    ScopedUserPrompts(const ScopedUserPrompts &) = delete;
    ScopedUserPrompts &operator=(const ScopedUserPrompts &) = delete;

private:
    UserPrompts *m_previous;
};

} // namespace pgx
