#pragma once

#include "app/OrganizerBinding.h"
#include "app/OrganizerTable.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlReport.h"
#include "engine/build/TvlUserDataset.h"
#include "engine/model/TvlPicture.h"

#include <QDateTime>
#include <optional>

namespace quillet {

// The report component and the two organizer data sources as the Print
// Preview window owns them: "Report", "DatasetTask" and "DatasetContacts",
// found by templates under these names, with the report's value and
// function events answered from the organizer's lists. The tables "Tasks"
// and "Contacts" give the lists' fields to the designer and to expressions
// that name them with their table. The command line
// builds through this object, as the window is to.
class OrganizerReport {
public:
    // The name of the window that owns the components; bands find their
    // data sources among its components.
    static constexpr const char* kOwnerName = "FormPreview";
    static constexpr const char* kTitle = "Quillet Report";

    explicit OrganizerReport(OrganizerStore& store);
    ~OrganizerReport();
    OrganizerReport(const OrganizerReport&) = delete;
    OrganizerReport& operator=(const OrganizerReport&) = delete;

    vl::TvlReport& report() { return report_; }
    vl::TvlUserDataset& datasetTask() { return datasetTask_; }
    vl::TvlUserDataset& datasetContacts() { return datasetContacts_; }
    OrganizerTable& tasksTable() { return tasksTable_; }
    OrganizerTable& contactsTable() { return contactsTable_; }
    OrganizerBinding& binding() { return binding_; }

    DataKind dataKind() const { return binding_.dataKind(); }
    void setDataKind(DataKind kind) { binding_.setDataKind(kind); }

    // Fixes the moment a build sees as "now" (DATE, TIME and the "Today" of
    // dates in the organizer's texts), so that a build can be repeated with
    // the same result. Without it the clock decides.
    void setNow(const QDateTime& now);
    const std::optional<QDateTime>& fixedNow() const { return now_; }

    // The report's user-function event: "LoadPhoto", "SortByName" and
    // "SortByCategory"; other names do nothing. The arguments and the
    // result are not used.
    void reportUserFunction(std::string_view name);

    // Shows the current contact's photo in the picture object "Photo", or
    // hides that object for a contact without one. Photo failures are
    // silent; a "Photo" that is no picture object raises InvalidTypeCastError.
    void loadPhoto();

private:
    void wireDataSources();
    void wireReport();

    OrganizerStore& store_;
    vl::TvlComponent owner_{kOwnerName};
    vl::TvlReport report_{"Report", &owner_};
    OrganizerBinding binding_{store_, report_.Engine().localeService()};
    vl::TvlUserDataset datasetTask_{"DatasetTask", &owner_};
    vl::TvlUserDataset datasetContacts_{"DatasetContacts", &owner_};
    OrganizerTable tasksTable_{"Tasks", &owner_, binding_, DataKind::Tasks};
    OrganizerTable contactsTable_{"Contacts", &owner_, binding_, DataKind::Contacts};
    // The one JPEG picture every photo is decoded into.
    vl::TvlPicture photo_;
    std::optional<QDateTime> now_;
};

} // namespace quillet
