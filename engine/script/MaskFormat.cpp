// Edit-mask formatting of FormatMaskText (declared in ValueFormat.h).
#include "engine/script/EngineText.h"
#include "engine/script/ValueFormat.h"

#include <vector>

namespace vl {

namespace {

enum class CaseMode { Keep, Upper, Lower };

// One position of the formatted text: a literal or a place for a value character.
struct MaskSlot {
    bool data = false;
    char literal = 0;
    CaseMode caseMode = CaseMode::Keep;
};

struct ParsedMask {
    std::vector<MaskSlot> positions;
    bool saveLiterals = true;
    bool rightAlign = false;
    char blank = '_';
    int dataCount = 0;
};

bool isDataChar(char c) {
    switch (c) {
    case 'L':
    case 'l':
    case 'A':
    case 'a':
    case 'C':
    case 'c':
    case '0':
    case '9':
    case '#':
        return true;
    default:
        return false;
    }
}

// The mask's fields: the mask itself, then (from the end) the save-literals
// flag and the blank character.
std::vector<std::string_view> maskFields(std::string_view editMask) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (std::size_t i = 0; i < editMask.size(); ++i) {
        if (editMask[i] == '\\') {
            ++i;
        } else if (editMask[i] == ';') {
            fields.push_back(editMask.substr(start, i - start));
            start = i + 1;
        }
    }
    fields.push_back(editMask.substr(std::min(start, editMask.size())));
    return fields;
}

ParsedMask parseMask(std::string_view editMask, const LocaleService& locale) {
    ParsedMask m;
    const std::vector<std::string_view> fields = maskFields(editMask);
    if (fields.size() >= 2) {
        const std::string_view save = fields[fields.size() >= 3 ? fields.size() - 2 : 1];
        m.saveLiterals = save.empty() || save[0] != '0';
    }
    if (fields.size() >= 3) m.blank = fields.back().empty() ? ' ' : fields.back()[0];
    const std::string_view mask = fields[0];
    CaseMode caseMode = CaseMode::Keep;
    for (std::size_t i = 0; i < mask.size(); ++i) {
        const char c = mask[i];
        if (c == '!') {
            m.rightAlign = true;
        } else if (c == '>') {
            if (i + 1 < mask.size() && mask[i + 1] == '<') {
                caseMode = CaseMode::Keep;
                ++i;
            } else {
                caseMode = CaseMode::Upper;
            }
        } else if (c == '<') {
            caseMode = CaseMode::Lower;
        } else if (c == '\\') {
            if (i + 1 < mask.size()) m.positions.push_back({false, mask[++i], caseMode});
        } else if (isDataChar(c)) {
            m.positions.push_back({true, 0, caseMode});
            ++m.dataCount;
        } else {
            const char literal = c == ':'   ? locale.timeSeparator()
                                 : c == '/' ? locale.dateSeparator()
                                 : c == '_' ? ' '
                                            : c;
            m.positions.push_back({false, literal, caseMode});
        }
    }
    return m;
}

std::string applyCase(std::string_view c, CaseMode mode) {
    return mode == CaseMode::Upper   ? text::Upper(c)
           : mode == CaseMode::Lower ? text::Lower(c)
                                     : std::string(c);
}

// The value's characters, each as its bytes.
std::vector<std::string_view> charactersOf(std::string_view value) {
    std::vector<std::string_view> chars;
    for (std::size_t i = 0; i < value.size(); i += text::CharSize(value, i))
        chars.push_back(value.substr(i, text::CharSize(value, i)));
    return chars;
}

} // namespace

std::string FormatMaskText(std::string_view editMask, std::string_view value,
                           const LocaleService& locale) {
    const ParsedMask m = parseMask(editMask, locale);
    std::vector<std::string_view> source = charactersOf(value);
    const std::string_view blank(&m.blank, 1);
    if (!m.saveLiterals && m.rightAlign && static_cast<int>(source.size()) < m.dataCount)
        source.insert(source.begin(), static_cast<std::size_t>(m.dataCount) - source.size(), blank);
    std::string out;
    std::size_t j = 0;
    for (const MaskSlot& slot : m.positions) {
        if (!slot.data) {
            out.push_back(slot.literal);
            if (m.saveLiterals) ++j;
            continue;
        }
        out += j < source.size() ? applyCase(source[j], slot.caseMode) : std::string(blank);
        ++j;
    }
    return out;
}

} // namespace vl
