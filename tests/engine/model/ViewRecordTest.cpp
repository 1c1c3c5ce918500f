#include "ViewTestSupport.h"
#include "engine/model/ObjectFactory.h"
#include "engine/model/TvlLineView.h"
#include "engine/model/TvlPictureView.h"
#include "engine/model/TvlSubReportView.h"
#include "engine/script/Errors.h"
#include "engine/script/Stream.h"
#include "tests/support/ThreadEngine.h"

#include <gtest/gtest.h>

using namespace vl;
using namespace vl::test;

namespace {

// Builds records byte by byte, in the string forms of a stream version.
class Bytes {
public:
    explicit Bytes(int version) : version_(version) {}
    Bytes& u8(int v) { return raw({static_cast<std::uint8_t>(v)}); }
    Bytes& u16(int v) {
        return raw({static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)});
    }
    Bytes& i32(std::int32_t v) {
        const auto u = static_cast<std::uint32_t>(v);
        return raw({static_cast<std::uint8_t>(u), static_cast<std::uint8_t>(u >> 8),
                    static_cast<std::uint8_t>(u >> 16), static_cast<std::uint8_t>(u >> 24)});
    }
    Bytes& str(const std::string& s) {
        if (version_ >= 23) {
            u16(static_cast<int>(s.size()));
            for (char c : s)
                u8(c);
            return u8(0);
        }
        for (char c : s)
            u8(c);
        return u8(0);
    }
    Bytes& list(const StringList& lines) {
        if (version_ >= 23) {
            MemoryStream m;
            WriteStrings(m, lines);
            return raw(m.data());
        }
        for (const auto& line : lines) {
            for (char c : line)
                u8(c);
            u8(13);
        }
        return u8(0);
    }
    // Geometry, flags, frame, fill: the fixed part of every record.
    Bytes& geometry(int left, int top, int width, int height) {
        return i32(left).i32(top).i32(width).i32(height).u16(1).u16(15).i32(2).i32(0xFF).u16(1).i32(
            clNone);
    }
    MemoryStream stream() const { return MemoryStream(data_); }
    std::int32_t size() const { return static_cast<std::int32_t>(data_.size()); }

private:
    Bytes& raw(const std::vector<std::uint8_t>& bytes) {
        data_.insert(data_.end(), bytes.begin(), bytes.end());
        return *this;
    }
    int version_;
    std::vector<std::uint8_t> data_;
};

class RecordTest : public ::testing::Test {
protected:
    ViewStateGuard guard;
    void version(int v) { ViewState().templateVersion = v; }
    template <class T> void roundTrip(T& source, T& target) {
        MemoryStream m;
        source.SaveToStream(m);
        m.seek(0);
        target.LoadFromStream(m);
        EXPECT_EQ(m.position(), m.size());
    }
    std::string xml(TvlView& v) {
        MemoryStream m;
        v.WriteXml(m);
        return std::string(m.data().begin(), m.data().end());
    }
};

void Fill(TvlView& v) {
    v.Name = "Memo1";
    v.SetBounds(1, 2, 300, 40);
    v.Flags = 0x0101;
    v.FrameTyp = 9;
    v.FrameWidth = 1.5f;
    v.FrameColor = 0x123456;
    v.FrameStyle = psDashDot;
    v.FillColor = 0x00FF00;
    v.Format = 0x01020200 + '.';
    v.FormatStr = "#,##0.00";
    v.Memo = {"[Price]", "", "x"};
    v.Script = {"begin", "end"};
    v.Visible = false;
    v.GapX = 5;
    v.GapY = 6;
    v.Restrictions = rsNoMove | rsNoDelete;
    v.Tag = "tag [1]";
    v.BandAlign = baCenter;
}

} // namespace

