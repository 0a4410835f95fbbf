#pragma once

// The text rules of text objects, apart from the objects.
#include <QtCore/QString>
#include <QtCore/QStringList>

namespace pgx::views {

// Lines of a text: a break is CR LF, CR, LF or U+2028, each counting once;
// a text without a final break still yields its last line, and a final
// break adds no empty line.
QStringList splitMemoLines(const QString &text);
// Every line followed by CR LF.
QString joinMemoLines(const QStringList &lines);
// Replaces every occurrence of `macro`, found without regard to case.
QString replaceMacro(QString text, const QString &macro, const QString &value);

}   // namespace pgx::views
