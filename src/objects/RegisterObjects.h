#pragma once

namespace pgx {

// Registers the special report objects (the barcode view) by class name and
// adds their captions to the report's resources. Called once at start-up
// by the programs that link this layer, after registerReportClasses
// (calling it again is harmless).
void registerObjectClasses();

}   // namespace pgx
