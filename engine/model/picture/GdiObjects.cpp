#include "engine/model/picture/GdiObjects.h"

#include "engine/script/CodePage.h"

namespace vl {

int GdiObjectTable::add(GdiObject object) {
    std::uint32_t slot;
    if (!freed_.empty()) {
        slot = *freed_.begin();
        freed_.erase(freed_.begin());
    } else if (next_ < kMaxSlots) {
        slot = next_++;
    } else {
        return -1;
    }
    objects_.insert_or_assign(slot, std::move(object));
    return static_cast<int>(slot);
}

bool GdiObjectTable::put(std::uint32_t slot, GdiObject object) {
    if (slot >= kMaxSlots) return false;
    objects_.insert_or_assign(slot, std::move(object));
    return true;
}

const GdiObject* GdiObjectTable::get(std::uint32_t slot) const {
    const auto it = objects_.find(slot);
    return it == objects_.end() ? nullptr : &it->second;
}

void GdiObjectTable::remove(std::uint32_t slot) {
    if (objects_.erase(slot) > 0 && slot < next_) freed_.insert(slot);
}

int CodePageForCharset(int charset) {
    switch (charset) {
    case 0: // ANSI
        return 1252;
    case 204: // Russian
        return 1251;
    case 238:
        return 1250;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    default: // default, OEM and the rest
        return 0;
    }
}

QString DecodeAnsiText(std::string_view bytes, int charset) {
    if (charset == 2) { // symbol fonts: the bytes are the glyph codes
        QString text;
        text.reserve(static_cast<qsizetype>(bytes.size()));
        for (const char c : bytes)
            text.append(QChar(static_cast<char16_t>(static_cast<std::uint8_t>(c))));
        return text;
    }
    const CodePage* page = CodePage::byNumber(CodePageForCharset(charset));
    return (page ? *page : CurrentCodePage()).toUnicode(bytes);
}

} // namespace vl
