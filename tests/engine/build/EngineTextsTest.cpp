#include "engine/build/EngineTexts.h"

#include "engine/build/TvlEngine.h"
#include "engine/script/Errors.h"

#include <gtest/gtest.h>

using namespace vl;

namespace {

// Installs a localisation handler for one test.
class HandlerScope {
public:
    explicit HandlerScope(TvlLocale::LocalizeHandler handler) {
        Globals().locale().setLocalizeHandler(std::move(handler));
    }
    ~HandlerScope() { Globals().locale().setLocalizeHandler({}); }
};

} // namespace

TEST(EngineTexts, TableTextsWithoutAHandler) {
    const EngineTexts texts = EngineTexts::load();
    EXPECT_EQ(texts.defaultCharset, 1);
    EXPECT_EQ(texts.bandNames[0], "Report title");
    EXPECT_EQ(texts.bandNames[16], "Group header");
    EXPECT_EQ(texts.bandNames[22], "None");
    EXPECT_EQ(texts.booleanFormats, (StringList{"0;1", "No;Yes", "_;x", "False;True"}));
    EXPECT_EQ(texts.dateFormats.front(), "mm.dd.yy");
    EXPECT_EQ(texts.timeFormats.back(), "h:nn");
}

TEST(EngineTexts, HandlerAnswersSomeIdsAndEmptyAnswersDoNotHide) {
    HandlerScope scope([](int id, std::string& text) {
        if (id == 55077 + 16) text = "Gruppenkopf";
        if (id == 55170) text = "";
    });
    const EngineTexts texts = EngineTexts::load();
    EXPECT_EQ(texts.bandNames[16], "Gruppenkopf");
    EXPECT_EQ(texts.bandNames[17], "Group footer");
    EXPECT_EQ(texts.booleanFormats.front(), "0;1");
}

TEST(EngineTexts, ACharacterSetThatIsNoNumberFailsTheStart) {
    HandlerScope scope([](int id, std::string& text) {
        if (id == 55337) text = "one";
    });
    EXPECT_THROW(EngineTexts::load(), ConversionError);
}
