#include "SurfaceFixture.h"
#include "engine/script/Stream.h"
#include "tools/templates/SampleTemplates.h"

#include <QDir>
#include <QTemporaryDir>
#include <map>

using namespace vltest;

namespace {

// Every object's template record, by name.
std::map<std::string, std::vector<std::uint8_t>> Records(const TvlReport& report) {
    std::map<std::string, std::vector<std::uint8_t>> records;
    report.ForEachObject([&](TvlView& view) {
        MemoryStream stream;
        view.SaveToStream(stream);
        records[view.Name] = stream.data();
    });
    return records;
}

} // namespace

// A sample template opened, one object dragged, saved and read again: that
// object alone has changed, by the distance it was dragged.
TEST_F(SurfaceTest, MovingOneObjectChangesOnlyItsRecord) {
    QTemporaryDir dir;
    templates::WriteSampleTemplates(dir.path());
    const QString path = QDir(dir.path()).filePath(QStringLiteral("TaskList/Task List.vlf"));
    ASSERT_TRUE(host.report_.LoadFromFile(path));
    host.page = &host.report_.Pages()[0];
    surface.placeOnWorkspace({1200, 900});
    const auto before = Records(host.report_);

    TvlView* moved = nullptr;
    for (const auto& v : host.page->Objects)
        if (dynamic_cast<TvlMemoView*>(v.get()) && v->Width > 20 && v->Height > 10) {
            moved = v.get();
            break;
        }
    ASSERT_NE(moved, nullptr);
    const std::string name = moved->Name;
    const QPoint grip(moved->Left + moved->Width / 2, moved->Top + moved->Height / 2);
    const int left = moved->Left, top = moved->Top;
    click(grip);
    ASSERT_EQ(host.sel.object, moved);
    drag(grip, grip + QPoint(8, 12));
    EXPECT_EQ(moved->Left, left + 8);
    EXPECT_EQ(moved->Top, top + 12);

    const QString saved = QDir(dir.path()).filePath(QStringLiteral("moved.vlf"));
    host.report_.SaveToFile(saved);
    TvlReport reloaded;
    ASSERT_TRUE(reloaded.LoadFromFile(saved));
    const auto after = Records(reloaded);
    ASSERT_EQ(after.size(), before.size());
    for (const auto& [objectName, record] : before) {
        ASSERT_TRUE(after.count(objectName)) << objectName;
        if (objectName == name)
            EXPECT_NE(after.at(objectName), record);
        else
            EXPECT_EQ(after.at(objectName), record) << objectName;
    }
    TvlView* again = reloaded.FindObject(name);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(QPoint(again->Left, again->Top), QPoint(left + 8, top + 12));
}
