#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vl {

// The stored form of one compiled script statement. The first byte tells the
// kind:
//   conditional jump: 1, target low byte, target high byte, postfix condition
//                     (continue at the target when the condition equals 0)
//   jump:             2, target low byte, target high byte
//   call:             3, postfix expression (value discarded; EXIT(0) ends)
//   assignment:       variable name, one space, postfix expression
// Targets are 0-based line indexes; one past the last line ends the run.
namespace compiled {

constexpr char kConditionalJump = 1;
constexpr char kJump = 2;
constexpr char kCall = 3;

// Targets are stored in two bytes.
constexpr std::size_t kMaxLines = 0xFFFF;

enum class Kind { ConditionalJump, Jump, Call, Assignment, Empty };

inline Kind KindOf(std::string_view line) {
    if (line.empty()) return Kind::Empty;
    switch (line[0]) {
    case kConditionalJump:
        return Kind::ConditionalJump;
    case kJump:
        return Kind::Jump;
    case kCall:
        return Kind::Call;
    default:
        return Kind::Assignment;
    }
}

inline std::string EncodeTarget(std::size_t target) {
    std::string bytes(2, '\0');
    bytes[0] = static_cast<char>(target & 0xFF);
    bytes[1] = static_cast<char>((target >> 8) & 0xFF);
    return bytes;
}

// The target of a (conditional) jump. A line too short to hold one targets
// the end of any script, so a damaged line cannot send the run astray.
inline std::size_t TargetOf(std::string_view line) {
    if (line.size() < 3) return kMaxLines + 1;
    return static_cast<unsigned char>(line[1]) | (static_cast<unsigned char>(line[2]) << 8);
}

inline void SetTarget(std::string& line, std::size_t target) {
    if (line.size() < 3) line.resize(3, ' ');
    line.replace(1, 2, EncodeTarget(target));
}

// The variable name of an assignment: its first blank-delimited word.
inline std::string_view AssignedName(std::string_view line) {
    const std::size_t start = line.find_first_not_of(' ');
    if (start == std::string_view::npos) return {};
    const std::size_t blank = line.find(' ', start);
    return line.substr(start,
                       blank == std::string_view::npos ? line.size() - start : blank - start);
}

// The expression part of a line: after the three leading bytes of a
// conditional jump, after the first byte of a call, after the name of an
// assignment; empty for a jump.
inline std::string_view ExpressionOf(std::string_view line) {
    switch (KindOf(line)) {
    case Kind::ConditionalJump:
        return line.size() > 3 ? line.substr(3) : std::string_view();
    case Kind::Call:
        return line.substr(1);
    case Kind::Assignment: {
        const std::string_view name = AssignedName(line);
        if (name.empty()) return {};
        const std::size_t end = static_cast<std::size_t>(name.data() - line.data()) + name.size();
        return end < line.size() ? line.substr(end + 1) : std::string_view();
    }
    default:
        return {};
    }
}

} // namespace compiled

} // namespace vl
