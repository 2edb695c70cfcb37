#include "platform/convert.h"
#include <QDate>
#include <QLocale>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

// Sets the regional settings for the life of the guard.
class RegionalSettings {
public:
    explicit RegionalSettings(const QLocale& locale) { QLocale::setDefault(locale); }
    ~RegionalSettings() { QLocale::setDefault(previous_); }
    RegionalSettings(const RegionalSettings&) = delete;
    RegionalSettings& operator=(const RegionalSettings&) = delete;

private:
    QLocale previous_;
};

const QLocale kGreek(QLocale::Greek, QLocale::Greece);
const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);

struct ParseCase {
    const char* text;
    std::optional<double> expected;
};

void expectParses(const std::vector<ParseCase>& cases)
{
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(conv::parseNumber(QString::fromUtf8(c.text)), c.expected);
    }
}

} // namespace

TEST(ConvertParse, GreekReadsTheDecimalComma)
{
    RegionalSettings greek(kGreek);
    expectParses({
        {"2,5", 2.5},
        {"  2,5  ", 2.5},
        {"-2,5", -2.5},
        {"0", 0.0},
        {"12", 12.0},
        {"1E3", 1000.0},
        {"1,234568E+07", 12345680.0},   // the general text form reads back
        {"1.234,50", 1234.5},          // the whole part grouped by thousands
        {"-1.234.567", -1234567.0},
        {"1.000", 1000.0},
        {"999.999,5", 999999.5},
        {"2.5", std::nullopt},         // a decimal point typed in Greek is no group separator
        {"12.34", std::nullopt},
        {"1.2345", std::nullopt},
        {"1234.567", std::nullopt},    // the first group has at most 3 digits
        {".123", std::nullopt},
        {"1..234", std::nullopt},
        {"1.234.", std::nullopt},
        {"1,234.5", std::nullopt},     // no separator after the decimal comma
        {"1.234,567.8", std::nullopt},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"abc", std::nullopt},
        {"12abc", std::nullopt},
        {"2,5,1", std::nullopt},
    });
}

TEST(ConvertParse, EnglishReadsTheDecimalPoint)
{
    RegionalSettings english(kEnglish);
    expectParses({
        {"2.5", 2.5},
        {" -0.25 ", -0.25},
        {"2,5", std::nullopt},
        {"1,234.50", 1234.5},
        {"1,234,567", 1234567.0},
        {"1,2345.5", std::nullopt},
        {"", std::nullopt},
    });
}

TEST(ConvertParse, SingleRoundsToSinglePrecisionAndRefusesItsOverflow)
{
    RegionalSettings greek(kGreek);
    EXPECT_EQ(conv::parseSingle("0,1"), 0.1f);
    EXPECT_EQ(conv::parseSingle("3,4E38"), 3.4e38f);
    EXPECT_EQ(conv::parseSingle("1E39"), std::nullopt);
    EXPECT_EQ(conv::parseSingle("x"), std::nullopt);

    // A refusal tells a number too large for single precision from text that is no number.
    const std::pair<const char*, bool> cases[] = {
        {"1E39", true}, {"-1E39", true}, {"1E400", true}, {"340.282.400.000.000.000.000.000.000.000.000.000.000", true},
        {"3,4028236E+38", true}, {"-3,4028235E+38", false},
        {"3,4E38", false}, {"12", false}, {"x", false}, {"2.5", false}, {"", false}, {"inf", false},
    };
    for (const auto& [text, tooLarge] : cases)
        EXPECT_EQ(conv::exceedsSingle(text), tooLarge) << text;
}

