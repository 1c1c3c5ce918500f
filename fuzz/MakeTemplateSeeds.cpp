// Writes the seed corpus of the template fuzzer: small templates of every
// stream version, with every kind of object frame, a dictionary and a
// trailer. Usage: make_template_seeds <folder>
#include "engine/build/TvlReport.h"
#include "engine/model/TvlBandView.h"
#include "engine/model/TvlGraphic.h"
#include "engine/model/TvlLineView.h"
#include "engine/model/TvlPictureView.h"
#include "engine/model/TvlSubReportView.h"
#include "tests/support/TemplateBuilder.h"

#include <QGuiApplication>
#include <QImage>
#include <fstream>
#include <iostream>

using vltest::TemplateBuilder;

namespace {

void save(const std::string& folder, const std::string& name,
          const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(folder + "/" + name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// A template as the engine writes it.
std::vector<std::uint8_t> engineTemplate() {
    vl::TvlReport report;
    vl::TvlPage& page = report.Pages().Add();
    page.Script = {"begin", "end"};
    auto band = std::make_unique<vl::TvlBandView>();
    band->Name = "MasterData1";
    band->FrameTyp = 5;
    band->FormatStr = "Tasks";
    page.AddObject(std::move(band));
    auto line = std::make_unique<vl::TvlLineView>();
    line->Name = "Line1";
    line->FrameTyp = vl::vlftTop;
    page.AddObject(std::move(line));
    auto sub = std::make_unique<vl::TvlSubReportView>();
    sub->Name = "SubReport1";
    sub->SubPage = 1;
    page.AddObject(std::move(sub));
    vl::TvlPage& dialog = report.Pages().Add();
    dialog.PageType = vl::ptDialog;
    auto picture = std::make_unique<vl::TvlPictureView>();
    picture->Name = "Picture1";
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::red);
    auto graphic = vl::MakeGraphic(vl::TvlGraphicKind::Bitmap);
    static_cast<vl::TvlRasterGraphic&>(*graphic).setImage(image);
    picture->Picture.setGraphic(std::move(graphic));
    dialog.AddObject(std::move(picture));
    report.Dictionary().Variables.SetVariable(" Cat", vl::Variant(""));
    report.Dictionary().Variables.SetVariable("V", vl::Variant("Tasks.\"Name\""));
    report.Info.Password = "pw";
    report.Info.Protected = true;
    vl::MemoryStream m;
    report.SaveToStream(m);
    return m.data();
}

std::vector<std::uint8_t> builtTemplate(int version, bool withVersionByte) {
    TemplateBuilder b(version);
    if (withVersionByte)
        b.header();
    else
        b.u16(0).u16(0).str("\x01");
    b.page(TemplateBuilder::Page{});
    TemplateBuilder::View v;
    v.name = "Band1";
    v.frameTyp = 5;
    b.beginFrame(2, 0).view(v).bandFields("", 2, "").endFrame();
    v.name = "Picture1";
    b.beginFrame(1, 0).view(v).pictureFields(0, version > 23 ? 1 : -1, {}).endFrame();
    if (version > 23) {
        // Frames that only an end position lets the reader skip.
        v.name = "Memo1";
        b.beginFrame(0, 0).view(v).memoFields().endFrame();
        b.beginFrame(10, 0, "TvlChartView").view(v).endFrame();
    }
    b.dictionary({{" Cat", ""}, {"X", "1"}});
    b.u8(252);
    b.trailer(TemplateBuilder::Info{});
    return b.data();
}

std::vector<std::uint8_t> legacyDictionary() {
    TemplateBuilder b(22);
    b.header().page(TemplateBuilder::Page{}).u8(254);
    b.i32(1).u8(1).i32(0).u8(1).text("T").u8(1).text("F").u8(1).text("V");
    b.list({"Cat", " V"}).u8(252);
    return b.data();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_template_seeds <folder>\n";
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    const std::string folder = argv[1];
    save(folder, "engine_v25", engineTemplate());
    save(folder, "built_v21_unversioned", builtTemplate(21, false));
    save(folder, "built_v22", builtTemplate(22, true));
    save(folder, "built_v23", builtTemplate(23, true));
    save(folder, "built_v24", builtTemplate(24, true));
    save(folder, "built_v25", builtTemplate(25, true));
    save(folder, "legacy_dictionary_v22", legacyDictionary());
    return 0;
}
