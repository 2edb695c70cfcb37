#pragma once
// Numbers and texts by the system's conventions: regional parsing, the general text
// form of numbers, the format patterns, whole-number conversion with halves to even,
// blank-only trimming and 1-based character positions.
//
// Regional settings are those of QLocale(): the system locale unless QLocale::setDefault
// has chosen another (tests set the locale they need that way). Greek has the decimal
// comma.

#include <QString>
#include <QVariant>
#include <optional>
#include <type_traits>

namespace conv {

// A number typed or read as text, with the regional settings: Greek reads "2,5", English
// "2.5"; a sign and an exponent ("1E3") are accepted, and blanks around the number.
// Group separators are accepted only where they group the whole part properly (1 to 3
// digits, then groups of exactly 3): Greek reads "1.234,50" as 1234.5, English "1,234.50";
// "2.5" typed in Greek is no number, not 25.
// Empty, not a number, or not finite: nullopt.
std::optional<double> parseNumber(const QString& text);
// The same, rounded to single precision; nullopt also beyond the single range.
std::optional<float> parseSingle(const QString& text);
// Whether the text is a number that only lies beyond the single range ("1E39", "1E400"),
// so that a refusal of parseSingle can be told as "too large" rather than "no number".
bool exceedsSingle(const QString& text);

// The general text form of a single-precision number: at most 7 significant digits, no
// trailing zeros, no group separators, the regional decimal separator; the scientific
// form "1,234568E+07" for 10^7 and above and below 10^-4 ("1E-05"). 2.5f -> "2,5" in Greek.
QString singleText(float value);
// The shortest text that reads back as the same single-precision number, for a figure shown
// to be edited: every digit the number needs and no more, the regional decimal separator, no
// group separators, the scientific form where it is shorter. 12345678f -> "12345678",
// 40.8f -> "40,8" in Greek, 1e20f -> "1E+20". Not finite: as singleText.
QString shortestSingleText(float value);
// The double that shortest text reads as, so that a stored single-precision figure is the
// value the user sees: 40.8f is stored as 40.8, not 40.7999992370605.
double shortestSingleValue(float value);
// The general text form of a double: the same with at most 15 significant digits and the
// scientific form from 10^15 on.
QString doubleText(double value);

// A whole number's text ("-12", "40"), with zeros in front up to at least minimumDigits
// digits ("0007" for 7 and 4, "-0005" for -5 and 4); the texts of small numbers are shared,
// not built anew, since lists show many of them.
QString wholeText(qint64 value, int minimumDigits = 1);

// Format patterns of zeros with an optional decimal point ("0", "00", "0000", "00000",
// "00000.00", "0.0"): at least as many integer digits as the pattern has before the
// point, exactly as many decimals as it has after it, halves away from zero, the regional
// decimal separator. The value is first taken to the significant digits of its type
// (15 for a double, 7 for a single), so 0.35 -> "0.4" for "0.0" as the decimal text
// reads; a result of zero carries no minus sign. Format(-5, "0000") = "-0005".
QString format(double value, const QString& pattern);
QString format(float value, const QString& pattern);
template <typename Integer, typename = std::enable_if_t<std::is_integral_v<Integer>>>
QString format(Integer value, const QString& pattern)
{
    return format(double(value), pattern);
}

// Conversions to whole numbers: nearest, halves to the even neighbour (CInt, CLng, CByte).
// nullopt when the rounded value is out of the target's range or not a number.
std::optional<qint16> toInt16(double value);
std::optional<qint32> toInt32(double value);
std::optional<quint8> toByte(double value);
double roundHalfEven(double value);

// A variant (database field, text) as a number: a number as it is (a boolean True is -1),
// a text parsed regionally; Null, empty or non-numeric: nullopt.
std::optional<double> toNumber(const QVariant& value);

// Trimming removes blanks (' ') only, not tabs or line breaks.
QString trimBlanks(const QString& text);
QString trimLeftBlanks(const QString& text);
QString trimRightBlanks(const QString& text);
// Positions and lengths count characters (code points), not UTF-16 units: a character beyond
// the Basic Multilingual Plane (an emoji) is one character, as it is to the user.
// The number of characters of a text (Len).
int len(const QString& text);
// Characters start1..start1+length-1 of a 1-based position (Mid$); a negative length or
// one past the end: the rest of the text; a start below 1 counts as 1, past the end: "".
QString mid(const QString& text, int start1, int length = -1);
// The 1-based position of needle in text from start1 on, 0 when absent (InStr, letter case
// counts). An empty needle is found at start1 when start1 lies within the text.
int inStr(const QString& text, const QString& needle, int start1 = 1);

} // namespace conv
