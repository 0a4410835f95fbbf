#pragma once

#include <QtCore/QString>
#include <functional>

namespace pgx::script {

// The script engine's user-visible messages are keyed texts ("S..."). The
// report's resource tables replace them at start-up (and when the interface
// language changes) through SetKxMessageSource; a key the source does not
// know falls back to the engine's built-in text.
using KxMessageSource = std::function<QString(const QString &key)>;

// Installs the process-wide source of message texts; an empty function
// returns to the built-in texts. The source answers an empty string for a
// key it does not know.
void SetKxMessageSource(KxMessageSource source);

// The text of a message key; an unknown key returns itself.
QString KxMessage(const QString &key);

// The text of a message key with its "%s" replaced by the argument. The
// argument is inserted literally: script or file text is never a format.
QString KxMessageWith(const QString &key, const QString &argument);

} // namespace pgx::script