TEST(FrameWidthCoding, WholeAndFractionalWidths) {
    EXPECT_EQ(EncodeFrameWidth(1.5f), 1500);
    EXPECT_FLOAT_EQ(DecodeFrameWidth(1500), 1.5f);
    EXPECT_EQ(EncodeFrameWidth(3), 3);
    EXPECT_FLOAT_EQ(DecodeFrameWidth(3), 3);
    EXPECT_FLOAT_EQ(DecodeFrameWidth(7), 7);
    EXPECT_EQ(EncodeFrameWidth(0), 0);
    // Whole widths above 10 would read back as thousandths: stored as such.
    EXPECT_EQ(EncodeFrameWidth(20), 20000);
    EXPECT_FLOAT_EQ(DecodeFrameWidth(EncodeFrameWidth(20)), 20);
    EXPECT_GT(DecodeFrameWidth(EncodeFrameWidth(0.004f)), 0.0f);
    EXPECT_LT(DecodeFrameWidth(EncodeFrameWidth(0.004f)), 0.1f);
    EXPECT_FLOAT_EQ(DecodeFrameWidth(-5), 0);
}

TEST_F(RecordTest, TemplateRecordLayoutAndRoundTrip) {
    TvlView a;
    Fill(a);
    MemoryStream m;
    a.SaveToStream(m);
    EXPECT_EQ(a.VersionMajor, 2);
    const auto& d = m.data();
    // str "Memo1" = 2 + 5 + 1 bytes, then the record version 2.0.
    ASSERT_GT(d.size(), 10u);
    EXPECT_EQ(d[8], 2);
    EXPECT_EQ(d[9], 0);
    // Frame width 1.5 is stored as 1500 after 4 ints and 2 words.
    const std::size_t fw = 10 + 16 + 4;
    EXPECT_EQ(d[fw] | (d[fw + 1] << 8), 1500);
    m.seek(0);
    TvlView b;
    b.LoadFromStream(m);
    EXPECT_EQ(m.position(), m.size());
    EXPECT_EQ(b.Name, a.Name);
    EXPECT_EQ(b.Left, 1);
    EXPECT_EQ(b.Height, 40);
    EXPECT_EQ(b.Flags, a.Flags);
    EXPECT_EQ(b.FrameTyp, 9);
    EXPECT_FLOAT_EQ(b.FrameWidth, 1.5f);
    EXPECT_EQ(b.FrameColor, a.FrameColor);
    EXPECT_EQ(b.FrameStyle, psDashDot);
    EXPECT_EQ(b.FillColor, a.FillColor);
    EXPECT_EQ(b.Format, a.Format);
    EXPECT_EQ(b.FormatStr, a.FormatStr);
    EXPECT_EQ(b.Memo, a.Memo);
    EXPECT_EQ(b.Script, a.Script);
    EXPECT_FALSE(b.Visible);
    EXPECT_EQ(b.GapX, 5);
    EXPECT_EQ(b.GapY, 6);
    EXPECT_EQ(b.Restrictions, a.Restrictions);
    EXPECT_EQ(b.Tag, a.Tag);
    EXPECT_EQ(b.BandAlign, baCenter);
    EXPECT_EQ(b.VersionMajor, 2);
}

TEST_F(RecordTest, PreparedRecordCarriesTheEvaluatedText) {
    TvlView a;
    Fill(a);
    a.WriteMode = wmPrepared;
    a.EvaluatedText = {"12.50"};
    TvlView b;
    b.WriteMode = wmPrepared;
    b.Script = {"kept"};
    roundTrip(a, b);
    EXPECT_EQ(b.Memo, StringList{"12.50"});
    EXPECT_EQ(b.Script, StringList{"kept"});
    EXPECT_TRUE(b.Visible);
    EXPECT_EQ(b.Format, TvlView().Format);
    EXPECT_EQ(b.Tag, a.Tag);
    EXPECT_EQ(b.BandAlign, baCenter);
}

TEST_F(RecordTest, NewObjectsHaveRecordVersionZero) {
    TvlBandView band;
    EXPECT_EQ(band.VersionMajor, 0);
    EXPECT_EQ(band.VersionMinor, 0);
    MemoryStream m;
    band.SaveToStream(m);
    EXPECT_EQ(band.VersionMajor, 2);
    EXPECT_EQ(band.VersionMinor, 1);
}

