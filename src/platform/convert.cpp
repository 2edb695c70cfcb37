#include "platform/convert.h"
#include <QLocale>
#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cmath>
#include <limits>

namespace conv {

namespace {

// A non-negative number as decimal digits d1 d2 ... dn with the decimal point after
// `point` of them (point may be 0 or exceed n, never negative).
struct Decimal {
    QString digits;
    int point = 0;
};

// |value| rounded to `significant` digits: those digits and the power of ten of the first.
struct Mantissa {
    QString digits;
    int exponent = 0;
};

constexpr int kMaxSignificant = 17;

// |value| rounded to `significant` (at most kMaxSignificant) digits, written as ASCII digits
// into `digits`; returns the power of ten of the first. The lists convert every figure they
// show, so the usual case goes through one correctly rounded digit beyond the wanted ones: a
// following digit other than 5 decides the rounding alone; a 5 may hide a tie, which the
// exact conversion settles.
int mantissaDigits(double value, int significant, char* digits)
{
    const double magnitude = std::fabs(value);
    char text[64];
    const auto written = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific,
                                       significant);
    const char* e = std::find(text, written.ptr, 'e');
    if (written.ec == std::errc() && e - text == significant + 2 && e[-1] != '5') {
        digits[0] = text[0];
        std::copy(static_cast<const char*>(text) + 2, e - 1, digits + 1);
        int exponent = 0;
        for (const char* c = e + 2; c < written.ptr; ++c)
            exponent = exponent * 10 + (*c - '0');
        if (e[1] == '-')
            exponent = -exponent;
        if (e[-1] > '5') {
            int i = significant - 1;
            for (; i >= 0 && digits[i] == '9'; --i)
                digits[i] = '0';
            if (i >= 0) {
                ++digits[i];
            } else {   // 9.99..9 became 10.00..0
                digits[0] = '1';
                ++exponent;
            }
        }
        return exponent;
    }
    // "d.ddddde+XX"
    const QByteArray exact = QByteArray::number(magnitude, 'e', significant - 1);
    const int at = exact.indexOf('e');
    int n = 0;
    for (int i = 0; i < at; ++i)
        if (exact[i] != '.')
            digits[n++] = exact[i];
    return exact.mid(at + 1).toInt();
}

Mantissa toMantissa(double value, int significant)
{
    char digits[kMaxSignificant];
    const int exponent = mantissaDigits(value, significant, digits);
    return {QString::fromLatin1(digits, significant), exponent};
}

// A faster source of the 7 digits and the exponent of a figure; false when it cannot tell.
using DigitSource = bool (*)(double value, char* digits, int& exponent);

// The 7 digits of a single-precision figure from its shortest decimal form, which most
// figures of a stock list have (40.8, 12.5, 3): when that form has at most 7 digits and
// lies clearly nearer the figure than half a step of the 7-digit grid, it is the rounding.
bool shortestSingleDigits(double value, char* digits, int& exponent)
{
    constexpr int kSignificant = 7;
    static const auto powers = [] {
        std::array<double, 100> table {};   // 10^(i - 60)
        for (int i = 0; i < int(table.size()); ++i)
            table[std::size_t(i)] = std::pow(10.0, i - 60);
        return table;
    }();
    const float magnitude = std::fabs(float(value));
    const double exact = double(magnitude);
    // The digits and exponent of the candidate `whole` x 10^-decimals, when it is the rounding.
    const auto settle = [&](double whole, int decimals) {
        const double candidate = whole / powers[std::size_t(decimals + 60)];
        char text[16];
        int count = 0;
        for (long rest = long(whole); rest > 0; rest /= 10)
            text[count++] = char('0' + rest % 10);
        std::reverse(text, text + count);
        exponent = count - 1 - decimals;
        const bool decadeBelow = whole == 1 && exact < candidate;
        const double step = powers[std::size_t(exponent - (kSignificant - 1) - (decadeBelow ? 1 : 0) + 60)];
        if (!(std::fabs(exact - candidate) < 0.49 * step))
            return false;
        std::copy(text, text + count, digits);
        std::fill(digits + count, digits + kSignificant, '0');
        return true;
    };
    // Most figures of a list are whole or have one to three decimals.
    constexpr double kLargestWhole = 1e7;
    if (exact >= 1e-3 && exact < kLargestWhole) {
        for (int decimals = 0; decimals <= 3; ++decimals) {
            const double whole = std::nearbyint(exact * powers[std::size_t(decimals + 60)]);
            if (whole >= kLargestWhole)
                break;
            if (whole > 0 && float(whole / powers[std::size_t(decimals + 60)]) == magnitude)
                return settle(whole, decimals);
        }
    }
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific);
    if (written.ec != std::errc())
        return false;
    const char* e = std::find(text, written.ptr, 'e');
    long whole = 0;   // the digits as a whole number
    int count = 0;
    for (const char* c = text; c < e; ++c) {
        if (*c == '.')
            continue;
        if (count == kSignificant)
            return false;
        digits[count++] = *c;
        whole = whole * 10 + (*c - '0');
    }
    exponent = 0;
    for (const char* c = e + 2; c < written.ptr; ++c)
        exponent = exponent * 10 + (*c - '0');
    if (e[1] == '-')
        exponent = -exponent;
    // A figure just below a power of ten rounds on the finer grid of the decade below.
    const double shortest = double(whole) * powers[std::size_t(exponent - (count - 1) + 60)];
    const bool decadeBelow = whole == 1 && double(magnitude) < shortest;
    const double step = powers[std::size_t(exponent - (kSignificant - 1) - (decadeBelow ? 1 : 0) + 60)];
    if (!(std::fabs(double(magnitude) - shortest) < 0.49 * step))
        return false;
    std::fill(digits + count, digits + kSignificant, '0');
    return true;
}

