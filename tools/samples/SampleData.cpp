#include "tools/samples/SampleData.h"

#include "app/OrganizerRecord.h"
#include "engine/model/picture/JpegCodec.h"
#include "engine/script/CodePage.h"
#include "engine/script/Errors.h"
#include "tools/samples/Portrait.h"

#include <QDir>
#include <QFile>
#include <array>
#include <random>
#include <vector>

namespace samples {

namespace {

using quillet::ContactOffset::PhoneRoom;
namespace T = quillet::TaskOffset;
namespace C = quillet::ContactOffset;

double oleDate(const QDate& date, int minutes = 0) {
    return static_cast<double>(QDate(1899, 12, 30).daysTo(date)) + minutes / 1440.0;
}

std::string ansi(const char* utf8) {
    return vl::FromQt(QString::fromUtf8(utf8));
}

class Random {
public:
    explicit Random(std::uint32_t seed) : engine_(seed) {}
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(engine_); }
    bool chance(int percent) { return below(100) < percent; }
    template <std::size_t N> const char* pick(const std::array<const char*, N>& list) {
        return list[static_cast<std::size_t>(below(static_cast<int>(N)))];
    }
    std::mt19937& engine() { return engine_; }

private:
    std::mt19937 engine_;
};

void writeFile(const QString& path, const std::vector<std::uint8_t>& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()))
        throw vl::VlError("Cannot write \"" + vl::FromQt(path) +
                          "\": " + vl::FromQt(file.errorString()));
}

void append(std::vector<std::uint8_t>& out, const quillet::OrganizerRecord& record) {
    out.insert(out.end(), record.data(), record.data() + record.size());
}

// ---- tasks ----

constexpr std::array<const char*, 5> kTaskCategories = {"Business", "Personal", "Home", "Garden",
                                                        ""};
constexpr std::array<const char*, 30> kTaskNames = {"Call the plumber about the boiler",
                                                    "Prepare quarterly report",
                                                    "Renew car insurance",
                                                    "Book dentist appointment",
                                                    "Water the tomatoes",
                                                    "Pay electricity bill",
                                                    "Send invoice to Hartmann & Söhne",
                                                    "Plan team offsite",
                                                    "Back up the laptop",
                                                    "Buy birthday present for Zoë",
                                                    "Review contract draft",
                                                    "Clean the gutters",
                                                    "Update CV",
                                                    "Order printer toner",
                                                    "Submit expense claims",
                                                    "Fix the garden fence",
                                                    "Read \"The Pragmatic Programmer\"",
                                                    "Weekly grocery shopping",
                                                    "Change smoke alarm batteries",
                                                    "Prepare slides for Monday meeting",
                                                    "Renew passport",
                                                    "Repot the orchids",
                                                    "File tax return",
                                                    "Walk the dog",
                                                    "Call mum",
                                                    "Defragment the archive cabinet",
                                                    "Sharpen the lawn mower blades",
                                                    "Write thank-you notes",
                                                    "Budget review",
                                                    "Team stand-up"};
constexpr std::array<const char*, 8> kPeople = {"Anna Berg",   "Tom Walker",  "José García",
                                                "Linda Chen",  "Mark O'Neil", "Sofia Rossi",
                                                "Peter Novak", "Grace Kim"};
constexpr std::array<const char*, 6> kTaskNotes = {
    "Remember to bring the reference number.",
    "Check last year's figures first.\r\nThen compare with the budget.",
    "Ask for a written quote before agreeing to anything.",
    "Low priority unless the deadline moves.",
    "Needs sign-off from the department head.\r\nDraft is in the shared folder.\r\nDue by noon.",
    ""};

