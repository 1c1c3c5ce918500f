#include "app/OrganizerStore.h"

#include "engine/script/Errors.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quillet;

namespace {

class OrganizerStoreTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString prefix() const { return dir.path() + QLatin1Char('/'); }

    void write(const QString& name, const std::vector<std::uint8_t>& bytes) {
        QFile f(prefix() + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    }
    static void append(std::vector<std::uint8_t>& out, const OrganizerRecord& r) {
        out.insert(out.end(), r.data(), r.data() + r.size());
    }
};

} // namespace

TEST_F(OrganizerStoreTest, CompletedTasksAreDropped) {
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < 3; ++i) {
        TTaskRecord t;
        t.setText(TaskOffset::Name, 256, "task " + std::to_string(i));
        t.setByte(TaskOffset::Completed, i == 1 ? 1 : 0);
        append(bytes, t);
    }
    write("TaskList.out", bytes);
    OrganizerStore store(prefix());
    store.loadTasks();
    ASSERT_EQ(store.tasks().size(), 2u);
    EXPECT_EQ(store.tasks()[0]->name(), "task 0");
    EXPECT_EQ(store.tasks()[1]->name(), "task 2");
}

TEST_F(OrganizerStoreTest, ShortLastRecordIsZeroFilled) {
    std::vector<std::uint8_t> bytes;
    TContactRecord c;
    c.setText(ContactOffset::Name, 52, "First");
    append(bytes, c);
    bytes.push_back(7); // one more byte: a second record, all zero but its first byte
    write("Contacts.out", bytes);
    OrganizerStore store(prefix());
    store.loadContacts();
    ASSERT_EQ(store.contacts().size(), 2u);
    EXPECT_EQ(store.contacts()[1]->byte(0), 7);
    EXPECT_EQ(store.contacts()[1]->name(), "");
    EXPECT_EQ(store.contacts()[1]->byte(kContactRecordSize - 1), 0);
}

TEST_F(OrganizerStoreTest, MissingFilesAreCreatedEmpty) {
    OrganizerStore store(prefix());
    store.loadTasks();
    store.loadContacts();
    EXPECT_TRUE(store.tasks().empty());
    EXPECT_TRUE(store.contacts().empty());
    EXPECT_TRUE(QFile::exists(prefix() + "TaskList.out"));
    EXPECT_EQ(QFile(prefix() + "Contacts.out").size(), 0);
}

TEST_F(OrganizerStoreTest, UnopenableFileLeavesTheListUntouched) {
    OrganizerStore store(prefix() + "no/such/folder/");
    store.tasks().push_back(std::make_unique<TTaskRecord>());
    store.loadTasks();
    EXPECT_EQ(store.tasks().size(), 1u);
    EXPECT_THROW(store.openPhotoStore(), vl::VlError);
    EXPECT_FALSE(store.photoStoreOpen());
}

TEST_F(OrganizerStoreTest, PhotosAreReadByOffsetAndSize) {
    write("photos.dat", {'a', 'b', 'c', 'd', 'e', 'f'});
    OrganizerStore store(prefix());
    store.openPhotoStore();
    TContactRecord c;
    c.setInt32(ContactOffset::PhotoOffset, 2);
    c.setInt32(ContactOffset::PhotoSize, 3);
    auto photo = store.readPhoto(c);
    EXPECT_EQ(photo->data(), (std::vector<std::uint8_t>{'c', 'd', 'e'}));
    EXPECT_EQ(photo->position(), 0);
    // sizes past the end give what is there; offsets outside the store fail
    c.setInt32(ContactOffset::PhotoSize, 1'000'000'000);
    EXPECT_EQ(store.readPhoto(c)->size(), 4);
    c.setInt32(ContactOffset::PhotoOffset, -1);
    EXPECT_THROW(store.readPhoto(c), vl::VlError);
    c.setInt32(ContactOffset::PhotoOffset, 100);
    EXPECT_THROW(store.readPhoto(c), vl::VlError);
}

TEST(StartupOptions, SecondArgumentSelectsContactsInAnyCase) {
    auto o = StartupOptions::fromArguments("/opt/q", {"/data/", "contacts"});
    EXPECT_EQ(o.initialSource, DataSourceKind::Contacts);
    EXPECT_EQ(o.dataFolder, "/data/");
    EXPECT_EQ(o.programFolder, "/opt/q/");
    EXPECT_EQ(StartupOptions::fromArguments("/p/", {"x", "Contact"}).initialSource,
              DataSourceKind::TaskList);
    EXPECT_EQ(StartupOptions::fromArguments("/p/", {}).dataFolder, "");
}
