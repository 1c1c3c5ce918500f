#include "ViewTestSupport.h"
#include "engine/model/ModelContext.h"
#include "engine/model/ObjectFactory.h"
#include "engine/model/TvlControl.h"
#include "engine/model/TvlLineView.h"
#include "engine/model/TvlPictureView.h"
#include "engine/model/TvlSubReportView.h"
#include "engine/script/Errors.h"
#include "tests/support/ThreadEngine.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace vl;
using namespace vl::test;

namespace {

std::vector<std::string> Names(const TvlObject& o) {
    std::vector<std::string> names;
    for (const auto& p : o.properties())
        names.push_back(p->name);
    return names;
}

bool Has(const TvlObject& o, const char* name) {
    return o.FindProperty(name) != nullptr;
}

} // namespace

TEST(ViewProperties, RoundTripByNameIgnoringCase) {
    TvlView v;
    const std::vector<std::pair<const char*, Variant>> values = {
        {"Name", "Memo7"},     {"left", 12},
        {"TOP", 34},           {"Width", 56},
        {"height", 78},        {"Flags", 0x2001},
        {"FrameTyp", 15},      {"FrameWidth", 1.5},
        {"FrameColor", 0xFF},  {"FrameStyle", psDouble},
        {"FillColor", clNone}, {"Tag", "[Page#]"},
        {"BandAlign", baRest}, {"Visible", false},
        {"GapX", 4},           {"gapy", 3},
    };
    for (const auto& [name, value] : values)
        v.SetProperty(name, value);
    for (const auto& [name, value] : values)
        EXPECT_TRUE(v.GetProperty(UpperName(name)).identical(value))
            << name << " gave " << v.GetProperty(name).toString();
    EXPECT_EQ(v.Flags, 0x2001);
    EXPECT_TRUE(v.GetProperty("NoSuchThing").isNull());
    v.SetProperty("NoSuchThing", 5); // ignored
}

TEST(ViewProperties, MemoStretchedAndDataField) {
    TvlView v;
    v.SetProperty("Memo", "one\r\ntwo\nthree\r\n");
    EXPECT_EQ(v.Memo, (StringList{"one", "two", "three"}));
    EXPECT_EQ(v.GetProperty("Memo").toString(), "one\r\ntwo\r\nthree");
    EXPECT_EQ(v.GetProperty("Memo.Count").toInt(), 3);
    EXPECT_EQ(v.GetProperty("DATAFIELD").toString(), "one");
    v.SetProperty("DataField", "Customers.Name");
    EXPECT_EQ(v.Memo, (StringList{"Customers.Name"}));
    v.Memo.clear();
    EXPECT_EQ(v.GetProperty("DataField").toString(), "");

    v.Flags = 0x0F0;
    v.SetProperty("STRETCHED", true);
    EXPECT_EQ(v.Flags, 0x0F1);
    v.SetProperty("Stretched", false);
    EXPECT_EQ(v.Flags, 0x0F0);
    EXPECT_TRUE(v.GetProperty("Restrictions").isNull());
}

TEST(ViewProperties, ConversionErrorsNameThePropertyAndTheValue) {
    TvlView v;
    try {
        v.SetProperty("Left", "abc");
        FAIL() << "no error";
    } catch (const ConversionError& e) {
        const std::string what = e.what();
        EXPECT_NE(what.find("Left"), std::string::npos) << what;
        EXPECT_NE(what.find("abc"), std::string::npos) << what;
    }
    EXPECT_THROW(v.SetProperty("Visible", "maybe"), ConversionError);
    EXPECT_EQ(v.Left, 0);
}