TEST_F(RecordTest, Version24RecordWithoutBandAlign) {
    version(24);
    MemoryStream m = Bytes(24)
                         .str("Old1")
                         .u8(1)
                         .u8(0)
                         .geometry(10, 20, 30, 40)
                         .i32(0)
                         .str("")
                         .list({"a", "b"})
                         .list({})
                         .u16(0xFFFF)
                         .u16(rsNoMove)
                         .str("T")
                         .i32(3)
                         .i32(4)
                         .stream();
    TvlView v;
    v.LoadFromStream(m);
    EXPECT_EQ(m.position(), m.size());
    EXPECT_EQ(v.Name, "Old1");
    EXPECT_EQ(v.Left, 10);
    EXPECT_FLOAT_EQ(v.FrameWidth, 2);
    EXPECT_EQ(v.Memo, (StringList{"a", "b"}));
    EXPECT_EQ(v.Restrictions, rsNoMove);
    EXPECT_EQ(v.GapY, 4);
    EXPECT_EQ(v.BandAlign, baNone);
}

TEST_F(RecordTest, Version23TemplateHasNameScriptAndVisibleOnly) {
    version(23);
    MemoryStream m = Bytes(23)
                         .str("Named")
                         .geometry(1, 2, 3, 4)
                         .i32(7)
                         .str("fmt")
                         .list({"m"})
                         .list({"s"})
                         .u16(0)
                         .stream();
    TvlView v;
    v.LoadFromStream(m);
    EXPECT_EQ(m.position(), m.size());
    EXPECT_EQ(v.Name, "Named");
    EXPECT_EQ(v.VersionMajor, 0);
    EXPECT_EQ(v.Format, 7);
    EXPECT_EQ(v.Script, StringList{"s"});
    EXPECT_FALSE(v.Visible);
    EXPECT_EQ(v.GapX, 2);
}

TEST_F(RecordTest, Version23PreparedAndOlderGetGeneratedNames) {
    version(23);
    MemoryStream prepared = Bytes(23).geometry(1, 2, 3, 4).list({"value"}).stream();
    TvlView p;
    p.WriteMode = wmPrepared;
    p.LoadFromStream(prepared);
    EXPECT_EQ(prepared.position(), prepared.size());
    EXPECT_EQ(p.Name, "View1");
    EXPECT_EQ(p.Memo, StringList{"value"});

    for (int v : {21, 22}) {
        version(v);
        MemoryStream m = Bytes(v).geometry(5, 6, 7, 8).i32(0).str("f").list({"x", "y"}).stream();
        TvlLineView line;
        line.LoadFromStream(m);
        EXPECT_EQ(m.position(), m.size()) << v;
        EXPECT_EQ(line.Name, "Line1");
        EXPECT_EQ(line.FormatStr, "f");
        EXPECT_EQ(line.Memo, (StringList{"x", "y"}));
        EXPECT_TRUE(line.Script.empty());
        EXPECT_TRUE(line.Visible);
    }
}

TEST_F(RecordTest, BandRecordsByVersion) {
    auto common = [](int v, int major, int minor) {
        Bytes b(v);
        b.str("Band1").u8(major).u8(minor).geometry(0, 100, 794, 40).i32(0).str("Orders");
        b.list({}).list({}).u16(1).u16(0).str("").i32(2).i32(1);
        if (major > 1) b.u8(0);
        b.str("Child1").i32(3).i32(150).i32(10).i32(5);
        return b;
    };
    version(24);
    MemoryStream without = common(24, 2, 0).str("Master1").stream();
    TvlBandView a;
    a.LoadFromStream(without);
    EXPECT_EQ(a.ChildBand, "Child1");
    EXPECT_EQ(a.Columns, 3);
    EXPECT_EQ(a.NewColumnAfter, 5);
    EXPECT_EQ(a.Master, "");
    EXPECT_EQ(without.size() - without.position(), 2 + 7 + 1); // the master str is left

    MemoryStream with = common(24, 2, 1).str("Master1").stream();
    TvlBandView b;
    b.LoadFromStream(with);
    EXPECT_EQ(b.Master, "Master1");
    EXPECT_EQ(b.FormatStr, "Orders");
    EXPECT_EQ(with.position(), with.size());

    version(23);
    MemoryStream old =
        Bytes(23).str("B").geometry(0, 0, 10, 10).i32(0).str("").list({}).list({}).u16(1).stream();
    TvlBandView c;
    c.LoadFromStream(old);
    EXPECT_EQ(old.position(), old.size());
    EXPECT_EQ(c.Columns, 1);

    version(25);
    TvlBandView d;
    b.Master = "M";
    roundTrip(b, d);
    EXPECT_EQ(d.Master, "M");
    EXPECT_EQ(d.VersionMinor, 1);
    EXPECT_EQ(d.ColumnWidth, 150);
}

