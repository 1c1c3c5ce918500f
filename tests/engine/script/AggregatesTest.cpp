#include "engine/script/Aggregates.h"

#include "engine/build/TvlEngine.h"
#include "engine/script/FunctionLibrary.h"
#include "engine/script/TvlParser.h"

#include <gtest/gtest.h>

using namespace vl;

namespace {

class FakeBand : public AggregateHost {
public:
    FakeBand(std::string name, TvlBandType type) : name_(std::move(name)), type_(type) {}
    std::string bandName() const override { return name_; }
    TvlBandType totalsBandType() const override { return type_; }
    bool hasCrossObjects() const override { return cross; }
    bool rowVisible() const override { return visible; }
    int crossColumn() const override { return column; }

    bool cross = false, visible = true;
    int column = 0;

private:
    std::string name_;
    TvlBandType type_;
};

// Drives registration, rows, reading and reset as the band engine will.
class AggregatesTest : public ::testing::Test {
protected:
    void SetUp() override {
        TvlParser& p = Globals().globalParser();
        p.OnGetValue = [this](std::string_view name, Variant& value) {
            if (name == "Price") {
                ++priceLookups;
                value = price;
            }
        };
        p.OnCallFunction = [](std::string_view name, const Variant& p1, const Variant& p2,
                              const Variant& p3, Variant& val) {
            CallFunctionLibraries(Globals().functionLibraries(), name, p1, p2, p3, val);
        };
    }
    void TearDown() override {
        Globals().globalParser().OnGetValue = nullptr;
        Globals().globalParser().OnCallFunction = nullptr;
        context() = AggregateContext();
    }

    static AggregateContext& context() { return Globals().aggregateContext(); }

    Variant registerOn(AggregateHost& shownOn, AggregateHost& data, const std::string& call) {
        context() = {true, &data, &shownOn};
        const Variant v = Globals().globalParser().EvalPostfix(call);
        context() = {};
        return v;
    }
    void row(AggregateHost& data, Variant value) {
        price = std::move(value);
        AccumulateAggregates(data, Globals().globalParser());
    }
    Variant read(AggregateHost& shownOn, const std::string& call) {
        context().CurrentBand = &shownOn;
        return Globals().globalParser().Evaluate(call);
    }

    FakeBand data{"MasterData1", btMasterData};
    FakeBand group{"GroupFooter1", btGroupFooter};
    FakeBand summary{"ReportSummary1", btReportSummary};
    FakeBand header{"PageHeader1", btPageHeader};
    Variant price;
    int priceLookups = 0;
};

} // namespace

TEST(AggregateKeyTest, TextAndParse) {
    const AggregateKey key{"0", "Footer1", AggregateKind::Max, "[A]\x01[B]", " 1"};
    const std::string text = key.text();
    EXPECT_EQ(text, std::string("0\x01"
                                "Footer1\x01\x0d\x01[A]\x01[B]\x01 1\x01"));
    const auto back = AggregateKey::parse(text);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->column, "0");
    EXPECT_EQ(back->band, "Footer1");
    EXPECT_EQ(back->kind, AggregateKind::Max);
    EXPECT_EQ(back->expression, "[A]\x01[B]");
    EXPECT_EQ(back->flag, " 1");
    EXPECT_FALSE(AggregateKey::parse("plain name"));
    EXPECT_FALSE(AggregateKey::parse("\x01\x01"));
}

TEST_F(AggregatesTest, FooterTotalsTheMasterDataWithoutABandName) {
    EXPECT_TRUE(registerOn(group, data, "SUM([Price])").identical(Variant("0")));
    EXPECT_EQ(group.AggregateBand, &data);
    EXPECT_EQ(data.AggregateValues.Count(), 1);
    registerOn(header, data, "SUM([Price])");
    EXPECT_EQ(header.AggregateBand, nullptr);
    EXPECT_EQ(data.AggregateValues.Count(), 1);
    registerOn(header, data, "SUM([Price], MasterData1)");
    EXPECT_EQ(header.AggregateBand, &data);
    registerOn(summary, data, "SUM([Price], OtherData)");
    EXPECT_EQ(summary.AggregateBand, nullptr);

    row(data, Variant(2));
    row(data, Variant(3.5));
    row(data, Variant());
    EXPECT_TRUE(read(group, "SUM([Price])").identical(Variant(5.5)));
    EXPECT_TRUE(read(header, "SUM([Price], MasterData1)").identical(Variant(5.5)));
    // not registered: "0" without an AggregateBand, Null with one
    EXPECT_TRUE(read(summary, "SUM([Price])").identical(Variant("0")));
    EXPECT_TRUE(read(group, "MAX([Price])").isNull());
}

