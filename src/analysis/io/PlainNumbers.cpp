#include "analysis/io/PlainNumbers.h"

#include <emmintrin.h>

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstring>

#include "analysis/io/NearestDouble.h"
#include "analysis/io/SampleNumber.h"
#include "framework/core/RunBoth.h"

namespace analysis {
namespace {

static_assert(std::endian::native == std::endian::little, "the digit words are read lowest address first");

constexpr int kMaxMantissa = 24;
constexpr int kMaxDigits = 19;
// Enough for any exponent NearestDouble takes.
constexpr int kMaxExponentDigits = 4;
// A token is read from the 50 characters at its start: a sign, a mantissa
// that ends within 24 more, and the 24 that DigitsValue reads after its point.
constexpr std::ptrdiff_t kSpan = 1 + kMaxMantissa + 1 + 24;
// Below this much text a second thread costs more than it saves.
constexpr std::ptrdiff_t kSplitBytes = std::ptrdiff_t{1} << 16;

// The value of the first `count` (0 ... 8) of the 8 characters at p, which
// are digits; the others may be anything.
uint64_t LeadingDigits(const char* p, int count) {
    uint64_t word = 0;
    std::memcpy(&word, p, sizeof word);
    // Byte by byte the digits become their values; a borrow from a byte that
    // is no digit only reaches the bytes after it, which the shift drops.
    word -= 0x3030'3030'3030'3030u;
    const int drop = 4 * (8 - count);  // twice: a shift by 64 is undefined
    word = (word << drop) << drop;
    // Neighbouring digits into two-digit bytes, then those into one number.
    word = word * 10 + (word >> 8);
    constexpr uint64_t kPairs = 0x0000'00FF'0000'00FFu;
    return ((word & kPairs) * (100 + (1'000'000ull << 32)) + ((word >> 16) & kPairs) * (1 + (10'000ull << 32))) >> 32;
}

// The value of the digits p[0 ... count), count <= 24, reading p[0 ... 24).
uint64_t DigitsValue(const char* p, int count) {
    const int second = std::clamp(count - 8, 0, 8);
    const int third = std::clamp(count - 16, 0, 8);
    const uint64_t head = LeadingDigits(p, std::min(count, 8)) * kDecimalPowers[static_cast<std::size_t>(second)] +
                          LeadingDigits(p + 8, second);
    return head * kDecimalPowers[static_cast<std::size_t>(third)] + LeadingDigits(p + 16, third);
}

// For the 32 characters at p, one bit each: which are digits, and which are
// points. The bits above them are clear.
struct CharacterMasks {
    uint64_t digits = 0;
    uint64_t points = 0;
};

CharacterMasks Classify(const char* p) {
    const auto bits = [](__m128i low, __m128i high) {
        return uint64_t{static_cast<uint32_t>(_mm_movemask_epi8(low))} |
               uint64_t{static_cast<uint32_t>(_mm_movemask_epi8(high))} << 16;
    };
    // "0" ... "9" moved to the bottom of the signed range: one comparison.
    const auto digit = [](__m128i text) {
        const __m128i shifted = _mm_add_epi8(text, _mm_set1_epi8(static_cast<char>(0x80 - '0')));
        return _mm_cmplt_epi8(shifted, _mm_set1_epi8(-0x80 + 10));
    };
    const auto point = [](__m128i text) { return _mm_cmpeq_epi8(text, _mm_set1_epi8('.')); };
    const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16));
    return CharacterMasks{bits(digit(low), digit(high)), bits(point(low), point(high))};
}

// The exponent, if any, of a plain number at p, just after its mantissa,
// added to `exponent`; its end, or nullptr for an "e" without exponent digits
// or a long exponent.
const char* ScanExponent(const char* p, int& exponent) {
    if (*p != 'e' && *p != 'E') return p;
    ++p;
    const bool negative = *p == '-';
    p += *p == '+' || *p == '-';
    const char* first = p;
    int written = 0;
    for (; p - first < kMaxExponentDigits && *p >= '0' && *p <= '9'; ++p) written = written * 10 + (*p - '0');
    if (p == first) return nullptr;
    exponent += negative ? -written : written;
    return p;
}

// The plain number at begin, whose kSpan characters may all be read, into
// value; where the next token or more blanks start, with the line feed after
// the number counted. nullptr for a token of another shape.
const char* ScanPlain(const char* begin, double& value, int64_t& lineFeeds) {
    const CharacterMasks masks = Classify(begin);
    // Positions from begin: the mantissa starts at `sign`, its integer digits
    // end at `point` and its fraction's at `stop`. The bits of `other` above
    // the 32 characters are set, so that every search ends within them.
    const int sign = *begin == '-' || *begin == '+';
    const uint64_t other = ~masks.digits;
    const int point = std::countr_zero(other >> sign) + sign;
    const bool hasPoint = (masks.points >> point) & 1;
    const int stop = hasPoint ? point + 1 + std::countr_zero(other >> (point + 1)) : point;
    const int wholeDigits = point - sign;
    const int fractionDigits = stop - point - hasPoint;
    if (stop > kMaxMantissa || wholeDigits + fractionDigits == 0 || wholeDigits > 8 || fractionDigits > kMaxDigits) {
        return nullptr;
    }
    if (wholeDigits + fractionDigits > kMaxDigits) {
        // Zeros ahead of the integer digits do not count towards the 19; the
        // fraction holds those ahead of its own.
        const char* first = begin + sign;
        const auto zeros = std::find_if(first, begin + point, [](char c) { return c != '0'; }) - first;
        if (wholeDigits + fractionDigits - zeros > kMaxDigits) return nullptr;
    }
    const uint64_t whole = LeadingDigits(begin + sign, wholeDigits);
    const uint64_t digits = whole * kDecimalPowers[static_cast<std::size_t>(fractionDigits)] +
                            DigitsValue(begin + point + 1, fractionDigits);
    int exponent = -fractionDigits;
    const char* next = ScanExponent(begin + stop, exponent);
    if (next == nullptr || !IsSampleBlank(*next)) return nullptr;
    if (digits != 0 && (exponent < kNearestDoubleMinExponent || exponent > kNearestDoubleMaxExponent)) return nullptr;
    // The sign as a bit, not a branch: signs come in any order.
    const uint64_t negative = uint64_t{*begin == '-'} << 63;
    value = std::bit_cast<double>(std::bit_cast<uint64_t>(NearestDouble(digits, exponent)) | negative);
    // The blank after the number; the caller skips any more.
    lineFeeds += *next == '\n';
    return next + 1;
}

}  // namespace

PlainNumbers ScanPlainNumbers(const char* begin, const char* end, double* x, int32_t room, const char* stop) {
    if (stop == nullptr) stop = end;
    PlainNumbers run;
    const char* p = begin;
    while (run.count < room) {
        while (p < stop && IsSampleBlank(*p)) run.lineFeeds += *p++ == '\n';
        if (p >= stop || end - p < kSpan) break;
        const char* next = ScanPlain(p, x[run.count], run.lineFeeds);
        if (next == nullptr) break;
        ++run.count;
        p = next;
    }
    run.end = p;
    return run;
}

PlainNumbers ScanPlainNumbersInTwo(const char* begin, const char* end, double* x, int32_t room,
                                   std::vector<double>& spare) {
    if (end - begin < kSplitBytes) return ScanPlainNumbers(begin, end, x, room);
    // The halves meet after a blank, so no number spans them.
    const char* cut = std::find_if(begin + (end - begin) / 2, end, IsSampleBlank);
    if (end - cut < kSpan) return ScanPlainNumbers(begin, end, x, room);
    ++cut;
    // Each number takes a character and a blank at least.
    spare.resize(static_cast<std::size_t>(std::min<std::ptrdiff_t>(room, (end - cut) / 2 + 1)));
    PlainNumbers first;
    PlainNumbers second;
    fw::RunBoth([&] { second = ScanPlainNumbers(cut, end, spare.data(), static_cast<int32_t>(spare.size())); },
                [&] { first = ScanPlainNumbers(begin, end, x, room, cut); });
    // The first half stopped short (a token of another shape, or room): the
    // second half's scan started where the whole one would not have gone.
    if (first.end != cut || first.count == room || first.count + second.count > room) return first;
    std::copy(spare.begin(), spare.begin() + second.count, x + first.count);
    return {second.end, first.count + second.count, first.lineFeeds + second.lineFeeds};
}

}  // namespace analysis
