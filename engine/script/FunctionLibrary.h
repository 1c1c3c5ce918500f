#pragma once

#include "engine/script/StreamIO.h"
#include "engine/script/Variant.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vl {

class TvlInstalledFunctions;
class TvlScriptContext;

// A set of functions that expressions may call. Names lists them in a fixed
// order; a name's index is its function number. Arguments arrive as the raw
// argument texts (string values); a library evaluates the ones it needs with
// GlobalParser.
class TvlFunctionLibrary {
public:
    TvlFunctionLibrary() = default;
    virtual ~TvlFunctionLibrary() = default;
    TvlFunctionLibrary(const TvlFunctionLibrary&) = delete;
    TvlFunctionLibrary& operator=(const TvlFunctionLibrary&) = delete;

    // Identifies the library class in the registry and the description list.
    virtual std::string ClassName() const = 0;
    // When the name is one of Names (case ignored): computes it into Val and
    // returns true. Otherwise returns false and leaves Val alone.
    virtual bool HandleFunction(std::string_view name, const Variant& p1, const Variant& p2,
                                const Variant& p3, Variant& val);
    // Computes function number index.
    virtual void CallByNumber(int index, const Variant& p1, const Variant& p2, const Variant& p3,
                              Variant& val) = 0;

    const StringList& Names() const { return names_; }

    // What a library tells of one of its functions in the designer's lists.
    struct Description {
        std::string name, category, text;
    };
    // The descriptions the library gave as it was made; the registry that
    // installs it lists them with its engine's descriptions.
    const std::vector<Description>& Descriptions() const { return descriptions_; }

    // The engine whose registry installed the library: its functions
    // evaluate their arguments with that engine's parser.
    void SetScriptEngine(TvlScriptContext& engine) { engine_ = &engine; }

protected:
    TvlScriptContext& scriptEngine() const;
    // Adds a description of one of the library's functions.
    void AddDescription(std::string_view name, std::string_view category,
                        std::string_view description);

    StringList names_;

private:
    std::vector<Description> descriptions_;
    TvlScriptContext* engine_ = nullptr;
};

// A library class as the registry knows it: its name and how to create one.
struct FunctionLibraryClass {
    std::string name;
    std::function<std::unique_ptr<TvlFunctionLibrary>()> create;

    template <typename Library> static FunctionLibraryClass of() {
        return {Library::kClassName, [] { return std::make_unique<Library>(); }};
    }
};

// The installed libraries, asked in registration order by the function
// dispatch. At most 64.
class TvlFunctionLibraries {
public:
    static constexpr int kMaxLibraries = 64;

    // The libraries of engine, which lists their descriptions.
    TvlFunctionLibraries(TvlScriptContext& engine, TvlInstalledFunctions& descriptions)
        : engine_(engine), descriptions_(descriptions) {}

    // Creates and appends a library unless one of that class is registered,
    // listing its descriptions.
    void Register(const FunctionLibraryClass& libraryClass);
    // Removes the library of that class and its descriptions.
    void UnRegister(std::string_view className);
    // Asks each library in turn; true when one handled the name.
    bool HandleFunction(std::string_view name, const Variant& p1, const Variant& p2,
                        const Variant& p3, Variant& val) const;

    int Count() const { return static_cast<int>(libraries_.size()); }
    TvlFunctionLibrary& Library(int index) const {
        return *libraries_.at(static_cast<std::size_t>(index));
    }
    TvlFunctionLibrary* Find(std::string_view className) const;

private:
    TvlScriptContext& engine_;
    TvlInstalledFunctions& descriptions_;
    std::vector<std::unique_ptr<TvlFunctionLibrary>> libraries_;
};

// The registry of an engine instance.
void RegisterFunctionLibrary(TvlScriptContext& engine, const FunctionLibraryClass& libraryClass);
void UnRegisterFunctionLibrary(TvlScriptContext& engine, std::string_view className);
void AddFunctionDescription(TvlScriptContext& engine, const TvlFunctionLibrary& library,
                            std::string_view name, std::string_view category,
                            std::string_view description);

// The library part of a report's function dispatch: Val becomes the text "0",
// then the installed libraries are asked in order. Returns whether one
// handled the name; a name nothing handles keeps the "0".
bool CallFunctionLibraries(const TvlFunctionLibraries& libraries, std::string_view name,
                           const Variant& p1, const Variant& p2, const Variant& p3, Variant& val);

} // namespace vl