TEST(ConvertText, SingleGeneralFormHasSevenSignificantDigits)
{
    RegionalSettings greek(kGreek);
    const struct {
        float value;
        const char* expected;
    } cases[] = {
        {0.0f, "0"},
        {-0.0f, "0"},
        {0.1f, "0,1"},
        {0.3f, "0,3"},
        {2.5f, "2,5"},
        {-2.0f, "-2"},
        {-0.5f, "-0,5"},
        {100.0f, "100"},
        {123.456f, "123,456"},
        {2.675f, "2,675"},
        {1.0f / 3.0f, "0,3333333"},
        {2.0f / 3.0f, "0,6666667"},
        {1234567.0f, "1234567"},
        {9999999.0f, "9999999"},
        {1234566.5f, "1234567"},          // a half at the eighth digit goes up
        {16777215.0f, "1,677722E+07"},
        {12345678.0f, "1,234568E+07"},
        {1e7f, "1E+07"},
        {1e20f, "1E+20"},
        {0.0001f, "0,0001"},
        {0.00012345f, "0,00012345"},
        {1e-5f, "1E-05"},
        {1.5e-10f, "1,5E-10"},
        {-12345678.0f, "-1,234568E+07"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(conv::singleText(c.value), QString::fromUtf8(c.expected));
    }
}

TEST(ConvertText, SingleGeneralFormUsesTheRegionalSeparator)
{
    RegionalSettings english(kEnglish);
    EXPECT_EQ(conv::singleText(2.5f), "2.5");
    EXPECT_EQ(conv::singleText(12345678.0f), "1.234568E+07");
    EXPECT_EQ(conv::singleText(1234567.0f), "1234567");   // never a group separator
}

TEST(ConvertText, ShortestSingleTextReadsBackAsTheSameSingle)
{
    struct Case {
        float value;
        const char* greek;
        double stored;
    };
    const Case cases[] = {
        {12345678.0f, "12345678", 12345678},
        {16777216.0f, "16777216", 16777216},   // what 16777217 becomes in single precision
        {40.8f, "40,8", 40.8},
        {-0.1f, "-0,1", -0.1},
        {1234567.0f, "1234567", 1234567},
        {3.4028235e38f, "3,4028235E+38", 3.4028235e38},
        {1e20f, "1E+20", 1e20},
        {1e-5f, "1E-05", 1e-5},
        {0.0f, "0", 0},
        {std::nextafter(1.0f, 2.0f), "1,0000001", 1.0000001},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.greek);
        for (const QLocale& locale : {kGreek, kEnglish}) {
            RegionalSettings settings(locale);
            const QString text = conv::shortestSingleText(c.value);
            EXPECT_EQ(text, locale == kGreek ? QString(c.greek) : QString(c.greek).replace(',', '.'));
            EXPECT_EQ(conv::parseSingle(text), c.value);
        }
        EXPECT_EQ(conv::shortestSingleValue(c.value), c.stored);
        EXPECT_EQ(float(conv::shortestSingleValue(c.value)), c.value);
    }
}

