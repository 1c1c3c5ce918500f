#include "engine/output/PaperTable.h"
#include "engine/output/TvlPrinter.h"
#include "engine/output/printing/QtPrinterSystem.h"
#include "engine/script/CodePage.h"
#include "engine/script/Variant.h"
#include "tools/vellum/CommandLine.h"
#include "tools/vellum/Commands.h"
#include "tools/vellum/JsonWriter.h"
#include "tools/vellum/ObjectJson.h"

#include <cstdio>

namespace vellum_cli {

namespace {

int printerIndex(const vl::TvlPrinter& printer, const QString& name) {
    const vl::StringList& list = printer.PrinterList();
    for (std::size_t i = 0; i < list.size(); ++i)
        if (vl::ToQt(list[i]) == name) return static_cast<int>(i);
    throw vl::VlError("no printer named \"" + vl::FromQt(name) + "\"");
}

void writeEntries(JsonWriter& json, std::string_view name, const std::vector<int>& codes,
                  const vl::StringList& names) {
    json.key(name);
    json.beginArray();
    for (std::size_t i = 0; i < codes.size() && i < names.size(); ++i) {
        json.beginObject();
        json.field("code", codes[i]);
        json.field("name", vl::ToQt(names[i]));
        json.endObject();
    }
    json.endArray();
}

void writeMetrics(JsonWriter& json, const vl::PageMetrics& m) {
    json.key("metrics");
    json.beginObject();
    json.field("devicePaper",
               QStringLiteral("%1 x %2").arg(m.DevicePaperWidth).arg(m.DevicePaperHeight));
    json.field("pixelPaper",
               QStringLiteral("%1 x %2").arg(m.PixelPaperWidth).arg(m.PixelPaperHeight));
    json.field("deviceOffset", QStringLiteral("%1, %2").arg(m.DeviceOffsetX).arg(m.DeviceOffsetY));
    json.field("pixelOffset", QStringLiteral("%1, %2").arg(m.PixelOffsetX).arg(m.PixelOffsetY));
    json.field("devicePrint",
               QStringLiteral("%1 x %2").arg(m.DevicePrintWidth).arg(m.DevicePrintHeight));
    json.field("pixelPrint",
               QStringLiteral("%1 x %2").arg(m.PixelPrintWidth).arg(m.PixelPrintHeight));
    json.endObject();
}

void writePrinter(JsonWriter& json, const vl::TvlPrinter& printer) {
    json.beginObject();
    json.key("printers");
    json.beginArray();
    for (const std::string& name : printer.PrinterList())
        json.value(vl::ToQt(name));
    json.endArray();
    json.field("selected", printer.SelectedPrinter());
    json.field("virtualPrinter", printer.VirtualPrinterIndex());
    WritePaperJson(json, {printer.PaperSize(), printer.PaperWidth(), printer.PaperHeight(),
                          printer.Orientation(), printer.PaperBin()});
    vl::PageMetrics metrics;
    printer.FillMetrics(metrics);
    writeMetrics(json, metrics);
    writeEntries(json, "papers", printer.PaperCodes(), printer.PaperNameList());
    writeEntries(json, "bins", printer.BinCodes(), printer.BinNameList());
    json.endObject();
}

} // namespace

int RunPrinters(const QStringList& args) {
    const CommandArgs cmd(args, {QStringLiteral("printer"), QStringLiteral("paper")},
                          {QStringLiteral("landscape")});
    vl::TvlPrinter printer;
    printer.Start(std::make_unique<vl::QtPrinterSystem>());
    if (const auto name = cmd.option(QStringLiteral("printer")))
        printer.SelectPrinter(printerIndex(printer, *name));
    const int orientation = cmd.flag(QStringLiteral("landscape")) ? 1 : 0;
    if (const auto paper = cmd.option(QStringLiteral("paper"))) {
        const int code = vl::StrToInt(vl::FromQt(*paper));
        const vl::PaperSizeInfo* size = vl::FindPaper(code);
        if (!size || code == vl::kCustomPaper)
            throw UsageError("--paper takes a paper code of the paper table");
        printer.SetPaper(code, size->width, size->height, -1, orientation, true);
    } else if (orientation != printer.Orientation()) {
        printer.SetPaper(printer.PaperSize(), printer.PaperHeight(), printer.PaperWidth(),
                         printer.PaperBin(), orientation, true);
    }
    std::string out;
    JsonWriter json(out);
    writePrinter(json, printer);
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}

} // namespace vellum_cli
