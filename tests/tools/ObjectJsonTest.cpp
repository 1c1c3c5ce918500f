#include "tools/vellum/ObjectJson.h"

#include "engine/model/TvlBandView.h"
#include "engine/model/TvlPictureView.h"
#include "engine/script/Stream.h"
#include "tests/engine/model/ViewTestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

using namespace vl;

namespace {

// A text object as its record looks, whichever class writes it.
class TextShaped : public TvlView {
public:
    TextShaped() { Typ = otMemo; }
    std::string className() const override { return "TvlMemoView"; }
    void SaveToStream(Stream& s) override {
        TvlView::SaveToStream(s);
        WriteString(s, "Arial");
        WriteInteger(s, 12);
        WriteUWord(s, 3);
        WriteInteger(s, 255);
        WriteInteger(s, 10);
        WriteUWord(s, 204);
        WriteUWord(s, 2);
        WriteInteger(s, 1);
        WriteInteger(s, 2);
        WriteString(s, "[X] > 0");
        WriteInteger(s, 4);
        WriteInteger(s, 1);
    }
};

QJsonObject json(TvlView& view) {
    std::string out;
    vellum_cli::JsonWriter writer(out);
    vellum_cli::WriteObjectJson(writer, view);
    return QJsonDocument::fromJson(QByteArray::fromStdString(out)).object();
}

} // namespace

TEST(ObjectJson, TextObjectsShowTheFieldsOfTheirRecord) {
    test::ViewStateGuard guard;
    TextShaped text;
    text.Name = "Memo\xE9";
    text.Memo = {"a", "b"};
    const QJsonObject o = json(text);
    EXPECT_EQ(o["type"].toInt(), 0);
    EXPECT_EQ(o["name"].toString(), QString::fromUtf8("Memo\u00E9"));
    EXPECT_EQ(o["memo"].toArray().size(), 2);
    EXPECT_EQ(o["font"]["name"].toString(), "Arial");
    EXPECT_EQ(o["font"]["charset"].toInt(), 204);
    EXPECT_EQ(o["alignment"].toInt(), 10);
    EXPECT_EQ(o["highlight"]["condition"].toString(), "[X] > 0");
    EXPECT_EQ(o["highlight"]["fill"].toInt(), 2);
    EXPECT_EQ(o["lineSpacing"].toInt(), 4);
    EXPECT_EQ(o["charSpacing"].toInt(), 1);
    EXPECT_FALSE(o.contains("columns"));
}

TEST(ObjectJson, BandsAndPicturesAddTheirOwnFields) {
    test::ViewStateGuard guard;
    TvlBandView band;
    band.Master = "M";
    EXPECT_EQ(json(band)["master"].toString(), "M");
    EXPECT_EQ(json(band)["columnWidth"].toInt(), 200);
    EXPECT_FALSE(json(band).contains("font"));
    TvlPictureView picture;
    picture.BlobType = btICO;
    const QJsonObject p = json(picture);
    EXPECT_EQ(p["graphic"].toString(), "none");
    EXPECT_EQ(p["blobType"].toInt(), 2);
    EXPECT_EQ(p["graphicBytes"].toInt(), 0);
}