TEST_F(RecordTest, PictureRecords) {
    TvlPictureView a;
    auto jpeg = std::make_unique<TvlJpegGraphic>();
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(Qt::red);
    jpeg->setImage(image);
    const auto bytes = jpeg->save();
    a.Picture.setGraphic(std::move(jpeg));
    a.BlobType = btICO;
    TvlPictureView b;
    roundTrip(a, b);
    ASSERT_FALSE(b.Picture.empty());
    EXPECT_EQ(b.Picture.graphic()->kind(), TvlGraphicKind::Jpeg);
    EXPECT_EQ(b.Picture.graphic()->save(), bytes);
    EXPECT_EQ(b.BlobType, btICO);

    // A record of version 1.0 has neither BandAlign nor BlobType; an unknown
    // kind leaves the picture empty and reading goes on at the end position.
    version(24);
    Bytes old(24);
    old.str("P").u8(1).u8(0).geometry(0, 0, 50, 50).i32(0).str("").list({}).list({}).u16(1);
    old.u16(0).str("").i32(2).i32(1).u8(9);
    old.i32(old.size() + 4 + 3).u8(1).u8(2).u8(3).u8(0xAA);
    MemoryStream m = old.stream();
    TvlPictureView c;
    c.LoadFromStream(m);
    EXPECT_TRUE(c.Picture.empty());
    EXPECT_EQ(c.BlobType, btBMP);
    EXPECT_EQ(m.position(), m.size() - 1);

    // An end position outside the stream is a damaged record.
    Bytes bad(24);
    bad.str("P").u8(2).u8(0).geometry(0, 0, 5, 5).i32(0).str("").list({}).list({}).u16(1);
    bad.u16(0).str("").i32(2).i32(1).u8(0).u8(1).u8(0).i32(100000);
    MemoryStream bm = bad.stream();
    TvlPictureView d;
    EXPECT_THROW(d.LoadFromStream(bm), StreamReadError);
}

TEST_F(RecordTest, DamagedGraphicInARecordLeavesThePictureEmpty) {
    TvlPictureView a;
    auto bmp = std::make_unique<TvlBitmapGraphic>();
    bmp->setImage(QImage(8, 8, QImage::Format_RGB32));
    a.Picture.setGraphic(std::move(bmp));
    MemoryStream m;
    a.SaveToStream(m);
    auto data = m.takeData();
    const std::size_t pictureStart = data.size() - (54 + 8 * 8 * 3);
    data[pictureStart + 20] = 0xFF; // a width of 16 million pixels
    MemoryStream damaged(std::move(data));
    TvlPictureView b;
    b.LoadFromStream(damaged);
    EXPECT_TRUE(b.Picture.empty());
    EXPECT_EQ(damaged.position(), damaged.size());
}

TEST_F(RecordTest, SubReportAndCopyFrom) {
    TvlSubReportView a, b;
    a.Name = "SubReport1";
    a.SubPage = 2;
    a.SetBounds(10, 10, 200, 50);
    roundTrip(a, b);
    EXPECT_EQ(b.SubPage, 2);

    version(21);
    TvlView source;
    Fill(source);
    source.WriteMode = wmPrepared;
    TvlView copy;
    copy.CopyFrom(source);
    EXPECT_EQ(ViewState().templateVersion, 21);
    EXPECT_EQ(source.WriteMode, wmTemplate);
    EXPECT_EQ(copy.WriteMode, wmTemplate);
    EXPECT_EQ(copy.Name, "Memo1");
    EXPECT_EQ(copy.Script, source.Script);
    EXPECT_EQ(copy.Tag, source.Tag);
    EXPECT_EQ(copy.BandAlign, source.BandAlign);
}

