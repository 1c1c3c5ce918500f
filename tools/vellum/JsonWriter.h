#pragma once

#include <QString>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vellum_cli {

// Writes JSON with keys in the order given (other programs read the output,
// and people compare it). Strings go in as Unicode.
class JsonWriter {
public:
    explicit JsonWriter(std::string& out) : out_(out) {}

    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    void key(std::string_view name);

    void value(const QString& text);
    void value(const char* text) { value(QString::fromUtf8(text)); }
    void value(double number);
    void value(std::int64_t number);
    void value(int number) { value(static_cast<std::int64_t>(number)); }
    void value(bool flag);
    void null();

    // key and value in one call
    template <typename T> void field(std::string_view name, const T& v) {
        key(name);
        value(v);
    }

private:
    void separate();
    void newline();

    std::string& out_;
    std::vector<bool> first_; // per open container: nothing written yet
    bool afterKey_ = false;
};

// A double as the shortest decimal that reads back to the same value.
std::string ShortestDouble(double number);

} // namespace vellum_cli