void setRecurrence(quillet::OrganizerRecord& r, int kind, Random& rnd, const QDate& today) {
    r.setByte(T::RepeatKind, static_cast<std::uint8_t>(kind));
    r.setInt32(T::RepeatInterval, 1 + rnd.below(4));
    r.setInt32(T::RepeatAfter, 1 + rnd.below(10));
    // a task that does not repeat has no end to its repetition
    const int end = rnd.below(3);
    r.setInt32(T::RepeatEnd, kind == 0 ? 0 : end);
    r.setDate(T::RepeatUntil, oleDate(today.addMonths(6 + rnd.below(18))));
    r.setInt32(T::RepeatTimes, 2 + rnd.below(20));
    for (int day = 0; day < 7; ++day)
        r.setByte(T::RepeatWeekDays + day, kind == 4 && rnd.chance(35) ? 1 : 0);
    r.setInt32(T::RepeatDayOfMonth, 1 + rnd.below(28));
    r.setInt32(T::RepeatMonthWeek, 1 + rnd.below(5));
    r.setInt32(T::RepeatMonthWeekDay, 1 + rnd.below(7));
    r.setInt32(T::RepeatMonthInterval, 1 + rnd.below(3));
    r.setInt32(T::RepeatYearWeek, 1 + rnd.below(5));
    r.setInt32(T::RepeatYearWeekDay, 1 + rnd.below(7));
    r.setInt32(T::RepeatYearMonth, 1 + rnd.below(12));
}

quillet::TTaskRecord makeTask(int i, Random& rnd, const QDate& today) {
    quillet::TTaskRecord r;
    // every eighth task is done; the program drops those
    r.setByte(T::Completed, i % 8 == 7 ? 1 : 0);
    std::string name = ansi(kTaskNames[static_cast<std::size_t>(i) % kTaskNames.size()]);
    if (i >= static_cast<int>(kTaskNames.size()))
        name += " (" + std::to_string(i / kTaskNames.size() + 1) + ")";
    r.setText(T::Name, 256, name);
    r.setText(T::Category, 256,
              kTaskCategories[static_cast<std::size_t>(i) % kTaskCategories.size()]);
    const bool due = i % 6 != 5;
    r.setByte(T::HasDueDate, due ? 1 : 0);
    const QDate dueDate = today.addDays(rnd.below(60) - 20);
    r.setDate(T::DueDate, due ? oleDate(dueDate) : 0.0);
    r.setDate(T::StartDate, oleDate(dueDate.addDays(-rnd.below(14))));
    r.setDate(T::Alarm, rnd.chance(30) ? oleDate(dueDate.addDays(-1), 9 * 60) : 0.0);
    if (rnd.chance(40)) r.setText(T::Contacts, 256, ansi(rnd.pick(kPeople)));
    const int status = rnd.below(5);
    r.setByte(T::Status, static_cast<std::uint8_t>(status));
    r.setByte(T::Progress, static_cast<std::uint8_t>(status == 2   ? 100
                                                     : status == 0 ? 0
                                                                   : 10 * (1 + rnd.below(9))));
    // the first dozen tasks cover every recurrence kind, the rest are mostly one-off
    setRecurrence(r, i < 12 ? i : (rnd.chance(25) ? rnd.below(12) : 0), rnd, today);
    r.setNotes(T::Notes, ansi(rnd.pick(kTaskNotes)));
    return r;
}

// ---- contacts ----

constexpr std::array<const char*, 4> kContactCategories = {"Business", "Family", "Friends", ""};
constexpr std::array<const char*, 20> kFirst = {
    "Anna",   "Thomas", "José",   "Linda", "Mark", "Sofia",  "Peter",  "Grace",  "Zoë",  "Henrik",
    "Amélie", "David",  "Fatima", "Lukas", "Olga", "Samuel", "Ingrid", "Rafael", "Yuki", "Claire"};
constexpr std::array<const char*, 20> kLast = {
    "Berg",    "Walker", "García",    "Chen",   "O'Neil", "Rossi",   "Novak",
    "Kim",     "Müller", "Larsen",    "Dubois", "Smith",  "Haddad",  "Schneider",
    "Ivanova", "Okafor", "Lindqvist", "Costa",  "Tanaka", "Fournier"};
constexpr std::array<const char*, 8> kCities = {"Springfield", "Riverton", "Lakeside", "Hamburg",
                                                "Lyon",        "Bristol",  "Uppsala",  "Porto"};