TEST(ViewProperties, FontSubProperties) {
    TvlFont font;
    EXPECT_TRUE(TvlObject::SetFontProperty(font, "font.name", "Courier New"));
    EXPECT_TRUE(TvlObject::SetFontProperty(font, "FONT.SIZE", 12));
    EXPECT_TRUE(TvlObject::SetFontProperty(font, "Font.Style", 2 + 4));
    EXPECT_TRUE(TvlObject::SetFontProperty(font, "Font.Color", 0x0000FF));
    EXPECT_FALSE(TvlObject::SetFontProperty(font, "Font.Weight", 1));
    EXPECT_EQ(font.name, "Courier New");
    EXPECT_EQ(TvlObject::GetFontProperty(font, "font.size")->toInt(), 12);
    EXPECT_EQ(TvlObject::GetFontProperty(font, "FONT.STYLE")->toInt(), 6);
    EXPECT_EQ(TvlObject::GetFontProperty(font, "FONT.COLOR")->toInt(), 0xFF);
    EXPECT_FALSE(TvlObject::GetFontProperty(font, "FONT.WEIGHT").has_value());
}

TEST(ViewMethods, ListMethodsAndVisibility) {
    ViewStateGuard guard;
    FakeHost host;
    host.values["2+1"] = 3;
    ViewState().host = &host;
    TvlView v;
    v.CallMethod("MEMO.ADD", "first", {}, {});
    v.CallMethod("MEMO.ADD", "2+1", {}, {});
    EXPECT_EQ(v.Memo, (StringList{"first", "3"}));
    EXPECT_EQ(v.CallMethod("MEMO.INDEXOF", "FIRST", {}, {}).toInt(), 0);
    EXPECT_EQ(v.CallMethod("MEMO.INDEXOF", "absent", {}, {}).toInt(), -1);
    v.CallMethod("SETINDEXPROPERTY", "MEMO", 1, "three");
    EXPECT_EQ(v.CallMethod("GETINDEXPROPERTY", "MEMO", 1, {}).toString(), "three");
    EXPECT_TRUE(v.CallMethod("GETINDEXPROPERTY", "LINES", 1, {}).isNull());
    EXPECT_THROW(v.CallMethod("GETINDEXPROPERTY", "MEMO", 9, {}), VlError);
    EXPECT_THROW(v.CallMethod("MEMO.DELETE", "5", {}, {}), VlError);
    v.CallMethod("MEMO.DELETE", "0", {}, {});
    EXPECT_EQ(v.Memo, (StringList{"three"}));
    v.CallMethod("MEMO.CLEAR", {}, {}, {});
    EXPECT_TRUE(v.Memo.empty());
    v.CallMethod("HIDE", {}, {}, {});
    EXPECT_FALSE(v.Visible);
    v.CallMethod("SHOW", {}, {}, {});
    EXPECT_TRUE(v.Visible);
    EXPECT_TRUE(v.CallMethod("hide", {}, {}, {}).isNull());
    EXPECT_TRUE(v.Visible); // method names are compared exactly
}

TEST(ViewNames, MakeUniqueNameTakesTheFirstFreeNumber) {
    ViewStateGuard guard;
    FakePage page;
    FakeHost host;
    host.pages.push_back(&page);
    ViewState().host = &host;
    page.add(0, 0, 10, 10).Name = "Memo1";
    page.add(0, 0, 10, 10).Name = "memo2";
    TvlView v;
    v.BaseName = "Memo";
    v.MakeUniqueName();
    EXPECT_EQ(v.Name, "Memo3");
    // A report in which every candidate is taken.
    struct FullHost : FakeHost {
        mutable int asked = 0;
        mutable TvlView taken;
        TvlView* findObject(std::string_view) const override {
            ++asked;
            return &taken;
        }
    } full;
    ViewState().host = &full;
    v.MakeUniqueName();
    EXPECT_EQ(v.Name, "");
    EXPECT_EQ(full.asked, 10000);
}

TEST(ViewRegistration, CommonListInOrder) {
    TvlView v;
    v.RegisterProperties();
    EXPECT_EQ(Names(v), (std::vector<std::string>{
                            "Name", "Left", "Top", "Width", "Height", "Flags", "FrameTyp",
                            "FrameWidth", "FrameColor", "FrameStyle", "FillColor", "Tag",
                            "BandAlign", "Visible", "Memo", "Memo.Count", "Restrictions"}));
    const TvlPropRec* style = v.FindProperty("framestyle");
    ASSERT_NE(style, nullptr);
    EXPECT_EQ(style->propType, pkEnum);
    ASSERT_TRUE(style->enumNames);
    EXPECT_EQ(style->enumNames->at(5), "psDouble");
    EXPECT_EQ(style->enumValues.at(5).toInt(), 5);
    EXPECT_EQ(v.FindProperty("Name")->propType, pkText | pkSingle);
    EXPECT_EQ(v.FindProperty("FrameWidth")->propType, pkSize | pkFloat);
    v.RegisterProperties(); // rebuilt, not appended
    EXPECT_EQ(v.properties().size(), 17u);
}

