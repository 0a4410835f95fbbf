#pragma once

#include <QtCore/QString>

#include <optional>

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

    // The texts of a password window; each comes from the caller's resources.
    struct PasswordRequest
    {
        QString caption;      // "Password"
        QString label;        // "Enter the password:"
        QString okText;       // "OK"
        QString cancelText;   // "Cancel"
    };
    // Asks for a password in a field that shows "*" for each character; the
    // text confirmed, or nullopt when the user cancels. Where nobody can
    // answer (the console prompts), it is cancelled.
    virtual std::optional<QString> askPassword(const PasswordRequest &request);

    // A save dialog: `filter` as Qt writes it ("Printer files (*.prn)");
    // the file chosen, or nullopt when the user cancels. Where nobody can
    // answer (the console prompts), it is cancelled.
    struct SaveFileRequest
    {
        QString caption;
        QString filter;
        QString fileName;   // proposed
    };
    virtual std::optional<QString> askSaveFileName(const SaveFileRequest &request);
    // An open dialog with the same texts; the existing file chosen.
    virtual std::optional<QString> askOpenFileName(const SaveFileRequest &request);

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
    explicit ScopedUserPrompts(UserPrompts &prompts)
        : m_previous(UserPrompts::install(&prompts)) { }
    ~ScopedUserPrompts() { UserPrompts::install(m_previous); }
    ScopedUserPrompts(const ScopedUserPrompts &) = delete;
    ScopedUserPrompts &operator=(const ScopedUserPrompts &) = delete;

private:
    UserPrompts *m_previous;
};

}   // namespace pgx
