#include "engine/script/StreamIO.h"

#include "engine/script/Errors.h"

#include <gtest/gtest.h>

using namespace vl;

namespace {

std::vector<std::uint8_t> bytes(std::initializer_list<int> list) {
    std::vector<std::uint8_t> out;
    for (int b : list)
        out.push_back(static_cast<std::uint8_t>(b));
    return out;
}

MemoryStream streamOf(std::initializer_list<int> list) {
    return MemoryStream(bytes(list));
}

} // namespace

TEST(StreamIO, StringIsLengthTextAndZero) {
    MemoryStream s;
    WriteString(s, "abc");
    EXPECT_EQ(s.data(), bytes({3, 0, 'a', 'b', 'c', 0}));
    s.seek(0);
    EXPECT_EQ(ReadString(s), "abc");
    EXPECT_EQ(s.remaining(), 0);
}

TEST(StreamIO, StringListEncodings) {
    MemoryStream s;
    WriteStrings(s, {"a", "bc"});
    EXPECT_EQ(s.data(), bytes({2, 0, 1, 0, 'a', 13, 2, 0, 'b', 'c', 0}));
    s.seek(0);
    EXPECT_EQ(ReadStrings(s), (StringList{"a", "bc"}));

    MemoryStream empty;
    WriteStrings(empty, {});
    EXPECT_EQ(empty.data(), bytes({0, 0, 0}));
    empty.seek(0);
    EXPECT_TRUE(ReadStrings(empty).empty());
    EXPECT_EQ(empty.remaining(), 0);
}

TEST(StreamIO, ListReaderFollowsSeparatorsNotTheCount) {
    // count says 1, but the separator after the first line says more follow
    auto s = streamOf({1, 0, 1, 0, 'x', 13, 1, 0, 'y', 0});
    EXPECT_EQ(ReadStrings(s), (StringList{"x", "y"}));
}

TEST(StreamIO, EmptyLinesSurviveRoundTrip) {
    MemoryStream s;
    const StringList lines = {"", "middle", ""};
    WriteStrings(s, lines);
    s.seek(0);
    EXPECT_EQ(ReadStrings(s), lines);
}

TEST(StreamIO, LegacyForms) {
    auto list = streamOf({'a', 13, 13, 'b', 0});
    EXPECT_EQ(ReadStringsOld(list), (StringList{"a", "", "b"}));
    auto none = streamOf({0});
    EXPECT_TRUE(ReadStringsOld(none).empty());
    auto trailing = streamOf({'a', 13, 0});
    EXPECT_EQ(ReadStringsOld(trailing), (StringList{"a"}));
    auto text = streamOf({'h', 'i', 0, 'x'});
    EXPECT_EQ(ReadStringOld(text), "hi");
    EXPECT_EQ(text.position(), 3);
}

TEST(StreamIO, VersionSelectsTheForm) {
    auto old = streamOf({'o', 'k', 0});
    EXPECT_EQ(ReadStringFor(old, 22), "ok");
    auto current = streamOf({2, 0, 'o', 'k', 0});
    EXPECT_EQ(ReadStringFor(current, 23), "ok");
}

TEST(StreamIO, PStrHasNoTerminator) {
    MemoryStream s;
    WritePStr(s, "AB");
    EXPECT_EQ(s.data(), bytes({2, 0, 'A', 'B'}));
    s.seek(0);
    EXPECT_EQ(ReadPStr(s), "AB");
}

TEST(StreamIO, PrimitivesAreLittleEndian) {
    MemoryStream s;
    WriteInteger(s, -2);
    WriteWord(s, 0x1234);
    WriteDouble(s, 1.5);
    EXPECT_EQ(std::vector<std::uint8_t>(s.data().begin(), s.data().begin() + 6),
              bytes({0xFE, 0xFF, 0xFF, 0xFF, 0x34, 0x12}));
    s.seek(0);
    EXPECT_EQ(ReadInteger(s), -2);
    EXPECT_EQ(ReadWord(s), 0x1234);
    EXPECT_EQ(ReadDouble(s), 1.5);
}

TEST(StreamIO, ReadsPastTheEndThrow) {
    auto shortInt = streamOf({1, 2, 3});
    EXPECT_THROW(ReadInteger(shortInt), StreamReadError);
    auto shortString = streamOf({10, 0, 'a'});
    EXPECT_THROW(ReadString(shortString), StreamReadError);
    auto unterminatedList = streamOf({2, 0, 1, 0, 'a', 13, 5, 0, 'b'});
    EXPECT_THROW(ReadStrings(unterminatedList), StreamReadError);
    auto unterminatedOld = streamOf({'a', 'b'});
    EXPECT_THROW(ReadStringsOld(unterminatedOld), StreamReadError);
    try {
        ReadByte(unterminatedOld);
        FAIL();
    } catch (const StreamReadError& e) {
        EXPECT_STREQ(e.what(), "Stream read error");
    }
}

TEST(StreamIO, OversizedTextIsRefusedNotTruncatedSilently) {
    MemoryStream s;
    EXPECT_THROW(WriteString(s, std::string(70000, 'x')), StreamWriteError);
    WriteString(s, std::string(65535, 'x'));
    s.seek(0);
    EXPECT_EQ(ReadString(s).size(), 65535u);
}

TEST(StreamIO, TextAndLine) {
    MemoryStream s;
    WriteText(s, "a");
    WriteLine(s, "b");
    EXPECT_EQ(s.data(), bytes({'a', 'b', 13, 10}));
}
