#pragma once

#include <functional>
#include <string>

namespace vl {

// Fetches localized texts: a host may install a handler that answers text ids
// with its own translations; ids it leaves empty fall back to the table.
class TvlLocale {
public:
    using LocalizeHandler = std::function<void(int id, std::string& text)>;

    void setLocalizeHandler(LocalizeHandler handler) { handler_ = std::move(handler); }
    const LocalizeHandler& localizeHandler() const { return handler_; }

    // Nothing in this system loads a resource module; the program's own
    // texts serve.
    bool resourceModuleLoaded() const { return false; }

    // The handler's non-empty answer, else the table's text, at most 1024
    // characters; empty when neither knows the id.
    std::string loadString(int id) const;

private:
    LocalizeHandler handler_;
};

// The localized engine text of an id.
std::string LoadResString(int id);

} // namespace vl
