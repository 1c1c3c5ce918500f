#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

namespace vl {

// The engine's numbered texts. The table is a data file of "id<TAB>text"
// lines in UTF-8 (so translators can work on it); texts are kept in the
// engine code page.
class TextTable {
public:
    // The table compiled into the program.
    static const TextTable& builtIn();

    // Parses "id<TAB>text" lines; '#' starts a comment line; \n \r \t \\ are
    // escapes. Malformed lines are skipped.
    static TextTable parse(std::string_view utf8);

    // The text of an id, or nullptr when the table has none.
    const std::string* find(int id) const;
    std::size_t size() const { return texts_.size(); }

private:
    std::unordered_map<int, std::string> texts_;
};

} // namespace vl
