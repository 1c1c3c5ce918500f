#include "engine/build/TvlEngine.h"
#include "engine/build/TvlReport.h"
#include "engine/model/ModelContext.h"
#include "engine/model/ObjectFactory.h"
#include "engine/model/TvlBandView.h"
#include "engine/model/TvlLineView.h"
#include "engine/model/TvlPictureView.h"
#include "engine/model/TvlSubReportView.h"
#include "engine/script/CodePage.h"
#include "engine/script/UiService.h"
#include "tests/engine/model/ViewTestSupport.h"
#include "tests/support/TemplateBuilder.h"
#include "tests/support/ThreadEngine.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vl;
using vltest::TemplateBuilder;

namespace {

using Page = TemplateBuilder::Page;
using View = TemplateBuilder::View;
using Info = TemplateBuilder::Info;

const std::string kUnsupported = "Unsupported VLF format";

class TemplateStreamTest : public ::testing::Test {
protected:
    test::ViewStateGuard guard;
    TvlReport report;

    void load(const TemplateBuilder& b) {
        MemoryStream s = b.stream();
        report.LoadFromStream(s);
    }
    std::string loadError(const TemplateBuilder& b) {
        try {
            load(b);
        } catch (const VlError& e) {
            return e.what();
        }
        return "(no error)";
    }
    TvlPage& page(int i) { return report.Pages()[i]; }
    TvlView& object(int p, int i) { return *page(p).Objects.at(static_cast<std::size_t>(i)); }
    // One band on page 0, the frame closed.
    static void addBand(TemplateBuilder& b, const std::string& name, int pageIndex = 0) {
        View v;
        v.name = name;
        v.frameTyp = 5;
        b.beginFrame(otBand, pageIndex).view(v).bandFields("", 1, "").endFrame();
    }
    // A report with some content, for the tests that need one to be kept
    // or replaced.
    void fillReport() {
        report.Pages().Add().AddObject(std::make_unique<TvlLineView>()).Name = "Keep1";
        report.Info.Name = "kept";
        report.Dictionary().Variables.SetVariable("V", Variant("1"));
    }
};

std::vector<std::uint8_t> saved(TvlReport& report) {
    MemoryStream m;
    report.SaveToStream(m);
    return m.data();
}

} // namespace

