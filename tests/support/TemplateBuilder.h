#pragma once

#include "engine/script/Stream.h"
#include "engine/script/StreamIO.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace vltest {

using namespace vl;

// Builds template streams byte by byte in the forms of one stream version:
// strings and lists in the legacy forms below version 23, object frames
// with end positions from version 24 on.
class TemplateBuilder {
public:
    explicit TemplateBuilder(int version) : version_(version) {}

    int version() const { return version_; }
    const std::vector<std::uint8_t>& data() const { return data_; }
    std::size_t size() const { return data_.size(); }
    MemoryStream stream() const { return MemoryStream(data_); }

    TemplateBuilder& u8(int v) { return raw({static_cast<std::uint8_t>(v)}); }
    TemplateBuilder& u16(int v) {
        return raw({static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)});
    }
    TemplateBuilder& i32(std::int32_t v) {
        const auto u = static_cast<std::uint32_t>(v);
        return raw({static_cast<std::uint8_t>(u), static_cast<std::uint8_t>(u >> 8),
                    static_cast<std::uint8_t>(u >> 16), static_cast<std::uint8_t>(u >> 24)});
    }
    TemplateBuilder& f64(double v) {
        std::uint8_t b[8];
        std::memcpy(b, &v, 8);
        return raw(std::vector<std::uint8_t>(b, b + 8));
    }
    TemplateBuilder& text(const std::string& s) {
        return raw(std::vector<std::uint8_t>(s.begin(), s.end()));
    }
    // "str" in the version's form, and always in the current form.
    TemplateBuilder& str(const std::string& s) {
        return version_ >= 23 ? strCurrent(s) : text(s).u8(0);
    }
    TemplateBuilder& strCurrent(const std::string& s) {
        return u16(static_cast<int>(s.size())).text(s).u8(0);
    }
    // "list" in the version's form.
    TemplateBuilder& list(const std::vector<std::string>& lines) {
        if (version_ >= 23) {
            MemoryStream m;
            WriteStrings(m, lines);
            return raw(m.data());
        }
        for (const auto& line : lines)
            text(line).u8(13);
        return u8(0);
    }
    TemplateBuilder& pstr(const std::string& s) { return u16(static_cast<int>(s.size())).text(s); }
    TemplateBuilder& raw(const std::vector<std::uint8_t>& bytes) {
        data_.insert(data_.end(), bytes.begin(), bytes.end());
        return *this;
    }

    // Version byte and the page part header.
    TemplateBuilder& header(bool printToDefault = false, bool twoPass = false,
                            const std::string& printer = "\x01") {
        return u8(version_).u16(printToDefault ? 0xFFFF : 0).u16(twoPass ? 0xFFFF : 0).str(printer);
    }

    struct Page {
        bool marker = true;
        std::int32_t paperSize = 9, width = 2100, height = 2970;
        std::int32_t margins[4] = {0, 0, 0, 0};
        int orientation = 0;
        std::int32_t bin = -1;
        bool printToPrev = false, useMargins = true;
        std::int32_t columns = 1, columnGap = 0;
        int type = 0;
        std::string name = "Page1";
        int borderStyle = 0;
        std::string caption = "Form";
        std::int32_t color = 0x00FF00, left = 1, top = 2, width2 = 300, height2 = 200;
        int position = 0;
        std::vector<std::string> script;
    };
    // Byte 255 and a page record in the version's layout.
    TemplateBuilder& page(const Page& p) {
        u8(255);
        if (p.marker) i32(-1);
        i32(p.paperSize).i32(p.width).i32(p.height);
        for (std::int32_t m : p.margins)
            i32(m);
        u8(p.orientation);
        if (version_ < 23) raw({1, 2, 3, 4, 5, 6});
        if (version_ >= 24) i32(p.bin);
        u16(p.printToPrev ? 1 : 0).u16(p.useMargins ? 1 : 0).i32(p.columns).i32(p.columnGap);
        if (version_ >= 24) {
            u8(p.type).strCurrent(p.name).u8(p.borderStyle).strCurrent(p.caption);
            i32(p.color).i32(p.left).i32(p.top).i32(p.width2).i32(p.height2).u8(p.position);
        }
        if (p.marker) list(p.script);
        return *this;
    }

    // The start of an object frame: type code, class name, page index and,
    // from version 24 on, the end position (filled in by endFrame).
    TemplateBuilder& beginFrame(int code, int pageIndex, const std::string& className = {}) {
        u8(code);
        if (code == 10) str(className);
        u8(pageIndex);
        if (version_ > 23) {
            endSlot_ = data_.size();
            i32(0);
        }
        return *this;
    }
    TemplateBuilder& endFrame() { return patchEnd(static_cast<std::int32_t>(data_.size())); }
    // Writes an explicit end position into the open frame.
    TemplateBuilder& patchEnd(std::int32_t end) {
        if (version_ <= 23) return *this;
        for (int i = 0; i < 4; ++i)
            data_[endSlot_ + static_cast<std::size_t>(i)] =
                static_cast<std::uint8_t>(static_cast<std::uint32_t>(end) >> (8 * i));
        return *this;
    }

    struct View {
        std::string name;
        int major = 2, minor = 0;
        std::int32_t left = 0, top = 0, width = 100, height = 20;
        int flags = 1, frameTyp = 0;
        std::int32_t frameWidth = 1, frameColor = 0, fill = 0x1FFFFFFF;
        int frameStyle = 0;
        std::int32_t format = 0;
        std::string formatStr;
        std::vector<std::string> memo, script;
        bool visible = true;
        int restrictions = 0;
        std::string tag;
        std::int32_t gapX = 2, gapY = 1;
        int bandAlign = 0;
    };
    // The common record of a view in template mode.
    TemplateBuilder& view(const View& v) {
        if (version_ >= 23) str(v.name);
        if (version_ > 23) u8(v.major).u8(v.minor);
        i32(v.left).i32(v.top).i32(v.width).i32(v.height).u16(v.flags).u16(v.frameTyp);
        i32(v.frameWidth).i32(v.frameColor).u16(v.frameStyle).i32(v.fill);
        i32(v.format).str(v.formatStr).list(v.memo);
        if (version_ > 22) list(v.script).u16(v.visible ? 1 : 0);
        if (version_ > 23) u16(v.restrictions).str(v.tag).i32(v.gapX).i32(v.gapY);
        if (version_ > 23 && v.major > 1) u8(v.bandAlign);
        return *this;
    }
    // A band's own fields after the common record (version 24 and later).
    TemplateBuilder& bandFields(const std::string& child, std::int32_t columns,
                                const std::string& master) {
        if (version_ <= 23) return *this;
        str(child).i32(columns).i32(200).i32(20).i32(1);
        return str(master);
    }
    // A picture's own fields: graphic kind, blob type (none when negative)
    // and the graphic's end.
    TemplateBuilder& pictureFields(int kind, int blobType, const std::vector<std::uint8_t>& bytes) {
        u8(kind);
        if (blobType >= 0) u8(blobType);
        i32(static_cast<std::int32_t>(data_.size() + 4 + bytes.size()));
        return raw(bytes);
    }
    // A text object's own fields, as text objects write them.
    TemplateBuilder& memoFields() {
        str("Arial").i32(10).u16(0).i32(0).i32(0).u16(1);
        u16(2).i32(0).i32(0xFFFFFF).str("");
        if (version_ > 23) i32(2).i32(0);
        return *this;
    }

    // Byte 254 and a dictionary block of the current layout.
    TemplateBuilder& dictionary(const std::vector<std::pair<std::string, std::string>>& vars,
                                int marker = -2) {
        u8(254).u16(marker & 0xFFFF).i32(static_cast<std::int32_t>(vars.size()));
        for (const auto& [name, value] : vars)
            strCurrent(name).strCurrent(value);
        return i32(0).i32(0);
    }

    struct Info {
        std::string comment, name, author, major, minor, release, build;
        std::string passwordHex;
        int generator = 88;
        bool protectedFlag = false;
        double created = 45000.25, lastChange = 45001.5;
    };
    TemplateBuilder& trailer(const Info& i) {
        pstr(i.comment).pstr(i.name).pstr(i.author).pstr(i.major).pstr(i.minor);
        pstr(i.release).pstr(i.build).pstr(i.passwordHex);
        return u8(i.generator).u8(i.protectedFlag ? 1 : 0).f64(i.created).f64(i.lastChange);
    }

private:
    int version_;
    std::vector<std::uint8_t> data_;
    std::size_t endSlot_ = 0;
};

} // namespace vltest
