#include "engine/script/ColorConstants.h"

#include "engine/script/TextUtils.h"

namespace vl {

namespace {

constexpr std::int32_t systemColor(int index) {
    return static_cast<std::int32_t>(0xFF000000u | static_cast<std::uint32_t>(index));
}

} // namespace

const std::array<ColorConstant, kColorConstantCount>& ColorConstants() {
    static const std::array<ColorConstant, kColorConstantCount> constants{{
        {"clWhite", 0xFFFFFF},
        {"clBlack", 0},
        {"clMaroon", 0x80},
        {"clGreen", 0x8000},
        {"clOlive", 0x8080},
        {"clNavy", 0x800000},
        {"clPurple", 0x800080},
        {"clTeal", 0x808000},
        {"clGray", 0x808080},
        {"clSilver", 0xC0C0C0},
        {"clRed", 0xFF},
        {"clLime", 0xFF00},
        {"clYellow", 0xFFFF},
        {"clBlue", 0xFF0000},
        {"clFuchsia", 0xFF00FF},
        {"clAqua", 0xFFFF00},
        {"clTransparent", 0x1FFFFFFF},
        {"clScrollBar", systemColor(0)},
        {"clBackground", systemColor(1)},
        {"clActiveCaption", systemColor(2)},
        {"clInactiveCaption", systemColor(3)},
        {"clMenu", systemColor(4)},
        {"clWindow", systemColor(5)},
        {"clWindowFrame", systemColor(6)},
        {"clMenuText", systemColor(7)},
        {"clWindowText", systemColor(8)},
        {"clCaptionText", systemColor(9)},
        {"clActiveBorder", systemColor(10)},
        {"clInactiveBorder", systemColor(11)},
        {"clAppWorkSpace", systemColor(12)},
        {"clHighlight", systemColor(13)},
        {"clHighlightText", systemColor(14)},
        {"clBtnFace", systemColor(15)},
        {"clBtnShadow", systemColor(16)},
        {"clGrayText", systemColor(17)},
        {"clBtnText", systemColor(18)},
        {"clInactiveCaptionText", systemColor(19)},
        {"clBtnHighlight", systemColor(20)},
        {"cl3DDkShadow", systemColor(21)},
        {"cl3DLight", systemColor(22)},
        {"clInfoText", systemColor(23)},
        {"clInfoBk", systemColor(24)},
    }};
    return constants;
}

const ColorConstant* FindColorConstant(std::string_view name) {
    for (const ColorConstant& c : ColorConstants())
        if (SameText(c.name, name)) return &c;
    return nullptr;
}

const ColorConstant* FindColorConstant(std::int32_t value) {
    for (const ColorConstant& c : ColorConstants())
        if (c.value == value) return &c;
    return nullptr;
}

} // namespace vl
