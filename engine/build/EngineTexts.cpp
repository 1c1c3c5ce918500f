#include "engine/build/EngineTexts.h"

#include "engine/script/TvlLocale.h"
#include "engine/script/Variant.h"

namespace vl {

namespace {

constexpr int kDefaultCharset = 55337;
constexpr int kFirstBandName = 55077;
constexpr int kFirstBooleanFormat = 55170;
constexpr int kFirstDateFormat = 55175;
constexpr int kFirstTimeFormat = 55179;

StringList loadRange(int first, int count) {
    StringList texts;
    for (int id = first; id < first + count; ++id)
        texts.push_back(LoadResString(id));
    return texts;
}

} // namespace

EngineTexts EngineTexts::load() {
    EngineTexts texts;
    texts.defaultCharset = StrToInt(LoadResString(kDefaultCharset));
    for (int type = 0; type < kBandTypeCount; ++type)
        texts.bandNames[static_cast<std::size_t>(type)] = LoadResString(kFirstBandName + type);
    texts.booleanFormats = loadRange(kFirstBooleanFormat, 4);
    texts.dateFormats = loadRange(kFirstDateFormat, 4);
    texts.timeFormats = loadRange(kFirstTimeFormat, 4);
    return texts;
}

} // namespace vl
