#include "app/OrganizerStore.h"
#include "engine/script/CodePage.h"
#include "tools/vellum/CommandLine.h"
#include "tools/vellum/Commands.h"
#include "tools/vellum/JsonWriter.h"

#include <QDir>
#include <cstdio>

namespace vellum_cli {

namespace {

void writeField(JsonWriter& json, const quillet::OrganizerRecord& record,
                const quillet::RecordField& field) {
    using quillet::FieldType;
    json.key(field.name);
    switch (field.type) {
    case FieldType::Text:
        json.value(vl::ToQt(record.text(field.offset)));
        break;
    case FieldType::Notes:
        json.value(vl::ToQt(record.notes(field.offset)));
        break;
    case FieldType::Date:
        json.value(record.date(field.offset));
        break;
    case FieldType::Byte:
        json.value(static_cast<int>(record.byte(field.offset)));
        break;
    case FieldType::Flag:
        json.value(record.flag(field.offset));
        break;
    case FieldType::Int32:
        json.value(record.int32(field.offset));
        break;
    case FieldType::WeekDays:
        json.beginArray();
        for (int day = 0; day < 7; ++day)
            json.value(record.flag(field.offset + day));
        json.endArray();
        break;
    }
}

template <typename List>
void writeRecords(JsonWriter& json, const List& list,
                  const std::vector<quillet::RecordField>& layout) {
    json.beginArray();
    for (const auto& record : list) {
        json.beginObject();
        for (const auto& field : layout)
            writeField(json, *record, field);
        json.endObject();
    }
    json.endArray();
}

} // namespace

int RunOrganizer(const QStringList& args) {
    const CommandArgs cmd(args, {QStringLiteral("source")}, {});
    QString folder = cmd.positional(0, "organizer data folder");
    const QString source = cmd.option(QStringLiteral("source")).value_or(QStringLiteral("tasks"));
    if (source != QLatin1String("tasks") && source != QLatin1String("contacts"))
        throw UsageError("--source must be tasks or contacts");
    if (!QDir(folder).exists())
        throw vl::VlError("folder \"" + vl::FromQt(folder) + "\" does not exist");
    if (!folder.endsWith(QDir::separator()) && !folder.endsWith(QLatin1Char('/')))
        folder += QDir::separator();

    // Loaded and sorted as at start-up; the photo store plays no part here.
    quillet::OrganizerStore store(folder);
    std::string out;
    JsonWriter json(out);
    if (source == QLatin1String("tasks")) {
        store.loadTasks();
        quillet::SortTasks(store.tasks());
        writeRecords(json, store.tasks(), quillet::TaskLayout());
    } else {
        store.loadContacts();
        quillet::SortContactsByCategory(store.contacts());
        writeRecords(json, store.contacts(), quillet::ContactLayout());
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}

} // namespace vellum_cli
