// Writes the seed corpus of the organizer fuzzer: task, contact and photo
// files with every field filled, in the fuzzer's input form (two 16-bit
// lengths, the task file, the contact file, the photo store). Records are
// cut after their last field the readers use; the readers fill the rest
// with zeros. Usage: make_organizer_seeds <folder>
#include "app/OrganizerRecord.h"
#include "app/RecordLayout.h"
#include "engine/model/picture/JpegCodec.h"

#include <QGuiApplication>
#include <QImage>
#include <fstream>
#include <iostream>

using namespace quillet;

namespace {

using Data = std::vector<std::uint8_t>;

// Every field of the layout gets a value of its type; `variant` varies them.
void fill(OrganizerRecord& record, const std::vector<RecordField>& layout, int variant) {
    for (const RecordField& f : layout) {
        switch (f.type) {
        case FieldType::Text:
            record.setText(f.offset, f.room, std::string(f.name) + " " + std::to_string(variant));
            break;
        case FieldType::Date:
            record.setDate(f.offset, 45000.25 + f.offset + variant * 400);
            break;
        case FieldType::Byte:
            record.setByte(f.offset, static_cast<std::uint8_t>(variant + 1));
            break;
        case FieldType::Flag:
            record.setByte(f.offset, variant % 2 == 0 ? 1 : 0);
            break;
        case FieldType::Int32:
            record.setInt32(f.offset, variant + 2);
            break;
        case FieldType::Notes:
            record.setNotes(f.offset, "First line\r\nsecond line of " + std::string(f.name));
            break;
        case FieldType::WeekDays:
            for (int d = 0; d < 7; ++d)
                record.setByte(f.offset + d, (d + variant) % 2);
            break;
        }
    }
}

void append(Data& out, const OrganizerRecord& record, int keep) {
    out.insert(out.end(), record.data(), record.data() + std::min(keep, record.size()));
}

void save(const std::string& folder, const std::string& name, const Data& tasks,
          const Data& contacts, const Data& photos) {
    std::ofstream out(folder + "/" + name, std::ios::binary);
    for (const std::size_t n : {tasks.size(), contacts.size()}) {
        out.put(static_cast<char>(n & 0xFF));
        out.put(static_cast<char>(n >> 8));
    }
    for (const Data* part : {&tasks, &contacts, &photos})
        out.write(reinterpret_cast<const char*>(part->data()),
                  static_cast<std::streamsize>(part->size()));
}

// Bytes of a task up to its notes' first line, of a contact up to its
// phones.
constexpr int kTaskKept = TaskOffset::Notes + 40;
constexpr int kContactKept = ContactOffset::Phones + ContactOffset::PhoneRoom * 4;

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_organizer_seeds <folder>\n";
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    const std::string folder = argv[1];

    QImage portrait(8, 8, QImage::Format_RGB32);
    portrait.fill(qRgb(200, 150, 120));
    const Data photo = vl::JpegCodec::encode(portrait, 40);

    Data tasks, contacts;
    TTaskRecord task;
    fill(task, TaskLayout(), 0);
    append(tasks, task, kTaskKept);
    TContactRecord contact;
    fill(contact, ContactLayout(), 0);
    contact.setByte(ContactOffset::HasPhoto, 1);
    contact.setInt32(ContactOffset::PhotoOffset, 0);
    contact.setInt32(ContactOffset::PhotoSize, static_cast<std::int32_t>(photo.size()));
    append(contacts, contact, kContactKept);
    save(folder, "one_each_with_photo", tasks, contacts, photo);

    // Two tasks (one completed) of other repeat kinds, two contacts, the
    // second's photo reaching past the end of the store.
    tasks.clear();
    contacts.clear();
    for (int variant : {1, 2}) {
        TTaskRecord t;
        fill(t, TaskLayout(), variant);
        append(tasks, t, TaskOffset::RepeatYearMonth + 4);
        TContactRecord c;
        fill(c, ContactLayout(), variant);
        c.setByte(ContactOffset::HasPhoto, 1);
        c.setInt32(ContactOffset::PhotoOffset, variant == 1 ? 0 : 100);
        c.setInt32(ContactOffset::PhotoSize, 4000);
        append(contacts, c, ContactOffset::Notes + 8);
    }
    save(folder, "two_each", tasks, contacts, Data(photo.begin(), photo.begin() + 120));
    return 0;
}
