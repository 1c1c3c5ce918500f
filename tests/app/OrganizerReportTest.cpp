#include "app/OrganizerReport.h"

#include "engine/build/FindDataSource.h"
#include "engine/build/TvlEngine.h"
#include "engine/model/TvlBandView.h"
#include "engine/model/TvlMemoView.h"
#include "engine/model/TvlPictureView.h"
#include "engine/model/picture/JpegCodec.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/script/BandType.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quillet;

namespace {

namespace C = ContactOffset;
namespace T = TaskOffset;

std::vector<std::uint8_t> jpeg(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    return vl::JpegCodec::encode(image);
}

// An organizer whose photo store holds a 8x6 and a 4x4 picture followed by
// bytes that are no picture, and a report with one page.
class OrganizerReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        vl::Globals().localeService().select("en_US");
        std::vector<std::uint8_t> photos = jpeg(8, 6);
        first_ = {0, static_cast<int>(photos.size())};
        const auto second = jpeg(4, 4);
        second_ = {static_cast<int>(photos.size()), static_cast<int>(second.size())};
        photos.insert(photos.end(), second.begin(), second.end());
        junk_ = {static_cast<int>(photos.size()), 16};
        photos.insert(photos.end(), 16, 0x5A);
        QFile file(dir_.path() + "/photos.dat");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(photos.data()),
                   static_cast<qint64>(photos.size()));
        file.close();
        store_.openPhotoStore();
        organizer_.report().Pages().Add();
    }

    TContactRecord& addContact(const std::string& name, std::pair<int, int> photo = {-1, 0}) {
        store_.contacts().push_back(std::make_unique<TContactRecord>());
        TContactRecord& c = *store_.contacts().back();
        c.setText(C::Name, 52, name);
        if (photo.first >= 0) {
            c.setByte(C::HasPhoto, 1);
            c.setInt32(C::PhotoOffset, photo.first);
            c.setInt32(C::PhotoSize, photo.second);
        }
        return c;
    }
    template <typename View> View& place(const std::string& name) {
        auto view = std::make_unique<View>();
        view->Name = name;
        return static_cast<View&>(organizer_.report().Pages()[0].AddObject(std::move(view)));
    }
    // Calls a function the way a template does, through the report's event.
    void call(std::string_view name, vl::Variant& result) {
        organizer_.report().Events.OnUserFunction(name, vl::Variant(1), vl::Variant(),
                                                  vl::Variant(), result);
    }
    void call(std::string_view name) {
        vl::Variant result;
        call(name, result);
    }
    vl::Variant get(std::string_view name) {
        vl::Variant value;
        organizer_.report().Events.OnGetValue(name, value);
        return value;
    }
    static QSize shown(const vl::TvlPictureView& photo) {
        return photo.Picture.empty() ? QSize() : photo.Picture.graphic()->size();
    }

    QTemporaryDir dir_;
    OrganizerStore store_{dir_.path() + "/"};
    OrganizerReport organizer_{store_};
    std::pair<int, int> first_, second_, junk_;
};

} // namespace

TEST_F(OrganizerReportTest, LoadPhotoHidesAndShowsThePhotoPerContact) {
    addContact("Ann", first_);
    addContact("Bob");
    addContact("Cy", second_);
    auto& photo = place<vl::TvlPictureView>("Photo");
    vl::TvlDataset& contacts = organizer_.datasetContacts();
    contacts.First();
    call("loadphoto");
    EXPECT_TRUE(photo.Visible);
    EXPECT_EQ(shown(photo), QSize(8, 6));
    contacts.Next();
    call("LoadPhoto");
    EXPECT_FALSE(photo.Visible);
    contacts.Next();
    call("LoadPhoto");
    EXPECT_TRUE(photo.Visible);
    EXPECT_EQ(shown(photo), QSize(4, 4));
    contacts.Next(); // past the end: no current contact, nothing changes
    photo.Visible = false;
    call("LoadPhoto");
    EXPECT_FALSE(photo.Visible);
}

TEST_F(OrganizerReportTest, PhotoFailuresKeepThePreviousPicture) {
    addContact("Ann", first_);
    addContact("Damaged", junk_);
    addContact("Far", {1 << 20, 100});
    auto& photo = place<vl::TvlPictureView>("Photo");
    vl::TvlDataset& contacts = organizer_.datasetContacts();
    contacts.First();
    call("LoadPhoto");
    for (int i = 0; i < 2; ++i) {
        contacts.Next();
        EXPECT_NO_THROW(call("LoadPhoto"));
        EXPECT_TRUE(photo.Visible);
        EXPECT_EQ(shown(photo), QSize(8, 6));
    }
}

TEST_F(OrganizerReportTest, LoadPhotoNeedsAPictureNamedPhoto) {
    addContact("Ann", first_);
    organizer_.datasetContacts().First();
    EXPECT_NO_THROW(call("LoadPhoto")); // no such object: nothing happens
    place<vl::TvlMemoView>("Photo");
    EXPECT_THROW(call("LoadPhoto"), vl::InvalidTypeCastError);
}

TEST_F(OrganizerReportTest, SortFunctionsLeaveArgumentsAndResultAlone) {
    addContact("b");
    addContact("A");
    vl::Variant result("kept");
    call("SortByName", result);
    EXPECT_EQ(store_.contacts()[0]->name(), "A");
    EXPECT_TRUE(result.identical(vl::Variant("kept")));
    call("Unknown", result);
    EXPECT_TRUE(result.identical(vl::Variant("kept")));
}

