#include "app/OrganizerStore.h"

#include "engine/script/CodePage.h"
#include "engine/script/Errors.h"

#include <QFile>

namespace quillet {

StartupOptions StartupOptions::fromArguments(const QString& programFolder,
                                             const QStringList& args) {
    StartupOptions options;
    options.programFolder = programFolder;
    if (!options.programFolder.endsWith(QLatin1Char('/')))
        options.programFolder += QLatin1Char('/');
    if (!args.isEmpty()) options.dataFolder = args[0];
    if (args.size() > 1 && args[1].toUpper() == QLatin1String("CONTACTS"))
        options.initialSource = DataSourceKind::Contacts;
    return options;
}

OrganizerStore::OrganizerStore(QString dataFolder) : dataFolder_(std::move(dataFolder)) {}
OrganizerStore::~OrganizerStore() = default;

void OrganizerStore::startUp() {
    loadTasks();
    SortTasks(tasks_);
    loadContacts();
    SortContactsByCategory(contacts_);
    openPhotoStore();
}

template <typename Record>
void OrganizerStore::loadRecords(const QString& fileName,
                                 std::vector<std::unique_ptr<Record>>& list,
                                 bool (*keep)(const Record&)) {
    QFile file(dataFolder_ + fileName);
    if (!file.exists()) {
        QFile create(file.fileName());
        create.open(QIODevice::WriteOnly); // an empty file, as the organizer would leave it
    }
    if (!file.open(QIODevice::ReadOnly)) return;
    qint64 remaining = file.size();
    list.clear();
    while (remaining > 0) {
        auto record = std::make_unique<Record>();
        const qint64 got = file.read(reinterpret_cast<char*>(record->data()), record->size());
        if (got <= 0) break;
        remaining -= got;
        if (keep(*record)) list.push_back(std::move(record));
    }
}

void OrganizerStore::loadTasks() {
    loadRecords<TTaskRecord>(QStringLiteral("TaskList.out"), tasks_,
                             [](const TTaskRecord& task) { return !task.completed(); });
}

void OrganizerStore::loadContacts() {
    loadRecords<TContactRecord>(QStringLiteral("Contacts.out"), contacts_,
                                [](const TContactRecord&) { return true; });
}

void OrganizerStore::openPhotoStore() {
    auto file = std::make_unique<QFile>(dataFolder_ + QStringLiteral("photos.dat"));
    if (!file->open(QIODevice::ReadOnly))
        throw vl::VlError("Cannot open file \"" + vl::FromQt(file->fileName()) + "\". " +
                          vl::FromQt(file->errorString()));
    photoStore_ = std::move(file);
}

bool OrganizerStore::photoStoreOpen() const {
    return photoStore_ != nullptr;
}

std::unique_ptr<vl::MemoryStream> OrganizerStore::readPhoto(const TContactRecord& contact) {
    if (!photoStore_) throw vl::VlError("The photo store is not open");
    const qint64 offset = contact.photoOffset();
    const qint64 size = contact.photoSize();
    if (offset < 0 || size < 0 || offset > photoStore_->size() || !photoStore_->seek(offset))
        throw vl::StreamReadError();
    const qint64 count = std::min(size, photoStore_->size() - offset);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count));
    const qint64 got = photoStore_->read(reinterpret_cast<char*>(bytes.data()), count);
    bytes.resize(static_cast<std::size_t>(std::max<qint64>(0, got)));
    return std::make_unique<vl::MemoryStream>(std::move(bytes));
}

} // namespace quillet
