#include "tools/vellum/PreparedOutput.h"

#include "engine/output/PageRendering.h"
#include "engine/output/PdfDocumentWriter.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/script/CodePage.h"
#include "engine/script/Errors.h"
#include "tools/vellum/CommandLine.h"
#include "tools/vellum/CommandStop.h"
#include "tools/vellum/JsonWriter.h"
#include "tools/vellum/ObjectJson.h"

#include <QDir>
#include <QFile>
#include <cstdio>

namespace vellum_cli {

namespace {

constexpr int kDefaultDpi = 96;
constexpr int kMaxDpi = 1200;

void writePaper(JsonWriter& json, const vl::PreparedPage& page) {
    WritePaperJson(
        json, {page.PaperSize, page.PaperWidth, page.PaperHeight, page.Orientation, page.PaperBin});
    json.field("paperCoordinates", page.PaperCoordinates);
    json.key("margins");
    json.beginArray();
    for (int margin : {page.LeftMargin, page.TopMargin, page.RightMargin, page.BottomMargin})
        json.value(margin);
    json.endArray();
}

} // namespace

std::string PagesJson(vl::TvlEMFPages& pages, std::optional<int> totalPages) {
    std::string out;
    JsonWriter json(out);
    json.beginObject();
    if (totalPages) json.field("totalPages", *totalPages);
    json.key("pages");
    json.beginArray();
    for (int i = 0; i < pages.Count(); ++i) {
        const vl::PreparedPage& page = pages.PageAt(i);
        json.beginObject();
        writePaper(json, page);
        json.key("objects");
        json.beginArray();
        pages.LoadPageObjects(i);
        for (const auto& view : page.Page->objects())
            WriteObjectJson(json, *view, ObjectJsonMode::Prepared);
        pages.ReleasePageObjects(i);
        json.endArray();
        json.endObject();
    }
    json.endArray();
    json.endObject();
    return out;
}

void WriteText(const QString& target, const std::string& text) {
    if (target == QLatin1String("-")) {
        std::fwrite(text.data(), 1, text.size(), stdout);
        return;
    }
    QFile file(target);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(text.data(), static_cast<qint64>(text.size())) !=
            static_cast<qint64>(text.size()))
        throw vl::VlError("cannot write " + vl::FromQt(target));
}

void WriteImages(vl::TvlEMFPages& pages, const QString& dir, int dpi, const CommandStop* stop) {
    vl::SavePageImages(pages, dir, dpi, [stop] { return stop && stop->Stopped(); });
}

void WritePdf(vl::TvlEMFPages& pages, const QString& path, const QString& title) {
    vl::PdfDocumentWriter writer;
    writer.Title = title;
    writer.write(pages, path);
}

int DpiOption(const CommandArgs& cmd) {
    const auto text = cmd.option(QStringLiteral("dpi"));
    if (!text) return kDefaultDpi;
    bool ok = false;
    const int dpi = text->toInt(&ok);
    if (!ok || dpi < 1 || dpi > kMaxDpi)
        throw UsageError("--dpi takes a resolution from 1 to " + std::to_string(kMaxDpi));
    return dpi;
}

} // namespace vellum_cli
