#pragma once

#include "app/OrganizerSort.h"
#include "engine/script/Stream.h"

#include <QString>
#include <memory>

class QFile;

namespace quillet {

// Which organizer list a report prints.
enum class DataSourceKind { TaskList, Contacts };

// What the program takes from its command line.
struct StartupOptions {
    QString programFolder; // the program's own folder, ending in a separator
    QString dataFolder;    // a prefix of the data file names, used verbatim
    DataSourceKind initialSource = DataSourceKind::TaskList;

    // args[0] is the data folder, args[1] "CONTACTS" (any case) starts on the
    // contacts; anything else, or nothing, on the task list.
    static StartupOptions fromArguments(const QString& programFolder, const QStringList& args);
};

// The organizer's task list, contact book and photo store, read once at
// start-up and kept for the whole run. Files are only ever read.
class OrganizerStore {
public:
    explicit OrganizerStore(QString dataFolder = {});
    ~OrganizerStore();

    const QString& dataFolder() const { return dataFolder_; }
    TTaskList& tasks() { return tasks_; }
    TContacts& contacts() { return contacts_; }

    // Start-up: load and sort both lists, then open the photo store (whose
    // failure throws after the lists are loaded).
    void startUp();

    // Fill the lists from DataFolder + "TaskList.out" / "Contacts.out". A
    // missing file is created empty; one that cannot be opened leaves the
    // list untouched; a short last record is zero-filled.
    void loadTasks();
    void loadContacts();

    // Opens DataFolder + "photos.dat" for reading; throws VlError naming the
    // file and the reason when it cannot.
    void openPhotoStore();
    bool photoStoreOpen() const;
    // The contact's picture bytes as a new stream at its start; throws when
    // the store is not open or the offset lies outside it. A size reaching
    // past the end of the store gives the bytes up to the end.
    std::unique_ptr<vl::MemoryStream> readPhoto(const TContactRecord& contact);

private:
    template <typename Record>
    void loadRecords(const QString& fileName, std::vector<std::unique_ptr<Record>>& list,
                     bool (*keep)(const Record&));

    QString dataFolder_;
    TTaskList tasks_;
    TContacts contacts_;
    std::unique_ptr<QFile> photoStore_;
};

} // namespace quillet
