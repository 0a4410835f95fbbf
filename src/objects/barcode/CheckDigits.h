#pragma once

// The check digits of the linear symbologies, on digit strings and symbol
// values already checked by the encoder.

#include <QtCore/QString>

#include <utility>
#include <vector>

namespace pgx::barcode {

// EAN/UPC modulo 10: weights 3 and 1 alternately, the rightmost digit 3;
// 0 when the sum is a multiple of 10, else 10 - sum mod 10.
int modulo10(const QString &digits);
// The UPC supplements: weights 3 and 9, the rightmost 3; the sum mod 10.
int supplementCheck(const QString &digits);
// MSI: the Luhn rule, every second digit from the rightmost one doubled
// and its decimal digits added, so that texts of any length get the check
// digit readers expect.
int msiCheck(const QString &digits);
// Code 39: the sum of the values mod 43.
int code39Check(const std::vector<int> &values);
// Code 93: C over the data (weights 1-20 from the right), then K over the
// data and C (weights 1-15 from the right, C weighing 1).
std::pair<int, int> code93Checks(const std::vector<int> &values);
// Code 128: (start value + the sum of value x position, from 1) mod 103;
// `values` are everything after the start symbol.
int code128Check(int startValue, const std::vector<int> &values);

}   // namespace pgx::barcode