TEST_F(TemplateStreamTest, Version25ReadsEveryPartOfTheStream) {
    TemplateBuilder b(25);
    b.header(true, true);
    Page p1;
    p1.paperSize = 9;
    p1.margins[0] = 40;
    p1.columns = 2;
    p1.columnGap = 12;
    p1.script = {"begin", "end"};
    b.page(p1);
    Page p2;
    p2.type = 1;
    p2.name = "Dialog";
    p2.borderStyle = 1;
    p2.position = 7;
    b.page(p2);
    View band;
    band.name = "MasterData1";
    band.minor = 1;
    band.frameTyp = 5;
    band.formatStr = "Tasks";
    band.script = {"x := 1"};
    band.restrictions = 40;
    band.tag = "t";
    band.bandAlign = 3;
    b.beginFrame(otBand, 0).view(band).bandFields("Child1", 3, "Master1").endFrame();
    View line;
    line.name = "Line1";
    line.frameTyp = 8;
    b.beginFrame(otLine, 1).view(line).endFrame();
    View picture;
    picture.name = "Picture1";
    b.beginFrame(otPicture, 0).view(picture).pictureFields(0, 2, {}).endFrame();
    b.dictionary({{" Cat", ""}, {"Var", "Tasks.\"Name\""}});
    b.u8(252);
    Info info;
    info.name = "Tasks";
    info.author = "Me";
    info.passwordHex = "616263";
    info.generator = 77;
    b.trailer(info);

    load(b);
    EXPECT_TRUE(report.PrintToDefault);
    EXPECT_TRUE(report.TwoPass);
    EXPECT_EQ(report.PrinterName, "Virtual printer");
    ASSERT_EQ(report.Pages().Count(), 2);
    EXPECT_EQ(page(0).Name, "Page1");
    EXPECT_EQ(page(0).LeftMargin, 40);
    EXPECT_EQ(page(0).Columns, 2);
    EXPECT_EQ(page(0).ColumnGap, 12);
    EXPECT_EQ(page(0).PaperWidth, 2100);
    EXPECT_EQ(page(0).PaperBin, TvlPage::kDefaultBin);
    EXPECT_EQ(page(0).Script, (StringList{"begin", "end"}));
    EXPECT_EQ(page(1).PageType, ptDialog);
    EXPECT_EQ(page(1).Name, "Dialog");
    EXPECT_EQ(page(1).Dialog.BorderStyle, TvlDialogForm::bsSizeable);
    EXPECT_EQ(page(1).Dialog.Position, TvlDialogForm::poScreenCenter);
    EXPECT_EQ(page(1).Dialog.Color, 0x00FF00);

    ASSERT_EQ(page(0).Objects.size(), 2u);
    ASSERT_EQ(page(1).Objects.size(), 1u);
    auto& bandView = dynamic_cast<TvlBandView&>(object(0, 0));
    EXPECT_EQ(bandView.Name, "MasterData1");
    EXPECT_EQ(bandView.FormatStr, "Tasks");
    EXPECT_EQ(bandView.ChildBand, "Child1");
    EXPECT_EQ(bandView.Master, "Master1");
    EXPECT_EQ(bandView.Columns, 3);
    EXPECT_EQ(bandView.Restrictions, 40);
    EXPECT_EQ(bandView.BandAlign, baCenter);
    EXPECT_EQ(dynamic_cast<TvlPictureView&>(object(0, 1)).BlobType, 2);
    EXPECT_EQ(object(1, 0).Name, "Line1");

    EXPECT_EQ(report.Dictionary().Variables.Count(), 2);
    EXPECT_EQ(report.Info.Name, "Tasks");
    EXPECT_EQ(report.Info.Author, "Me");
    EXPECT_EQ(report.Info.Password, "abc");
    EXPECT_EQ(report.Info.GeneratorVersion, 77);
    EXPECT_DOUBLE_EQ(report.Info.Created, 45000.25);
    EXPECT_DOUBLE_EQ(report.Info.LastChange, 45001.5);
}

TEST_F(TemplateStreamTest, Version24RecordsOfVersionOneHaveNoAlignmentOrBlobType) {
    TemplateBuilder b(24);
    b.header();
    b.page(Page{});
    View v;
    v.name = "Picture1";
    v.major = 1;
    v.bandAlign = 5; // not written for record version 1
    b.beginFrame(otPicture, 0).view(v).pictureFields(0, -1, {}).endFrame();
    addBand(b, "Band7");
    b.u8(252);
    load(b);
    ASSERT_EQ(page(0).Objects.size(), 2u);
    EXPECT_EQ(object(0, 0).BandAlign, baNone);
    EXPECT_EQ(dynamic_cast<TvlPictureView&>(object(0, 0)).BlobType, btBMP);
    EXPECT_EQ(object(0, 1).Name, "Band7");
}

TEST_F(TemplateStreamTest, Version23PagesWithoutMarkerAndFramesWithoutEnds) {
    TemplateBuilder b(23);
    b.header();
    Page old;
    old.marker = false;
    old.paperSize = 11; // A5
    old.width = 1480;
    old.height = 2100;
    b.page(old);
    b.page(Page{});
    View v;
    v.name = "Line9";
    b.beginFrame(otLine, 1).view(v);
    b.beginFrame(7, 0); // no class: nothing follows, reading goes on
    addBand(b, "Band3");
    b.u8(252);
    load(b);
    ASSERT_EQ(report.Pages().Count(), 2);
    EXPECT_EQ(page(0).PaperSize, 11);
    EXPECT_TRUE(page(0).Script.empty());
    EXPECT_EQ(page(0).Name, "Page1");
    EXPECT_EQ(page(1).Name, "Page2");
    EXPECT_EQ(page(0).PageType, ptReport);
    EXPECT_EQ(page(0).Dialog.Caption, "Form");
    EXPECT_EQ(page(0).Dialog.Width, 380);
    EXPECT_EQ(page(0).PaperBin, TvlPage::kDefaultBin);
    ASSERT_EQ(page(1).Objects.size(), 1u);
    EXPECT_EQ(object(1, 0).Name, "Line9");
    EXPECT_EQ(object(1, 0).VersionMajor, 0);
    ASSERT_EQ(page(0).Objects.size(), 1u);
    EXPECT_EQ(object(0, 0).Name, "Band3");
}

