#include "designer/editors/ExpressionText.h"

#include <algorithm>
#include <charconv>

namespace vl {

namespace {

bool isNameChar(char c) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return c == '.' || c == '_' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z');
}

int toNumber(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() ? value : 0;
}

} // namespace

std::string BracketName(std::string_view name) {
    if (std::all_of(name.begin(), name.end(), isNameChar)) return std::string(name);
    return "[" + std::string(name) + "]";
}

std::string BracketExpression(std::string_view text) {
    if (text.empty()) return {};
    const bool onePair = text.size() >= 2 && text.front() == '[' && text.back() == ']' &&
                         text.substr(1, 255).find('[') == std::string_view::npos;
    if (onePair) return std::string(text);
    return "[" + std::string(text) + "]";
}

std::string FieldReference(std::string_view dataSet, std::string_view field) {
    return std::string(dataSet) + ".\"" + std::string(field) + "\"";
}

TvlFunctionHelp SplitFunctionDescription(std::string_view text) {
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos) return {{}, std::string(text.substr(0, 1000))};
    return {std::string(text.substr(0, slash)), std::string(text.substr(slash + 1, 1000))};
}

int ArgumentRowCount(std::string_view syntax) {
    const auto commas = std::count(syntax.begin(), syntax.end(), ',');
    return 1 + static_cast<int>(std::min<std::ptrdiff_t>(commas, 2));
}

std::string FunctionCallText(std::string_view name, std::string_view arg1, std::string_view arg2,
                             std::string_view arg3) {
    std::string call = std::string(name) + "(" + std::string(arg1);
    if (!arg2.empty()) call += ", " + std::string(arg2);
    if (!arg3.empty()) call += ", " + std::string(arg3);
    return call + ")";
}

TvlScriptErrorPos ParseScriptError(std::string_view errorLine) {
    const std::size_t slash = errorLine.find('/');
    if (slash == std::string_view::npos) return {};
    TvlScriptErrorPos pos;
    pos.line = slash > 5 ? toNumber(errorLine.substr(5, slash - 5)) : 0;
    const std::size_t colon = errorLine.find(':');
    pos.col = colon != std::string_view::npos && colon > slash
                  ? toNumber(errorLine.substr(slash + 1, colon - slash - 1))
                  : 0;
    return pos;
}

} // namespace vl
