#include "engine/build/TvlReportInfo.h"

#include "engine/script/LocaleService.h"
#include "engine/script/StreamIO.h"

#include <QDateTime>

namespace vl {

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return 0;
}

} // namespace

double CurrentOleDate() {
    return DateTimeToOleDate(QDateTime::currentDateTime());
}

std::string PasswordToHex(const std::string& password) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(password.size() * 2);
    for (const char c : password) {
        const auto code = static_cast<unsigned char>(c);
        hex += digits[code >> 4];
        hex += digits[code & 15];
    }
    return hex;
}

std::string PasswordFromHex(const std::string& hex) {
    std::string password;
    password.reserve(hex.size() / 2);
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        password += static_cast<char>(hexDigit(hex[i]) * 16 + hexDigit(hex[i + 1]));
    return password;
}

void TvlReportInfo::Reset() {
    *this = TvlReportInfo{};
    Created = LastChange = CurrentOleDate();
}

void TvlReportInfo::ReadTrailer(Stream& stream) {
    Comment = ReadPStr(stream);
    Name = ReadPStr(stream);
    Author = ReadPStr(stream);
    VersionMajor = ReadPStr(stream);
    VersionMinor = ReadPStr(stream);
    VersionRelease = ReadPStr(stream);
    VersionBuild = ReadPStr(stream);
    Password = PasswordFromHex(ReadPStr(stream));
    GeneratorVersion = ReadByte(stream);
    Protected = ReadByte(stream) != 0;
    Created = ReadDouble(stream);
    LastChange = ReadDouble(stream);
}

void TvlReportInfo::WriteTrailer(Stream& stream) {
    WritePStr(stream, Comment);
    WritePStr(stream, Name);
    WritePStr(stream, Author);
    WritePStr(stream, VersionMajor);
    WritePStr(stream, VersionMinor);
    WritePStr(stream, VersionRelease);
    WritePStr(stream, VersionBuild);
    WritePStr(stream, PasswordToHex(Password));
    WriteByte(stream, kGeneratorVersion);
    WriteByte(stream, Protected ? 1 : 0);
    WriteDouble(stream, Created);
    LastChange = CurrentOleDate();
    WriteDouble(stream, LastChange);
}

} // namespace vl
