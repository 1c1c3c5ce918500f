#include "engine/script/TextTable.h"

#include "engine/script/CodePage.h"

#include <charconv>

extern const unsigned char vellum_texts_tsv[];
extern const unsigned long vellum_texts_tsv_size;

namespace vl {

namespace {

std::string unescape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out.push_back(text[i]);
            continue;
        }
        switch (text[++i]) {
        case 'n':
            out.push_back('\n');
            break;
        case 'r':
            out.push_back('\r');
            break;
        case 't':
            out.push_back('\t');
            break;
        default:
            out.push_back(text[i]);
            break;
        }
    }
    return out;
}

} // namespace

const TextTable& TextTable::builtIn() {
    static const TextTable table =
        parse({reinterpret_cast<const char*>(vellum_texts_tsv), vellum_texts_tsv_size});
    return table;
}

TextTable TextTable::parse(std::string_view utf8) {
    TextTable table;
    while (!utf8.empty()) {
        const auto eol = utf8.find('\n');
        std::string_view line = utf8.substr(0, eol);
        utf8.remove_prefix(eol == std::string_view::npos ? utf8.size() : eol + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const auto tab = line.find('\t');
        if (line.empty() || line.front() == '#' || tab == std::string_view::npos) continue;
        int id = 0;
        const auto [end, ec] = std::from_chars(line.data(), line.data() + tab, id);
        if (ec != std::errc() || end != line.data() + tab) continue;
        const auto text = unescape(line.substr(tab + 1));
        table.texts_[id] =
            FromQt(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    }
    return table;
}

const std::string* TextTable::find(int id) const {
    const auto it = texts_.find(id);
    return it == texts_.end() ? nullptr : &it->second;
}

} // namespace vl
