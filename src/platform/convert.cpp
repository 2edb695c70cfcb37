#include "platform/convert.h"
#include <QLocale>
#include <algorithm>
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

Mantissa toMantissa(double value, int significant)
{
    // "d.ddddde+XX"
    const QString text = QString::number(std::fabs(value), 'e', significant - 1);
    const int e = text.indexOf(QLatin1Char('e'));
    return {text.left(e).remove(QLatin1Char('.')), text.mid(e + 1).toInt()};
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

QString withoutTrailingZeros(QString digits)
{
    while (digits.endsWith(QLatin1Char('0')))
        digits.chop(1);
    return digits;
}

// The general text form with at most `significant` digits: fixed notation from 10^-4
// up to below 10^significant, scientific otherwise ("1,234568E+07", "1E-05").
QString generalText(double value, int significant)
{
    if (value == 0 || std::isnan(value))
        return QStringLiteral("0");
    const QString sign = value < 0 ? QStringLiteral("-") : QString();
    if (std::isinf(value))
        return sign + QStringLiteral("Inf");

    const QString separator = QLocale().decimalPoint();
    const auto [digits, exponent] = toMantissa(value, significant);

    if (exponent >= significant || exponent < -4) {
        const QString decimals = withoutTrailingZeros(digits.mid(1));
        QString text = sign + digits.left(1);
        if (!decimals.isEmpty())
            text += separator + decimals;
        return text + (exponent < 0 ? QStringLiteral("E-") : QStringLiteral("E+"))
               + QStringLiteral("%1").arg(std::abs(exponent), 2, 10, QLatin1Char('0'));
    }
    if (exponent < 0) {
        return sign + QStringLiteral("0") + separator + QString(-exponent - 1, QLatin1Char('0'))
               + withoutTrailingZeros(digits);
    }
    const QString integer = digits.left(exponent + 1);
    const QString decimals = withoutTrailingZeros(digits.mid(exponent + 1));
    return sign + integer + (decimals.isEmpty() ? QString() : separator + decimals);
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

} // namespace

std::optional<double> parseNumber(const QString& text)
{
    const QString number = trimBlanks(text);
    if (number.isEmpty())
        return std::nullopt;
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = locale.toDouble(number, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<float> parseSingle(const QString& text)
{
    const std::optional<double> value = parseNumber(text);
    if (!value || std::fabs(*value) > double(std::numeric_limits<float>::max()))
        return std::nullopt;
    return float(*value);
}

QString singleText(float value)
{
    return generalText(double(value), 7);
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

QString trimLeftBlanks(const QString& text)
{
    int start = 0;
    while (start < text.size() && text[start] == QLatin1Char(' '))
        ++start;
    return text.mid(start);
}

QString trimRightBlanks(const QString& text)
{
    int end = text.size();
    while (end > 0 && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.left(end);
}

QString trimBlanks(const QString& text)
{
    return trimLeftBlanks(trimRightBlanks(text));
}

QString mid(const QString& text, int start1, int length)
{
    const int start = std::max(start1, 1) - 1;
    if (start >= text.size())
        return QString();
    return length < 0 ? text.mid(start) : text.mid(start, length);
}

int inStr(const QString& text, const QString& needle, int start1)
{
    const int start = std::max(start1, 1) - 1;
    if (start >= text.size())
        return 0;
    return int(text.indexOf(needle, start)) + 1;
}

} // namespace conv
