#pragma once

#include "platform/KeyedTexts.h"

#include <QtCore/QString>

namespace pgx::script {

// The script engine's user-visible messages are keyed texts ("S..."), with
// the engine's built-in wording. The report's resources translate them:
// the layer that links both installs them as the table's translation hook at
// start-up, so a language file read later takes effect at once.
pgx::KeyedTexts &kxMessages();

// The text of a message key; an unknown key returns itself.
QString kxMessage(const QString &key);

// The text of a message key with its "%s" replaced by the argument. The
// argument is inserted literally: script or file text is never a format.
QString kxMessageWith(const QString &key, const QString &argument);

}   // namespace pgx::script
