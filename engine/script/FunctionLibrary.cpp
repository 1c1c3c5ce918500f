#include "engine/script/FunctionLibrary.h"

#include "engine/script/Errors.h"
#include "engine/script/FunctionDescriptions.h"
#include "engine/script/ScriptContext.h"
#include "engine/script/TextUtils.h"

#include <algorithm>

namespace vl {

bool TvlFunctionLibrary::HandleFunction(std::string_view name, const Variant& p1, const Variant& p2,
                                        const Variant& p3, Variant& val) {
    for (std::size_t i = 0; i < names_.size(); ++i) {
        if (SameText(names_[i], name)) {
            CallByNumber(static_cast<int>(i), p1, p2, p3, val);
            return true;
        }
    }
    return false;
}

TvlScriptContext& TvlFunctionLibrary::scriptEngine() const {
    // a library no registry installed works for the process's engine
    return engine_ ? *engine_ : DefaultScriptContext();
}

void TvlFunctionLibrary::AddDescription(std::string_view name, std::string_view category,
                                        std::string_view description) {
    descriptions_.push_back({std::string(name), std::string(category), std::string(description)});
}

void TvlFunctionLibraries::Register(const FunctionLibraryClass& libraryClass) {
    if (Find(libraryClass.name)) return;
    if (Count() >= kMaxLibraries) throw VlError("Too many function libraries");
    std::unique_ptr<TvlFunctionLibrary> library = libraryClass.create();
    library->SetScriptEngine(engine_);
    for (const TvlFunctionLibrary::Description& d : library->Descriptions())
        descriptions_.Add(*library, d.name, d.category, d.text);
    libraries_.push_back(std::move(library));
}

void TvlFunctionLibraries::UnRegister(std::string_view className) {
    const auto it = std::find_if(libraries_.begin(), libraries_.end(),
                                 [&](const auto& lib) { return lib->ClassName() == className; });
    if (it == libraries_.end()) return;
    descriptions_.RemoveLibrary(**it);
    libraries_.erase(it);
}

bool TvlFunctionLibraries::HandleFunction(std::string_view name, const Variant& p1,
                                          const Variant& p2, const Variant& p3,
                                          Variant& val) const {
    for (const auto& library : libraries_)
        if (library->HandleFunction(name, p1, p2, p3, val)) return true;
    return false;
}

TvlFunctionLibrary* TvlFunctionLibraries::Find(std::string_view className) const {
    for (const auto& library : libraries_)
        if (library->ClassName() == className) return library.get();
    return nullptr;
}

void RegisterFunctionLibrary(TvlScriptContext& engine, const FunctionLibraryClass& libraryClass) {
    engine.functionLibraries().Register(libraryClass);
}

void UnRegisterFunctionLibrary(TvlScriptContext& engine, std::string_view className) {
    engine.functionLibraries().UnRegister(className);
}

void AddFunctionDescription(TvlScriptContext& engine, const TvlFunctionLibrary& library,
                            std::string_view name, std::string_view category,
                            std::string_view description) {
    engine.installedFunctions().Add(library, name, category, description);
}

bool CallFunctionLibraries(const TvlFunctionLibraries& libraries, std::string_view name,
                           const Variant& p1, const Variant& p2, const Variant& p3, Variant& val) {
    val = Variant("0");
    return libraries.HandleFunction(name, p1, p2, p3, val);
}

} // namespace vl
