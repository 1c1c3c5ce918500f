#pragma once

#include "engine/build/TvlPage.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vl {

class Stream;
class TvlReport;

// The pages of a report in order, and the page part of a template: the
// report's printer settings, the page records, the framed object records
// and the dictionary block.
class TvlPages {
public:
    explicit TvlPages(TvlReport& report) : report_(report) {}
    TvlPages(const TvlPages&) = delete;
    TvlPages& operator=(const TvlPages&) = delete;

    int Count() const { return static_cast<int>(pages_.size()); }
    TvlPage& operator[](int index) const { return *pages_.at(static_cast<std::size_t>(index)); }
    // Appends a page named "Page" and the first free number.
    TvlPage& Add();
    // Appends a page made elsewhere, keeping its name.
    TvlPage& Adopt(std::unique_ptr<TvlPage> page);
    // Moves the page at from to index to; the pages between shift by one.
    void Move(int from, int to);
    void Delete(int index);
    void Clear() { pages_.clear(); }
    // "Page" and the first number from 1 to 10000 that no page uses; empty
    // when every number is taken.
    std::string FreePageName() const;
    TvlView* FindObject(std::string_view name) const;

    // Reads up to and including the byte that ends the page part. Errors
    // inside an object frame are collected in the engine's error text; a
    // damaged stream raises.
    void LoadFromStream(Stream& stream);
    void SaveToStream(Stream& stream) const;

private:
    void readHeader(Stream& stream);
    void readObjectFrame(Stream& stream, std::uint8_t code);
    void readObject(Stream& stream, std::uint8_t code, std::string className, int pageIndex);
    void writeObjectFrame(Stream& stream, TvlView& view, int pageIndex) const;

    TvlReport& report_;
    std::vector<std::unique_ptr<TvlPage>> pages_;
};

} // namespace vl
