#pragma once

#include <QtCore/QString>

// The stored form of a report password: every character's code lowered by
// 10 on saving and raised by 10 on loading. Codes are Unicode scalar values
// counted without the surrogate range, and the shift wraps around that
// range: characters below 10 become the last ten scalar values and come
// back, so every password round-trips, and a password of ordinary
// characters is stored exactly as the code shift says.
namespace pgx::password {
QString scramble(const QString &password);
QString unscramble(const QString &stored);
}   // namespace pgx::password
