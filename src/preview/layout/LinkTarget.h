#pragma once

// The preview follows the same links the PDF export writes: one allow-list
// for both, kept with the export below the preview.
#include "prepared/export/LinkTarget.h"

namespace pgx::preview {

using prepared::LinkTarget;
using prepared::linkTarget;

}   // namespace pgx::preview
