#pragma once

namespace pgx {

// The barcode family's registration module for scripts: the barcode view
// class and the names of its symbologies (BarCode1.BarType :=
// bcCodeEAN13). Lists itself after the report module; start-up code calls
// it once, later calls do nothing.
void registerObjectModules();

}   // namespace pgx