TEST_F(TemplateStreamTest, Version22UsesLegacyStringsAndGeneratedNames) {
    TemplateBuilder b(22);
    b.header(false, false, "Some printer");
    Page p;
    p.script = {"a", "", "b"};
    b.page(p);
    View band;
    band.frameTyp = 5;
    band.formatStr = "Contacts";
    band.memo = {"m1", "m2"};
    band.script = {"ignored"}; // not in the stream below version 23
    b.beginFrame(otBand, 0).view(band);
    b.beginFrame(otBand, 0).view(band);
    b.u8(252);
    load(b);
    EXPECT_EQ(report.PrinterName, "Some printer");
    EXPECT_EQ(page(0).Script, (StringList{"a", "", "b"}));
    ASSERT_EQ(page(0).Objects.size(), 2u);
    EXPECT_EQ(object(0, 0).Name, "Band1");
    EXPECT_EQ(object(0, 1).Name, "Band2");
    EXPECT_EQ(object(0, 1).FormatStr, "Contacts");
    EXPECT_EQ(object(0, 1).Memo, (StringList{"m1", "m2"}));
    EXPECT_TRUE(object(0, 1).Script.empty());
}

TEST_F(TemplateStreamTest, AFirstByteOfZeroIsAVersion21StreamWithoutVersionByte) {
    TemplateBuilder b(21);
    b.u16(0).u16(0xFFFF).str("\x01"); // no version byte: print-to-default 0 starts it
    b.page(Page{});
    View line;
    line.frameTyp = 4;
    b.beginFrame(otLine, 0).view(line);
    b.u8(252);
    load(b);
    EXPECT_TRUE(report.TwoPass);
    ASSERT_EQ(report.Pages().Count(), 1);
    ASSERT_EQ(page(0).Objects.size(), 1u);
    EXPECT_EQ(object(0, 0).Name, "Line1");
    EXPECT_EQ(object(0, 0).FrameTyp, 4);
}

TEST_F(TemplateStreamTest, RefusedAndEmptyStreamsKeepTheTemplate) {
    fillReport();
    MemoryStream empty;
    report.LoadFromStream(empty);
    EXPECT_EQ(report.Pages().Count(), 1);
    EXPECT_EQ(report.Info.Name, "kept");
    EXPECT_EQ(report.Dictionary().Variables.Count(), 0);

    report.Dictionary().Variables.SetVariable("V", Variant("1"));
    TemplateBuilder b(26);
    b.header().page(Page{}).u8(252);
    EXPECT_EQ(loadError(b), kUnsupported);
    EXPECT_EQ(report.Pages().Count(), 1);
    EXPECT_EQ(object(0, 0).Name, "Keep1");
    EXPECT_EQ(report.Info.Name, "kept");
    EXPECT_EQ(report.Dictionary().Variables.Count(), 0);
}

TEST_F(TemplateStreamTest, ATemplateEndingAfterThePagePartGetsFreshInformation) {
    fillReport();
    report.Info.GeneratorVersion = 5;
    TemplateBuilder b(25);
    b.header().page(Page{}).u8(252);
    const double before = CurrentOleDate();
    load(b);
    EXPECT_EQ(report.Info.Name, "");
    EXPECT_EQ(report.Info.GeneratorVersion, 88);
    EXPECT_FALSE(report.Info.Protected);
    EXPECT_GE(report.Info.Created, before - 1e-6);
    EXPECT_EQ(report.Info.Created, report.Info.LastChange);
}

