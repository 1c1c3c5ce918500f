#pragma once

#include <cstddef>

namespace vl {

class Stream;

// The hook through which prepared-report files compress their page streams.
// The base class does nothing; a subclass installed in its place compresses.
// Both operations read the source from its position to its end and append
// to the target at its position.
class TvlCompressor {
public:
    virtual ~TvlCompressor() = default;
    virtual void Compress(Stream& source, Stream& target);
    virtual void Decompress(Stream& source, Stream& target);

    // Files are written compressed while this is set.
    bool CompressionOn = false;
};

// Page streams compressed with zlib (a zlib stream per page). Decompressing
// works whether or not compression is switched on, so compressed files read
// back in any setting. Damaged data raises VlError; a page that would
// inflate beyond maxOutput bytes is refused as damaged too.
class TvlZlibCompressor : public TvlCompressor {
public:
    explicit TvlZlibCompressor(bool on = false, std::size_t maxOutput = kDefaultMaxOutput);
    void Compress(Stream& source, Stream& target) override;
    void Decompress(Stream& source, Stream& target) override;

    static constexpr std::size_t kDefaultMaxOutput = std::size_t{1} << 30;

private:
    std::size_t maxOutput_;
};

} // namespace vl