TEST_F(AggregatesTest, MinMaxStartingValues) {
    registerOn(group, data, "MIN([Price])");
    registerOn(group, data, "MAX([Price])");
    row(data, Variant(2e300));
    row(data, Variant(3e300));
    EXPECT_TRUE(read(group, "MIN([Price])").identical(Variant(1e300)));
    ResetAggregates(group);
    row(data, Variant(-5));
    row(data, Variant(-1));
    EXPECT_TRUE(read(group, "MAX([Price])").identical(Variant(0)));
    EXPECT_TRUE(read(group, "MIN([Price])").identical(Variant(-5)));
}

TEST_F(AggregatesTest, AverageAndInvisibleRows) {
    registerOn(group, data, "AVG([Price])");
    registerOn(group, data, "AVG([Price], , 1)");
    registerOn(group, data, "COUNT()");
    registerOn(group, data, "COUNT(MasterData1, 1)");
    EXPECT_TRUE(read(group, "AVG([Price])").identical(Variant(0)));
    row(data, Variant(4));
    data.visible = false;
    row(data, Variant(8));
    EXPECT_TRUE(read(group, "AVG([Price])").identical(Variant(2.0)));
    EXPECT_TRUE(read(group, "AVG([Price], , 1)").identical(Variant(6.0)));
    EXPECT_TRUE(read(group, "COUNT()").identical(Variant(1)));
    EXPECT_TRUE(read(group, "COUNT(MasterData1, 1)").identical(Variant(2)));
}

TEST_F(AggregatesTest, OneEvaluationPerRowForOneExpression) {
    registerOn(group, data, "SUM([Price])");
    registerOn(group, data, "MAX([Price])");
    registerOn(summary, data, "SUM([Price])");
    priceLookups = 0;
    row(data, Variant(1));
    EXPECT_EQ(priceLookups, 1);
}

TEST_F(AggregatesTest, ResetRestartsOnlyThatFootersTotals) {
    registerOn(group, data, "SUM([Price])");
    registerOn(summary, data, "SUM([Price])");
    row(data, Variant(1));
    row(data, Variant(2));
    EXPECT_TRUE(read(group, "SUM([Price])").identical(Variant(3)));
    ResetAggregates(group);
    EXPECT_EQ(data.AggregateRowCount, 0);
    row(data, Variant(10));
    EXPECT_TRUE(read(group, "SUM([Price])").identical(Variant(10)));
    EXPECT_TRUE(read(summary, "SUM([Price])").identical(Variant(13)));
    ResetAggregates(header); // no AggregateBand: nothing happens
}

TEST_F(AggregatesTest, CrossColumnsKeepTheirOwnTotals) {
    FakeBand footer("MasterFooter1", btMasterFooter);
    footer.cross = true;
    data.cross = true;
    FakeBand cell("CrossData1", btCrossData);
    registerOn(footer, data, "SUM([Price])");
    ASSERT_EQ(data.AggregateValues.Count(), 1);
    EXPECT_EQ(AggregateKey::parse(data.AggregateValues.GetName(0))->column, "0");
    for (int column = 1; column <= 2; ++column) {
        data.column = column;
        row(data, Variant(column * 10));
    }
    data.column = 1;
    row(data, Variant(5));
    cell.AggregateBand = &footer;
    cell.column = 1;
    EXPECT_TRUE(read(cell, "SUM([Price])").identical(Variant(15)));
    cell.column = 2;
    EXPECT_TRUE(read(cell, "SUM([Price])").identical(Variant(20)));
    cell.column = 3;
    EXPECT_TRUE(read(cell, "SUM([Price])").isNull());
    ResetAggregates(footer);
    cell.column = 1;
    EXPECT_TRUE(read(cell, "SUM([Price])").identical(Variant(0)));
}