TEST_F(TemplateStreamTest, DamagedStreamsLeaveOneEmptyPage) {
    const auto expectDamaged = [&](const TemplateBuilder& b) {
        fillReport();
        EXPECT_EQ(loadError(b), kUnsupported);
        ASSERT_EQ(report.Pages().Count(), 1);
        EXPECT_TRUE(page(0).Objects.empty());
        EXPECT_EQ(page(0).Name, "Page1");
    };
    TemplateBuilder stray(25); // a byte of 11-251 where a record should start
    stray.header().page(Page{}).u8(100).u8(252);
    expectDamaged(stray);

    TemplateBuilder cut(25); // a page record that ends early
    cut.header().u8(255).i32(-1).i32(9);
    expectDamaged(cut);

    TemplateBuilder back(25); // an end position that points backwards
    back.header().page(Page{});
    View v;
    v.name = "Line1";
    back.beginFrame(otLine, 0).view(v).patchEnd(3).u8(252);
    expectDamaged(back);

    TemplateBuilder beyond(25); // an end position past the stream
    beyond.header().page(Page{});
    beyond.beginFrame(otLine, 0).view(v).patchEnd(100000).u8(252);
    expectDamaged(beyond);

    TemplateBuilder trailer(25); // a trailer that stops in the middle
    trailer.header().page(Page{}).u8(252).pstr("comment").u8(3);
    expectDamaged(trailer);
}

TEST_F(TemplateStreamTest, ObjectsThatCannotBeReadAreSkippedByTheirFrame) {
    TemplateBuilder b(25);
    b.header().page(Page{});
    b.beginFrame(7, 0).raw({1, 2, 3}).endFrame(); // no class for code 7
    View v;
    v.name = "Memo1";
    b.beginFrame(otMemo, 0).view(v).memoFields().endFrame();
    b.beginFrame(10, 0, "TvlFramedMemoView").view(v).memoFields().raw({0, 0, 0, 0, 0, 0, 0, 0});
    b.endFrame();
    b.beginFrame(otBand, 3).view(v).endFrame(); // no page 3
    View picture;
    picture.name = "Picture1";
    b.beginFrame(otPicture, 0).view(picture).u8(1).u8(0).i32(1 << 30).endFrame(); // bad graphic
    addBand(b, "Band1");
    b.u8(252);
    load(b);
    const std::size_t memos = CreateObject(ModelGlobals(), otMemo) ? 2 : 0;
    ASSERT_EQ(page(0).Objects.size(), memos + 2);
    EXPECT_EQ(page(0).Objects[memos]->Name, "Picture1");
    EXPECT_EQ(page(0).Objects[memos + 1]->Name, "Band1");
}

TEST_F(TemplateStreamTest, MissingAddInClassesAreReportedOnceTheOthersAreRead) {
    TemplateBuilder b(25);
    b.header().page(Page{});
    addBand(b, "Band1");
    View v;
    v.name = "Chart1";
    b.beginFrame(10, 0, "TvlChartView").view(v).raw({9, 9, 9}).endFrame();
    addBand(b, "Band2");
    b.u8(252);
    Info info;
    info.name = "never read";
    b.trailer(info);
    EXPECT_EQ(loadError(b), NonPluggedComponentsText("TvlChartView\r"));
    EXPECT_EQ(loadError(b), "Report contains the following non-plugged components:\r"
                            "TvlChartView\rYou must include these components into your project.");
    ASSERT_EQ(page(0).Objects.size(), 2u);
    EXPECT_EQ(object(0, 1).Name, "Band2");
    EXPECT_EQ(report.Info.Name, "");
}

namespace {

class LookupControl : public TvlView {
public:
    std::string className() const override { return "TvlDBLookupControl"; }
};

} // namespace

