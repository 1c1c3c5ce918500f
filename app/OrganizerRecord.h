#pragma once

#include "app/RecordLayout.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace quillet {

// One organizer record in its own zero-filled buffer of the full record
// size. Readers never look past the end of the buffer, whatever lengths the
// record holds.
class OrganizerRecord {
public:
    explicit OrganizerRecord(int size) : bytes_(static_cast<std::size_t>(size), 0) {}

    int size() const { return static_cast<int>(bytes_.size()); }
    std::uint8_t* data() { return bytes_.data(); }
    const std::uint8_t* data() const { return bytes_.data(); }

    // The characters of a text field: its length byte as stored, cut at the
    // end of the record.
    std::string text(int offset) const;
    double date(int offset) const;
    std::uint8_t byte(int offset) const;
    bool flag(int offset) const { return byte(offset) != 0; }
    std::int32_t int32(int offset) const;
    // Text up to the first zero byte of the 1024-byte block (all of it if none).
    std::string notes(int offset) const;

    // Writers for tools that make records; text is cut to the field's room.
    void setText(int offset, int room, const std::string& value);
    void setDate(int offset, double value);
    void setByte(int offset, std::uint8_t value);
    void setInt32(int offset, std::int32_t value);
    void setNotes(int offset, const std::string& value);

private:
    std::size_t available(int offset) const;
    std::vector<std::uint8_t> bytes_;
};

// A task record, with the fields the program reads by name.
class TTaskRecord : public OrganizerRecord {
public:
    TTaskRecord() : OrganizerRecord(kTaskRecordSize) {}
    bool completed() const { return flag(TaskOffset::Completed); }
    std::string name() const { return text(TaskOffset::Name); }
    std::string category() const { return text(TaskOffset::Category); }
    double dueDate() const { return date(TaskOffset::DueDate); }
};

// A contact record, with the fields the program reads by name.
class TContactRecord : public OrganizerRecord {
public:
    TContactRecord() : OrganizerRecord(kContactRecordSize) {}
    std::string name() const { return text(ContactOffset::Name); }
    std::string category() const { return text(ContactOffset::Category); }
    bool hasPhoto() const { return flag(ContactOffset::HasPhoto); }
    std::int32_t photoOffset() const { return int32(ContactOffset::PhotoOffset); }
    std::int32_t photoSize() const { return int32(ContactOffset::PhotoSize); }
};

// The text of a record's notes block.
inline std::string ReadNotes(const TTaskRecord& task) {
    return task.notes(TaskOffset::Notes);
}
inline std::string ReadNotes(const TContactRecord& contact) {
    return contact.notes(ContactOffset::Notes);
}

} // namespace quillet
