#include "engine/build/TvlEngine.h"
#include "engine/build/TvlReport.h"
#include "engine/model/ViewState.h"
#include "tools/vellum/Commands.h"
#include "tools/vellum/JsonWriter.h"
#include "tools/vellum/ObjectJson.h"
#include "tools/vellum/TemplateFile.h"

#include <cstdio>

namespace vellum_cli {

namespace {

void writePairs(JsonWriter& json, std::string_view key, const vl::TvlVariables& list) {
    json.key(key);
    json.beginArray();
    for (int i = 0; i < list.Count(); ++i) {
        json.beginArray();
        WriteEngineText(json, list.GetName(i));
        WriteEngineText(json, list.GetValue(i).toString());
        json.endArray();
    }
    json.endArray();
}

void writePage(JsonWriter& json, const vl::TvlPage& page) {
    json.beginObject();
    json.field("type", static_cast<int>(page.PageType));
    json.key("name");
    WriteEngineText(json, page.Name);
    WritePaperJson(
        json, {page.PaperSize, page.PaperWidth, page.PaperHeight, page.Orientation, page.PaperBin});
    json.key("margins");
    json.beginArray();
    for (const int margin : {page.LeftMargin, page.TopMargin, page.RightMargin, page.BottomMargin})
        json.value(margin);
    json.endArray();
    json.field("useMargins", page.UseMargins);
    json.field("columns", page.Columns);
    json.field("columnGap", page.ColumnGap);
    json.field("printToPrevPage", page.PrintToPrevPage);
    WriteEngineLines(json, "script", page.Script);
    json.key("objects");
    json.beginArray();
    for (const auto& view : page.Objects)
        WriteObjectJson(json, *view);
    json.endArray();
    json.endObject();
}

void writeInfo(JsonWriter& json, const vl::TvlReportInfo& info) {
    json.key("info");
    json.beginObject();
    const std::pair<const char*, const std::string*> texts[] = {
        {"comment", &info.Comment},
        {"name", &info.Name},
        {"author", &info.Author},
        {"versionMajor", &info.VersionMajor},
        {"versionMinor", &info.VersionMinor},
        {"versionRelease", &info.VersionRelease},
        {"versionBuild", &info.VersionBuild}};
    for (const auto& [key, text] : texts) {
        json.key(key);
        WriteEngineText(json, *text);
    }
    json.field("generatorVersion", static_cast<int>(info.GeneratorVersion));
    json.field("protected", info.Protected);
    json.field("created", info.Created);
    json.field("lastChange", info.LastChange);
    json.endObject();
}

void writeReport(JsonWriter& json, const vl::TvlReport& report) {
    json.beginObject();
    json.field("version", report.Engine().views().templateVersion);
    json.field("twoPass", report.TwoPass);
    json.field("printToDefault", report.PrintToDefault);
    json.key("printer");
    WriteEngineText(json, report.PrinterName);
    json.key("pages");
    json.beginArray();
    for (int i = 0; i < report.Pages().Count(); ++i)
        writePage(json, report.Pages()[i]);
    json.endArray();
    json.key("dictionary");
    json.beginObject();
    writePairs(json, "variables", report.Dictionary().Variables);
    writePairs(json, "fieldAliases", report.Dictionary().FieldAliases);
    writePairs(json, "dataSources", report.Dictionary().DataSourceAliases);
    json.endObject();
    writeInfo(json, report.Info);
    json.endObject();
}

} // namespace

int RunInfo(const QStringList& args) {
    const CommandArgs cmd(args, {QStringLiteral("password")}, {});
    vl::TvlReport report;
    const std::optional<std::string> error =
        LoadTemplate(report, cmd.positional(0, "template file"), cmd);
    if (report.Pages().Count() > 0) {
        std::string out;
        JsonWriter json(out);
        writeReport(json, report);
        std::fwrite(out.data(), 1, out.size(), stdout);
    }
    if (!error) return 0;
    PrintError(*error);
    return 1;
}

} // namespace vellum_cli