constexpr std::array<const char*, 8> kStreets = {"Maple Avenue", "High Street",   "Elm Road",
                                                 "Hafenstraße",  "Rue des Lilas", "Station Road",
                                                 "Kungsgatan",   "Rua Nova"};
constexpr std::array<const char*, 6> kCompanies = {"Acme Ltd",    "Globex",           "Initech",
                                                   "Umbrella Co", "Hartmann & Söhne", "Nordlys AS"};
constexpr std::array<const char*, 6> kJobs = {"Engineer",  "Accountant", "Sales Manager",
                                              "Architect", "Consultant", "Designer"};
constexpr std::array<const char*, 5> kHobbies = {"Sailing", "Chess", "Photography", "Gardening",
                                                 "Cycling"};

std::string phone(Random& rnd) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "+1 555 %03d %04d", rnd.below(1000), rnd.below(10000));
    return buf;
}

// Letters for an e-mail address: accents dropped ("Amélie" -> "amelie").
std::string lowerAscii(const std::string& text) {
    std::string out;
    for (const QChar c : vl::ToQt(text).normalized(QString::NormalizationForm_D).toLower())
        if (c.unicode() < 128 && c.isLetterOrNumber())
            out.push_back(static_cast<char>(c.unicode()));
    return out;
}

quillet::TContactRecord makeContact(int i, Random& rnd, const QDate& today) {
    quillet::TContactRecord r;
    const std::string first =
        ansi(kFirst[static_cast<std::size_t>(i * 7 + i / 20) % kFirst.size()]);
    const std::string last = ansi(kLast[static_cast<std::size_t>(i * 3 + i / 20) % kLast.size()]);
    r.setText(C::Category, 256,
              kContactCategories[static_cast<std::size_t>(i) % kContactCategories.size()]);
    r.setText(C::Name, 52, first + " " + last);
    r.setText(309, 21, rnd.chance(30) ? (rnd.chance(50) ? "Dr." : "Ms.") : "");
    r.setText(330, 21, rnd.chance(10) ? "Jr." : "");
    r.setText(351, 21, last);
    r.setText(372, 21, first);
    r.setText(393, 21, rnd.chance(30) ? "J." : "");
    r.setText(414, 26, rnd.chance(20) ? first.substr(0, 3) : "");
    r.setText(440, 21, rnd.chance(40) ? ansi(rnd.pick(kFirst)) : "");
    r.setText(461, 256,
              rnd.chance(30) ? ansi(rnd.pick(kFirst)) + ", " + ansi(rnd.pick(kFirst)) : "");
    r.setText(717, 256, rnd.pick(kHobbies));
    const bool birthday = i % 5 != 4;
    r.setByte(C::HasBirthday, birthday ? 1 : 0);
    // birthdays spread over the coming year so a birthday list has every month
    const QDate born = today.addDays(rnd.below(365)).addYears(-(22 + rnd.below(50)));
    r.setDate(C::Birthday, birthday ? oleDate(born) : 0.0);
    const bool anniversary = rnd.chance(30);
    r.setByte(C::HasAnniversary, anniversary ? 1 : 0);
    r.setDate(C::Anniversary, anniversary ? oleDate(born.addYears(25 + rnd.below(10))) : 0.0);
    r.setNotes(C::Notes,
               i % 3 == 0 ? "Met at the spring conference.\r\nPrefers e-mail over calls." : "");
    for (int k = 0; k < C::PhoneCount; ++k)
        if (k == 0 || k == 8 || k == 10 || rnd.chance(15))
            r.setText(C::Phones + PhoneRoom * k, PhoneRoom, phone(rnd));
    const std::string mail = lowerAscii(first) + "." + lowerAscii(last);
    r.setText(2498, 51, mail + "@example.com");
    r.setText(2549, 51, rnd.chance(40) ? mail + "@mail.example.org" : "");
    r.setText(2600, 51, rnd.chance(10) ? lowerAscii(first) + "@home.example.net" : "");
    r.setText(2651, 51, rnd.chance(30) ? "www.example.com/" + lowerAscii(last) : "");
    r.setText(2702, 102, rnd.chance(20) ? "https://" + lowerAscii(last) + ".example.net/" : "");
    r.setText(2804, 21, rnd.chance(20) ? std::to_string(100000 + rnd.below(900000)) : "");
    r.setText(2825, 21, rnd.chance(15) ? lowerAscii(first) + "aim" : "");
    r.setText(2846, 21, rnd.chance(15) ? lowerAscii(first) + "_y" : "");
    r.setText(2867, 21, rnd.chance(15) ? lowerAscii(last) + "_msn" : "");
    const std::string street = std::to_string(1 + rnd.below(200)) + " " + ansi(rnd.pick(kStreets));
    r.setText(3045, 256,
              street +
                  (rnd.chance(20) ? "\r\nApartment " + std::to_string(1 + rnd.below(40)) : ""));
    r.setText(3301, 21, rnd.pick(kCities));
    r.setText(3322, 21, rnd.chance(50) ? "CA" : "");
    r.setText(3343, 21, std::to_string(10000 + rnd.below(89999)));
    r.setText(3364, 21, rnd.chance(70) ? "USA" : "Germany");
    r.setText(3589, 21, rnd.pick(kJobs));
    r.setText(3610, 21, ansi(rnd.pick(kCompanies)));
    r.setText(3631, 21, rnd.chance(50) ? "Operations" : "Research");
    r.setText(3652, 21, "Room " + std::to_string(100 + rnd.below(400)));
    r.setText(3673, 21, ansi(rnd.pick(kPeople)));
    r.setText(3694, 21, rnd.chance(30) ? ansi(rnd.pick(kPeople)) : "");
    r.setText(3715, 256, std::to_string(1 + rnd.below(900)) + " Business Park");
    r.setText(3971, 21, rnd.pick(kCities));
    r.setText(4013, 21, std::to_string(10000 + rnd.below(89999)));
    r.setText(4034, 21, "USA");
    return r;
}

} // namespace

