#pragma once

#include <span>

namespace pgx::text {

// Adds `amount` (whole pixels, either sign) over `parts` as evenly as
// possible, by halving: each half of them gets its share of the
// amount, down to single ones. Nothing happens without any.
void spreadEvenly(int amount, std::span<int> parts);

}   // namespace pgx::text