TEST(ViewRegistration, ClassSpecificLists) {
    TvlSubReportView sub;
    sub.RegisterProperties();
    EXPECT_FALSE(Has(sub, "FrameTyp"));
    EXPECT_FALSE(Has(sub, "FillColor"));
    EXPECT_FALSE(Has(sub, "BandAlign"));
    EXPECT_TRUE(Has(sub, "Memo"));

    TvlLineView line;
    line.RegisterProperties();
    EXPECT_EQ(Names(line).back(), "Stretched");
    EXPECT_TRUE(Has(line, "FrameStyle"));

    TvlPictureView pic;
    pic.RegisterProperties();
    const auto names = Names(pic);
    EXPECT_EQ(std::vector<std::string>(names.end() - 6, names.end()),
              (std::vector<std::string>{"Picture", "Stretched", "Center", "KeepAspect", "DataField",
                                        "BlobType"}));
    EXPECT_EQ(pic.FindProperty("DataField")->propType, pkText | pkEditor | pkSingle);
}

TEST(BandRegistration, OffersDependOnTheBandType) {
    ViewStateGuard guard;
    FakePage page;
    ViewState().designerPage = &page;
    auto& child = page.add<TvlBandView>(0, 0, 10, 10);
    child.FrameTyp = 21;
    child.Name = "Child1";
    auto& data = page.add<TvlBandView>(0, 0, 10, 10);
    data.FrameTyp = 5;
    data.Name = "MasterData1";
    auto& group = page.add<TvlBandView>(0, 0, 10, 10);
    group.FrameTyp = 16;
    group.Name = "GroupHeader1";

    group.RegisterProperties();
    for (const char* n : {"Condition", "Master", "FormNewPage", "Breaked", "RepeatHeader",
                          "ChildBand", "PrintChildIfInvisible", "OnBeforePrint", "EOF"})
        EXPECT_TRUE(Has(group, n)) << n;
    for (const char* n : {"Columns", "OnFirstPage", "FrameTyp", "Tag", "Memo"})
        EXPECT_FALSE(Has(group, n)) << n;
    EXPECT_EQ(*group.FindProperty("Master")->enumNames, StringList{"MasterData1"});
    EXPECT_EQ(*group.FindProperty("ChildBand")->enumNames, StringList{"Child1"});

    TvlBandView footer;
    footer.FrameTyp = 3;
    footer.RegisterProperties();
    EXPECT_FALSE(Has(footer, "ChildBand"));
    EXPECT_FALSE(Has(footer, "PrintChildIfInvisible"));
    EXPECT_TRUE(Has(footer, "OnFirstPage"));
    EXPECT_TRUE(Has(footer, "OnLastPage"));

    data.RegisterProperties();
    const auto names = Names(data);
    const auto at = [&](const char* n) { return std::find(names.begin(), names.end(), n); };
    EXPECT_LT(at("Columns"), at("ColumnWidth"));
    EXPECT_LT(at("ColumnGap"), at("DataSource"));
    EXPECT_TRUE(Has(data, "PrintIfSubsetEmpty"));
    EXPECT_EQ(*data.FindProperty("ChildBand")->enumNames, StringList{"Child1"});
}