void WriteSampleOrganizer(const SampleOptions& options) {
    if (!QDir().mkpath(options.folder))
        throw vl::VlError("Cannot create folder \"" + vl::FromQt(options.folder) + "\"");
    const QString prefix = QDir(options.folder).absolutePath() + QLatin1Char('/');
    Random rnd(options.seed);

    std::vector<std::uint8_t> tasks;
    for (int i = 0; i < options.taskCount; ++i)
        append(tasks, makeTask(i, rnd, options.today));
    writeFile(prefix + QStringLiteral("TaskList.out"), tasks);

    // Portraits are shared round-robin when there are many contacts.
    constexpr int kDistinctPhotos = 40;
    std::vector<std::uint8_t> photos;
    std::vector<std::pair<std::int32_t, std::int32_t>> photoAt;
    std::vector<std::uint8_t> contacts;
    for (int i = 0; i < options.contactCount; ++i) {
        quillet::TContactRecord c = makeContact(i, rnd, options.today);
        if (i % 4 != 3) {
            const std::size_t slot =
                photoAt.size() < kDistinctPhotos ? photoAt.size() : i % kDistinctPhotos;
            if (slot == photoAt.size()) {
                const auto jpeg = vl::JpegCodec::encode(DrawPortrait(rnd.engine()), 85);
                photoAt.emplace_back(static_cast<std::int32_t>(photos.size()),
                                     static_cast<std::int32_t>(jpeg.size()));
                photos.insert(photos.end(), jpeg.begin(), jpeg.end());
            }
            c.setByte(C::HasPhoto, 1);
            c.setInt32(C::PhotoOffset, photoAt[slot].first);
            c.setInt32(C::PhotoSize, photoAt[slot].second);
        }
        append(contacts, c);
    }
    writeFile(prefix + QStringLiteral("Contacts.out"), contacts);
    writeFile(prefix + QStringLiteral("photos.dat"), photos);
}

} // namespace samples