// |value| rounded to `significant` digits, as the decimal text of that many digits reads.
Decimal toDecimal(double value, int significant)
{
    const Mantissa mantissa = toMantissa(value, significant);
    Decimal result {mantissa.digits, mantissa.exponent + 1};
    if (result.point < 0) {
        result.digits.prepend(QString(-result.point, QLatin1Char('0')));
        result.point = 0;
    }
    return result;
}

// The general text form with at most `significant` digits: fixed notation from 10^-4
// up to below 10^significant, scientific otherwise ("1,234568E+07", "1E-05"). Built in
// one buffer, since the lists convert every figure they show.
QString generalText(double value, int significant, DigitSource fast = nullptr)
{
    if (value == 0 || std::isnan(value))
        return QStringLiteral("0");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-Inf") : QStringLiteral("Inf");

    // A whole number within the digits shown is its whole text.
    static const auto wholeLimits = [] {
        std::array<double, kMaxSignificant + 1> limits {};
        for (std::size_t i = 0; i < limits.size(); ++i)
            limits[i] = std::pow(10.0, double(i));
        return limits;
    }();
    if (std::fabs(value) < wholeLimits[std::size_t(significant)] && value == std::trunc(value))
        return wholeText(qint64(value));

    char digits[kMaxSignificant];
    int exponent = 0;
    if (!fast || !fast(value, digits, exponent))
        exponent = mantissaDigits(value, significant, digits);
    int used = significant;   // without the trailing zeros
    while (used > 1 && digits[used - 1] == '0')
        --used;

    // The text before the separator, the decimals after it, and what follows them.
    char before[kMaxSignificant + 2];
    char after[kMaxSignificant + 8];
    char tail[16] = {};
    int b = 0;
    int a = 0;
    if (value < 0)
        before[b++] = '-';
    if (exponent >= significant || exponent < -4) {
        before[b++] = digits[0];
        for (int i = 1; i < used; ++i)
            after[a++] = digits[i];
        std::snprintf(tail, sizeof tail, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    } else if (exponent < 0) {
        before[b++] = '0';
        for (int i = 0; i < -exponent - 1; ++i)
            after[a++] = '0';
        for (int i = 0; i < used; ++i)
            after[a++] = digits[i];
    } else {
        for (int i = 0; i <= exponent; ++i)
            before[b++] = digits[i];
        for (int i = exponent + 1; i < used; ++i)
            after[a++] = digits[i];
    }
    const int t = tail[0] == '\0' ? 0 : int(std::strlen(tail));
    if (a == 0 && t == 0 && b <= 3 && before[0] != '-') {
        int whole = 0;
        for (int i = 0; i < b; ++i)
            whole = whole * 10 + (before[i] - '0');
        return wholeText(whole);
    }
    // One allocation: the separator, when there is one, goes between the two parts.
    const QString separator = a > 0 ? QLocale().decimalPoint() : QString();
    QString text(b + separator.size() + a + t, Qt::Uninitialized);
    QChar* out = text.data();
    const auto put = [&out](const char* from, int count) {
        for (int i = 0; i < count; ++i)
            *out++ = QLatin1Char(from[i]);
    };
    put(before, b);
    out = std::copy(separator.cbegin(), separator.cend(), out);
    put(after, a);
    put(tail, t);
    return text;
}

// Adds one unit at the last digit; true when the carry runs out at the front.
bool roundUp(QString& digits)
{
    for (int i = digits.size() - 1; i >= 0; --i) {
        if (digits[i] != QLatin1Char('9')) {
            digits[i] = QChar(digits[i].unicode() + 1);
            return false;
        }
        digits[i] = QLatin1Char('0');
    }
    return true;
}

QString formatPattern(double value, int significant, const QString& pattern)
{
    const int pointAt = pattern.indexOf(QLatin1Char('.'));
    const int integerDigits = pointAt < 0 ? pattern.count(QLatin1Char('0'))
                                          : pattern.left(pointAt).count(QLatin1Char('0'));
    const int decimals = pointAt < 0 ? 0 : pattern.mid(pointAt + 1).count(QLatin1Char('0'));

    // Whole numbers without decimals (identifiers, counts) need no rounding.
    constexpr double kExactWhole = 1e15;
    if (decimals == 0 && std::fabs(value) < kExactWhole && value == std::trunc(value))
        return wholeText(qint64(value), integerDigits);

    Decimal number = std::isfinite(value) ? toDecimal(value, significant) : Decimal{};
    QString& digits = number.digits;
    if (digits.size() < number.point)
        digits += QString(number.point - digits.size(), QLatin1Char('0'));

    // Halves away from zero: the digits are those of |value|.
    const int keep = number.point + decimals;
    if (keep < digits.size()) {
        const bool up = digits[keep] >= QLatin1Char('5');
        digits.truncate(keep);
        if (up && roundUp(digits)) {
            digits.prepend(QLatin1Char('1'));
            ++number.point;
        }
    }
    digits += QString(keep - digits.size(), QLatin1Char('0'));

    QString integer = digits.left(number.point);
    while (integer.size() > 1 && integer.startsWith(QLatin1Char('0')))
        integer.remove(0, 1);
    if (integer.size() < integerDigits)
        integer.prepend(QString(integerDigits - integer.size(), QLatin1Char('0')));
    const QString fraction = digits.mid(number.point);

    const bool zero = std::all_of(digits.cbegin(), digits.cend(),
                                  [](QChar digit) { return digit == QLatin1Char('0'); });
    QString text = (value < 0 && !zero) ? QStringLiteral("-") : QString();
    text += integer;
    if (decimals > 0)
        text += QLocale().decimalPoint() + fraction;
    return text;
}

template <typename Target>
std::optional<Target> roundedTo(double value)
{
    if (std::isnan(value))
        return std::nullopt;
    const double rounded = roundHalfEven(value);
    if (rounded < double(std::numeric_limits<Target>::min())
        || rounded > double(std::numeric_limits<Target>::max()))
        return std::nullopt;
    return Target(rounded);
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The number without its group separators, when they group the whole part properly: 1 to 3
// digits, then groups of exactly 3 digits, all before the decimal separator and the
// exponent. "1.234,5" in Greek gives "1234,5"; "2.5" gives nullopt, since a decimal point
// typed in Greek is no group separator. A text without group separators is returned as it is.
std::optional<QString> ungrouped(const QString& number, const QLocale& locale)
{
    const QString group = locale.groupSeparator();
    if (group.isEmpty() || !number.contains(group))
        return number;
    const qsizetype n = number.size();
    qsizetype i = 0;
    for (const QString& sign : {QStringLiteral("-"), QStringLiteral("+"), locale.negativeSign(), locale.positiveSign()}) {
        if (!sign.isEmpty() && number.startsWith(sign)) {
            i = sign.size();
            break;
        }
    }
    int digits = 0;         // of the group being read
    bool grouped = false;   // a separator came before it
    for (; i < n; ++i) {
        if (QStringView(number).mid(i).startsWith(group)) {
            if (digits < 1 || digits > 3 || (grouped && digits != 3))
                return std::nullopt;
            grouped = true;
            digits = 0;
            i += group.size() - 1;
        } else if (isAsciiDigit(number.at(i))) {
            ++digits;
        } else {
            break;
        }
    }
    const QString rest = number.mid(i);
    if (digits != 3 || rest.contains(group))
        return std::nullopt;
    return number.left(i).remove(group) + rest;
}

// The value of a number's text: infinite for a number beyond the double range; nullopt for
// a text that is no number.
std::optional<double> readNumber(const QString& text)
{
    const QString trimmed = trimBlanks(text);
    if (trimmed.isEmpty())
        return std::nullopt;
    QLocale locale;
    const std::optional<QString> number = ungrouped(trimmed, locale);
    if (!number)
        return std::nullopt;
    locale.setNumberOptions(locale.numberOptions() | QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = locale.toDouble(*number, &ok);
    if (ok && std::isfinite(value))
        return value;
    // Qt tells a number too large for a double by an infinite value that is not ok; a text
    // that names infinity itself is no figure.
    if (!ok && std::isinf(value))
        return value;
    return std::nullopt;
}

// Beyond the single range: rounds to infinity. Numbers a little above the largest single
// (such as its shortest text, 3.4028235E+38) round down to it.
bool beyondSingle(double value)
{
    constexpr double kRoundsToInfinity = 0x1.ffffffp127;   // halfway between the largest single and 2^128
    return std::fabs(value) >= kRoundsToInfinity;
}

} // namespace

std::optional<double> parseNumber(const QString& text)
{
    const std::optional<double> value = readNumber(text);
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    return value;
}

std::optional<float> parseSingle(const QString& text)
{
    const std::optional<double> value = parseNumber(text);
    if (!value || beyondSingle(*value))
        return std::nullopt;
    return float(*value);
}

bool exceedsSingle(const QString& text)
{
    const std::optional<double> value = readNumber(text);
    return value && beyondSingle(*value);
}

QString wholeText(qint64 value, int minimumDigits)
{
    constexpr int kShared = 1000;
    static const auto shared = [] {
        std::array<QString, kShared> texts;
        for (int i = 0; i < kShared; ++i)
            texts[std::size_t(i)] = QString::number(i);
        return texts;
    }();
    if (value >= 0 && value < kShared && minimumDigits <= 1)
        return shared[std::size_t(value)];
    // Digits written into one buffer and the text made at its size: one allocation.
    char digits[24];
    const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    const bool negative = value < 0;
    const int count = int(end - digits) - (negative ? 1 : 0);
    const int zeros = std::max(0, minimumDigits - count);
    QString text(int(end - digits) + zeros, Qt::Uninitialized);
    QChar* out = text.data();
    if (negative)
        *out++ = QLatin1Char('-');
    out = std::fill_n(out, zeros, QLatin1Char('0'));
    for (const char* c = digits + (negative ? 1 : 0); c != end; ++c)
        *out++ = QLatin1Char(*c);
    return text;
}

QString singleText(float value)
{
    return generalText(double(value), 7, shortestSingleDigits);
}

namespace {

// The shortest round-trip text of a finite float in the C form ("-4.08e+01" or "40.8"),
// ended by its returned end.
char* shortestSingleChars(float value, char (&text)[32])
{
    return std::to_chars(text, text + sizeof text, value).ptr;
}

} // namespace

QString shortestSingleText(float value)
{
    if (!std::isfinite(value))
        return singleText(value);
    char text[32];
    const char* end = shortestSingleChars(value, text);
    QString result;
    for (const char* c = text; c != end; ++c) {
        if (*c == '.')
            result += QLocale().decimalPoint();
        else
            result += QChar(*c == 'e' ? 'E' : *c);
    }
    return result;
}

double shortestSingleValue(float value)
{
    if (!std::isfinite(value))
        return double(value);
    char text[32];
    const char* end = shortestSingleChars(value, text);
    double read = 0;
    std::from_chars(text, end, read);
    return read;
}

QString doubleText(double value)
{
    return generalText(value, 15);
}

QString format(double value, const QString& pattern)
{
    return formatPattern(value, 15, pattern);
}

QString format(float value, const QString& pattern)
{
    return formatPattern(double(value), 7, pattern);
}

double roundHalfEven(double value)
{
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction > 0.5)
        return below + 1;
    if (fraction < 0.5)
        return below;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

std::optional<qint16> toInt16(double value)
{
    return roundedTo<qint16>(value);
}

std::optional<qint32> toInt32(double value)
{
    return roundedTo<qint32>(value);
}

std::optional<quint8> toByte(double value)
{
    return roundedTo<quint8>(value);
}

std::optional<double> toNumber(const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        return std::nullopt;
    switch (value.typeId()) {
    case QMetaType::QString:
        return parseNumber(value.toString());
    case QMetaType::QByteArray:
        return parseNumber(QString::fromUtf8(value.toByteArray()));
    case QMetaType::Bool:
        return value.toBool() ? -1.0 : 0.0;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Float:
    case QMetaType::Double:
        return value.toDouble();
    default:
        return std::nullopt;
    }
}

namespace {

// Where the text's leading blanks end.
qsizetype afterLeadingBlanks(const QString& text)
{
    qsizetype start = 0;
    while (start < text.size() && text[start] == QLatin1Char(' '))
        ++start;
    return start;
}

// Where the text's trailing blanks begin, at `start` at the earliest.
qsizetype beforeTrailingBlanks(const QString& text, qsizetype start)
{
    qsizetype end = text.size();
    while (end > start && text[end - 1] == QLatin1Char(' '))
        --end;
    return end;
}

} // namespace

QString trimLeftBlanks(const QString& text)
{
    return text.mid(afterLeadingBlanks(text));
}

QString trimRightBlanks(const QString& text)
{
    return text.left(beforeTrailingBlanks(text, 0));
}

// One look at each end; a text without blanks there comes back shared, not copied.
QString trimBlanks(const QString& text)
{
    const qsizetype start = afterLeadingBlanks(text);
    const qsizetype end = beforeTrailingBlanks(text, start);
    return start == 0 && end == text.size() ? text : text.mid(start, end - start);
}

namespace {

// The UTF-16 index reached by going forward count characters from index from; text.size()
// when the text ends before. A surrogate pair is one character, a lone surrogate too.
qsizetype advanceChars(const QString& text, qsizetype from, qsizetype count)
{
    qsizetype i = from;
    const qsizetype n = text.size();
    for (; count > 0 && i < n; --count)
        i += text.at(i).isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate() ? 2 : 1;
    return std::min(i, n);
}

// The number of characters among the first units UTF-16 units of a text.
int charsBefore(const QString& text, qsizetype units)
{
    int chars = 0;
    for (qsizetype i = 0; i < units; i = advanceChars(text, i, 1))
        ++chars;
    return chars;
}

} // namespace

int len(const QString& text)
{
    return charsBefore(text, text.size());
}

QString mid(const QString& text, int start1, int length)
{
    const qsizetype start = advanceChars(text, 0, std::max(start1, 1) - 1);
    if (start >= text.size())
        return QString();
    if (length < 0)
        return text.mid(start);
    return text.mid(start, advanceChars(text, start, length) - start);
}

int inStr(const QString& text, const QString& needle, int start1)
{
    const qsizetype start = advanceChars(text, 0, std::max(start1, 1) - 1);
    if (start >= text.size())
        return 0;
    const qsizetype at = text.indexOf(needle, start);
    return at < 0 ? 0 : charsBefore(text, at) + 1;
}

} // namespace conv
