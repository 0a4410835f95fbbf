#pragma once

#include <QtCore/QString>

namespace pgx::preview {

// Adds the texts of this layer to the report's resources. Only keys the
// resources do not know yet are added, so a language file read earlier
// keeps its wording and calling it again (each window does, in case the
// program did not) is harmless.
void registerPreviewTexts();

// The resource text of `key` (pgxResources().get).
QString previewText(const char *key);

}   // namespace pgx::preview
