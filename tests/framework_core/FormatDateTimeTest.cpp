#include <gtest/gtest.h>

#include "framework/core/FormatDateTime.h"

namespace {

using fw::FormatDateTime;

const fw::FormatSettings english;  // built-in values: M/d/yyyy, h:mm AMPM

fw::FormatSettings German() {
    fw::FormatSettings s;
    s.DateSeparator = '.';
    s.ShortDateFormat = "dd/mm/yyyy";
    s.ShortTimeFormat = "hh:nn";
    s.LongTimeFormat = "hh:nn:ss";
    s.LongDayNames[2] = "Dienstag";
    s.LongMonthNames[2] = "März";
    return s;
}

// Tuesday 5 March 2024, 14:07:09.045.
const fw::TDateTime sample = fw::EncodeDate(2024, 3, 5) + fw::EncodeTime(14, 7, 9, 45);

TEST(FormatDateTime, NumericFields) {
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss.zzz", sample, english), "2024-03-05 14:07:09.045");
    EXPECT_EQ(FormatDateTime("d/m/yy", sample, english), "5/3/24");
    EXPECT_EQ(FormatDateTime("YYYY MM DD", sample, english), "2024 03 05");
    EXPECT_EQ(FormatDateTime("h n s z", fw::EncodeDate(2024, 3, 5) + fw::EncodeTime(4, 5, 6, 7), english), "4 5 6 7");
    EXPECT_EQ(FormatDateTime("yy", fw::EncodeDate(2005, 1, 1), english), "05");
    EXPECT_EQ(FormatDateTime("yyyy", fw::EncodeDate(33, 1, 1), english), "0033");
}

TEST(FormatDateTime, NamesAndNamedFormats) {
    EXPECT_EQ(FormatDateTime("dddd, mmmm d, yyyy", sample, english), "Tuesday, March 5, 2024");
    EXPECT_EQ(FormatDateTime("ddd mmm", sample, english), "Tue Mar");
    EXPECT_EQ(FormatDateTime("ddddd", sample, english), "3/5/2024");
    EXPECT_EQ(FormatDateTime("dddddd", sample, english), "Tuesday, March 5, 2024");
    EXPECT_EQ(FormatDateTime("t", sample, english), "2:07 PM");
    EXPECT_EQ(FormatDateTime("tt", sample, english), "2:07:09 PM");
    EXPECT_EQ(FormatDateTime("c", sample, english), "3/5/2024 2:07:09 PM");
    EXPECT_EQ(FormatDateTime("", sample, english), "3/5/2024 2:07:09 PM");
    EXPECT_EQ(FormatDateTime("c", fw::EncodeDate(2024, 3, 5), english), "3/5/2024");
}

TEST(FormatDateTime, RegionalSeparatorsAndNames) {
    const fw::FormatSettings german = German();
    EXPECT_EQ(FormatDateTime("ddddd", sample, german), "05.03.2024");
    EXPECT_EQ(FormatDateTime("t", sample, german), "14:07");
    EXPECT_EQ(FormatDateTime("dddd, d. mmmm", sample, german), "Dienstag, 5. März");
    fw::FormatSettings dotted = german;
    dotted.TimeSeparator = '.';
    EXPECT_EQ(FormatDateTime("hh:nn", sample, dotted), "14.07");
}

TEST(FormatDateTime, MinutesAfterTheHour) {
    EXPECT_EQ(FormatDateTime("h:mm", sample, english), "14:07");
    EXPECT_EQ(FormatDateTime("hh mm", sample, english), "14 07");
    EXPECT_EQ(FormatDateTime("hh 'o''clock' m", sample, english), "14 oclock 7");
    EXPECT_EQ(FormatDateTime("mm/dd hh", sample, english), "03/05 14");
    EXPECT_EQ(FormatDateTime("hh:nn mm", sample, english), "14:07 03");  // after minutes: the month
    EXPECT_EQ(FormatDateTime("hh mmm", sample, english), "14 Mar");
}

TEST(FormatDateTime, TwelveHourClock) {
    const fw::TDateTime day = fw::EncodeDate(2024, 3, 5);
    EXPECT_EQ(FormatDateTime("h:nn AMPM", day, english), "12:00 AM");
    EXPECT_EQ(FormatDateTime("h:nn ampm", day + 0.5, english), "12:00 PM");
    EXPECT_EQ(FormatDateTime("hh:nn am/pm", sample, english), "02:07 pm");
    EXPECT_EQ(FormatDateTime("hh:nn AM/PM", day + fw::EncodeTime(9, 30, 0, 0), english), "09:30 AM");
    EXPECT_EQ(FormatDateTime("h A/P", sample, english), "2 P");
    EXPECT_EQ(FormatDateTime("h a/p", day + 0.25, english), "6 a");
    EXPECT_EQ(FormatDateTime("h 'am/pm'", sample, english), "14 am/pm");  // quoted: no 12-hour clock
    fw::FormatSettings custom;
    custom.TimePMString = "nachm.";
    EXPECT_EQ(FormatDateTime("h ampm", sample, custom), "2 nachm.");
}

TEST(FormatDateTime, LiteralsAndUnknownCharacters) {
    EXPECT_EQ(FormatDateTime("\"Day\" d", sample, english), "Day 5");
    EXPECT_EQ(FormatDateTime("'yyyy' yyyy", sample, english), "yyyy 2024");
    EXPECT_EQ(FormatDateTime("yyyy#x!", sample, english), "2024#x!");
    EXPECT_EQ(FormatDateTime("d 'open", sample, english), "5 open");
}

TEST(FormatDateTime, OutsideTheCalendarAndBeforeTheEpoch) {
    EXPECT_EQ(FormatDateTime("yyyy", fw::MaxDateTime + 1, english), "");
    EXPECT_EQ(FormatDateTime("hh:nn", 1e12, english), "");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn", -1.25, english), "1899-12-29 06:00");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss.zzz", 0.9999999999, english), "1899-12-31 00:00:00.000");
}

TEST(FormatDateTime, SelfNamingSettingsFormatsDoNotRecurseForEver) {
    fw::FormatSettings looping;
    looping.ShortDateFormat = "ddddd";
    looping.ShortTimeFormat = "t d";
    EXPECT_EQ(FormatDateTime("ddddd", sample, looping), "");
    // "t" -> "t d" -> "t d" -> (too deep) " d": the day follows each level.
    EXPECT_EQ(FormatDateTime("t", sample, looping), " 5 5");
}

}  // namespace
