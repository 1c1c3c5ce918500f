#pragma once

#include "app/OrganizerStore.h"
#include "engine/script/LocaleService.h"
#include "engine/script/TvlField.h"
#include "engine/script/Variant.h"

#include <QDate>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

// Which list the names in a template refer to.
enum class DataKind { Contacts = 0, Tasks = 1 };

// An organizer field as reports see it: its name and the kind of value the
// binding gives it.
struct OrganizerField {
    std::string name;
    vl::TFieldType type;
};

// Answers a report's questions about organizer fields from the current
// record of the task or contact list, and runs the organizer's own report
// functions. Record numbers come from the data sources that walk the lists.
class OrganizerBinding {
public:
    // Day and month names and dates in the text it gives follow locale.
    OrganizerBinding(OrganizerStore& store, const vl::LocaleService& locale)
        : store_(store), locale_(locale) {}

    DataKind dataKind() const { return dataKind_; }
    void setDataKind(DataKind kind) { dataKind_ = kind; }

    // The current record numbers of the two data sources (from 0).
    void setRecordNumbers(std::function<int()> task, std::function<int()> contact) {
        taskRecordNo_ = std::move(task);
        contactRecordNo_ = std::move(contact);
    }
    // The date that "Today", "Tomorrow" and "Yesterday" refer to.
    void setToday(std::function<QDate()> today) { today_ = std::move(today); }

    // The record at the data source's position, or nullptr outside the list.
    const TTaskRecord* currentTask() const;
    const TContactRecord* currentContact() const;

    // The value of an organizer field of the current record, or Null (left
    // untouched) when the name is none of them or there is no record.
    void reportGetValue(std::string_view name, vl::Variant& value) const {
        fieldValue(dataKind_, name, value);
    }
    // The same for the current record of either list.
    void fieldValue(DataKind kind, std::string_view name, vl::Variant& value) const;
    // The fields of a list that the binding answers, in record order.
    static const std::vector<OrganizerField>& Fields(DataKind kind);
    // Whether that list's data source is on a record.
    bool onRecord(DataKind kind) const {
        return kind == DataKind::Contacts ? currentContact() != nullptr : currentTask() != nullptr;
    }
    // The current record number of that list's data source (from 0).
    int recordNo(DataKind kind) const;

    // "SortByName" / "SortByCategory" re-sort the contacts for the rest of
    // the run; true when the name was one of them.
    bool runSortFunction(std::string_view name);

    // The end-of-data tests of the two data sources.
    bool tasksAtEnd(int recordNo) const;
    bool contactsAtEnd(int recordNo) const;

private:
    QDate today() const { return today_ ? today_() : QDate::currentDate(); }
    void contactValue(const TContactRecord& contact, std::string_view name,
                      vl::Variant& value) const;
    void taskValue(const TTaskRecord& task, std::string_view name, vl::Variant& value) const;

    OrganizerStore& store_;
    const vl::LocaleService& locale_;
    DataKind dataKind_ = DataKind::Contacts;
    std::function<int()> taskRecordNo_, contactRecordNo_;
    std::function<QDate()> today_;
};

} // namespace quillet