TEST(BandProperties, FlagsByNameAndRuntimeBand) {
    ViewStateGuard guard;
    struct Band : TvlRuntimeBand {
        int l = 1, t = 2, w = 3, h = 4, nexts = 0;
        bool vis = true, brk = false, src = true;
        std::string cond, child, bound;
        int bandType() const override { return 5; }
        int left() const override { return l; }
        int top() const override { return t; }
        int width() const override { return w; }
        int height() const override { return h; }
        void setLeft(int v) override { l = v; }
        void setTop(int v) override { t = v; }
        void setWidth(int v) override { w = v; }
        void setHeight(int v) override { h = v; }
        bool visible() const override { return vis; }
        void setVisible(bool v) override { vis = v; }
        bool pageBreak() const override { return brk; }
        void setPageBreak(bool v) override { brk = v; }
        void setGroupCondition(const std::string& c) override { cond = c; }
        void setChildBand(std::string_view n) override { child = n; }
        void bindDataSource(std::string_view n) override { bound = n; }
        bool hasDataSource() const override { return src; }
        bool dataSourceEof() const override { return false; }
        void dataSourceFirst() override {}
        void dataSourceNext() override { ++nexts; }
        void dataSourcePrior() override {}
    } band;
    TvlBandView v;
    EXPECT_EQ(v.Flags, 0x30);
    v.SetProperty("FormNewPage", true);
    v.SetProperty("ONFIRSTPAGE", false);
    EXPECT_EQ(v.Flags, 0x22);
    EXPECT_TRUE(v.GetProperty("EOF").toBool()); // no runtime band: nothing to read
    v.ParentBand = &band;
    v.SetProperty("Top", 50); // design mode: the view only
    EXPECT_EQ(band.t, 2);
    ViewState().building = true;
    v.SetProperty("Top", 60);
    v.SetProperty("Breaked", true);
    v.SetProperty("Condition", "[Cat]");
    v.SetProperty("ChildBand", "Child1");
    v.SetProperty("DataSource", "Orders");
    EXPECT_EQ(band.t, 60);
    EXPECT_TRUE(band.brk);
    EXPECT_EQ(band.cond, "[Cat]");
    EXPECT_EQ(band.child, "Child1");
    EXPECT_EQ(band.bound, "Orders");
    band.w = 777;
    EXPECT_EQ(v.GetProperty("Width").toInt(), 777);
    EXPECT_FALSE(v.GetProperty("EOF").toBool());
    v.CallMethod("NEXT", {}, {}, {});
    EXPECT_EQ(band.nexts, 1);
    v.SetProperty("OnBeforePrint", "a\r\nb");
    EXPECT_EQ(v.Memo.size(), 2u);
}

TEST(PictureProperties, FlagsAndHandles) {
    TvlPictureView a, b;
    EXPECT_EQ(a.Flags, 5);
    a.SetProperty("Center", true);
    a.SetProperty("KEEPASPECT", false);
    a.SetProperty("BlobType", btJPG);
    EXPECT_EQ(a.Flags, 3);
    EXPECT_EQ(a.GetProperty("blobtype").toInt(), btJPG);
    auto g = std::make_unique<TvlBitmapGraphic>();
    g->setImage(QImage(4, 3, QImage::Format_RGB32));
    a.Picture.setGraphic(std::move(g));
    b.SetProperty("Picture", a.GetProperty("Picture"));
    ASSERT_FALSE(b.Picture.empty());
    EXPECT_EQ(b.Picture.graphic()->size(), QSize(4, 3));
    // A number that names no living holder is ignored.
    TvlPictureView c;
    c.SetProperty("Picture", 0x7FFFFFF0);
    EXPECT_TRUE(c.Picture.empty());
}

