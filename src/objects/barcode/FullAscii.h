#pragma once

// The full-ASCII forms of Code 39 and Code 93: each character of codes
// 0-127 as one or two characters of the symbology's own set.

#include <QtCore/QString>

namespace pgx::barcode {

// The four shift characters: Code 39 writes "$", "%", "/", "+" themselves,
// Code 93 has shift symbols of its own, written "[", "]", "{", "}".
enum class FullAsciiShifts { Code39, Code93 };

// The sequence for one code 0-127.
QString fullAsciiSequence(int code, FullAsciiShifts shifts);
// The whole text; a character from code 128 up raises "<name> bad Data".
QString fullAscii(const QString &text, FullAsciiShifts shifts, const QString &symbology);

}   // namespace pgx::barcode
