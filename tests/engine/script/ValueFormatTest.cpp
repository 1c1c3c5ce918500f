#include "engine/script/ValueFormat.h"

#include "engine/script/Errors.h"
#include "tests/support/ThreadLocale.h"

#include <gtest/gtest.h>

using namespace vl;
using namespace vltest;

namespace {

class ValueFormatTest : public ::testing::Test {
protected:
    LocaleService us{"en_US"};
    LocaleService de{"de_DE"};
    // 2024-03-05 14:07:09.045, a Tuesday
    const double moment = 45356 + (14 * 3600 + 7 * 60 + 9.045) / 86400.0;
};

} // namespace

TEST_F(ValueFormatTest, LocaleInPictureLetters) {
    EXPECT_EQ(us.shortDateFormat(), "m/d/yy");
    EXPECT_EQ(us.shortTimeFormat(), "h:nn ampm");
    EXPECT_EQ(us.longTimeFormat(), "h:nn:ss ampm");
    EXPECT_EQ(us.dateSeparator(), '/');
    EXPECT_EQ(de.shortDateFormat(), "dd.mm.yy");
    EXPECT_EQ(de.decimalSeparator(), ',');
    EXPECT_EQ(de.thousandSeparator(), '.');
    EXPECT_EQ(us.dayName(1, true), "Sunday");
    EXPECT_EQ(us.dayName(7, false), "Sat");
    EXPECT_EQ(de.monthName(3, true), "M\xE4rz");
    EXPECT_EQ(us.monthName(13, true), "");
    EXPECT_EQ(QtFormatToPicture("dddd, 'de' d. MMMM yyyy HH:mm:ss.zzz AP t"),
              "dddd, \"de\" d. mmmm yyyy hh:nn:ss.zzz ampm");
    EXPECT_EQ(us.upperCase("stra\xDF"
                           "e \xE9"),
              "STRA\xDF"
              "E \xC9");
}

TEST_F(ValueFormatTest, DateTimePictures) {
    EXPECT_EQ(FormatDateTime("d dd ddd dddd", moment, us), "5 05 Tue Tuesday");
    EXPECT_EQ(FormatDateTime("m mm mmm mmmm yy yyyy", moment, us), "3 03 Mar March 24 2024");
    EXPECT_EQ(FormatDateTime("h hh n nn s ss z zzz", moment, us), "14 14 7 07 9 09 45 045");
    EXPECT_EQ(FormatDateTime("h:mm am/pm", moment, us), "2:07 pm");
    EXPECT_EQ(FormatDateTime("hh:nn AM/PM a/p ampm", moment, us), "02:07 PM p PM");
    EXPECT_EQ(FormatDateTime("\"Day\" d 'of' mmmm", moment, us), "Day 5 of March");
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy", moment, de), "05.03.2024");
    EXPECT_EQ(FormatDateTime("ddddd t", moment, us), "3/5/24 2:07 PM");
    EXPECT_EQ(FormatDateTime("", moment, us), "3/5/24 2:07:09 PM");
    EXPECT_EQ(FormatDateTime("", 45356, us), "3/5/24");
    EXPECT_EQ(FormatDateTime("h am/pm", 45356, us), "12 am");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd", -1.5, us), "1899-12-29");
    EXPECT_THROW(FormatDateTime("yyyy", 1e300, us), ConversionError);
    EXPECT_THROW(FormatDateTime("yyyy", std::nan(""), us), ConversionError);
}