TEST_F(TemplateStreamTest, OlderLookupControlNamesReadAsTheRegisteredClass) {
    TemplateBuilder b(25);
    b.header().page(Page{});
    View v;
    v.name = "Lookup1";
    b.beginFrame(10, 0, "TvlBDELookupControl").view(v).endFrame();
    b.beginFrame(10, 0, "tvlibxlookupcontrol").view(v).endFrame();
    b.u8(252);
    EXPECT_EQ(loadError(b), NonPluggedComponentsText("TvlDBLookupControl\rTvlDBLookupControl\r"));

    ASSERT_TRUE(ViewState().addIns.add(
        {"TvlDBLookupControl", [] { return std::make_unique<LookupControl>(); }, {}, {}, {}}));
    load(b);
    ASSERT_EQ(page(0).Objects.size(), 2u);
    EXPECT_EQ(object(0, 1).className(), "TvlDBLookupControl");
    EXPECT_EQ(object(0, 1).Name, "Lookup1");
}

TEST_F(TemplateStreamTest, TheDataManagerTagEndsThePagePartAfterOneMoreByte) {
    TemplateBuilder b(25);
    b.header().page(Page{}).u8(253).u8(0);
    Info info;
    info.comment = "after";
    b.trailer(info);
    load(b);
    EXPECT_EQ(report.Info.Comment, "after");
}

namespace {

class PasswordAnswer : public HeadlessUiService {
public:
    explicit PasswordAnswer(std::optional<std::string> answer) : answer_(std::move(answer)) {}
    std::optional<std::string> askPassword(const std::string& caption,
                                           const std::string&) override {
        ++asked;
        EXPECT_EQ(caption, "Password");
        return answer_;
    }
    static inline int asked = 0;

private:
    std::optional<std::string> answer_;
};

} // namespace

TEST_F(TemplateStreamTest, ProtectedTemplatesFromFilesAskForThePassword) {
    TemplateBuilder b(25);
    b.header().page(Page{});
    addBand(b, "Band1");
    b.u8(252);
    Info info;
    info.name = "secret";
    info.passwordHex = "416263"; // "Abc"
    info.protectedFlag = true;
    b.trailer(info);
    QTemporaryDir dir;
    const QString path = dir.filePath("r.vlf");
    {
        FileStream f(path, FileStream::Mode::Create);
        f.write(b.data().data(), b.size());
    }
    struct Restore {
        ~Restore() { Globals().setUiService(nullptr); }
    } restore;

    PasswordAnswer::asked = 0;
    load(b); // memory streams are not protected
    EXPECT_EQ(PasswordAnswer::asked, 0);
    EXPECT_EQ(report.Info.Name, "secret");

    for (const std::optional<std::string>& answer :
         std::vector<std::optional<std::string>>{std::nullopt, "abc", "Abc"}) {
        Globals().setUiService(std::make_unique<PasswordAnswer>(answer));
        const bool right = answer == "Abc";
        const TvlLoadOutcome loaded = report.LoadFromFile(path);
        EXPECT_EQ(loaded.kind, right ? TvlLoadOutcome::Loaded : TvlLoadOutcome::WrongPassword);
        EXPECT_EQ(report.Info.Name, right ? "secret" : "");
        EXPECT_EQ(report.FileName, right ? FromQt(path) : "Untitled");
        ASSERT_EQ(report.Pages().Count(), 1);
        EXPECT_EQ(page(0).Objects.size(), right ? 1u : 0u);
    }
    EXPECT_EQ(PasswordAnswer::asked, 3);

    Globals().setUiService(nullptr); // headless: nothing entered
    const TvlLoadOutcome loaded = report.LoadFromFile(path);
    EXPECT_EQ(loaded.kind, TvlLoadOutcome::WrongPassword);
    EXPECT_NE(loaded.message.find("none was given"), std::string::npos);
    EXPECT_TRUE(page(0).Objects.empty());
    EXPECT_FALSE(report.Info.Protected);
}

