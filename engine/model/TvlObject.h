#pragma once

#include "engine/model/TvlFont.h"
#include "engine/model/ViewTypes.h"
#include "engine/script/ScriptObject.h"
#include "engine/script/StreamIO.h"
#include "engine/script/TextUtils.h"
#include "engine/script/Variant.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vl {

// One property as the object inspector lists it.
struct TvlPropRec {
    static constexpr std::size_t kMaxNameLength = 32;

    std::string name;
    std::uint16_t propType = pkHidden;
    std::unique_ptr<StringList> enumNames;
    std::vector<Variant> enumValues; // empty: the name itself is the value
    std::function<void()> editor;
};

// The root of every report object: the property list and the by-name
// operations that scripts, the inspector and the report use.
class TvlObject : public TvlScriptObject {
public:
    TvlObject() = default;
    ~TvlObject() override = default;
    TvlObject(const TvlObject&) = delete;
    TvlObject& operator=(const TvlObject&) = delete;

    void SetProperty(std::string_view name, const Variant& value) override;
    Variant GetProperty(std::string_view name) override;
    Variant CallMethod(std::string_view name, const Variant& p1, const Variant& p2,
                       const Variant& p3) override;
    // Looks in the property list, registering the properties first when it
    // is empty.
    bool HasProperty(std::string_view property) override;
    // Rebuilds the inspector's property list.
    virtual void RegisterProperties() {}

    const std::vector<std::unique_ptr<TvlPropRec>>& properties() const { return props_; }
    void ClearProperties() { props_.clear(); }
    TvlPropRec& AddProperty(std::string_view name, std::uint16_t kinds,
                            std::function<void()> editor = {});
    // names: one text, the names separated by ";".
    TvlPropRec& AddEnumProperty(std::string_view name, std::string_view names,
                                std::vector<Variant> values);
    TvlPropRec* FindProperty(std::string_view name) const;

    // FONT.NAME, FONT.SIZE, FONT.STYLE and FONT.COLOR. Set returns false
    // and get gives nothing for other names.
    static bool SetFontProperty(TvlFont& font, std::string_view name, const Variant& value);
    static std::optional<Variant> GetFontProperty(const TvlFont& font, std::string_view name);

    // List access for scripts: SETINDEXPROPERTY, GETINDEXPROPERTY and
    // listName + ".ADD", ".CLEAR", ".DELETE", ".INDEXOF". Null for any other
    // method. evaluate turns an argument's text into a value.
    using Evaluator = std::function<Variant(const Variant&)>;
    static Variant CallListMethod(StringList& list, std::string_view method, const Variant& p1,
                                  const Variant& p2, const Variant& p3, std::string_view listName,
                                  const Evaluator& evaluate);

private:
    std::vector<std::unique_ptr<TvlPropRec>> props_;
};

// Value conversions for property setters: a value that does not convert
// raises ConversionError naming the property and the value.
std::int32_t PropertyInt(std::string_view property, const Variant& value);
double PropertyFloat(std::string_view property, const Variant& value);
bool PropertyBool(std::string_view property, const Variant& value);

// The text of lines joined by CR LF, and the reverse (a final line break
// adds no empty line).
std::string JoinLines(const StringList& lines);
StringList SplitLines(std::string_view text);

} // namespace vl
