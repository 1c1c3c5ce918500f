#pragma once

#include <QDate>
#include <QString>
#include <cstdint>

namespace samples {

// What the sample generator writes: a task list, a contact book and the
// photo store of an invented organizer user.
struct SampleOptions {
    QString folder; // output folder, created when missing
    int taskCount = 60;
    int contactCount = 40;
    QDate today{2026, 12, 1}; // due dates and birthdays lie around it
    std::uint32_t seed = 1;
};

// Writes TaskList.out, Contacts.out and photos.dat; throws VlError on failure.
void WriteSampleOrganizer(const SampleOptions& options);

} // namespace samples
