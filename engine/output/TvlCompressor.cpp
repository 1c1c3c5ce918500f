#include "engine/output/TvlCompressor.h"

#include "engine/script/Errors.h"
#include "engine/script/Stream.h"

#include <limits>
#include <vector>
#include <zlib.h>

namespace vl {

namespace {

constexpr std::size_t kChunk = 64 * 1024;

std::vector<std::uint8_t> ReadRest(Stream& source) {
    const std::int64_t rest = source.remaining();
    std::vector<std::uint8_t> bytes(rest > 0 ? static_cast<std::size_t>(rest) : 0);
    source.readBuffer(bytes.data(), bytes.size());
    return bytes;
}

[[noreturn]] void Damaged() {
    throw VlError("Compressed page data is damaged");
}

} // namespace

void TvlCompressor::Compress(Stream&, Stream&) {}

void TvlCompressor::Decompress(Stream&, Stream&) {}

TvlZlibCompressor::TvlZlibCompressor(bool on, std::size_t maxOutput) : maxOutput_(maxOutput) {
    CompressionOn = on;
}

void TvlZlibCompressor::Compress(Stream& source, Stream& target) {
    std::vector<std::uint8_t> input = ReadRest(source);
    uLongf size = compressBound(static_cast<uLong>(input.size()));
    std::vector<std::uint8_t> output(size);
    if (compress2(output.data(), &size, input.data(), static_cast<uLong>(input.size()),
                  Z_BEST_COMPRESSION) != Z_OK)
        throw VlError("Page data cannot be compressed");
    target.write(output.data(), size);
}

void TvlZlibCompressor::Decompress(Stream& source, Stream& target) {
    std::vector<std::uint8_t> input = ReadRest(source);
    if (input.size() > std::numeric_limits<uInt>::max()) Damaged();
    z_stream z{};
    if (inflateInit(&z) != Z_OK) Damaged();
    z.next_in = input.data();
    z.avail_in = static_cast<uInt>(input.size());
    std::vector<std::uint8_t> chunk(kChunk);
    std::size_t produced = 0;
    int result = Z_OK;
    while (result != Z_STREAM_END) {
        z.next_out = chunk.data();
        z.avail_out = static_cast<uInt>(chunk.size());
        result = inflate(&z, Z_NO_FLUSH);
        const std::size_t n = chunk.size() - z.avail_out;
        produced += n;
        if ((result != Z_OK && result != Z_STREAM_END) || produced > maxOutput_ ||
            (result == Z_OK && n == 0 && z.avail_in == 0)) {
            inflateEnd(&z);
            Damaged();
        }
        target.write(chunk.data(), n);
    }
    inflateEnd(&z);
}

} // namespace vl
