#include "engine/build/TemplateXml.h"

#include "engine/build/TvlReport.h"
#include "engine/model/ViewXml.h"
#include "engine/script/ScopedValue.h"
#include "engine/script/TextUtils.h"
#include "engine/script/Variant.h"

#include <algorithm>
#include <cstdint>

namespace vl {

namespace {

// Markers of the component-stream form.
constexpr std::uint8_t kListBegin = 14;
constexpr std::uint8_t kListEnd = 0;
constexpr std::uint8_t kShortText = 6;
constexpr std::uint8_t kLongText = 12;

void writeShortString(Stream& stream, std::string_view text) {
    WriteByte(stream, static_cast<std::uint8_t>(text.size()));
    WriteText(stream, text);
}

void writeStringValue(Stream& stream, std::string_view text) {
    if (text.size() > 255) {
        WriteByte(stream, kLongText);
        WriteInteger(stream, static_cast<std::int32_t>(text.size()));
    } else {
        WriteByte(stream, kShortText);
        WriteByte(stream, static_cast<std::uint8_t>(text.size()));
    }
    WriteText(stream, text);
}

bool isBegin(const std::string& line) {
    return SameText(TrimBlanks(line), "begin");
}

void appendProcedure(StringList& script, const std::string& name, const StringList& lines) {
    script.push_back("procedure " + name + "OnBeforePrint(Sender: TvlComponent);");
    script.push_back("begin");
    script.push_back("  with " + name + ", Engine do");
    script.push_back("  begin");
    const std::size_t k = lines.size();
    if (!isBegin(lines.front())) {
        script.insert(script.end(), lines.begin(), lines.end());
        script.push_back("  end");
        script.push_back("end;");
    } else {
        if (k > 2) script.insert(script.end(), lines.begin() + 1, lines.end() - 1);
        script.push_back("  end");
        script.push_back(lines.back() + ";");
    }
    script.push_back("");
}

std::string pageName(int index) {
    return "Page" + std::to_string(index + 1);
}

class XmlElement {
public:
    XmlElement(Stream& stream, std::string_view name) : stream_(stream) {
        WriteText(stream, "<");
        WriteText(stream, name);
    }
    XmlElement& attr(std::string_view name, std::string_view value) {
        WriteXmlAttr(stream_, name, value);
        return *this;
    }
    XmlElement& text(std::string_view name, std::string_view value) {
        return attr(name, EscapeXml(value));
    }
    XmlElement& num(std::string_view name, long long value) {
        return attr(name, std::to_string(value));
    }

private:
    Stream& stream_;
};

void writeReportElement(const TvlReport& report, Stream& stream) {
    const TvlReportInfo& info = report.Info;
    XmlElement(stream, "TvlReport")
        .attr("ScriptLanguage", "PascalScript")
        .text("ScriptText.text", StringsText(GeneratedScript(report)))
        .attr("Propdata", StreamToHex(VariablesBlock(report.Dictionary())))
        .text("ReportOptions.Name", info.Name)
        .text("ReportOptions.Author", info.Author)
        .text("ReportOptions.Description.text", info.Comment)
        // the document reads the same in every locale
        .attr("ReportOptions.CreateDate", FloatToStrInvariant(info.Created))
        .attr("ReportOptions.LastChange", FloatToStrInvariant(info.LastChange))
        .text("ReportOptions.VersionMajor", info.VersionMajor)
        .text("ReportOptions.VersionMinor", info.VersionMinor)
        .text("ReportOptions.VersionRelease", info.VersionRelease)
        .text("ReportOptions.VersionBuild", info.VersionBuild)
        .text("ReportOptions.Password", ShiftCharsDown(info.Password));
    WriteLine(stream, ">");
}

void writeReportPage(const TvlPage& page, int index, Stream& stream) {
    const PageMetrics& m = page.PrinterInfo;
    XmlElement e(stream, "TvlReportPage");
    e.attr("Name", pageName(index))
        .attr("Orientation", page.Orientation == poLandscape ? "poLandscape" : "poPortrait")
        .num("PaperWidth", XmlPaperUnits(m.PixelPaperWidth))
        .num("PaperHeight", XmlPaperUnits(m.PixelPaperHeight))
        .num("PaperSize", page.PaperSize)
        .num("LeftMargin", XmlPaperUnits(page.LeftEdge()))
        .num("RightMargin", XmlPaperUnits(double(m.PixelPaperWidth) - page.RightEdge()))
        .num("TopMargin", XmlPaperUnits(page.TopEdge()))
        .num("BottomMargin", XmlPaperUnits(double(m.PixelPaperHeight) - page.BottomEdge()))
        .num("Columns", page.Columns)
        .num("ColumnWidth", page.ColumnWidth);
    if (page.PrintToPrevPage) e.attr("PrintOnPreviousPage", "True");
    if (!page.Script.empty()) e.attr("OnBeforePrint", pageName(index) + "OnBeforePrint");
}

void writeDialogPage(const TvlPage& page, int index, Stream& stream) {
    const TvlDialogForm& d = page.Dialog;
    XmlElement e(stream, "TvlDialogPage");
    e.attr("Name", pageName(index))
        .num("Height", d.Height)
        .num("Left", d.Left)
        .num("Top", d.Top)
        .num("Width", d.Width)
        .num("BorderStyle", d.BorderStyle)
        .text("Caption", d.Caption)
        .num("Color", d.Color)
        .num("Position", d.Position);
    if (!page.Script.empty()) e.attr("OnActivate", pageName(index) + "OnBeforePrint");
}

// An object's element; a class that writes no element (bands of types the
// later format lacks) leaves no closing mark behind either.
void writeObject(TvlView& view, int leftShift, Stream& stream) {
    const std::int64_t before = stream.position();
    {
        const ScopedValue left(view.Left,
                               static_cast<int>(std::clamp<std::int64_t>(
                                   std::int64_t{view.Left} - leftShift, INT32_MIN, INT32_MAX)));
        view.WriteXml(stream);
    }
    if (stream.position() != before) WriteLine(stream, "/>");
}

void writePage(TvlPage& page, int index, Stream& stream) {
    const bool dialog = page.PageType == ptDialog;
    if (dialog)
        writeDialogPage(page, index, stream);
    else
        writeReportPage(page, index, stream);
    if (page.Objects.empty()) {
        WriteLine(stream, "/>");
        return;
    }
    WriteLine(stream, ">");
    const int shift = dialog ? 0 : page.LeftEdge();
    for (const auto& view : page.Objects)
        writeObject(*view, shift, stream);
    WriteLine(stream, dialog ? "</TvlDialogPage>" : "</TvlReportPage>");
}

} // namespace

long long XmlPaperUnits(double pixels) {
    return static_cast<long long>(RoundHalfEven(pixels / 3.77953 * 812.0 / 775.0));
}

StringList GeneratedScript(const TvlReport& report) {
    StringList script;
    const TvlPages& pages = report.Pages();
    for (int i = 0; i < pages.Count(); ++i) {
        const TvlPage& page = pages[i];
        if (!page.Script.empty()) appendProcedure(script, pageName(i), page.Script);
        for (const auto& view : page.Objects)
            if (!view->Script.empty()) appendProcedure(script, view->Name, view->Script);
    }
    script.insert(script.end(), {"begin", "", "end."});
    return script;
}

MemoryStream VariablesBlock(const TvlDataDictionary& dictionary) {
    MemoryStream block;
    writeShortString(block, "Datasets");
    WriteByte(block, kListBegin);
    WriteByte(block, kListEnd);
    writeShortString(block, "Variables");
    WriteByte(block, kListBegin);
    const TvlVariables& variables = dictionary.Variables;
    for (int i = 0; i < variables.Count(); ++i) {
        WriteByte(block, kListBegin);
        writeShortString(block, "Name");
        writeStringValue(block, variables.GetName(i));
        writeShortString(block, "Value");
        writeStringValue(block, variables.GetValue(i).toString());
        WriteByte(block, kListEnd);
    }
    WriteByte(block, kListEnd);
    return block;
}

void WriteTemplateXml(TvlReport& report, Stream& stream) {
    WriteLine(stream, "<?xml version=\"1.0\"?>");
    writeReportElement(report, stream);
    for (int i = 0; i < report.Pages().Count(); ++i)
        writePage(report.Pages()[i], i, stream);
    WriteLine(stream, "</TvlReport>");
}

} // namespace vl
