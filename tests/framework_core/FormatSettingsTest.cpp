#include <gtest/gtest.h>

#include <clocale>

#include "framework/core/FormatSettings.h"

namespace {

using fw::FormatFromPosixPattern;

std::string DatePattern(const std::string& posix, char& separator) {
    return FormatFromPosixPattern(posix, '/', separator);
}

TEST(FormatFromPosixPattern, DatePatternsOfCommonLocales) {
    char sep = '?';
    EXPECT_EQ(DatePattern("%m/%d/%Y", sep), "mm/dd/yyyy");
    EXPECT_EQ(sep, '/');
    EXPECT_EQ(DatePattern("%d.%m.%Y", sep), "dd/mm/yyyy");
    EXPECT_EQ(sep, '.');
    EXPECT_EQ(DatePattern("%F", sep), "yyyy/mm/dd");
    EXPECT_EQ(sep, '-');
    EXPECT_EQ(DatePattern("%D", sep), "mm/dd/yy");
    EXPECT_EQ(DatePattern("%e %B %Y", sep), "d mmmm yyyy");
    EXPECT_EQ(DatePattern("%Y. %m. %d.", sep), "yyyy/ mm/ dd/");
    EXPECT_EQ(DatePattern("%Y年%m月%d日", sep), "yyyy年mm月dd日");
}

TEST(FormatFromPosixPattern, OtherSeparatorsAndLettersAreQuoted) {
    char sep = '?';
    EXPECT_EQ(DatePattern("%d-%m/%Y", sep), "dd/mm\"/\"yyyy");
    EXPECT_EQ(sep, '-');
    EXPECT_EQ(DatePattern("%Ey %d de %m", sep), "yy dd \"d\"\"e\" mm");
}

TEST(FormatFromPosixPattern, TimePatternsWithAndWithoutSeconds) {
    char sep = '?';
    EXPECT_EQ(FormatFromPosixPattern("%H:%M:%S", ':', sep), "hh:nn:ss");
    EXPECT_EQ(sep, ':');
    EXPECT_EQ(FormatFromPosixPattern("%H:%M:%S", ':', sep, true), "hh:nn");
    EXPECT_EQ(FormatFromPosixPattern("%r", ':', sep), "hh:nn:ss ampm");
    EXPECT_EQ(FormatFromPosixPattern("%r", ':', sep, true), "hh:nn ampm");
    EXPECT_EQ(FormatFromPosixPattern("%H.%M.%S", ':', sep, true), "hh:nn");
    EXPECT_EQ(sep, '.');
    EXPECT_EQ(FormatFromPosixPattern("%T %Z", ':', sep, true), "hh:nn");
}

TEST(FormatSettings, ClassicLocaleValues) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "C"), nullptr);
    const fw::FormatSettings s = fw::FormatSettings::FromUserLocale();
    std::setlocale(LC_ALL, previous.c_str());

    EXPECT_EQ(s.DecimalSeparator, '.');
    EXPECT_EQ(s.ThousandSeparator, ',');  // the C locale names none: the built-in one stays
    EXPECT_EQ(s.ShortDateFormat, "mm/dd/yy");
    EXPECT_EQ(s.DateSeparator, '/');
    EXPECT_EQ(s.LongTimeFormat, "hh:nn:ss");
    EXPECT_EQ(s.ShortTimeFormat, "hh:nn");
    EXPECT_EQ(s.TimeAMString, "AM");
    EXPECT_EQ(s.LongMonthNames[0], "January");
    EXPECT_EQ(s.ShortDayNames[0], "Sun");
}

TEST(FormatSettings, DefaultsAreProcessWideAndReplaceable) {
    const fw::FormatSettings saved = fw::DefaultFormatSettings();
    fw::DefaultFormatSettings().DecimalSeparator = ',';
    EXPECT_EQ(fw::DefaultFormatSettings().DecimalSeparator, ',');
    fw::DefaultFormatSettings() = saved;
    EXPECT_EQ(fw::DefaultFormatSettings().DecimalSeparator, '.');
}

}  // namespace
