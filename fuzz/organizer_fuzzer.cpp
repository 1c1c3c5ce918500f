// Reads arbitrary bytes as the organizer's three files (task list, contact
// book, photo store), then asks for every field of every record as a
// report would, sorts the contacts both ways and decodes every contact's
// photo. Run with ASan and UBSan; any crash, sanitizer report or timeout is
// a finding. Errors the program raises (VlError) are expected.
//
// Input: two little-endian 16-bit lengths, then that many bytes of
// "TaskList.out", that many of "Contacts.out", and the rest as "photos.dat".
#include "app/OrganizerBinding.h"
#include "app/OrganizerStore.h"
#include "app/RecordLayout.h"
#include "engine/build/TvlEngine.h"
#include "engine/model/TvlGraphic.h"
#include "engine/script/Errors.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>
#include <span>

namespace {

// Names the binding answers besides the fields of the record layouts.
constexpr const char* kDerivedNames[] = {"Name",      "Category", "Notes",    "DueDate",
                                         "StartDate", "Contacts", "Progress", "Repeat",
                                         "Alarm",     "Status",   "Birthday", "Anniversary"};

QTemporaryDir& folder() {
    static QTemporaryDir dir;
    return dir;
}

void writeFile(const char* name, std::span<const std::uint8_t> bytes) {
    QFile file(folder().filePath(QString::fromLatin1(name)));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
}

std::size_t takeLength(std::span<const std::uint8_t>& in) {
    if (in.size() < 2) return 0;
    const std::size_t n = in[0] | (in[1] << 8);
    in = in.subspan(2);
    return n;
}

// The first n bytes of in (fewer when it is shorter), taken off it.
std::span<const std::uint8_t> takeBytes(std::span<const std::uint8_t>& in, std::size_t n) {
    const auto part = in.first(std::min(n, in.size()));
    in = in.subspan(part.size());
    return part;
}

void askEveryField(const quillet::OrganizerBinding& binding,
                   const std::vector<quillet::RecordField>& layout) {
    auto ask = [&binding](std::string_view name) {
        vl::Variant value;
        try {
            binding.reportGetValue(name, value);
            (void)value.toString();
        } catch (const vl::VlError&) {
        }
    };
    for (const quillet::RecordField& field : layout)
        ask(field.name);
    for (const char* name : kDerivedNames)
        ask(name);
}

void readEveryRecord(quillet::OrganizerStore& store) {
    quillet::OrganizerBinding binding(store, vl::Globals().localeService());
    binding.setToday([] { return QDate(2024, 2, 29); });
    int task = 0, contact = 0;
    binding.setRecordNumbers([&task] { return task; }, [&contact] { return contact; });
    binding.setDataKind(quillet::DataKind::Tasks);
    for (; !binding.tasksAtEnd(task); ++task)
        askEveryField(binding, quillet::TaskLayout());
    binding.setDataKind(quillet::DataKind::Contacts);
    for (; !binding.contactsAtEnd(contact); ++contact)
        askEveryField(binding, quillet::ContactLayout());
    binding.runSortFunction("SortByName");
    binding.runSortFunction("SortByCategory");
}

// The contacts' photos are JPEG pictures.
void decodePhotos(quillet::OrganizerStore& store) {
    for (const auto& contact : store.contacts()) {
        if (!contact->hasPhoto()) continue;
        try {
            const auto photo = store.readPhoto(*contact);
            auto graphic = vl::MakeGraphic(vl::TvlGraphicKind::Jpeg);
            graphic->load(photo->data().data(), photo->data().size());
        } catch (const vl::VlError&) {
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static int argc = 1;
    static char name[] = "organizer_fuzzer";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    if (!folder().isValid()) std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::span<const std::uint8_t> in(data, size);
    const std::size_t taskBytes = takeLength(in);
    const std::size_t contactBytes = takeLength(in);
    writeFile("TaskList.out", takeBytes(in, taskBytes));
    writeFile("Contacts.out", takeBytes(in, contactBytes));
    writeFile("photos.dat", in);

    quillet::OrganizerStore store(folder().path() + QLatin1Char('/'));
    try {
        store.startUp();
    } catch (const vl::VlError&) {
    }
    readEveryRecord(store);
    decodePhotos(store);
    return 0;
}
