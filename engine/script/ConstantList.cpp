#include "engine/script/ConstantList.h"

#include "engine/script/ColorConstants.h"

#include <cstdint>
#include <initializer_list>

namespace vl {

namespace {

struct Constant {
    const char* name;
    std::int64_t value;
};

void addAll(TvlVariables& list, std::initializer_list<Constant> constants) {
    for (const Constant& c : constants)
        list.SetVariable(c.name, Variant(static_cast<int>(static_cast<std::int32_t>(
                                     static_cast<std::uint32_t>(c.value)))));
}

// Names in order, values from first upwards.
void addSequence(TvlVariables& list, std::initializer_list<const char*> names, std::int64_t first) {
    std::int64_t value = first;
    for (const char* name : names)
        addAll(list, {{name, value++}});
}

} // namespace

void AddPredefinedConstants(TvlVariables& c) {
    for (const ColorConstant& color : ColorConstants())
        c.SetVariable(color.name, Variant(static_cast<int>(color.value)));
    addAll(c, {{"mrNone", 0}, {"mrOk", 1}, {"mrCancel", 2}, {"mrYes", 6}, {"mrNo", 7}});
    c.SetVariable("CRLF", Variant("\r\n"));
    c.SetVariable("Null", Variant());
    addAll(c, {{"fsBold", 2}, {"fsItalic", 1}, {"fsUnderline", 4}, {"fsStrikeOut", 8}});
    addAll(c,
           {{"vlftNone", 0}, {"vlftRight", 1}, {"vlftBottom", 2}, {"vlftLeft", 4}, {"vlftTop", 8}});
    addAll(c, {{"vltaLeft", 0},
               {"vltaRight", 1},
               {"vltaCenter", 2},
               {"vltaVertical", 4},
               {"vltaMiddle", 8},
               {"vltaDown", 16}});
    addSequence(
        c, {"baNone", "baLeft", "baRight", "baCenter", "baWidth", "baBottom", "baTop", "baRest"},
        0);
    addSequence(c, {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psDouble"}, 0);
    addAll(c, {{"mb_Ok", 0},
               {"mb_OkCancel", 1},
               {"mb_YesNo", 4},
               {"mb_YesNoCancel", 3},
               {"mb_IconError", 16},
               {"mb_IconQuestion", 32},
               {"mb_IconInformation", 64},
               {"mb_IconWarning", 48}});
}

} // namespace vl
