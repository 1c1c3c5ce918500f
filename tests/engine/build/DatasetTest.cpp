#include "engine/build/FindDataSource.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlUserDataset.h"

#include <gtest/gtest.h>
#include <vector>

using namespace vl;

namespace {

// Walks a source the way a band does and records the record numbers printed.
std::vector<int> walk(TvlDataset& source, int limit = 100) {
    std::vector<int> printed;
    source.First();
    while (!source.Eof() && limit-- > 0) {
        printed.push_back(source.RecordNo());
        source.Next();
    }
    return printed;
}

} // namespace

TEST(Dataset, CountedWalkStopsAtTheCountAndSkipsTheLastMove) {
    TvlUserDataset source;
    source.RangeEnd = reCount;
    source.RangeEndCount = 3;
    std::vector<int> movedAfter;
    source.OnNext = [&](TvlDataset& s) { movedAfter.push_back(s.RecordNo() - 1); };
    int firsts = 0;
    source.OnFirst = [&](TvlDataset&) { ++firsts; };

    EXPECT_EQ(walk(source), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(movedAfter, (std::vector<int>{0, 1}));
    EXPECT_EQ(firsts, 1);
    EXPECT_TRUE(source.Eof());
    EXPECT_EQ(source.RecordNo(), 3);

    // A source can be walked again.
    movedAfter.clear();
    EXPECT_EQ(walk(source).size(), 3u);
    EXPECT_EQ(firsts, 2);
}

TEST(Dataset, CountOfZeroIsAtItsEndRightAfterFirst) {
    TvlUserDataset source;
    source.RangeEnd = reCount;
    source.RangeEndCount = 0;
    EXPECT_TRUE(walk(source).empty());
}

TEST(Dataset, CheckEofCanEndACountedWalkEarlyOrExtendIt) {
    TvlUserDataset source;
    source.RangeEnd = reCount;
    source.RangeEndCount = 3;
    source.OnCheckEOF = [](TvlDataset& s, bool& eof) { eof = eof || s.RecordNo() >= 1; };
    EXPECT_EQ(walk(source), (std::vector<int>{0}));

    std::vector<bool> received;
    source.OnCheckEOF = [&](TvlDataset& s, bool& eof) {
        received.push_back(eof);
        eof = s.RecordNo() >= 5;
    };
    EXPECT_EQ(walk(source), (std::vector<int>{0, 1, 2, 3, 4}));
    // The handler is told the count was reached and answers otherwise.
    EXPECT_EQ(received, (std::vector<bool>{false, false, false, true, true, true}));
}

TEST(Dataset, UserSourceYieldsAHostListInOrder) {
    const std::vector<std::string> tasks{"Call", "Write", "Pay"};
    std::vector<std::string> printed;
    TvlUserDataset source("DatasetTask");
    const std::vector<std::string>* list = &tasks;
    source.OnCheckEOF = [&](TvlDataset& s, bool& eof) {
        eof = s.RecordNo() >= static_cast<int>(list->size());
    };
    for (int no : walk(source))
        printed.push_back(tasks[static_cast<std::size_t>(no)]);
    EXPECT_EQ(printed, tasks);

    const std::vector<std::string> empty;
    list = &empty;
    EXPECT_TRUE(walk(source).empty());
}

TEST(Dataset, UserSourceWithoutEndTestNeverEndsAndPriorStepsBack) {
    TvlUserDataset source;
    int priors = 0;
    source.OnPrior = [&](TvlDataset&) { ++priors; };
    EXPECT_EQ(walk(source, 10).size(), 10u);
    source.Prior();
    EXPECT_EQ(source.RecordNo(), 9);
    EXPECT_EQ(priors, 1);
}

namespace {

struct HostProgram {
    TvlComponent mainForm{"MainForm"};
    TvlUserDataset tasks{"DatasetTask", &mainForm};
    TvlComponent notASource{"Button1", &mainForm};
    TvlComponent dataModule{"Data"};
    TvlUserDataset contacts{"DatasetContacts", &dataModule};
    ComponentDirectory directory;
    HostProgram() {
        directory.add(&mainForm);
        directory.add(&dataModule);
    }
};

class OpenCounting : public TvlUserDataset {
public:
    using TvlUserDataset::TvlUserDataset;
    void Open() override { ++opens; }
    int opens = 0;
};

} // namespace

TEST(FindDataSource, NumberMakesAVirtualSourceOfThatManyRecords) {
    HostProgram host;
    DataSourceLookup found = FindDataSource(host.directory, &host.mainForm, "12");
    ASSERT_NE(found.source, nullptr);
    EXPECT_TRUE(found.isVirtual());
    EXPECT_EQ(walk(*found.source).size(), 12u);

    found = FindDataSource(host.directory, &host.mainForm, "3");
    EXPECT_EQ(walk(*found.source), (std::vector<int>{0, 1, 2}));
}

TEST(FindDataSource, NamesAreLookedUpWithoutRegardToCase) {
    HostProgram host;
    DataSourceLookup found = FindDataSource(host.directory, &host.mainForm, "datasettask");
    EXPECT_EQ(found.source, &host.tasks);
    EXPECT_FALSE(found.isVirtual());
    found = FindDataSource(host.directory, &host.mainForm, "DATA.DatasetContacts");
    EXPECT_EQ(found.source, &host.contacts);
}

TEST(FindDataSource, MissingNamesGiveNoSource) {
    HostProgram host;
    for (const char* name : {"", "0", "Nothing", "Data.Nothing", "Nowhere.DatasetTask"})
        EXPECT_EQ(FindDataSource(host.directory, &host.mainForm, name).source, nullptr) << name;
    EXPECT_EQ(FindDataSource(host.directory, nullptr, "DatasetTask").source, nullptr);
}

TEST(FindDataSource, BadNamesRaise) {
    HostProgram host;
    EXPECT_THROW(FindDataSource(host.directory, &host.mainForm, "Button1"), InvalidTypeCastError);
    EXPECT_THROW(FindDataSource(host.directory, &host.mainForm, "5a"), ConversionError);
}

TEST(FindDataSource, OpensWhatItFinds) {
    TvlComponent form{"Form"};
    OpenCounting source{"Source", &form};
    ComponentDirectory directory;
    FindDataSource(directory, &form, "Source");
    FindDataSource(directory, &form, "Source");
    EXPECT_EQ(source.opens, 2);
}

TEST(FindDataSource, SearchesTheProgramsRegistry) {
    HostProgram host;
    ComponentDirectory& registry = Globals().components();
    registry.add(&host.dataModule);
    EXPECT_EQ(FindDataSource(Globals().components(), &host.mainForm, "Data.DatasetContacts").source,
              &host.contacts);
    registry.remove(&host.dataModule);
    EXPECT_EQ(FindDataSource(Globals().components(), &host.mainForm, "Data.DatasetContacts").source,
              nullptr);
}
