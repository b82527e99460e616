#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "analysis/io/PlainNumbers.h"
#include "analysis/io/SampleNumber.h"
#include "analysis/io/SampleReader.h"

namespace analysis {
namespace {

// A token of any shape: digit strings of every length around the 19 that
// fit, leading zeros, exponents near and beyond the bounds, and now and then
// a character that breaks the syntax. A well-formed one is a number within
// the double range.
std::string RandomToken(std::mt19937_64& random, bool wellFormed) {
    const auto pick = [&](const char* choices) { return choices[random() % std::strlen(choices)]; };
    const auto chance = [&](int percent) { return static_cast<int>(random() % 100) < percent; };
    const auto digits = [&](auto count) {
        std::string text;
        for (; count > 0; --count) text += static_cast<char>('0' + random() % 10);
        return text;
    };
    std::string token;
    if (chance(50)) token += pick("+-");
    if (chance(20)) token += std::string(random() % 4, '0');
    const int whole = static_cast<int>(random() % 11);
    token += digits(whole);
    if (chance(80) || (wellFormed && whole == 0)) {
        token +=
            "." + std::string(chance(20) ? random() % 5 : 0, '0') + digits(random() % 21 + (wellFormed && whole == 0));
    }
    if (chance(30)) {
        token += pick("eE") + std::string(chance(50) ? 1 : 0, pick("+-")) +
                 digits(wellFormed ? 1 + random() % 2 : random() % 6);
    }
    if (!wellFormed && chance(10)) token.insert(random() % (token.size() + 1), 1, pick(".eE+-x\x1A"));
    return token;
}

// Halfway between two neighbouring doubles, or a unit of the last digit off:
// (2m + 1) × 2^s, a multiple of 5^f for f up to 5 so that some halves have
// decimal zeros to spare. With s from -4 (5^4 more keeps it in 64 bits) to 9.
std::string NearHalfway(std::mt19937_64& random) {
    uint64_t five = 1;
    for (auto f = random() % 6; f > 0; --f) five *= 5;
    const uint64_t odd = ((uint64_t{1} << 53) / five + 1 + random() % ((uint64_t{1} << 53) / five)) | 1;
    const int s = static_cast<int>(random() % 14) - 4;
    uint64_t scaled = odd * five;
    int exponent = 0;
    if (s >= 0) scaled <<= s;
    for (; exponent > s; --exponent) scaled *= 5;
    const uint64_t nudge = random() % 3;
    std::string digits = std::to_string(scaled + nudge - 1);
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
        ++exponent;
    }
    // The point anywhere among the first digits, the exponent to match.
    const std::size_t point = 1 + random() % std::min<std::size_t>(8, digits.size());
    exponent += static_cast<int>(digits.size() - point);
    return digits.substr(0, point) + "." + digits.substr(point) + (exponent != 0 ? "e" + std::to_string(exponent) : "");
}

// Whatever the plain scan reads, ScanSampleNumber reads the same way: the same
// bits and the same end, before the blank that must follow.
TEST(PlainNumbersTest, ReadsWhatTheGeneralScanReads) {
    std::mt19937_64 random(20240611);
    int plain = 0;
    constexpr int kTokens = 200'000;
    for (int i = 0; i < kTokens; ++i) {
        const std::string token = i % 4 == 0 ? NearHalfway(random) : RandomToken(random, false);
        if (token.empty()) continue;  // the scan would go on to the next token
        const char blank = " \t\n\r\v\f,x"[random() % 8];
        const std::string text = token + blank + "9 8 7 6 5 4 3 2 1 9 8 7 6 5 4 3 2 1 9 8 7 6 5 4 3 2 1 0";
        SCOPED_TRACE(token);
        double value = 0.0;
        const PlainNumbers run = ScanPlainNumbers(text.data(), text.data() + text.size(), &value, 1);
        if (run.count == 0) {
            ASSERT_EQ(run.end, text.data());
            ASSERT_EQ(run.lineFeeds, 0);
            continue;
        }
        ++plain;
        const SampleNumber general = ScanSampleNumber(text.data(), text.data() + text.size(), true);
        ASSERT_EQ(general.status, SampleNumberStatus::Number);
        ASSERT_EQ(std::bit_cast<uint64_t>(value), std::bit_cast<uint64_t>(general.value));
        ASSERT_EQ(general.end, text.data() + token.size());
        ASSERT_TRUE(IsSampleBlank(blank));
        ASSERT_EQ(run.end, general.end + 1);
        ASSERT_EQ(run.lineFeeds, blank == '\n' ? 1 : 0);
    }
    // Most tokens take the quick way, so the comparison is not an empty one.
    EXPECT_GT(plain, kTokens / 4);
}

// Two reads that agree in every respect, down to each value's bits.
void ExpectSameRead(const ReadResult& a, const std::vector<double>& x, const ReadResult& b,
                    const std::vector<double>& y) {
    EXPECT_EQ(a.stop, b.stop);
    EXPECT_EQ(a.stored, b.stored);
    EXPECT_EQ(a.line, b.line);
    EXPECT_EQ(a.text, b.text);
    for (std::size_t i = 0; i < x.size(); ++i) {
        ASSERT_EQ(std::bit_cast<uint64_t>(x[i]), std::bit_cast<uint64_t>(y[i])) << i;
    }
}

// Reads of a few bytes leave the numbers to the general scan, reads of a
// megabyte give most of them to the plain one: the results are the same.
TEST(PlainNumbersTest, FilesReadAsInSmallChunks) {
    std::mt19937_64 random(7);
    test::TempFolder folder;
    for (int file = 0; file < 20; ++file) {
        std::string text;
        for (int i = 0; i < 400; ++i) {
            text += random() % 2 != 0 ? NearHalfway(random) : RandomToken(random, i < 399);
            text += random() % 2 ? "\n" : std::string(1 + random() % 3, " \t\r\n"[random() % 4]);
        }
        const std::string name = folder.Write("samples.dat", text);
        std::vector<double> expected(500, -1.0);
        const ReadResult whole = ReadSamples(name, expected.data(), 500);
        EXPECT_GE(whole.stored, 399) << file;
        for (std::size_t chunk = 1; chunk <= 8; ++chunk) {
            std::vector<double> x(500, -1.0);
            const ReadResult result = ReadSamplesInChunks(name, x.data(), 500, chunk);
            SCOPED_TRACE(std::to_string(file) + " in chunks of " + std::to_string(chunk));
            ExpectSameRead(result, x, whole, expected);
        }
    }
}

// A window of text long enough is read on two threads, cut at a blank near
// its middle; windows of a few kilobytes are not: tokens of another shape
// and a word anywhere, the cut included, and a read that fills its room
// give the same as one thread.
TEST(PlainNumbersTest, AWindowReadOnTwoThreadsGivesWhatOneGives) {
    std::mt19937_64 random(11);
    test::TempFolder folder;
    constexpr int kTokens = 30000;
    for (int file = 0; file < 8; ++file) {
        // One token a general scan reads ("+ 5") or no number, anywhere; a
        // word after the last number tells the line the halves counted.
        std::string text;
        const auto odd = static_cast<int>(random() % kTokens);
        for (int i = 0; i < kTokens; ++i) {
            const std::string plain = std::to_string(static_cast<int64_t>(random() % 2000001) - 1000000) + "." +
                                      std::to_string(random() % 1000) + "e-" + std::to_string(random() % 12);
            text += i != odd || file % 4 == 0 ? plain : file % 4 == 1 ? "+ 5" : "word";
            text += random() % 2 ? "\n" : std::string(1 + random() % 2, ' ');
        }
        text += "end\n";
        const std::string name = folder.Write("samples.dat", text);
        const auto room = static_cast<int32_t>(file < 4 ? kTokens + 10 : kTokens / 2 + random() % kTokens);
        std::vector<double> one(static_cast<std::size_t>(room), -1.0), two(one);
        const ReadResult single = ReadSamplesInChunks(name, one.data(), room, 4096);
        const ReadResult split = ReadSamplesInChunks(name, two.data(), room, std::size_t{1} << 20);
        SCOPED_TRACE(file);
        ExpectSameRead(split, two, single, one);
    }
}

}  // namespace
}  // namespace analysis
