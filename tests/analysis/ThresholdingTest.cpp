#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "analysis/transform/LevelGeometry.h"
#include "analysis/denoise/Thresholding.h"
#include "framework/core/Exceptions.h"
#include "framework/core/FormatSettings.h"
#include "framework/core/ShortestText.h"

namespace analysis {
namespace {

// A view over the level-1 details of a 2^J + 1 buffer filled with values.
struct Level1 {
    std::shared_ptr<DyadicSignal> signal;
    CoefficientView view;

    explicit Level1(const std::vector<double>& details) {
        int32_t j = 2;
        while (static_cast<std::size_t>(LevelGeometry::Details(j, 1).count) < details.size()) ++j;
        signal = std::make_shared<DyadicSignal>(j);
        for (int32_t i = 0; i < signal->N(); ++i) (*signal)[i] = 1000.0 + i;  // the evens must stay
        view = BuildView(signal, 1, 1);
        for (std::size_t i = 0; i < details.size(); ++i) view[static_cast<int32_t>(i)] = details[i];
    }

    std::vector<double> Values() const {
        std::vector<double> values;
        for (int32_t i = 0; i < view.Count(); ++i) values.push_back(view[i]);
        return values;
    }
};

TEST(HardThreshold, KeepsOnlyMagnitudesAboveTheThreshold) {
    Level1 level({10.0, -10.0, 10.5, -10.0001, 9.99, -3.0, 0.0, 1e300});
    HardThreshold(level.view, 10.0);
    EXPECT_EQ(level.Values(), (std::vector<double>{0.0, 0.0, 10.5, -10.0001, 0.0, 0.0, 0.0, 1e300}));
    for (int32_t p = 0; p < level.signal->N(); p += 2) EXPECT_EQ((*level.signal)[p], 1000.0 + p);
}

TEST(HardThreshold, ZeroesArePositive) {
    Level1 level({-10.0, -0.0, -5.0, 20.0});
    HardThreshold(level.view, 10.0);
    for (int32_t i = 0; i < 3; ++i) EXPECT_FALSE(std::signbit(level.view[i])) << i;
}

TEST(HardThreshold, NegativeThresholdChangesNoFiniteValue) {
    const std::vector<double> values{0.0, -1e-300, 5.0, -7.0};
    Level1 level(values);
    HardThreshold(level.view, -1.0);
    EXPECT_EQ(level.Values(), values);
}

TEST(HardThreshold, ZeroThresholdOnlyRewritesZeros) {
    Level1 level({-0.0, 1e-320, -1e-320, 0.0});
    HardThreshold(level.view, 0.0);
    EXPECT_FALSE(std::signbit(level.view[0]));
    EXPECT_EQ(level.view[1], 1e-320);
    EXPECT_EQ(level.view[2], -1e-320);
    EXPECT_EQ(level.view[3], 0.0);

    Level1 negativeZero({-0.0, 2.0, -2.0, 0.0});
    HardThreshold(negativeZero.view, -0.0);
    EXPECT_FALSE(std::signbit(negativeZero.view[0]));
    EXPECT_EQ(negativeZero.Values(), (std::vector<double>{0.0, 2.0, -2.0, 0.0}));
}

TEST(HardThreshold, SecondPassChangesNothing) {
    Level1 level({3.0, -4.0, 4.5, -0.5, 4.0, 100.0, -4.00001, 0.0});
    HardThreshold(level.view, 4.0);
    const std::vector<double> once = level.Values();
    HardThreshold(level.view, 4.0);
    EXPECT_EQ(level.Values(), once);
}

TEST(HardThreshold, EmptyViewIsNothingToDo) { HardThreshold(CoefficientView(), 1.0); }

// ---- threshold text -------------------------------------------------------------

class ParseThresholdTest : public ::testing::Test {
protected:
    void SetUp() override { saved_ = fw::DefaultFormatSettings(); }
    void TearDown() override { fw::DefaultFormatSettings() = saved_; }

private:
    fw::FormatSettings saved_;
};

TEST_F(ParseThresholdTest, AcceptedTextsUnderAPointLocale) {
    fw::DefaultFormatSettings().DecimalSeparator = '.';
    for (const char* text : {" 2.5 ", "+2.5", "2.5e0", "25E-1"}) EXPECT_EQ(ParseThreshold(text), 2.5) << text;
    EXPECT_EQ(ParseThreshold("."), 0.0);
    EXPECT_EQ(ParseThreshold("-10"), -10.0);
}

TEST_F(ParseThresholdTest, RejectedTextsNameTheText) {
    fw::DefaultFormatSettings().DecimalSeparator = '.';
    for (const std::string text : {"2,5", "2.5x", "--2", "+", "e5", "", "\t1"}) {
        try {
            ParseThreshold(text);
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const fw::EConvertError& e) {
            EXPECT_EQ(e.Message(), "'" + text + "' is not a valid floating point value");
        }
    }
}

TEST_F(ParseThresholdTest, CommaLocaleTakesTheCommaOnly) {
    fw::DefaultFormatSettings().DecimalSeparator = ',';
    EXPECT_EQ(ParseThreshold("2,5"), 2.5);
    EXPECT_EQ(ParseThreshold(" 1,25e1 "), 12.5);
    EXPECT_THROW(ParseThreshold("2.5"), fw::EConvertError);
}

// Values the extended format holds but a double does not: storing them
// overflows; values that round to the largest double do not.
TEST_F(ParseThresholdTest, BeyondTheDoubleRangeIsAnOverflow) {
    fw::DefaultFormatSettings().DecimalSeparator = '.';
    EXPECT_THROW(ParseThreshold("1e400"), fw::EOverflow);
    EXPECT_THROW(ParseThreshold("-1e309"), fw::EOverflow);
    EXPECT_THROW(ParseThreshold("1.7976931348623159e308"), fw::EOverflow);
    EXPECT_EQ(ParseThreshold("1.7976931348623158e308"), std::numeric_limits<double>::max());
    // Just below the midpoint to infinity: one rounding gives the largest double.
    EXPECT_EQ(ParseThreshold("1.7976931348623158079e308"), std::numeric_limits<double>::max());
    EXPECT_EQ(ParseThreshold("1e-400"), 0.0);
}

// A coefficient's saved text (its shortest round-trip text), typed as the
// threshold, zeroes exactly it and its equals: the magnitude a step above it
// stays. Under a comma locale the same texts with a comma do the same.
TEST_F(ParseThresholdTest, ACoefficientsOwnTextZeroesExactlyIt) {
    std::mt19937_64 random(28);
    for (const char separator : {'.', ','}) {
        fw::DefaultFormatSettings().DecimalSeparator = separator;
        for (int round = 0; round < 20000; ++round) {
            const double c = std::fabs(std::bit_cast<double>(random()));
            if (!std::isfinite(c) || c == 0.0) continue;
            std::string typed = fw::ShortestText(c);
            std::replace(typed.begin(), typed.end(), '.', separator);
            const double above = std::nextafter(c, HUGE_VAL);
            Level1 level({c, -c, above});
            HardThreshold(level.view, ParseThreshold(typed));
            const std::vector<double> values = level.Values();
            ASSERT_EQ(std::vector<double>(values.begin(), values.begin() + 3),
                      (std::vector<double>{0.0, 0.0, std::isinf(above) ? 0.0 : above}))
                << typed;
        }
    }
}

}  // namespace
}  // namespace analysis
