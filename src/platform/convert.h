#pragma once
// Numbers and texts by the system's conventions: regional parsing, the general text
// form of single-precision numbers, the format patterns, whole-number conversion with
// halves to even, blank-only trimming and 1-based character positions.

#include <QString>
#include <QVariant>
#include <optional>

namespace conv {

// A number typed or read as text, with the user's regional settings
// (QLocale::system(): Greek reads "2,5"). Leading and trailing blanks are allowed.
// Empty or not a number: nullopt.
std::optional<double> parseNumber(const QString& text);
// The same, as the original's Val-like conversion to single precision.
std::optional<float> parseSingle(const QString& text);

// The general text form of a single-precision number (at most 7 significant digits,
// no trailing zeros, the regional decimal separator): 2.5f -> "2,5" in Greek.
QString singleText(float value);
// The general text form of a double.
QString doubleText(double value);

// Format patterns "0", "00", "0000", "00000", "00000.00", "0.0": halves away from zero,
// the regional decimal separator in the decimal patterns.
QString format(double value, const QString& pattern);

// Conversions to whole numbers: nearest, halves to the even neighbour (CInt, CLng, CByte).
// nullopt when the value is out of the target's range.
std::optional<qint16> toInt16(double value);
std::optional<qint32> toInt32(double value);
std::optional<quint8> toByte(double value);
double roundHalfEven(double value);

// A variant (database field, text) as a number: a number as it is, a text parsed
// regionally; Null, empty or non-numeric: nullopt.
std::optional<double> toNumber(const QVariant& value);

// Trimming removes blanks (' ') only, not tabs or line breaks.
QString trimBlanks(const QString& text);
QString trimLeftBlanks(const QString& text);
QString trimRightBlanks(const QString& text);
// Characters start..start+length-1 of a 1-based position (Mid$); past the end: what there is.
QString mid(const QString& text, int start1, int length = -1);
// The 1-based position of needle in text from start1 on, 0 when absent (InStr).
int inStr(const QString& text, const QString& needle, int start1 = 1);

} // namespace conv