TEST_F(TemplateStreamTest, WritingFramesEveryObjectAndStoresThePasswordInHex) {
    TvlPage& p1 = report.Pages().Add();
    TvlPage& p2 = report.Pages().Add();
    auto band = std::make_unique<TvlBandView>();
    band->Name = "Band1";
    p2.AddObject(std::move(band));
    auto line = std::make_unique<TvlLineView>();
    line->Name = "Line1";
    p1.AddObject(std::move(line));
    report.Info.Password = "abc";
    const std::vector<std::uint8_t> bytes = saved(report);
    ASSERT_GT(bytes.size(), 60u);
    EXPECT_EQ(bytes[0], 25);
    // print-to-default, two-pass, then the virtual printer as the character 1
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 1, bytes.begin() + 9),
              (std::vector<std::uint8_t>{0, 0, 0, 0, 1, 0, 1, 0}));

    MemoryStream m(bytes);
    TvlReport back;
    back.LoadFromStream(m);
    EXPECT_EQ(back.Pages()[0].Objects.at(0)->Name, "Line1");
    EXPECT_EQ(back.Pages()[1].Objects.at(0)->Name, "Band1");
    EXPECT_EQ(back.Info.Password, "abc");
    // The trailer ends: pstr password (length 6), generator, flag, two dates.
    const std::size_t at = bytes.size() - 8 - 8 - 1 - 1 - 6 - 2;
    EXPECT_EQ(bytes[at], 6);
    EXPECT_EQ(bytes[at + 1], 0);
    EXPECT_EQ(std::string(bytes.begin() + static_cast<long>(at) + 2,
                          bytes.begin() + static_cast<long>(at) + 8),
              "616263");
    EXPECT_EQ(bytes[at + 8], 88);
}

TEST_F(TemplateStreamTest, SaveLoadSaveGivesTheSameBytesButTheLastChange) {
    TvlPage& p1 = report.Pages().Add();
    p1.LeftMargin = 30;
    p1.Columns = 2;
    p1.Script = {"begin", "  x := 1;", "end"};
    p1.SetPaper(11, 0, 0, -1, poLandscape);
    TvlPage& dialog = report.Pages().Add();
    dialog.PageType = ptDialog;
    dialog.Dialog.BorderStyle = TvlDialogForm::bsSizeable;
    dialog.Dialog.Caption = "Ask";
    auto band = std::make_unique<TvlBandView>();
    band->Name = "MasterData1";
    band->FrameTyp = 5;
    band->FormatStr = "Tasks";
    band->ChildBand = "Child1";
    band->FrameWidth = 1.5f;
    p1.AddObject(std::move(band));
    auto sub = std::make_unique<TvlSubReportView>();
    sub->Name = "SubReport1";
    sub->SubPage = 1;
    p1.AddObject(std::move(sub));
    auto picture = std::make_unique<TvlPictureView>();
    picture->Name = "Picture1";
    picture->BlobType = btJPG;
    picture->Memo = {"[Photo]"};
    dialog.AddObject(std::move(picture));
    report.TwoPass = true;
    report.Dictionary().Variables.SetVariable(" Totals", Variant(""));
    report.Dictionary().Variables.SetVariable("Count", Variant("Tasks.\"Count\""));
    report.Dictionary().FieldAliases.SetVariable("Tasks", Variant("Task list"));
    report.Info.Comment = "line 1\r\nline 2";
    report.Info.Password = "pw";
    report.Info.VersionMajor = "2";

    const std::vector<std::uint8_t> first = saved(report);
    MemoryStream m(first);
    TvlReport copy;
    copy.LoadFromStream(m);
    EXPECT_EQ(m.position(), m.size());
    const std::vector<std::uint8_t> second = saved(copy);
    ASSERT_EQ(first.size(), second.size());
    EXPECT_TRUE(std::equal(first.begin(), first.end() - 8, second.begin()));

    EXPECT_EQ(copy.Pages()[0].Orientation, poLandscape);
    EXPECT_EQ(copy.Pages()[0].PaperSize, 11);
    EXPECT_EQ(copy.Pages()[0].Objects.size(), 2u);
    EXPECT_FLOAT_EQ(copy.Pages()[0].Objects[0]->FrameWidth, 1.5f);
    EXPECT_EQ(dynamic_cast<TvlSubReportView&>(*copy.Pages()[0].Objects[1]).SubPage, 1);
    EXPECT_EQ(copy.Pages()[1].Dialog.Caption, "Ask");
    EXPECT_EQ(copy.Dictionary().FieldAliases.GetVariable("Tasks").toString(), "Task list");
    EXPECT_EQ(copy.Info.Comment, report.Info.Comment);
    EXPECT_DOUBLE_EQ(copy.Info.Created, report.Info.Created);
}

