#include "engine/script/Stream.h"

#include "engine/script/CodePage.h"
#include "engine/script/Errors.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <cstring>

namespace vl {

void Stream::readBuffer(void* dst, std::size_t n) {
    if (n == 0) return;
    if (read(dst, n) != n) throw StreamReadError();
}

MemoryStream::MemoryStream(const void* data, std::size_t n)
    : data_(static_cast<const std::uint8_t*>(data), static_cast<const std::uint8_t*>(data) + n) {}

std::size_t MemoryStream::read(void* dst, std::size_t n) {
    const auto avail = pos_ < size() ? static_cast<std::size_t>(size() - pos_) : 0;
    const auto count = std::min(n, avail);
    if (count) std::memcpy(dst, data_.data() + pos_, count);
    pos_ += static_cast<std::int64_t>(count);
    return count;
}

void MemoryStream::write(const void* src, std::size_t n) {
    if (n == 0) return;
    const auto end = static_cast<std::size_t>(pos_) + n;
    if (end > data_.size()) data_.resize(end);
    std::memcpy(data_.data() + pos_, src, n);
    pos_ = static_cast<std::int64_t>(end);
}

void MemoryStream::seek(std::int64_t pos) {
    pos_ = std::max<std::int64_t>(0, pos);
}

std::vector<std::uint8_t> MemoryStream::takeData() {
    pos_ = 0;
    return std::exchange(data_, {});
}

void MemoryStream::clear() {
    data_.clear();
    pos_ = 0;
}

void MemoryStream::truncate() {
    if (pos_ < size()) data_.resize(static_cast<std::size_t>(pos_));
}

namespace {

QIODevice::OpenMode openModeOf(FileStream::Mode mode) {
    switch (mode) {
    case FileStream::Mode::Read:
        return QIODevice::ReadOnly;
    case FileStream::Mode::Create:
        return QIODevice::WriteOnly | QIODevice::Truncate;
    case FileStream::Mode::ReadWrite:
        return QIODevice::ReadWrite;
    }
    return QIODevice::ReadOnly;
}

} // namespace

FileStream::FileStream(const QString& path, Mode mode) : file_(std::make_unique<QFile>(path)) {
    if (!file_->open(openModeOf(mode))) {
        const auto what = mode == Mode::Read ? "Cannot open file \"" : "Cannot create file \"";
        throw VlError(what + CurrentCodePage().fromUnicode(path) + "\". " +
                      CurrentCodePage().fromUnicode(file_->errorString()));
    }
}

FileStream::~FileStream() = default;

std::size_t FileStream::read(void* dst, std::size_t n) {
    const auto got = file_->read(static_cast<char*>(dst), static_cast<qint64>(n));
    return got < 0 ? 0 : static_cast<std::size_t>(got);
}

void FileStream::write(const void* src, std::size_t n) {
    if (n && file_->write(static_cast<const char*>(src), static_cast<qint64>(n)) !=
                 static_cast<qint64>(n))
        throw StreamWriteError();
}

std::int64_t FileStream::position() const {
    return file_->pos();
}
void FileStream::seek(std::int64_t pos) {
    file_->seek(pos);
}
std::int64_t FileStream::size() const {
    return file_->size();
}

namespace {

VlError FileError(const char* what, const QString& path, const QString& reason) {
    return VlError(what + CurrentCodePage().fromUnicode(path) + "\". " +
                   CurrentCodePage().fromUnicode(reason));
}

} // namespace

ReplacingFileStream::ReplacingFileStream(const QString& path)
    : file_(std::make_unique<QSaveFile>(path)) {
    if (!file_->open(QIODevice::WriteOnly))
        throw FileError("Cannot create file \"", path, file_->errorString());
}

ReplacingFileStream::~ReplacingFileStream() = default;

std::size_t ReplacingFileStream::read(void*, std::size_t) {
    return 0;
}

void ReplacingFileStream::write(const void* src, std::size_t n) {
    if (n && file_->write(static_cast<const char*>(src), static_cast<qint64>(n)) !=
                 static_cast<qint64>(n))
        throw StreamWriteError();
}

std::int64_t ReplacingFileStream::position() const {
    return file_->pos();
}
void ReplacingFileStream::seek(std::int64_t pos) {
    file_->seek(pos);
}
std::int64_t ReplacingFileStream::size() const {
    return file_->size();
}

void ReplacingFileStream::Commit() {
    if (!file_->commit())
        throw FileError("Cannot write file \"", file_->fileName(), file_->errorString());
}

std::vector<std::uint8_t> ReadWholeFile(const QString& path) {
    FileStream in(path, FileStream::Mode::Read);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(std::max<std::int64_t>(0, in.size())));
    bytes.resize(in.read(bytes.data(), bytes.size()));
    return bytes;
}

} // namespace vl
