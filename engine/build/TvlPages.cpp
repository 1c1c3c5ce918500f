#include "engine/build/TvlPages.h"

#include "engine/build/TvlEngine.h"
#include "engine/build/TvlReport.h"
#include "engine/model/ObjectFactory.h"
#include "engine/model/ViewState.h"
#include "engine/model/ViewXml.h"
#include "engine/output/TvlPrinter.h"
#include "engine/script/EngineText.h"
#include "engine/script/Errors.h"
#include "engine/script/StreamIO.h"

namespace vl {

namespace {

// Bytes that start the parts of the page part.
constexpr std::uint8_t kPageTag = 255;
constexpr std::uint8_t kDictionaryTag = 254;
constexpr std::uint8_t kDataManagerTag = 253;
constexpr std::uint8_t kEndTag = 252;
constexpr std::uint8_t kLastObjectCode = otAddIn;

// How the pseudo printer "Virtual printer" is stored.
const std::string kVirtualPrinterTag = "\x01";

constexpr int kMaxPageNumber = 10000;
// The byte after a framed memo's record that nothing reads.
constexpr std::size_t kFramedMemoTail = 8;

// Add-in classes of older programs that this engine reads under other names.
struct ClassAlias {
    std::uint8_t code;
    std::string className;
    std::size_t skipAfter = 0;
};

ClassAlias aliasOf(std::uint8_t code, std::string className) {
    if (code != otAddIn) return {code, std::move(className)};
    const std::string upper = text::Upper(className);
    if (upper == "TVLBDELOOKUPCONTROL" || upper == "TVLIBXLOOKUPCONTROL")
        return {otAddIn, "TvlDBLookupControl"};
    if (upper == "TVLFRAMEDMEMOVIEW") return {otMemo, {}, kFramedMemoTail};
    return {otAddIn, std::move(className)};
}

void skipBytes(Stream& stream, std::size_t count) {
    if (stream.remaining() < static_cast<std::int64_t>(count)) throw StreamReadError();
    stream.seek(stream.position() + static_cast<std::int64_t>(count));
}

} // namespace

TvlPage& TvlPages::Add() {
    auto page = std::make_unique<TvlPage>(report_.Engine());
    page->Name = FreePageName();
    page->OwnerReport = &report_;
    pages_.push_back(std::move(page));
    return *pages_.back();
}

TvlPage& TvlPages::Adopt(std::unique_ptr<TvlPage> page) {
    page->OwnerReport = &report_;
    pages_.push_back(std::move(page));
    return *pages_.back();
}

void TvlPages::Move(int from, int to) {
    if (from < 0 || to < 0 || from >= Count() || to >= Count() || from == to) return;
    auto page = std::move(pages_[static_cast<std::size_t>(from)]);
    pages_.erase(pages_.begin() + from);
    pages_.insert(pages_.begin() + to, std::move(page));
}

void TvlPages::Delete(int index) {
    if (index >= 0 && index < Count()) pages_.erase(pages_.begin() + index);
}

std::string TvlPages::FreePageName() const {
    for (int i = 1; i <= kMaxPageNumber; ++i) {
        const std::string name = "Page" + std::to_string(i);
        bool used = false;
        for (const auto& page : pages_)
            used = used || SameText(page->Name, name);
        if (!used) return name;
    }
    return {};
}

TvlView* TvlPages::FindObject(std::string_view name) const {
    for (const auto& page : pages_)
        if (TvlView* view = page->FindObject(name)) return view;
    return nullptr;
}

void TvlPages::readHeader(Stream& stream) {
    const int v = report_.Engine().views().templateVersion;
    report_.PrintToDefault = ReadBool16(stream);
    report_.TwoPass = ReadBool16(stream);
    std::string printer = ReadStringFor(stream, v);
    if (printer == kVirtualPrinterTag) {
        const TvlPrinter& p = report_.Engine().printer();
        printer = p.PrinterList().at(static_cast<std::size_t>(p.VirtualPrinterIndex()));
    }
    report_.SetPrinterName(printer);
}

void TvlPages::LoadFromStream(Stream& stream) {
    report_.Clear();
    readHeader(stream);
    while (stream.remaining() > 0) {
        const std::uint8_t tag = ReadByte(stream);
        if (tag == kPageTag) {
            TvlPage& page = Add();
            // An older record has no name: the one Add gave stays.
            std::string name = page.Name;
            if (!page.LoadFromStream(stream)) page.Name = std::move(name);
        } else if (tag == kDictionaryTag) {
            report_.Dictionary().LoadFromStream(stream, report_.Engine().views().templateVersion);
        } else if (tag == kDataManagerTag) {
            // No data manager reads its block here; the byte after it ends
            // the page part.
            ReadByte(stream);
            return;
        } else if (tag == kEndTag) {
            return;
        } else if (tag <= kLastObjectCode) {
            readObjectFrame(stream, tag);
        } else {
            throw UnsupportedTemplateError("unknown part " + std::to_string(tag));
        }
    }
}

void TvlPages::readObjectFrame(Stream& stream, std::uint8_t code) {
    const int v = report_.Engine().views().templateVersion;
    std::string className = code == otAddIn ? ReadStringFor(stream, v) : std::string();
    const int pageIndex = ReadByte(stream);
    if (v <= 23) {
        // Without an end position a record that fails leaves the stream
        // where the failure happened.
        try {
            readObject(stream, code, std::move(className), pageIndex);
        } catch (const VlError&) {
            // the engine's own errors skip the damaged object; others are faults
        }
        return;
    }
    const std::int64_t end = ReadInteger(stream);
    // An end that does not lie ahead would send the reader back over the
    // same bytes: the frame is damaged.
    if (end < stream.position() || end > stream.size())
        throw UnsupportedTemplateError("an object record ends outside the stream");
    try {
        readObject(stream, code, std::move(className), pageIndex);
    } catch (const VlError&) {
        // the engine's own errors skip the damaged object; others are faults
    }
    stream.seek(end);
}

void TvlPages::readObject(Stream& stream, std::uint8_t code, std::string className, int pageIndex) {
    const ClassAlias cls = aliasOf(code, std::move(className));
    if (pageIndex >= Count())
        throw VlError("Object of page " + std::to_string(pageIndex) + " of " +
                      std::to_string(Count()) + " pages");
    std::unique_ptr<TvlView> created =
        CreateObject(report_.Engine().model(), cls.code, cls.className);
    if (!created) return;
    TvlView& view = (*this)[pageIndex].AddObject(std::move(created));
    view.LoadFromStream(stream);
    skipBytes(stream, cls.skipAfter);
    view.SetProperty("Name", Variant(view.Name));
}

void TvlPages::writeObjectFrame(Stream& stream, TvlView& view, int pageIndex) const {
    if (pageIndex > 0xFF) throw StreamWriteError("A template holds objects on at most 256 pages");
    WriteByte(stream, view.Typ);
    if (view.Typ == otAddIn) WriteString(stream, view.className());
    WriteByte(stream, static_cast<std::uint8_t>(pageIndex));
    const std::int64_t placeholder = stream.position();
    WriteInteger(stream, 0);
    view.WriteMode = wmTemplate;
    view.SaveToStream(stream);
    const std::int64_t end = stream.position();
    stream.seek(placeholder);
    WriteInteger(stream, static_cast<std::int32_t>(end));
    stream.seek(end);
}

void TvlPages::SaveToStream(Stream& stream) const {
    WriteBool16(stream, report_.PrintToDefault);
    WriteBool16(stream, report_.TwoPass);
    const TvlPrinter& printer = report_.Engine().printer();
    const auto selected = static_cast<std::size_t>(printer.SelectedPrinter());
    WriteString(stream, printer.IsVirtual() || selected >= printer.PrinterList().size()
                            ? kVirtualPrinterTag
                            : printer.PrinterList()[selected]);
    for (const auto& page : pages_) {
        WriteByte(stream, kPageTag);
        page->SaveToStream(stream);
    }
    for (int i = 0; i < Count(); ++i)
        for (const auto& view : pages_[static_cast<std::size_t>(i)]->Objects)
            writeObjectFrame(stream, *view, i);
    WriteByte(stream, kDictionaryTag);
    report_.Dictionary().SaveToStream(stream);
    WriteByte(stream, kEndTag);
}

} // namespace vl