TEST_F(TemplateStreamTest, DialogBorderStylesSurviveLoadAndSave) {
    const std::pair<int, int> storedAndRead[] = {{0, 3}, {1, 2}, {2, 2}, {3, 3}, {5, 5}};
    for (const auto& [stored, style] : storedAndRead) {
        SCOPED_TRACE(stored);
        TemplateBuilder b(25);
        b.header();
        Page p;
        p.type = 1;
        p.borderStyle = stored;
        b.page(p);
        b.u8(252);
        load(b);
        EXPECT_EQ(page(0).Dialog.BorderStyle, style);
        MemoryStream m(saved(report));
        TvlReport copy;
        copy.LoadFromStream(m);
        EXPECT_EQ(copy.Pages()[0].Dialog.BorderStyle, style);
    }
}

TEST_F(TemplateStreamTest, FilesThatDoNotExistAreNotLoaded) {
    fillReport();
    QTemporaryDir dir;
    EXPECT_FALSE(report.LoadFromFile(dir.filePath("none.vlf")));
    EXPECT_EQ(report.Info.Name, "kept");

    const QString path = dir.filePath("kept.vlf");
    report.SaveToFile(path);
    TvlReport other;
    ASSERT_TRUE(other.LoadFromFile(path));
    EXPECT_EQ(other.FileName, FromQt(path));
    EXPECT_EQ(other.Pages()[0].Objects.at(0)->Name, "Keep1");
}

TEST_F(TemplateStreamTest, TheFormPropertyHoldsTheTemplateOnlyWhenAsked) {
    fillReport();
    MemoryStream without;
    report.WriteFormProperty(without);
    EXPECT_EQ(without.data(), (std::vector<std::uint8_t>{25, 0, 0, 0}));

    report.StoreInDFM = true;
    MemoryStream with;
    report.WriteFormProperty(with);
    const std::vector<std::uint8_t> templ = saved(report);
    ASSERT_EQ(with.size(), static_cast<std::int64_t>(8 + templ.size()));
    EXPECT_EQ(with.data()[4], templ.size() & 0xFF);

    TvlReport onForm;
    with.seek(0);
    onForm.ReadFormProperty(with);
    EXPECT_EQ(onForm.Pages().Count(), 0); // loaded once the form has loaded
    onForm.FormLoaded();
    ASSERT_EQ(onForm.Pages().Count(), 1);
    EXPECT_EQ(onForm.Pages()[0].Objects.at(0)->Name, "Keep1");

    MemoryStream cut(std::vector<std::uint8_t>{25, 0, 0, 0, 100, 0, 0, 0, 25});
    EXPECT_THROW(onForm.ReadFormProperty(cut), StreamReadError);
}

namespace {

// An add-in whose record reading fails in the way its name says.
template <typename Failure> class FailingView : public TvlView {
public:
    static inline std::string name;
    std::string className() const override { return name; }
    void LoadFromStream(Stream& stream) override {
        TvlView::LoadFromStream(stream);
        throw Failure("failing record");
    }
};

} // namespace

// A damaged object is skipped for the engine's own errors only: a fault of
// another kind (here a programming error) is not swallowed by the reader.
TEST_F(TemplateStreamTest, OnlyTheEnginesOwnErrorsSkipAnObject) {
    FailingView<VlError>::name = "TvlEngineFailure";
    FailingView<std::logic_error>::name = "TvlProgramFailure";
    ASSERT_TRUE(ViewState().addIns.add(
        {"TvlEngineFailure", [] { return std::make_unique<FailingView<VlError>>(); }, {}, {}, {}}));
    ASSERT_TRUE(
        ViewState().addIns.add({"TvlProgramFailure",
                                [] { return std::make_unique<FailingView<std::logic_error>>(); },
                                {},
                                {},
                                {}}));
    View v;
    v.name = "Failing";
    TemplateBuilder skipped(25);
    skipped.header().page(Page{});
    skipped.beginFrame(otAddIn, 0, "TvlEngineFailure").view(v).endFrame();
    addBand(skipped, "Band1");
    skipped.u8(252);
    load(skipped);
    ASSERT_EQ(page(0).Objects.size(), 2u);
    EXPECT_EQ(object(0, 1).Name, "Band1");

    TemplateBuilder fault(25);
    fault.header().page(Page{});
    fault.beginFrame(otAddIn, 0, "TvlProgramFailure").view(v).endFrame();
    fault.u8(252);
    EXPECT_THROW(load(fault), std::logic_error);
}

