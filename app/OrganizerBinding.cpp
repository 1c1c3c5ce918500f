#include "app/OrganizerBinding.h"

#include "app/RecurrenceText.h"
#include "engine/script/TextUtils.h"

namespace quillet {

namespace {

namespace C = ContactOffset;
namespace T = TaskOffset;

constexpr const char* kUnfiled = "Unfiled category";

template <typename List> auto* recordAt(const List& list, const std::function<int()>& recordNo) {
    const int n = recordNo ? recordNo() : -1;
    return n >= 0 && n < static_cast<int>(list.size()) ? list[static_cast<std::size_t>(n)].get()
                                                       : nullptr;
}

vl::Variant optionalDate(const OrganizerRecord& r, int flagOffset, int dateOffset) {
    return r.flag(flagOffset) ? vl::Variant::dateTime(r.date(dateOffset)) : vl::Variant("");
}

vl::Variant categoryOf(const std::string& category) {
    return vl::Variant(category.empty() ? std::string(kUnfiled) : category);
}

const char* statusText(const TTaskRecord& task) {
    if (task.completed()) return "Completed";
    switch (task.byte(T::Status)) {
    case 0:
        return "Not started";
    case 1:
        return "In progress";
    case 2:
        return "Completed";
    case 3:
        return "Waiting";
    case 4:
        return "Deferred";
    default:
        return nullptr;
    }
}

// A text field of the contact record other than the category.
const RecordField* plainContactText(std::string_view name) {
    for (const RecordField& f : ContactLayout())
        if (f.type == FieldType::Text && f.name != "Category" && vl::SameText(f.name, name))
            return &f;
    return nullptr;
}

} // namespace

const TTaskRecord* OrganizerBinding::currentTask() const {
    return recordAt(store_.tasks(), taskRecordNo_);
}

const TContactRecord* OrganizerBinding::currentContact() const {
    return recordAt(store_.contacts(), contactRecordNo_);
}

const std::vector<OrganizerField>& OrganizerBinding::Fields(DataKind kind) {
    using vl::TFieldType;
    static const std::vector<OrganizerField> tasks = {
        {"Name", TFieldType::ftString},      {"Category", TFieldType::ftString},
        {"DueDate", TFieldType::ftDateTime}, {"StartDate", TFieldType::ftDateTime},
        {"Alarm", TFieldType::ftDateTime},   {"Contacts", TFieldType::ftString},
        {"Progress", TFieldType::ftString},  {"Status", TFieldType::ftString},
        {"Repeat", TFieldType::ftString},    {"Notes", TFieldType::ftMemo},
    };
    // The contact record's texts, its two dates and its notes, as
    // contactValue answers them.
    static const std::vector<OrganizerField> contacts = [] {
        std::vector<OrganizerField> fields;
        for (const RecordField& f : ContactLayout()) {
            if (f.type == FieldType::Text)
                fields.push_back({std::string(f.name), TFieldType::ftString});
            else if (f.type == FieldType::Date)
                fields.push_back({std::string(f.name), TFieldType::ftDateTime});
            else if (f.type == FieldType::Notes)
                fields.push_back({std::string(f.name), TFieldType::ftMemo});
        }
        return fields;
    }();
    return kind == DataKind::Contacts ? contacts : tasks;
}

int OrganizerBinding::recordNo(DataKind kind) const {
    const auto& number = kind == DataKind::Contacts ? contactRecordNo_ : taskRecordNo_;
    return number ? number() : -1;
}

void OrganizerBinding::fieldValue(DataKind kind, std::string_view name, vl::Variant& value) const {
    if (kind == DataKind::Contacts) {
        if (const TContactRecord* contact = currentContact()) contactValue(*contact, name, value);
    } else if (const TTaskRecord* task = currentTask()) {
        taskValue(*task, name, value);
    }
}

void OrganizerBinding::contactValue(const TContactRecord& contact, std::string_view name,
                                    vl::Variant& value) const {
    if (const RecordField* field = plainContactText(name))
        value = vl::Variant(contact.text(field->offset));
    else if (vl::SameText(name, "Notes"))
        value = vl::Variant(ReadNotes(contact));
    else if (vl::SameText(name, "Birthday"))
        value = optionalDate(contact, C::HasBirthday, C::Birthday);
    else if (vl::SameText(name, "Anniversary"))
        value = optionalDate(contact, C::HasAnniversary, C::Anniversary);
    else if (vl::SameText(name, "Category"))
        value = categoryOf(contact.category());
}

void OrganizerBinding::taskValue(const TTaskRecord& task, std::string_view name,
                                 vl::Variant& value) const {
    if (vl::SameText(name, "Name"))
        value = vl::Variant(task.name());
    else if (vl::SameText(name, "DueDate"))
        value = optionalDate(task, T::HasDueDate, T::DueDate);
    else if (vl::SameText(name, "Notes"))
        value = vl::Variant(ReadNotes(task));
    else if (vl::SameText(name, "StartDate"))
        value = vl::Variant::dateTime(task.date(T::StartDate));
    else if (vl::SameText(name, "Contacts"))
        value = vl::Variant(task.text(T::Contacts));
    else if (vl::SameText(name, "Progress"))
        value = vl::Variant(std::to_string(task.byte(T::Progress)) + " %");
    else if (vl::SameText(name, "Category"))
        value = categoryOf(task.category());
    else if (vl::SameText(name, "Repeat"))
        value = vl::Variant(DescribeRecurrence(task, today(), locale_));
    else if (vl::SameText(name, "Alarm"))
        value = vl::Variant::dateTime(task.date(T::Alarm));
    else if (vl::SameText(name, "Status")) {
        if (const char* status = statusText(task)) value = vl::Variant(status);
    }
}

bool OrganizerBinding::runSortFunction(std::string_view name) {
    if (vl::SameText(name, "SortByName")) {
        SortContactsByName(store_.contacts());
        return true;
    }
    if (vl::SameText(name, "SortByCategory")) {
        SortContactsByCategory(store_.contacts());
        return true;
    }
    return false;
}

bool OrganizerBinding::tasksAtEnd(int recordNo) const {
    return recordNo >= static_cast<int>(store_.tasks().size());
}

bool OrganizerBinding::contactsAtEnd(int recordNo) const {
    return recordNo >= static_cast<int>(store_.contacts().size());
}

} // namespace quillet