TEST_F(RecordTest, CommonXmlAttributes) {
    TvlView v;
    Fill(v);
    v.BandAlign = baRest;
    EXPECT_EQ(xml(v), "<TvlView Name=\"Memo1\" Left=\"1\" Top=\"2\" Width=\"300\" Height=\"40\" "
                      "Color=\"65280\" Visible=\"False\" Frame.Typ=\"6\" Frame.Width=\"1.5\" "
                      "Frame.Color=\"1193046\" Frame.Style=\"3\" GapX=\"5\" GapY=\"6\" "
                      "TagStr=\"tag [1]\" Memo.text=\"[Price]&#13;&#10;&#13;&#10;x&#13;&#10;\" "
                      "Align=\"4\" OnBeforePrint=\"Memo1OnBeforePrint\" "
                      "OnClick=\"Memo1OnBeforePrint\" OnActivate=\"Memo1OnBeforePrint\" "
                      "Restrictions=\"12\"");
    TvlView plain;
    plain.Tag = "a<b>\"c\"";
    plain.BandAlign = baTop;
    plain.Restrictions = rsNoEditScript;
    const std::string text = xml(plain);
    EXPECT_NE(text.find("TagStr=\"a&#60;b&#62;&#34;c&#34;\""), std::string::npos) << text;
    EXPECT_NE(text.find("Align=\"0\""), std::string::npos);
    EXPECT_NE(text.find("Restrictions=\"1\""), std::string::npos);
    EXPECT_EQ(text.find("Visible"), std::string::npos);
    EXPECT_EQ(text.find("OnClick"), std::string::npos);
}

TEST_F(RecordTest, ClassXmlAttributes) {
    TvlBandView band;
    band.Name = "GroupHeader1";
    band.FrameTyp = 16;
    band.FormatStr = "[Cat]";
    band.Flags = TvlBandView::bfRepeatHeader;
    const std::string b = xml(band);
    EXPECT_EQ(b.rfind("<TvlGroupHeader Name=\"GroupHeader1\"", 0), 0u) << b;
    EXPECT_EQ(b.find("ReprintOnNewPage=\"True\""), b.rfind("ReprintOnNewPage"));
    EXPECT_NE(b.find("Condition=\"[Cat]\""), std::string::npos);
    EXPECT_NE(b.find("PrintOnFirstPage=\"False\""), std::string::npos);
    EXPECT_EQ(b.find("Frame.Typ"), std::string::npos);
    band.FrameTyp = 13; // overlay: no class in the later format
    EXPECT_EQ(xml(band), "");

    TvlSubReportView sub;
    sub.SubPage = 2;
    EXPECT_NE(xml(sub).find(" Page=\"Page3\""), std::string::npos);

    TvlLineView line;
    line.Flags = 0;
    EXPECT_NE(xml(line).find("Stretched=\"False\""), std::string::npos);

    TvlPictureView pic;
    pic.Flags = TvlPictureView::pfCenter;
    auto bmp = std::make_unique<TvlBitmapGraphic>();
    bmp->setImage(QImage(1, 1, QImage::Format_RGB32));
    pic.Picture.setGraphic(std::move(bmp));
    const std::string p = xml(pic);
    EXPECT_NE(p.find("Picture.Propdata=\"424D"), std::string::npos) << p;
    EXPECT_NE(p.find("Stretched=\"False\" Center=\"True\" KeepAspectRatio=\"False\""),
              std::string::npos);
}

TEST_F(RecordTest, WritePreparedEvaluatesTagAndSkipsHiddenObjects) {
    FakeHost host;
    host.values["1"] = 42;
    ViewState().host = &host;
    TvlView v;
    v.Name = "Shape1";
    v.Memo = {"text"};
    v.Tag = "id [1]";
    v.WriteMode = wmPrepared;
    MemoryStream m;
    v.WritePrepared(m);
    EXPECT_EQ(v.Tag, "id [1]");
    EXPECT_EQ(host.hookRuns, 1);
    m.seek(0);
    EXPECT_EQ(ReadByte(m), otAddIn);
    EXPECT_EQ(ReadString(m), "TvlView");
    TvlView back;
    back.WriteMode = wmPrepared;
    back.LoadFromStream(m);
    EXPECT_EQ(back.Tag, "id 42");
    EXPECT_EQ(back.Memo, StringList{"text"});

    v.Visible = false;
    MemoryStream none;
    v.WritePrepared(none);
    EXPECT_EQ(none.size(), 0);
}