TEST(ObjectCreation, TypeCodesAddInsAndSequence) {
    ViewStateGuard guard;
    EXPECT_EQ(CreateObject(ModelGlobals(), 7), nullptr);
    EXPECT_EQ(CreateObject(ModelGlobals(), 255), nullptr);
    auto band = CreateObject(ModelGlobals(), otBand);
    auto line = CreateObject(ModelGlobals(), otLine);
    ASSERT_TRUE(band && line);
    EXPECT_EQ(band->className(), "TvlBandView");
    EXPECT_EQ(line->ID, band->ID + 1);
    EXPECT_EQ(CreateObject(ModelGlobals(), otPicture)->Typ, otPicture);
    EXPECT_EQ(CreateObject(ModelGlobals(), otSubReport)->BaseName, "SubReport");

    try {
        CreateObject(ModelGlobals(), otAddIn, "TvlChartView");
        FAIL();
    } catch (const ClassNotFoundError& e) {
        EXPECT_STREQ(e.what(), "TvlChartView\r");
    }
    EXPECT_THROW(CreateObject(ModelGlobals(), otAddIn, "TvlGauge"), ClassNotFoundError);
    EXPECT_TRUE(ViewState().errorFlag);
    EXPECT_EQ(ViewState().errorText, "TvlChartView\rTvlGauge\r");
    EXPECT_EQ(NonPluggedComponentsText(ViewState().errorText),
              "Report contains the following non-plugged components:\rTvlChartView\rTvlGauge\r"
              "You must include these components into your project.");

    TvlAddInEntry entry;
    entry.className = "TvlGauge";
    entry.create = [] { return std::make_unique<TvlView>(); };
    ASSERT_TRUE(ViewState().addIns.add(entry));
    EXPECT_FALSE(ViewState().addIns.add(entry));
    EXPECT_NE(CreateObject(ModelGlobals(), otAddIn, "TvlGauge"), nullptr);
    EXPECT_THROW(CreateObject(ModelGlobals(), otAddIn, "TVLGAUGE"), ClassNotFoundError);
}

TEST(ObjectErrors, CalculationErrorText) {
    ViewStateGuard guard;
    TvlView v;
    v.Name = "Memo4";
    v.Memo = {"[Price]", "x"};
    ViewState().currentView = &v;
    SetCalculationError(ViewState(), "Division failed", "Report1");
    EXPECT_TRUE(ViewState().errorFlag);
    EXPECT_EQ(ViewState().errorText, "An error occured during calculating\r[Price]\rx\r\r"
                                     "Report: Report1\rObject: Memo4\r\rDivision failed");
    ViewState().currentView = nullptr;
    SetCalculationError(ViewState(), "E", "R");
    EXPECT_EQ(ViewState().errorText, "An error occured during calculating\r\rReport: R\r\rE");
}

TEST(ViewText, ExpandTextHonoursNestingAndQuotes) {
    ViewStateGuard guard;
    FakeHost host;
    host.values["A"] = 1;
    host.values["B[1]"] = 2;
    host.values["'q]'"] = "[A]";
    ViewState().host = &host;
    TvlView v;
    // Inserted values are not expanded again; an unclosed bracket stays.
    EXPECT_EQ(v.ExpandText("x [A] y [B[1]] z ['q]'] [open"), "x 1 y 2 z [A] [open");
    EXPECT_EQ(v.ExpandText("no brackets"), "no brackets");
    ViewState().host = nullptr;
    EXPECT_THROW(v.ExpandText("[A]"), VlError);
}

TEST(ControlView, PropertiesVisibilityAndNames) {
    ViewStateGuard guard;
    struct Wrapped : TvlWrappedControl {
        bool visible = true;
        QRect bounds;
        void setVisible(bool v) override { visible = v; }
        void setBounds(int l, int t, int w, int h) override { bounds = QRect(l, t, w, h); }
        void paint(QPainter& p, QSize s) override { p.fillRect(QRect(QPoint(), s), Qt::red); }
        bool formHasComponent(std::string_view n) const override { return n == "Edit1"; }
    } wrapped;
    TvlControl c;
    c.Control = &wrapped;
    c.BaseName = "Edit";
    EXPECT_EQ(c.FillColor, clBtnFace);
    EXPECT_EQ(c.Typ, otAddIn);
    c.RegisterProperties();
    EXPECT_EQ(Names(c), (std::vector<std::string>{"Name", "Left", "Top", "Width", "Height",
                                                  "Visible", "Restrictions"}));
    c.SetProperty("Visible", false);
    EXPECT_FALSE(wrapped.visible);
    c.SetProperty("Left", 7);
    EXPECT_EQ(wrapped.bounds.left(), 7);
    c.MakeUniqueName();
    EXPECT_EQ(c.Name, "Edit2");
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    c.SetBounds(5, 5, 10, 10);
    c.Draw(TvlDrawContext::at(&painter, rmDesign));
    EXPECT_EQ(image.pixel(10, 10), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(20, 20), qRgb(255, 255, 255));
    EXPECT_EQ(wrapped.bounds, QRect(5, 5, 10, 10));
}