TEST(ConvertText, DoubleGeneralFormHasFifteenSignificantDigits)
{
    RegionalSettings greek(kGreek);
    const struct {
        double value;
        const char* expected;
    } cases[] = {
        {0.0, "0"},
        {0.1, "0,1"},
        {0.1 + 0.2, "0,3"},
        {1.0 / 3.0, "0,333333333333333"},
        {-2.0, "-2"},
        {123456789012345.0, "123456789012345"},
        {9.9999999999999996, "10"},       // rounding up carries into a new digit
        {1e15, "1E+15"},
        {1234567890123456.0, "1,23456789012346E+15"},
        {0.0001, "0,0001"},
        {1e-5, "1E-05"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(conv::doubleText(c.value), QString::fromUtf8(c.expected));
    }
}

TEST(ConvertFormat, PatternsRoundHalvesAwayFromZero)
{
    RegionalSettings greek(kGreek);
    const struct {
        double value;
        const char* pattern;
        const char* expected;
    } cases[] = {
        {2.5, "0", "3"},
        {-2.5, "0", "-3"},
        {3.5, "0", "4"},
        {0.5, "0", "1"},
        {0.4, "0", "0"},
        {-0.4, "0", "0"},   // no negative zero
        {1234, "0", "1234"},
        {3, "00", "03"},
        {7, "0000", "0007"},
        {-5, "0000", "-0005"},
        {12345, "0000", "12345"},
        {42, "00000", "00042"},
        {1.25, "0.0", "1,3"},
        {-1.25, "0.0", "-1,3"},
        {0.35, "0.0", "0,4"},      // the decimal text of 0.35, not its binary value below it
        {9.96, "0.0", "10,0"},
        {-0.01, "0.0", "0,0"},
        {12.5, "00000.00", "00012,50"},
        {2.675, "00000.00", "00002,68"},
        {99.995, "00000.00", "00100,00"},
        {0, "00000.00", "00000,00"},
        {-3.5, "00000.00", "-00003,50"},
        {123456.789, "00000.00", "123456,79"},
        {1e20, "0", "100000000000000000000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " " + c.expected);
        EXPECT_EQ(conv::format(c.value, QString::fromUtf8(c.pattern)), QString::fromUtf8(c.expected));
    }
}

TEST(ConvertFormat, SinglesRoundOnTheirSevenDigits)
{
    RegionalSettings greek(kGreek);
    // 2.675f is 2.67499995..., 0.35f is 0.34999999...: as single-precision text they read 2.675, 0.35.
    EXPECT_EQ(conv::format(2.675f, "00000.00"), "00002,68");
    EXPECT_EQ(conv::format(0.35f, "0.0"), "0,4");
    EXPECT_EQ(conv::format(-2.5f, "0"), "-3");
}

TEST(ConvertFormat, WholeNumbersAndRegionalSeparator)
{
    RegionalSettings english(kEnglish);
    EXPECT_EQ(conv::format(7, "0000"), "0007");
    EXPECT_EQ(conv::format(qint16(-5), "0000"), "-0005");
    EXPECT_EQ(conv::format(quint8(3), "00"), "03");
    EXPECT_EQ(conv::format(qint64(1234567), "0"), "1234567");
    EXPECT_EQ(conv::format(1.25, "0.0"), "1.3");
    EXPECT_EQ(conv::format(12.5, "00000.00"), "00012.50");
}

TEST(ConvertWhole, HalvesGoToTheEvenNeighbour)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double value;
        std::optional<qint16> expected;
    } cases[] = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {0.5, 0}, {1.5, 2}, {-0.5, 0},
        {2.4999, 2}, {2.6, 3}, {-2.6, -3}, {7, 7},
        {32767.0, 32767}, {32767.4, 32767}, {32767.5, std::nullopt}, {-32768.5, -32768},
        {-32768.6, std::nullopt}, {40000, std::nullopt}, {nan, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(conv::toInt16(c.value), c.expected);
    }
}

TEST(ConvertWhole, RangesOfByteAndLong)
{
    EXPECT_EQ(conv::toByte(254.5), quint8(254));
    EXPECT_EQ(conv::toByte(255.0), quint8(255));
    EXPECT_EQ(conv::toByte(255.5), std::nullopt);
    EXPECT_EQ(conv::toByte(-0.5), quint8(0));
    EXPECT_EQ(conv::toByte(-1), std::nullopt);
    EXPECT_EQ(conv::toInt32(2147483646.5), 2147483646);
    EXPECT_EQ(conv::toInt32(2147483647.5), std::nullopt);
    EXPECT_EQ(conv::toInt32(-2147483648.5), std::numeric_limits<qint32>::min());
    EXPECT_EQ(conv::toInt32(-2147483649.0), std::nullopt);
    EXPECT_EQ(conv::roundHalfEven(-4.5), -4.0);
    EXPECT_EQ(conv::roundHalfEven(1e300), 1e300);
}

