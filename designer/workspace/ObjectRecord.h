#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace vl {

class TvlView;
class TvlModelContext;

// An object kept as its template record (type code, add-in class name and
// the record the template stream holds), the compact form undo keeps
// copies in. The record is made and read at the current template version.
class TvlObjectRecord {
public:
    TvlObjectRecord() = default;
    explicit TvlObjectRecord(TvlView& view);

    bool empty() const { return bytes_.empty(); }
    std::size_t byteSize() const { return bytes_.capacity(); }
    std::int32_t sequence() const { return sequence_; }

    // A new object of the recorded class with the recorded contents and
    // sequence number, as an object of engine.
    std::unique_ptr<TvlView> create(TvlModelContext& engine) const;
    // The live object takes the recorded contents; false (and the object
    // unchanged) when it is of another class.
    bool restoreInto(TvlView& view) const;

private:
    std::vector<std::uint8_t> bytes_;
    std::int32_t sequence_ = 0;
};

} // namespace vl
