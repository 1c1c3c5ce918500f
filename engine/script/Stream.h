#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QFile;
class QSaveFile;
class QString;

namespace vl {

// A byte stream with a position, the container of every engine file format.
class Stream {
public:
    virtual ~Stream() = default;

    // Reads up to n bytes and returns how many were read.
    virtual std::size_t read(void* dst, std::size_t n) = 0;
    virtual void write(const void* src, std::size_t n) = 0;
    virtual std::int64_t position() const = 0;
    virtual void seek(std::int64_t pos) = 0;
    virtual std::int64_t size() const = 0;

    // Reads exactly n bytes or throws StreamReadError.
    void readBuffer(void* dst, std::size_t n);
    std::int64_t remaining() const { return size() - position(); }
};

// A stream held in memory; writing past the end grows it.
class MemoryStream : public Stream {
public:
    MemoryStream() = default;
    explicit MemoryStream(std::vector<std::uint8_t> data) : data_(std::move(data)) {}
    MemoryStream(const void* data, std::size_t n);

    std::size_t read(void* dst, std::size_t n) override;
    void write(const void* src, std::size_t n) override;
    std::int64_t position() const override { return pos_; }
    void seek(std::int64_t pos) override;
    std::int64_t size() const override { return static_cast<std::int64_t>(data_.size()); }

    const std::vector<std::uint8_t>& data() const { return data_; }
    std::vector<std::uint8_t> takeData();
    void clear();
    // Cuts the stream at its current position.
    void truncate();

private:
    std::vector<std::uint8_t> data_;
    std::int64_t pos_ = 0;
};

// A stream over a file on disk.
class FileStream : public Stream {
public:
    enum class Mode { Read, Create, ReadWrite };
    // Throws VlError naming the file and the system's reason when it cannot be opened.
    FileStream(const QString& path, Mode mode);
    ~FileStream() override;

    std::size_t read(void* dst, std::size_t n) override;
    void write(const void* src, std::size_t n) override;
    std::int64_t position() const override;
    void seek(std::int64_t pos) override;
    std::int64_t size() const override;

private:
    std::unique_ptr<QFile> file_;
};

// A file written so that a failed write never costs the file it replaces:
// the bytes go to a temporary file in the same folder, which takes the
// old file's place only when Commit has flushed it completely. A stream
// destroyed without Commit (an exception while writing) removes the
// temporary file and leaves the old one as it was.
class ReplacingFileStream : public Stream {
public:
    // Throws VlError naming the file when the temporary file cannot be made.
    explicit ReplacingFileStream(const QString& path);
    ~ReplacingFileStream() override;

    std::size_t read(void* dst, std::size_t n) override;
    void write(const void* src, std::size_t n) override;
    std::int64_t position() const override;
    void seek(std::int64_t pos) override;
    std::int64_t size() const override;

    // Puts the written file in place; throws VlError when the data could
    // not be written or the file not be replaced.
    void Commit();

private:
    std::unique_ptr<QSaveFile> file_;
};

// Reads a whole file; throws VlError when it cannot be read.
std::vector<std::uint8_t> ReadWholeFile(const QString& path);

} // namespace vl