// "Unsupported VLF format" stays the message and keeps what made the stream
// unreadable.
TEST_F(TemplateStreamTest, AnUnsupportedStreamKeepsItsCause) {
    TemplateBuilder newer(26);
    newer.header().page(Page{});
    try {
        load(newer);
        ADD_FAILURE() << "no error";
    } catch (const UnsupportedTemplateError& e) {
        EXPECT_EQ(std::string(e.what()), kUnsupported);
        EXPECT_EQ(e.cause(), "version 26, newer than 25");
    }
    TemplateBuilder unknown(25);
    unknown.header().page(Page{}).u8(99);
    try {
        load(unknown);
        ADD_FAILURE() << "no error";
    } catch (const UnsupportedTemplateError& e) {
        EXPECT_EQ(e.cause(), "unknown part 99");
    }
}

// Reading a file says what happened instead of raising: a missing file
// changes nothing, missing classes are listed, damage keeps its cause, and
// a template not read whole keeps the previous name.
TEST_F(TemplateStreamTest, LoadingAFileSaysWhatHappened) {
    QTemporaryDir dir;
    const auto write = [&dir](const QString& name, const TemplateBuilder& b) {
        const QString path = dir.filePath(name);
        FileStream f(path, FileStream::Mode::Create);
        f.write(b.data().data(), b.size());
        return path;
    };
    TemplateBuilder whole(25);
    whole.header().page(Page{});
    addBand(whole, "Band1");
    whole.u8(252);
    const QString wholePath = write("whole.vlf", whole);
    EXPECT_EQ(report.LoadFromFile(wholePath).kind, TvlLoadOutcome::Loaded);
    EXPECT_EQ(report.FileName, FromQt(wholePath));

    const TvlLoadOutcome missing = report.LoadFromFile(dir.filePath("none.vlf"));
    EXPECT_EQ(missing.kind, TvlLoadOutcome::NoFile);
    EXPECT_EQ(page(0).Objects.size(), 1u) << "nothing changed";

    TemplateBuilder partial(25);
    partial.header().page(Page{});
    View chart;
    chart.name = "Chart1";
    partial.beginFrame(10, 0, "TvlChartView").view(chart).raw({9}).endFrame();
    partial.beginFrame(10, 0, "TvlGauge").view(chart).raw({9}).endFrame();
    addBand(partial, "Band2");
    partial.u8(252);
    const TvlLoadOutcome lost = report.LoadFromFile(write("partial.vlf", partial));
    EXPECT_EQ(lost.kind, TvlLoadOutcome::PartlyLoaded);
    EXPECT_EQ(lost.lost, (std::vector<std::string>{"TvlChartView", "TvlGauge"}));
    EXPECT_NE(lost.message.find("non-plugged"), std::string::npos);
    EXPECT_EQ(report.FileName, FromQt(wholePath)) << "saving cannot replace the partial file";

    TemplateBuilder damaged(25);
    damaged.header().page(Page{}).u8(99);
    const TvlLoadOutcome unreadable = report.LoadFromFile(write("damaged.vlf", damaged));
    EXPECT_EQ(unreadable.kind, TvlLoadOutcome::Unreadable);
    EXPECT_EQ(unreadable.fullMessage(), kUnsupported + ": unknown part 99");
    EXPECT_EQ(report.FileName, FromQt(wholePath));
}