TEST_F(OrganizerReportTest, TemplatesFindTheComponentsByName) {
    vl::TvlReport& report = organizer_.report();
    EXPECT_EQ(report.name(), "Report");
    EXPECT_EQ(report.Title, "Quillet Report");
    EXPECT_FALSE(report.RebuildPrinter);
    EXPECT_EQ(report.PreviewButtons, 0x7F);
    EXPECT_EQ(organizer_.datasetTask().RangeEndCount, 10);
    const vl::DataSourceLookup tasks =
        vl::FindDataSource(report.Engine().components(), report.owner(), "datasettask");
    EXPECT_EQ(tasks.source, &organizer_.datasetTask());
    const vl::DataSourceLookup contacts =
        vl::FindDataSource(report.Engine().components(), report.owner(), "DatasetContacts");
    EXPECT_EQ(contacts.source, &organizer_.datasetContacts());
    EXPECT_EQ(vl::Globals().components().find(OrganizerReport::kOwnerName), report.owner());
}

TEST_F(OrganizerReportTest, TheComponentsLeaveTheDirectoryWithTheOrganizer) {
    auto other = std::make_unique<OrganizerReport>(store_);
    vl::TvlComponent* owner = other->report().owner();
    other.reset();
    const auto& containers = vl::Globals().components().containers();
    EXPECT_EQ(std::find(containers.begin(), containers.end(), owner), containers.end());
}

TEST_F(OrganizerReportTest, DataSourcesWalkTheListsAndFeedTheValues) {
    for (const char* name : {"first", "second"}) {
        store_.tasks().push_back(std::make_unique<TTaskRecord>());
        store_.tasks().back()->setText(T::Name, 256, name);
    }
    addContact("Ann");
    vl::TvlDataset& tasks = organizer_.datasetTask();
    organizer_.setDataKind(DataKind::Tasks);
    tasks.First();
    EXPECT_FALSE(tasks.Eof());
    EXPECT_TRUE(get("Name").identical(vl::Variant("first")));
    tasks.Next();
    EXPECT_TRUE(get("NAME").identical(vl::Variant("second")));
    tasks.Next();
    EXPECT_TRUE(tasks.Eof());
    EXPECT_TRUE(get("Name").isNull());
    organizer_.setDataKind(DataKind::Contacts);
    organizer_.datasetContacts().First();
    EXPECT_TRUE(get("Name").identical(vl::Variant("Ann")));
    organizer_.datasetContacts().Next();
    EXPECT_TRUE(organizer_.datasetContacts().Eof());
}

TEST_F(OrganizerReportTest, AFixedNowIsTheBuildsDateAndToday) {
    organizer_.setNow(QDateTime(QDate(2026, 3, 10), QTime(18, 0)));
    EXPECT_EQ(organizer_.report().Now(), QDateTime(QDate(2026, 3, 10), QTime(18, 0)));
    store_.tasks().push_back(std::make_unique<TTaskRecord>());
    TTaskRecord& task = *store_.tasks().back();
    task.setByte(T::RepeatKind, 1);
    task.setInt32(T::RepeatInterval, 1);
    task.setInt32(T::RepeatEnd, 1);
    task.setDate(T::RepeatUntil, 46092); // 11 March 2026
    organizer_.setDataKind(DataKind::Tasks);
    organizer_.datasetTask().First();
    EXPECT_TRUE(get("Repeat").identical(vl::Variant("Every day until Tomorrow")));
}

// A whole build: the band finds its data source by name, the page script
// sorts the contacts, the band script loads each photo and the texts come
// from the current contact.
TEST_F(OrganizerReportTest, ATemplateBuildsAgainstTheOrganizer) {
    addContact("Cy", second_);
    addContact("Ann", first_);
    addContact("Bob");
    organizer_.setNow(QDateTime(QDate(2026, 3, 10), QTime(9, 30)));
    vl::TvlReport& report = organizer_.report();
    report.ShowProgress = false;
    vl::TvlPage& page = report.Pages()[0];
    page.Script = {"begin", "  SortByName", "end"};
    auto& title = place<vl::TvlBandView>("Title");
    title.FrameTyp = vl::btReportTitle;
    title.SetBounds(0, 20, 700, 20);
    place<vl::TvlMemoView>("Today").SetBounds(40, 20, 200, 18);
    report.FindObject("Today")->Memo = {"[Date #Dyyyy-mm-dd] [Time #Thh:nn]"};
    auto& data = place<vl::TvlBandView>("Data");
    data.FrameTyp = vl::btMasterData;
    data.FormatStr = "DatasetContacts";
    data.SetBounds(0, 60, 700, 60);
    data.Script = {"begin", "  LoadPhoto", "end"};
    place<vl::TvlMemoView>("ContactName").SetBounds(120, 60, 200, 18);
    report.FindObject("ContactName")->Memo = {"[Name]"};
    place<vl::TvlPictureView>("Photo").SetBounds(40, 60, 60, 50);

    ASSERT_TRUE(report.PrepareReport()) << report.LastBuildError();
    std::vector<std::string> texts;
    std::vector<QSize> photos;
    vl::TvlEMFPages& pages = report.EMFPages();
    ASSERT_EQ(pages.Count(), 1);
    pages.LoadPageObjects(0);
    for (const auto& view : pages.PageAt(0).Page->objects()) {
        if (auto* picture = dynamic_cast<vl::TvlPictureView*>(view.get()))
            photos.push_back(shown(*picture));
        else if (!view->Memo.empty())
            texts.push_back(view->Memo[0]);
    }
    pages.ReleasePageObjects(0);
    EXPECT_EQ(texts, (std::vector<std::string>{"2026-03-10 09:30", "Ann", "Bob", "Cy"}));
    EXPECT_EQ(photos, (std::vector<QSize>{QSize(8, 6), QSize(4, 4)}));
}
