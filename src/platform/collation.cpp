#include "platform/collation.h"

#include <QChar>
#include <sqlite3.h>
#include <algorithm>
#include <cstring>
#include <vector>

namespace collation {

namespace {

// The weights of a character on the three levels of comparison. The primary weight is the
// letter without case or accent (0 for a combining mark, which the letters carry), the
// secondary the accent (0 for none), the tertiary the case (0 small, 1 capital).
struct Weights {
    std::uint32_t primary;
    std::uint32_t secondary;
    std::uint32_t tertiary;
};

// Classes in their order, in the top bits of the primary weight.
enum Class : std::uint32_t { Symbol = 1, Digit = 2, Latin = 3, Greek = 4, OtherLetter = 5 };

constexpr std::uint32_t weight(Class c, char32_t value)
{
    return std::uint32_t(c) << 24 | std::uint32_t(value);
}

constexpr char32_t kSmallAlpha = 0x3B1;
constexpr char32_t kSmallOmega = 0x3C9;
constexpr char32_t kFinalSigma = 0x3C2;
constexpr char32_t kSigma = 0x3C3;
// Characters below this have their weights in a table: ASCII, Latin, Greek with its
// polytonic letters, and the scripts between.
constexpr char32_t kTabled = 0x2000;

bool isMark(char32_t c)
{
    const QChar::Category category = QChar::category(c);
    return category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining
        || category == QChar::Mark_Enclosing;
}

// The base letter of a character and the first accent its canonical decomposition adds.
char32_t baseOf(char32_t c, char32_t& accent)
{
    accent = 0;
    while (c < 0x10000 && QChar::decompositionTag(c) == QChar::Canonical) {
        const QString parts = QChar::decomposition(c);
        if (parts.isEmpty() || parts.at(0).isSurrogate())
            break;
        if (parts.size() > 1 && accent == 0)
            accent = parts.at(1).unicode();
        c = parts.at(0).unicode();
    }
    return c;
}

Weights computeWeights(char32_t c)
{
    const std::uint32_t tertiary = QChar::toLower(c) != c ? 1 : 0;
    if (isMark(c))
        return {0, std::uint32_t(c), 0};
    char32_t accent = 0;
    char32_t letter = QChar::toLower(baseOf(c, accent));
    if (letter == kFinalSigma)
        letter = kSigma;
    std::uint32_t primary;
    if (letter >= U'a' && letter <= U'z')
        primary = weight(Latin, letter - U'a');
    else if (letter >= kSmallAlpha && letter <= kSmallOmega)
        primary = weight(Greek, letter - kSmallAlpha);
    else if (letter >= U'0' && letter <= U'9')
        primary = weight(Digit, letter - U'0');
    else if (!QChar::isLetter(letter))
        primary = weight(Symbol, c);
    else if (QChar::script(letter) == QChar::Script_Latin)   // ø, ß, ł: after z
        primary = weight(Latin, 26 + letter);
    else if (QChar::script(letter) == QChar::Script_Greek)   // archaic letters: after ω
        primary = weight(Greek, 26 + letter);
    else
        primary = weight(OtherLetter, letter);
    return {primary, std::uint32_t(accent), tertiary};
}

const std::vector<Weights>& table()
{
    static const std::vector<Weights> weights = [] {
        std::vector<Weights> t(kTabled);
        for (char32_t c = 0; c < kTabled; ++c)
            t[c] = computeWeights(c);
        return t;
    }();
    return weights;
}

// Reads one character of UTF-8 text; a malformed byte stands for itself.
char32_t nextChar(const unsigned char*& p, const unsigned char* end)
{
    const unsigned char lead = *p++;
    if (lead < 0x80)
        return lead;
    const int following = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    char32_t c = lead & (0x3F >> following);
    for (int i = 0; i < following && p < end && (*p & 0xC0) == 0x80; ++i)
        c = c << 6 | (*p++ & 0x3F);
    return following == 0 ? lead : c;
}

Weights weightsOf(const std::vector<Weights>& tabled, char32_t c)
{
    return c < kTabled ? tabled[c] : computeWeights(c);
}

// A text being read character by character.
struct Reader {
    explicit Reader(std::string_view text)
        : p(reinterpret_cast<const unsigned char*>(text.data())), end(p + text.size())
    {
    }
    const unsigned char* p;
    const unsigned char* end;
};

// Compares the two texts on one level: the weights of their characters in turn, a text that
// ends first before a longer one. The primary level passes over the combining marks, which
// weigh nothing there.
template <std::uint32_t Weights::*Level>
int compareLevel(std::string_view a, std::string_view b)
{
    constexpr bool skipsMarks = Level == &Weights::primary;
    const std::vector<Weights>& tabled = table();
    // The next weight of a text on this level; false at its end.
    const auto next = [&tabled](Reader& text, std::uint32_t& w) {
        while (text.p < text.end) {
            w = weightsOf(tabled, nextChar(text.p, text.end)).*Level;
            if (w != 0 || !skipsMarks)
                return true;
        }
        return false;
    };
    Reader textA(a);
    Reader textB(b);
    while (true) {
        std::uint32_t wa = 0;
        std::uint32_t wb = 0;
        const bool hasA = next(textA, wa);
        const bool hasB = next(textB, wb);
        if (!hasA || !hasB)
            return int(hasA) - int(hasB);
        if (wa != wb)
            return wa < wb ? -1 : 1;
    }
}

int compareCollation(void*, int lengthA, const void* a, int lengthB, const void* b)
{
    return compare(std::string_view(static_cast<const char*>(a), std::size_t(lengthA)),
                   std::string_view(static_cast<const char*>(b), std::size_t(lengthB)));
}

} // namespace

QString orderBy(const QString& column)
{
    return column + QStringLiteral(" collate ") + QLatin1String(kName);
}

int compare(std::string_view a, std::string_view b)
{
    // Every level weighs character by character, so the characters both texts begin with
    // weigh the same on each: the comparison starts where the texts part, at the start of
    // that character. Codes and descriptions of one list often share a long beginning.
    const std::size_t shorter = std::min(a.size(), b.size());
    std::size_t common = std::size_t(std::mismatch(a.begin(), a.begin() + shorter, b.begin()).first - a.begin());
    const auto continues = [](std::string_view text, std::size_t at) {
        return at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80;
    };
    while (common > 0 && (continues(a, common) || continues(b, common)))
        --common;
    a.remove_prefix(common);
    b.remove_prefix(common);

    if (const int primary = compareLevel<&Weights::primary>(a, b))
        return primary;
    if (const int secondary = compareLevel<&Weights::secondary>(a, b))
        return secondary;
    if (const int tertiary = compareLevel<&Weights::tertiary>(a, b))
        return tertiary;
    const int bytes = std::memcmp(a.data(), b.data(), std::min(a.size(), b.size()));
    if (bytes != 0)
        return bytes;
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

int registerOn(sqlite3* handle)
{
    return sqlite3_create_collation_v2(handle, kName, SQLITE_UTF8, nullptr, compareCollation, nullptr);
}

} // namespace collation
