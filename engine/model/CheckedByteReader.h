#pragma once

#include "engine/script/Errors.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace vl {

// The error of a picture whose data is damaged or unsupported.
class PictureError : public VlError {
public:
    using VlError::VlError;
};

// Little-endian reads from a byte range; a read past its end raises
// PictureError instead of touching memory outside it.
class CheckedByteReader {
public:
    CheckedByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::size_t size() const { return size_; }
    std::size_t position() const { return pos_; }
    std::size_t remaining() const { return size_ - pos_; }
    void seek(std::size_t pos) {
        if (pos > size_) throw PictureError("Picture data is truncated");
        pos_ = pos;
    }
    void skip(std::size_t n) { seek(need(n) + n); }
    const std::uint8_t* data() const { return data_; }

    std::uint8_t u8() { return data_[need(1)++]; }
    std::uint16_t u16() {
        const std::size_t p = need(2);
        pos_ += 2;
        return static_cast<std::uint16_t>(data_[p] | (data_[p + 1] << 8));
    }
    std::uint32_t u32() {
        const std::size_t p = need(4);
        pos_ += 4;
        return static_cast<std::uint32_t>(data_[p]) |
               (static_cast<std::uint32_t>(data_[p + 1]) << 8) |
               (static_cast<std::uint32_t>(data_[p + 2]) << 16) |
               (static_cast<std::uint32_t>(data_[p + 3]) << 24);
    }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    std::int16_t i16() { return static_cast<std::int16_t>(u16()); }

private:
    std::size_t& need(std::size_t n) {
        if (n > size_ - pos_) throw PictureError("Picture data is truncated");
        return pos_;
    }

    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

} // namespace vl
