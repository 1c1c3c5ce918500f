#pragma once

#include "engine/build/TvlEngine.h"
#include "engine/build/TvlReport.h"
#include "engine/build/TvlUserDataset.h"
#include "tests/support/MemoryTable.h"

#include <gtest/gtest.h>
#include <memory>

namespace vltest {

// A report on a form with the tables Customers (Name, City, Phone), Orders
// (Number, Date) and Temp1 (hidden from the designer), and the data sources
// DatasetTask and DatasetContacts.
class DictionaryFixture : public ::testing::Test {
protected:
    DictionaryFixture() {
        Globals().components().add(&form);
        for (const char* field : {"Phone", "Name", "City"})
            customers.add(field, TFieldType::ftString, Variant(std::string()));
        orders.add("Number", TFieldType::ftInteger, 0);
        orders.add("Date", TFieldType::ftDateTime, 0);
        temp.add("Value", TFieldType::ftInteger, 0);
        dictionary().HiddenDataSets.push_back("Temp*");
    }
    ~DictionaryFixture() override { Globals().components().remove(&form); }

    TvlDataDictionary& dictionary() { return report.Dictionary(); }
    TvlVariables& variables() { return dictionary().Variables; }

    TvlComponent form{"Form1"};
    TvlReport report{"Report1", &form};
    MemoryTable customers{"Customers", &form};
    MemoryTable orders{"Orders", &form};
    MemoryTable temp{"Temp1", &form};
    TvlUserDataset tasks{"DatasetTask", &form};
    TvlUserDataset contacts{"DatasetContacts", &form};
};

} // namespace vltest
