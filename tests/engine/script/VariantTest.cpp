#include "engine/script/Variant.h"

#include "engine/build/TvlEngine.h"
#include "engine/script/Errors.h"

#include <gtest/gtest.h>

using namespace vl;

namespace {

class VariantTest : public ::testing::Test {
protected:
    void SetUp() override { Globals().localeService().select("en_US"); }
};

} // namespace

TEST_F(VariantTest, ArithmeticKeepsIntegersAndPromotes) {
    EXPECT_TRUE((Variant(2) + Variant(3)).identical(Variant(5)));
    EXPECT_TRUE((Variant(2) * Variant(2.5)).identical(Variant(5.0)));
    EXPECT_TRUE((Variant(2147483647) + Variant(1)).identical(Variant(2147483648.0)));
    EXPECT_TRUE((Variant("a") + Variant("b")).identical(Variant("ab")));
    EXPECT_TRUE((Variant("2") + Variant(3)).identical(Variant(5.0)));
    EXPECT_TRUE((Variant(7) / Variant(2)).identical(Variant(3.5)));
    EXPECT_TRUE((Variant() + Variant(1)).isNull());
    EXPECT_TRUE((-Variant(4)).identical(Variant(-4)));
}

TEST_F(VariantTest, DatesStayDatesWhenNumbersAreAdded) {
    const Variant d = Variant::dateTime(45000.5);
    EXPECT_EQ((d + Variant(1)).kind(), Variant::Kind::DateTime);
    EXPECT_EQ((d - d).kind(), Variant::Kind::Double);
    EXPECT_EQ((d * Variant(2)).kind(), Variant::Kind::Double);
}

TEST_F(VariantTest, ModAndLogic) {
    EXPECT_EQ(Variant::mod(Variant(7), Variant(3)).toInt(), 1);
    EXPECT_EQ(Variant::mod(Variant(7), Variant(0)).toInt(), 0);
    EXPECT_EQ(Variant::mod(Variant(-2147483647 - 1), Variant(-1)).toInt(), 0);
    EXPECT_TRUE(Variant::logicalAnd(Variant(true), Variant(false)).identical(Variant(false)));
    EXPECT_TRUE(Variant::logicalOr(Variant(1), Variant(2)).identical(Variant(3)));
    EXPECT_TRUE(Variant::logicalAnd(Variant(1), Variant(2)).identical(Variant(0)));
}

TEST_F(VariantTest, Conversions) {
    EXPECT_EQ(Variant(true).toString(), "True");
    EXPECT_EQ(Variant(true).toInt(), -1);
    EXPECT_EQ(Variant(2.5).toInt(), 2); // halves to even
    EXPECT_EQ(Variant(3.5).toInt(), 4);
    EXPECT_EQ(Variant().toString(), "");
    EXPECT_EQ(Variant(0.1 + 0.2).toString(), "0.3");
    EXPECT_EQ(Variant(1e-5).toString(), "1E-5");
    EXPECT_EQ(Variant(1.5e20).toString(), "1.5E20");
    EXPECT_EQ(Variant(" 12 ").toInt(), 12);
    EXPECT_THROW(Variant("twelve").toDouble(), ConversionError);
    EXPECT_THROW(Variant().toDouble(), ConversionError);
    EXPECT_THROW(Variant(1e12).toInt(), ConversionError);
    try {
        Variant("x1").toDouble();
        FAIL();
    } catch (const ConversionError& e) {
        EXPECT_NE(std::string(e.what()).find("'x1'"), std::string::npos);
    }
}

TEST_F(VariantTest, Comparison) {
    EXPECT_EQ(Variant::compare(Variant(2), Variant(2.0)), 0);
    EXPECT_EQ(Variant::compare(Variant("abc"), Variant("abd")), -1);
    EXPECT_EQ(Variant::compare(Variant(), Variant()), 0);
    EXPECT_EQ(Variant::compare(Variant(), Variant(0)), -1);
    EXPECT_EQ(Variant::compare(Variant("10"), Variant(9)), 1);
}

TEST_F(VariantTest, OleDates) {
    EXPECT_EQ(OleDateToDateTime(2.25), QDateTime(QDate(1900, 1, 1), QTime(6, 0)));
    EXPECT_EQ(OleDateToDateTime(-1.5), QDateTime(QDate(1899, 12, 29), QTime(12, 0)));
    EXPECT_DOUBLE_EQ(DateTimeToOleDate(QDateTime(QDate(1900, 1, 1), QTime(6, 0))), 2.25);
    EXPECT_DOUBLE_EQ(DateTimeToOleDate(OleDateToDateTime(-1.5)), -1.5);
    EXPECT_EQ(Variant::dateTime(2.0).toString(), "1/1/00");
}