TEST_F(ValueFormatTest, NumberFormats) {
    EXPECT_EQ(FormatFloat("0.00", 3.14159, us), "3.14");
    EXPECT_EQ(FormatFloat("#,##0.00", 1234567.891, us), "1,234,567.89");
    EXPECT_EQ(FormatFloat("#,##0.00", 1234567.891, de), "1.234.567,89");
    EXPECT_EQ(FormatFloat("#.##", 0.5, us), ".5");
    EXPECT_EQ(FormatFloat("0.##", 1, us), "1");
    EXPECT_EQ(FormatFloat("0.0#", 1.256, us), "1.26");
    EXPECT_EQ(FormatFloat("#", 0, us), "");
    EXPECT_EQ(FormatFloat("000", 7, us), "007");
    EXPECT_EQ(FormatFloat("000-000", 123456, us), "123-456");
    EXPECT_EQ(FormatFloat("0", 2.5, us), "3"); // halves away from zero
    EXPECT_EQ(FormatFloat("0.00", 1.005, us), "1.01");
    EXPECT_EQ(FormatFloat("0", -2.5, us), "-3");
    EXPECT_EQ(FormatFloat("0", -0.4, us), "0");
    EXPECT_EQ(FormatFloat("0.00;(0.00)", -3.14159, us), "(3.14)");
    EXPECT_EQ(FormatFloat("0.00;(0.00);\"nil\"", 0, us), "nil");
    EXPECT_EQ(FormatFloat("0.0;-0.0;zero", -0.01, us), "zero");
    EXPECT_EQ(FormatFloat("0.00;;zero", -1, us), "-1.00");
    EXPECT_EQ(FormatFloat("\"$\"#,##0.00", 1234.5, us), "$1,234.50");
    EXPECT_EQ(FormatFloat("0.00E+00", 12345, us), "1.23E+04");
    EXPECT_EQ(FormatFloat("0.0E-0", 0.000123, us), "1.2E-4");
    EXPECT_EQ(FormatFloat("00.0E+0", 12345, us), "12.3E+3");
    EXPECT_EQ(FormatFloat("0.0E+0", 9.99, us), "1.0E+1");
    EXPECT_EQ(FormatFloat("", 0.5, us), "0.5");
    EXPECT_EQ(FormatFloat("0", 1e20, us), "1E20");
}

TEST_F(ValueFormatTest, EditMasks) {
    EXPECT_EQ(FormatMaskText("(000) 000-0000;0; ", "5551234567", us), "(555) 123-4567");
    EXPECT_EQ(FormatMaskText("(000) 000-0000;0;_", "55512", us), "(555) 12_-____");
    EXPECT_EQ(FormatMaskText(">LL<ll;0; ", "aBcD", us), "ABcd");
    EXPECT_EQ(FormatMaskText("\\A-00;0; ", "12", us), "A-12");
    EXPECT_EQ(FormatMaskText("00/00;0; ", "1231", de), "12.31");
    EXPECT_EQ(FormatMaskText("!999;0; ", "7", us), "  7");
    EXPECT_EQ(FormatMaskText("00-00;1;_", "12-34", us), "12-34");
    EXPECT_EQ(FormatMaskText("00_00;0;*", "1234", us), "12 34");
    EXPECT_EQ(FormatMaskText("", "abc", us), "");
}

TEST_F(ValueFormatTest, ParsingDatesAndTimes) {
    EXPECT_EQ(StrToDate("3/15/2024", us), 45366);
    EXPECT_EQ(StrToDate("15.03.2024", de), 45366);
    EXPECT_EQ(StrToDate("March 15, 2024", us), 45366);
    EXPECT_EQ(StrToDate("2024-03-15", de), 45366);
    EXPECT_THROW(StrToDate("2/30/2024", us), ConversionError);
    EXPECT_THROW(StrToDate("3/15/2024/1", us), ConversionError);
    EXPECT_THROW(StrToDate("", us), ConversionError);
    EXPECT_DOUBLE_EQ(StrToTime("18:00", us), 0.75);
    EXPECT_DOUBLE_EQ(StrToTime("6:00 pm", us), 0.75);
    EXPECT_DOUBLE_EQ(StrToTime("12:00:00 AM", us), 0);
    EXPECT_DOUBLE_EQ(StrToTime("0:00:01.500", us), 1.5 / 86400);
    EXPECT_THROW(StrToTime("25:00", us), ConversionError);
    EXPECT_THROW(StrToTime("1:", us), ConversionError);
    EXPECT_DOUBLE_EQ(StrToDateTime("3/15/2024 6:00 PM", us), 45366.75);
    EXPECT_DOUBLE_EQ(StrToDateTime("12:00", us), 0.5);
}
