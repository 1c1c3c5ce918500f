#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace vl {

// A little-endian reader over a byte span that never reads outside it. A read
// past the end yields zero and marks the reader as failed, so record parsers can
// read a whole structure and test once at the end.
class ByteReader {
public:
    ByteReader() = default;
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t size() const { return bytes_.size(); }
    std::size_t pos() const { return pos_; }
    std::size_t remaining() const { return bytes_.size() - pos_; }
    bool ok() const { return ok_; }
    std::span<const std::uint8_t> bytes() const { return bytes_; }

    void seek(std::size_t pos) {
        if (pos > bytes_.size()) {
            ok_ = false;
            pos_ = bytes_.size();
        } else {
            pos_ = pos;
        }
    }
    void skip(std::size_t n) { seek(n > remaining() ? bytes_.size() + 1 : pos_ + n); }

    std::uint8_t u8() {
        std::uint8_t v = 0;
        take(&v, 1);
        return v;
    }
    std::uint16_t u16() {
        std::uint8_t b[2] = {};
        take(b, 2);
        return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
    }
    std::int16_t i16() { return static_cast<std::int16_t>(u16()); }
    std::uint32_t u32() {
        std::uint8_t b[4] = {};
        take(b, 4);
        return static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
               (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
    }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    float f32() { return std::bit_cast<float>(u32()); }

    // The n bytes at the current position (consumed), or an empty span and a
    // failed reader when fewer remain.
    std::span<const std::uint8_t> take(std::size_t n) {
        if (n > remaining()) {
            ok_ = false;
            pos_ = bytes_.size();
            return {};
        }
        auto part = bytes_.subspan(pos_, n);
        pos_ += n;
        return part;
    }

    // Bytes [offset, offset + length) of the whole span when they lie inside it.
    std::span<const std::uint8_t> slice(std::uint64_t offset, std::uint64_t length) const {
        if (offset > bytes_.size() || length > bytes_.size() - offset) return {};
        return bytes_.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(length));
    }

private:
    void take(std::uint8_t* out, std::size_t n) {
        if (n > remaining()) {
            ok_ = false;
            pos_ = bytes_.size();
            return;
        }
        std::memcpy(out, bytes_.data() + pos_, n);
        pos_ += n;
    }

    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

} // namespace vl
