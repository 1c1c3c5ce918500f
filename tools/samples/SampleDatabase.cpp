#include "tools/samples/SampleDatabase.h"

#include "engine/build/sql/TvlSqlDatabase.h"
#include "engine/script/CodePage.h"
#include "engine/script/Errors.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>
#include <array>
#include <random>

namespace samples {

namespace {

constexpr std::array kCustomers = {
    "Alder & Finch Ltd",  "Brightwater Studio", "Cobalt Engineering", "Dunmore Bakery",
    "Elm Street Books",   "Fairweather Travel", "Greenhill Farm",     "Harbour Lights Cafe",
    "Ironbridge Joinery", "Juniper Florists",   "Kestrel Print",      "Larkspur Gardens",
};
constexpr std::array kStreets = {"12 Mill Lane",    "4 Harbour Road",  "87 High Street",
                                 "3 Orchard Close", "21 Station Road", "9 Church Walk"};
constexpr std::array kCities = {"Bristol", "York", "Norwich", "Exeter", "Leeds", "Bath"};

struct Product {
    const char* name;
    double price;
};
constexpr std::array kProducts = {
    Product{"Notebook, A5 ruled", 3.20},
    Product{"Fountain pen", 24.50},
    Product{"Ink cartridges (10)", 4.75},
    Product{"Desk lamp", 39.90},
    Product{"Paper, A4 (500 sheets)", 6.40},
    Product{"Stapler", 12.00},
    Product{"Filing box", 8.25},
    Product{"Wall planner 2027", 14.99},
    Product{"Envelopes, C5 (50)", 5.60},
    Product{"Highlighters (4)", 3.95},
};

class Writer {
public:
    explicit Writer(const QString& file) {
        database_.DatabaseName = vl::FromQt(file);
        database_.CreateIfMissing = true;
        database_.Open();
    }

    void execute(const char* sql) { database_.Execute(sql); }

    // Inserts one row through a statement prepared once per table.
    void insert(QSqlQuery& statement, const QVariantList& values) {
        for (qsizetype i = 0; i < values.size(); ++i)
            statement.bindValue(static_cast<int>(i), values[i]);
        if (!statement.exec())
            throw vl::VlError("Cannot write the sample database: " +
                              vl::FromQt(statement.lastError().text()));
    }

    QSqlQuery prepare(const char* sql) {
        QSqlQuery statement(database_.connection());
        if (!statement.prepare(QLatin1String(sql)))
            throw vl::VlError("Cannot write the sample database: " +
                              vl::FromQt(statement.lastError().text()));
        return statement;
    }

private:
    vl::TvlSqlDatabase database_;
};

void createTables(Writer& db) {
    db.execute("CREATE TABLE customers (id INTEGER PRIMARY KEY, name TEXT NOT NULL, "
               "street TEXT, city TEXT)");
    db.execute("CREATE TABLE orders (id INTEGER PRIMARY KEY, customer_id INTEGER NOT NULL "
               "REFERENCES customers(id), order_date TEXT NOT NULL)");
    db.execute("CREATE TABLE order_lines (id INTEGER PRIMARY KEY, order_id INTEGER NOT NULL "
               "REFERENCES orders(id), position INTEGER NOT NULL, product TEXT NOT NULL, "
               "quantity INTEGER NOT NULL, unit_price REAL NOT NULL)");
    db.execute("CREATE INDEX order_lines_by_order ON order_lines (order_id, position)");
}

void writeRows(Writer& db, const ShopOptions& options) {
    std::mt19937 random(options.seed);
    const auto below = [&random](int n) { return static_cast<int>(random() % unsigned(n)); };
    QSqlQuery customer = db.prepare("INSERT INTO customers VALUES (?, ?, ?, ?)");
    for (int id = 1; id <= int(kCustomers.size()); ++id)
        db.insert(customer, {id, QLatin1String(kCustomers[id - 1]),
                             QLatin1String(kStreets[id % kStreets.size()]),
                             QLatin1String(kCities[id % kCities.size()])});
    QSqlQuery order = db.prepare("INSERT INTO orders VALUES (?, ?, ?)");
    QSqlQuery line = db.prepare("INSERT INTO order_lines VALUES (?, ?, ?, ?, ?, ?)");
    const QDate first(2026, 1, 5);
    int lineId = 0;
    for (int orderId = 1; lineId < options.orderLines; ++orderId) {
        const QDate date = first.addDays(orderId / 3);
        db.insert(order, {orderId, 1 + below(int(kCustomers.size())), date.toString(Qt::ISODate)});
        const int lines = std::min(1 + below(9), options.orderLines - lineId);
        for (int position = 1; position <= lines; ++position) {
            const Product& product = kProducts[static_cast<std::size_t>(below(kProducts.size()))];
            db.insert(line, {++lineId, orderId, position, QLatin1String(product.name),
                             1 + below(12), product.price});
        }
    }
}

void writeDatabase(const QString& file, const ShopOptions& options) {
    Writer db(file);
    db.execute("BEGIN");
    createTables(db);
    writeRows(db, options);
    db.execute("COMMIT");
}

} // namespace

void WriteShopDatabase(const ShopOptions& options) {
    const QFileInfo target(options.file);
    if (!QDir().mkpath(target.absolutePath()))
        throw vl::VlError("Cannot create folder \"" + vl::FromQt(target.absolutePath()) + "\"");
    const QString partial = options.file + QLatin1String(".partial");
    QFile::remove(partial);
    try {
        writeDatabase(partial, options);
    } catch (...) {
        QFile::remove(partial);
        throw;
    }
    QFile::remove(options.file);
    if (!QFile::rename(partial, options.file))
        throw vl::VlError("Cannot write \"" + vl::FromQt(options.file) + "\"");
}

} // namespace samples