TEST(ConvertVariant, NumbersAsTheyAreTextsRegionally)
{
    RegionalSettings greek(kGreek);
    EXPECT_EQ(conv::toNumber(QVariant()), std::nullopt);
    EXPECT_EQ(conv::toNumber(QVariant(QMetaType(QMetaType::Double))), std::nullopt);   // a Null field
    EXPECT_EQ(conv::toNumber(QVariant(QString())), std::nullopt);
    EXPECT_EQ(conv::toNumber(QVariant(5)), 5.0);
    EXPECT_EQ(conv::toNumber(QVariant(qint64(7))), 7.0);
    EXPECT_EQ(conv::toNumber(QVariant(2.5)), 2.5);
    EXPECT_EQ(conv::toNumber(QVariant(0.1f)), double(0.1f));
    EXPECT_EQ(conv::toNumber(QVariant(true)), -1.0);
    EXPECT_EQ(conv::toNumber(QVariant(QStringLiteral(" 2,5 "))), 2.5);
    EXPECT_EQ(conv::toNumber(QVariant(QStringLiteral("2.5"))), std::nullopt);
    EXPECT_EQ(conv::toNumber(QVariant(QStringLiteral("x"))), std::nullopt);
    EXPECT_EQ(conv::toNumber(QVariant(QDate(2020, 1, 1))), std::nullopt);
}

TEST(ConvertTexts, TrimmingRemovesBlanksOnly)
{
    const struct {
        const char* text;
        const char* both;
        const char* left;
        const char* right;
    } cases[] = {
        {"  a b  ", "a b", "a b  ", "  a b"},
        {"\ta\t", "\ta\t", "\ta\t", "\ta\t"},
        {" \r\n a \n ", "\r\n a \n", "\r\n a \n ", " \r\n a \n"},
        {"   ", "", "", ""},
        {"", "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(conv::trimBlanks(c.text), c.both);
        EXPECT_EQ(conv::trimLeftBlanks(c.text), c.left);
        EXPECT_EQ(conv::trimRightBlanks(c.text), c.right);
    }
}

TEST(ConvertTexts, PositionsAreOneBased)
{
    EXPECT_EQ(conv::mid("abcdef", 2, 3), "bcd");
    EXPECT_EQ(conv::mid("abcdef", 1, 1), "a");
    EXPECT_EQ(conv::mid("abcdef", 5), "ef");
    EXPECT_EQ(conv::mid("abcdef", 5, 10), "ef");
    EXPECT_EQ(conv::mid("abcdef", 7), "");
    EXPECT_EQ(conv::mid("abcdef", 3, 0), "");
    EXPECT_EQ(conv::mid("abcdef", 0, 2), "ab");

    EXPECT_EQ(conv::inStr("abcabc", "c"), 3);
    EXPECT_EQ(conv::inStr("abcabc", "c", 4), 6);
    EXPECT_EQ(conv::inStr("abcabc", "abc", 2), 4);
    EXPECT_EQ(conv::inStr("abc", "x"), 0);
    EXPECT_EQ(conv::inStr("abc", "c", 4), 0);
    EXPECT_EQ(conv::inStr("aBc", "b"), 0);
    EXPECT_EQ(conv::inStr("abc", "", 2), 2);
    EXPECT_EQ(conv::inStr("", "", 1), 0);
    EXPECT_EQ(conv::inStr(QString::fromUtf8("Προσοχή"), QString::fromUtf8("σ")), 4);
}

// A character beyond the Basic Multilingual Plane is two UTF-16 units but one character.
TEST(ConvertTexts, PositionsCountCharacters)
{
    const QString smile = QString::fromUtf8("\U0001F600");
    const QString text = "a" + smile + "bc" + smile + "d";
    EXPECT_EQ(conv::len(text), 6);
    EXPECT_EQ(conv::len(""), 0);
    EXPECT_EQ(conv::mid(text, 2, 1), smile);
    EXPECT_EQ(conv::mid(text, 3, 2), "bc");
    EXPECT_EQ(conv::mid(text, 5), smile + "d");
    EXPECT_EQ(conv::mid(text, 7), "");
    EXPECT_EQ(conv::inStr(text, "c"), 4);
    EXPECT_EQ(conv::inStr(text, "d", 3), 6);
    EXPECT_EQ(conv::inStr(text, smile, 3), 5);
    const QString lone = QString(QChar(0xD800)) + "x";   // a lone surrogate is a character of its own
    EXPECT_EQ(conv::len(lone), 2);
    EXPECT_EQ(conv::mid(lone, 2), "x");
}
