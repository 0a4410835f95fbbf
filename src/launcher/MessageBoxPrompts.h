#pragma once

#include "platform/UserPrompts.h"

namespace pgx::launcher {

// The desktop's prompts: modal message boxes. On a platform without a
// screen (offscreen, minimal) nobody could answer a box, so messages go to
// the console prompts instead and nothing waits.
// ### Moves to the first widget layer below the designer and the preview,
// which both need it, when those layers are built.
class MessageBoxPrompts final : public UserPrompts
{
public:
    void showMessage(Kind kind, const QString &text) override;
    // A modal password window; cancelled where no window can be shown.
    std::optional<QString> askPassword(const PasswordRequest &request) override;
    // A modal save dialog that asks before replacing a file; cancelled where
    // no window can be shown.
    std::optional<QString> askSaveFileName(const SaveFileRequest &request) override;
    std::optional<QString> askOpenFileName(const SaveFileRequest &request) override;

    static bool canShowWindows();
};

}   // namespace pgx::launcher
