#include "app/OrganizerRecord.h"

#include <algorithm>
#include <cstring>

namespace quillet {

std::size_t OrganizerRecord::available(int offset) const {
    if (offset < 0 || static_cast<std::size_t>(offset) >= bytes_.size()) return 0;
    return bytes_.size() - static_cast<std::size_t>(offset);
}

std::string OrganizerRecord::text(int offset) const {
    const std::size_t room = available(offset);
    if (room == 0) return {};
    const std::size_t length = std::min<std::size_t>(bytes_[offset], room - 1);
    return std::string(reinterpret_cast<const char*>(bytes_.data() + offset + 1), length);
}

double OrganizerRecord::date(int offset) const {
    double value = 0;
    if (available(offset) >= sizeof value)
        std::memcpy(&value, bytes_.data() + offset, sizeof value);
    return value;
}

std::uint8_t OrganizerRecord::byte(int offset) const {
    return available(offset) ? bytes_[offset] : 0;
}

std::int32_t OrganizerRecord::int32(int offset) const {
    std::int32_t value = 0;
    if (available(offset) >= sizeof value)
        std::memcpy(&value, bytes_.data() + offset, sizeof value);
    return value;
}

std::string OrganizerRecord::notes(int offset) const {
    const std::size_t room = std::min<std::size_t>(available(offset), kNotesSize);
    const auto* begin = reinterpret_cast<const char*>(bytes_.data() + offset);
    const auto* end = room ? static_cast<const char*>(std::memchr(begin, 0, room)) : nullptr;
    return std::string(begin, end ? static_cast<std::size_t>(end - begin) : room);
}

void OrganizerRecord::setText(int offset, int room, const std::string& value) {
    const std::size_t fits =
        std::min<std::size_t>(available(offset), static_cast<std::size_t>(room));
    if (fits == 0) return;
    const std::size_t length = std::min({value.size(), fits - 1, std::size_t{255}});
    bytes_[offset] = static_cast<std::uint8_t>(length);
    std::memcpy(bytes_.data() + offset + 1, value.data(), length);
}

void OrganizerRecord::setDate(int offset, double value) {
    if (available(offset) >= sizeof value)
        std::memcpy(bytes_.data() + offset, &value, sizeof value);
}

void OrganizerRecord::setByte(int offset, std::uint8_t value) {
    if (available(offset)) bytes_[offset] = value;
}

void OrganizerRecord::setInt32(int offset, std::int32_t value) {
    if (available(offset) >= sizeof value)
        std::memcpy(bytes_.data() + offset, &value, sizeof value);
}

void OrganizerRecord::setNotes(int offset, const std::string& value) {
    const std::size_t room = std::min<std::size_t>(available(offset), kNotesSize);
    const std::size_t length = std::min(value.size(), room);
    std::memset(bytes_.data() + offset, 0, room);
    std::memcpy(bytes_.data() + offset, value.data(), length);
}

} // namespace quillet
