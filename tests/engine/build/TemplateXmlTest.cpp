#include "engine/build/TemplateXml.h"

#include "engine/build/TvlReport.h"
#include "engine/model/TvlBandView.h"
#include "engine/model/TvlLineView.h"
#include "tests/engine/model/ViewTestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vl;

namespace {

class TemplateXmlTest : public ::testing::Test {
protected:
    test::ViewStateGuard guard;
    TvlReport report;

    std::string xml() {
        MemoryStream m;
        report.XmlExport = true;
        report.SaveToStream(m);
        report.XmlExport = false;
        return std::string(m.data().begin(), m.data().end());
    }
    StringList lines() {
        StringList result;
        const std::string text = xml();
        std::size_t start = 0;
        for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos;
             start = end + 2)
            result.push_back(text.substr(start, end - start));
        EXPECT_EQ(start, text.size()) << "every line ends in CR LF";
        return result;
    }
    template <class T> T& add(TvlPage& page, const std::string& name) {
        auto view = std::make_unique<T>();
        view->Name = name;
        return static_cast<T&>(page.AddObject(std::move(view)));
    }
};

} // namespace

TEST_F(TemplateXmlTest, APageWithoutObjectsIsOneClosedElement) {
    TvlPage& page = report.Pages().Add();
    page.Name = "Anything";
    page.LeftMargin = 38;
    const StringList l = lines();
    ASSERT_EQ(l.size(), 4u);
    EXPECT_EQ(l[0], "<?xml version=\"1.0\"?>");
    EXPECT_EQ(l[1].rfind("<TvlReport ScriptLanguage=\"PascalScript\" ScriptText.text=\"", 0), 0u);
    // A4 on the virtual printer: 758 x 1071 pixels, 5 mm unprintable edges.
    EXPECT_EQ(l[2], "<TvlReportPage Name=\"Page1\" Orientation=\"poPortrait\" PaperWidth=\"210\" "
                    "PaperHeight=\"297\" PaperSize=\"9\" LeftMargin=\"11\" RightMargin=\"5\" "
                    "TopMargin=\"5\" BottomMargin=\"5\" Columns=\"1\" ColumnWidth=\"0\"/>");
    EXPECT_EQ(l[3], "</TvlReport>");
}

TEST_F(TemplateXmlTest, ReportAttributesCarryScriptVariablesAndOptions) {
    report.Pages().Add();
    report.Info.Name = "N<1>";
    report.Info.Author = "A";
    report.Info.Comment = "c";
    report.Info.Created = 45000.5;
    report.Info.LastChange = 45001;
    report.Info.VersionMajor = "1";
    report.Info.Password = "KL";
    report.Dictionary().Variables.SetVariable("V", Variant("x"));
    const std::string l1 = lines().at(1);
    EXPECT_NE(l1.find(" ScriptText.text=\"begin&#13;&#10;&#13;&#10;end.&#13;&#10;\" "),
              std::string::npos)
        << l1;
    // "Datasets" 14 0 "Variables" 14, then 14 "Name" 6 1 V "Value" 6 1 x 0, and 0
    EXPECT_NE(l1.find(" Propdata=\"084461746173657473"
                      "0E00095661726961626C65730E0E044E616D65060156"
                      "0556616C756506017800"
                      "00\" "),
              std::string::npos)
        << l1;
    EXPECT_NE(l1.find(" ReportOptions.Name=\"N&#60;1&#62;\" ReportOptions.Author=\"A\" "
                      "ReportOptions.Description.text=\"c\" ReportOptions.CreateDate=\"45000.5\" "
                      "ReportOptions.LastChange=\"45001\" ReportOptions.VersionMajor=\"1\" "
                      "ReportOptions.VersionMinor=\"\" ReportOptions.VersionRelease=\"\" "
                      "ReportOptions.VersionBuild=\"\" ReportOptions.Password=\"AB\">"),
              std::string::npos)
        << l1;
}

TEST_F(TemplateXmlTest, TheScriptHasOneProcedurePerPageAndObjectWithAScript) {
    TvlPage& p1 = report.Pages().Add();
    TvlPage& p2 = report.Pages().Add();
    p1.Script = {"begin", "  a := 1;", "end"};
    add<TvlLineView>(p1, "Line1").Script = {"b := 2;"};
    add<TvlLineView>(p1, "Line2");
    add<TvlLineView>(p2, "Line3").Script = {"c := 3;", "d := 4;"};
    const StringList expected = {"procedure Page1OnBeforePrint(Sender: TvlComponent);",
                                 "begin",
                                 "  with Page1, Engine do",
                                 "  begin",
                                 "  a := 1;",
                                 "  end",
                                 "end;",
                                 "",
                                 "procedure Line1OnBeforePrint(Sender: TvlComponent);",
                                 "begin",
                                 "  with Line1, Engine do",
                                 "  begin",
                                 "b := 2;",
                                 "  end",
                                 "end;",
                                 "",
                                 "procedure Line3OnBeforePrint(Sender: TvlComponent);",
                                 "begin",
                                 "  with Line3, Engine do",
                                 "  begin",
                                 "c := 3;",
                                 "d := 4;",
                                 "  end",
                                 "end;",
                                 "",
                                 "begin",
                                 "",
                                 "end."};
    EXPECT_EQ(GeneratedScript(report), expected);
}

TEST_F(TemplateXmlTest, ObjectsAreShiftedByTheLeftEdgeOnReportPagesOnly) {
    TvlPage& page = report.Pages().Add();
    page.LeftMargin = 40;
    page.Script = {"x"};
    auto& line = add<TvlLineView>(page, "Line1");
    line.Left = 100;
    auto& band = add<TvlBandView>(page, "Overlay1");
    band.FrameTyp = 13; // a band type the later format has no class for
    TvlPage& dialog = report.Pages().Add();
    dialog.PageType = ptDialog;
    dialog.Script = {"y"};
    add<TvlLineView>(dialog, "Line2").Left = 100;
    const StringList l = lines();
    ASSERT_EQ(l.size(), 9u);
    EXPECT_NE(l[2].find(" OnBeforePrint=\"Page1OnBeforePrint\">"), std::string::npos) << l[2];
    EXPECT_EQ(l[3].rfind("<TvlLineView Name=\"Line1\" Left=\"60\" ", 0), 0u) << l[3];
    EXPECT_EQ(l[3].substr(l[3].size() - 2), "/>");
    EXPECT_EQ(l[4], "</TvlReportPage>");
    EXPECT_EQ(l[5], "<TvlDialogPage Name=\"Page2\" Height=\"300\" Left=\"220\" Top=\"120\" "
                    "Width=\"380\" BorderStyle=\"3\" Caption=\"Form\" Color=\"-16777201\" "
                    "Position=\"4\" OnActivate=\"Page2OnBeforePrint\">");
    EXPECT_EQ(l[6].rfind("<TvlLineView Name=\"Line2\" Left=\"100\" ", 0), 0u) << l[6];
    EXPECT_EQ(l[7], "</TvlDialogPage>");
    EXPECT_EQ(line.Left, 100);
}

TEST_F(TemplateXmlTest, ExportingWritesAVl3FileAndClearsTheSwitch) {
    report.Pages().Add();
    QTemporaryDir dir;
    report.ExportXml(dir.filePath("report.vlf"));
    EXPECT_FALSE(report.XmlExport);
    const std::vector<std::uint8_t> bytes = ReadWholeFile(dir.filePath("report.vl3"));
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 5), "<?xml");
    EXPECT_EQ(XmlPaperUnits(758), 210);
}
