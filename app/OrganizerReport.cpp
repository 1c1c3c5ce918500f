#include "app/OrganizerReport.h"

#include "engine/build/FindDataSource.h"
#include "engine/build/TvlEngine.h"
#include "engine/model/TvlGraphic.h"
#include "engine/model/TvlPictureView.h"
#include "engine/script/TextUtils.h"

namespace quillet {

namespace {

// The data sources walk a whole list; the count only matters to a walk
// that is told to stop after it.
constexpr int kRangeEndCount = 10;

} // namespace

OrganizerReport::OrganizerReport(OrganizerStore& store) : store_(store) {
    photo_.setGraphic(std::make_unique<vl::TvlJpegGraphic>());
    wireDataSources();
    wireReport();
    report_.Engine().components().add(&owner_);
}

OrganizerReport::~OrganizerReport() {
    report_.Engine().components().remove(&owner_);
}

void OrganizerReport::wireDataSources() {
    datasetTask_.RangeEndCount = kRangeEndCount;
    datasetContacts_.RangeEndCount = kRangeEndCount;
    datasetTask_.OnCheckEOF = [this](vl::TvlDataset& sender, bool& eof) {
        eof = binding_.tasksAtEnd(sender.RecordNo());
    };
    datasetContacts_.OnCheckEOF = [this](vl::TvlDataset& sender, bool& eof) {
        eof = binding_.contactsAtEnd(sender.RecordNo());
    };
    binding_.setRecordNumbers([this] { return datasetTask_.RecordNo(); },
                              [this] { return datasetContacts_.RecordNo(); });
}

void OrganizerReport::wireReport() {
    report_.Title = kTitle;
    report_.InitialZoom = vl::pzDefault;
    report_.PreviewButtons =
        vl::pbZoom | vl::pbLoad | vl::pbSave | vl::pbPrint | vl::pbFind | vl::pbHelp | vl::pbExit;
    report_.RebuildPrinter = false;
    report_.Events.OnGetValue = [this](std::string_view name, vl::Variant& value) {
        binding_.reportGetValue(name, value);
    };
    report_.Events.OnUserFunction = [this](std::string_view name, const vl::Variant&,
                                           const vl::Variant&, const vl::Variant&,
                                           vl::Variant&) { reportUserFunction(name); };
}

void OrganizerReport::setNow(const QDateTime& now) {
    now_ = now;
    report_.Now = [now] { return now; };
    const QDate today = now.date();
    binding_.setToday([today] { return today; });
}

void OrganizerReport::reportUserFunction(std::string_view name) {
    if (vl::SameText(name, "LoadPhoto"))
        loadPhoto();
    else
        binding_.runSortFunction(name);
}

void OrganizerReport::loadPhoto() {
    vl::TvlView* view = report_.FindObject("Photo");
    auto* picture = dynamic_cast<vl::TvlPictureView*>(view);
    if (view && !picture) throw vl::InvalidTypeCastError();
    const TContactRecord* contact = binding_.currentContact();
    if (!contact || !picture) return;
    if (!contact->hasPhoto()) {
        picture->Visible = false;
        return;
    }
    picture->Visible = true;
    try {
        const std::unique_ptr<vl::MemoryStream> bytes = store_.readPhoto(*contact);
        photo_.graphic()->load(bytes->data().data(), bytes->data().size());
        picture->Picture.assign(photo_);
    } catch (const std::exception&) {
        // A bad offset, a closed store or a damaged picture: the object keeps
        // what it showed before.
    }
}

} // namespace quillet
