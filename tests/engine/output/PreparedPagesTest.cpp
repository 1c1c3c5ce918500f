#include "engine/model/ObjectFactory.h"
#include "engine/model/TvlBandView.h"
#include "engine/model/TvlLineView.h"
#include "engine/model/TvlPictureView.h"
#include "engine/model/TvlSubReportView.h"
#include "engine/output/LinkOpener.h"
#include "engine/script/Errors.h"
#include "tests/engine/model/ViewTestSupport.h"
#include "tests/engine/output/PreparedPagesTestSupport.h"
#include "tests/support/ThreadEngine.h"

#include <QImage>
#include <QPicture>
#include <gtest/gtest.h>

namespace vl::test {
namespace {

std::unique_ptr<TvlGraphic> Raster(TvlGraphicKind kind, QColor color, QSize size = {8, 6}) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    auto graphic = MakeGraphic(kind);
    static_cast<TvlRasterGraphic&>(*graphic).setImage(image);
    return graphic;
}

std::unique_ptr<TvlPictureView> Picture(const char* name, std::unique_ptr<TvlGraphic> graphic) {
    auto view = Make<TvlPictureView>(name, 40, 300, 120, 90);
    view->Picture.setGraphic(std::move(graphic));
    return view;
}

class PreparedPagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        Globals().startPrinter(nullptr);
        RegisterStamp();
        StampView::draws = 0;
    }
    void TearDown() override { Globals().setLinkOpener(nullptr); }

    // A page with a picture, a line, a band, a sub-report frame and a stamp.
    int AddMixedPage(TvlEMFPages& pages) {
        pages.AddPage(Paper());
        const int i = pages.Count() - 1;
        auto picture = Picture("Picture1", Raster(TvlGraphicKind::Bitmap, Qt::red));
        picture->Memo = {"Photos.Image"};
        Put(pages, i, *picture);
        auto jpeg = Picture("Picture2", Raster(TvlGraphicKind::Jpeg, Qt::blue, {16, 16}));
        Put(pages, i, *jpeg);
        auto line = Make<TvlLineView>("Line1", 40, 200, 300, 0);
        line->FrameWidth = 1.5f;
        Put(pages, i, *line);
        auto band = Make<TvlBandView>("Band1", 0, 100, 700, 40);
        band->FrameTyp = 5;
        band->Columns = 2;
        Put(pages, i, *band);
        auto sub = Make<TvlSubReportView>("SubReport1", 10, 500, 300, 80);
        sub->SubPage = 3;
        Put(pages, i, *sub);
        auto stamp = Stamp("Stamp1", 50, 50, "Page text");
        stamp->Tag = "tag";
        Put(pages, i, *stamp);
        return i;
    }

    ViewStateGuard guard_;
};

TEST_F(PreparedPagesTest, InsertAndAddPlacePagesAndRaiseBeginPage) {
    TvlEMFPages pages;
    std::vector<int> begun;
    pages.Events.BeginPage = [&](int index) { begun.push_back(index); };
    PageSettings a4 = Paper();
    a4.LeftMargin = 20;
    pages.AddPage(a4);
    pages.AddPage(Paper(11, 1480, 2100));
    pages.InsertPage(0, Paper(1, 2159, 2794));
    pages.InsertPage(99, Paper(5, 2159, 3556));
    EXPECT_EQ(begun, (std::vector<int>{0, 1}));
    ASSERT_EQ(pages.Count(), 4);
    EXPECT_EQ(pages.PageAt(0).PaperSize, 1);
    EXPECT_EQ(pages.PageAt(1).PaperSize, 9);
    EXPECT_EQ(pages.PageAt(1).LeftMargin, 20);
    EXPECT_EQ(pages.PageAt(1).Metrics.PixelPaperWidth, 758);
    EXPECT_EQ(pages.PageAt(2).PaperSize, 11);
    EXPECT_EQ(pages.PageAt(3).PaperSize, 5);
    EXPECT_EQ(pages.PageAt(2).Stream.data(), std::vector<std::uint8_t>{25});
    EXPECT_FALSE(pages.PageAt(2).Shown);

    pages.DeletePage(1);
    EXPECT_EQ(pages.Count(), 3);
    EXPECT_EQ(pages.PageAt(1).PaperSize, 11);
    EXPECT_THROW(pages.PageAt(3), VlError);
    EXPECT_THROW(pages.DeletePage(-1), VlError);
    pages.Clear();
    EXPECT_EQ(pages.Count(), 0);
}

TEST_F(PreparedPagesTest, ObjectsOfEveryKindComeBackAndSaveToTheSameBytes) {
    TvlEMFPages pages;
    const int i = AddMixedPage(pages);
    const std::vector<std::uint8_t> written = pages.PageAt(i).Stream.data();

    pages.LoadPageObjects(i);
    const PreparedLivePage& live = *pages.PageAt(i).Page;
    ASSERT_EQ(live.viewCount(), 6);
    const auto& bitmap = dynamic_cast<const TvlPictureView&>(*live.viewAt(0));
    EXPECT_EQ(bitmap.Name, "Picture1");
    EXPECT_EQ(bitmap.Memo, StringList{"Photos.Image"});
    ASSERT_FALSE(bitmap.Picture.empty());
    EXPECT_EQ(bitmap.Picture.graphic()->kind(), TvlGraphicKind::Bitmap);
    EXPECT_EQ(bitmap.Picture.graphic()->size(), QSize(8, 6));
    EXPECT_EQ(dynamic_cast<const TvlPictureView&>(*live.viewAt(1)).Picture.graphic()->kind(),
              TvlGraphicKind::Jpeg);
    EXPECT_FLOAT_EQ(live.viewAt(2)->FrameWidth, 1.5f);
    const auto& band = dynamic_cast<const TvlBandView&>(*live.viewAt(3));
    EXPECT_EQ(band.FrameTyp, 5);
    EXPECT_EQ(band.Columns, 2);
    EXPECT_EQ(dynamic_cast<const TvlSubReportView&>(*live.viewAt(4)).SubPage, 3);
    const TvlView& stamp = *live.viewAt(5);
    EXPECT_EQ(stamp.className(), StampView::kClassName);
    EXPECT_EQ(stamp.Memo, StringList{"Page text"});
    EXPECT_EQ(stamp.Tag, "tag");
    for (int k = 0; k < live.viewCount(); ++k)
        EXPECT_EQ(live.viewAt(k)->WriteMode, wmTemplate);

    pages.SavePageObjects(i);
    EXPECT_EQ(pages.PageAt(i).Stream.data(), written);
}

TEST_F(PreparedPagesTest, SavingWritesTheEditedObjects) {
    TvlEMFPages pages;
    pages.AddPage(Paper());
    Put(pages, 0, *Stamp("Stamp1", 10, 10, "before"));
    pages.LoadPageObjects(0);
    pages.PageAt(0).Page->viewAt(0)->Memo = {"after", "second"};
    pages.PageAt(0).Page->viewAt(0)->Left = 77;
    pages.SavePageObjects(0);
    pages.ReleasePageObjects(0);
    pages.LoadPageObjects(0);
    const TvlView& view = *pages.PageAt(0).Page->viewAt(0);
    EXPECT_EQ(view.Memo, (StringList{"after", "second"}));
    EXPECT_EQ(view.Left, 77);
}

TEST_F(PreparedPagesTest, UnreadableObjectsRaiseAndKeepTheObjectsBefore) {
    TvlEMFPages pages;
    pages.AddPage(Paper());
    Put(pages, 0, *Make<TvlLineView>("Line1", 0, 0, 100, 0));
    WriteByte(pages.PageAt(0).Stream, otAddIn);
    WriteString(pages.PageAt(0).Stream, "TvlNotThere");
    pages.AddPage(Paper());
    Put(pages, 1, *Make<TvlLineView>("Line1", 0, 0, 100, 0));
    WriteByte(pages.PageAt(1).Stream, 7);
    pages.AddPage(Paper());
    Put(pages, 2, *Make<TvlLineView>("Line1", 0, 0, 100, 0));
    WriteByte(pages.PageAt(2).Stream, otLine);
    WriteString(pages.PageAt(2).Stream, "Line2");

    try {
        pages.LoadPageObjects(0);
        FAIL() << "an unregistered add-in class must raise";
    } catch (const ClassNotFoundError& e) {
        EXPECT_NE(std::string(e.what()).find("TvlNotThere"), std::string::npos);
    }
    EXPECT_EQ(pages.PageAt(0).Page->viewCount(), 1);
    EXPECT_THROW(pages.LoadPageObjects(1), VlError);
    EXPECT_EQ(pages.PageAt(1).Page->viewCount(), 1);
    EXPECT_THROW(pages.LoadPageObjects(2), StreamReadError);
    EXPECT_EQ(pages.PageAt(2).Page->viewCount(), 1);
}

TEST_F(PreparedPagesTest, AutoWidthObjectsSettleTheirWidthWhenRead) {
    TvlEMFPages pages;
    pages.AddPage(Paper());
    auto stamp = Stamp("Stamp1", 10, 10, "twelve chars");
    stamp->autoWidth = true;
    Put(pages, 0, *stamp);
    Put(pages, 0, *Stamp("Stamp2", 10, 40, "fixed"));
    pages.LoadPageObjects(0);
    EXPECT_EQ(pages.PageAt(0).Page->viewAt(0)->Width, 120);
    EXPECT_EQ(pages.PageAt(0).Page->viewAt(1)->Width, 200);
}

// Darkest pixel value in the rectangle (255 = all white).
int Darkest(const QImage& image, QRect r) {
    int darkest = 255;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            darkest = std::min(darkest, qGray(image.pixel(x, y)));
    return darkest;
}

TEST_F(PreparedPagesTest, DrawPageScalesToTheRectangle) {
    TvlEMFPages pages;
    pages.AddPage(Paper());
    Put(pages, 0, *Make<TvlLineView>("Line1", 100, 200, 300, 0));
    PreparedPage& page = pages.PageAt(0);
    page.Shown = true;
    const int w = page.Metrics.PixelPaperWidth, h = page.Metrics.PixelPaperHeight;
    QImage image(2 * w + 20, 2 * h + 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        pages.DrawPage(0, &painter, {20, 20, 20 + 2 * w, 20 + 2 * h});
    }
    // The line runs from x 220 to 820 at y 420 on the doubled page.
    EXPECT_LT(Darkest(image, QRect(230, 418, 580, 5)), 80);
    EXPECT_EQ(Darkest(image, QRect(100, 195, 300, 10)), 255);
    EXPECT_EQ(Darkest(image, QRect(830, 410, 40, 20)), 255);
    EXPECT_EQ(pages.LivePageCount(), 1);
}

TEST_F(PreparedPagesTest, ObjectsOutsideTheVisibleCanvasAreSkippedWithTenPixelsAllowance) {
    TvlEMFPages pages;
    pages.AddPage(Paper());
    Put(pages, 0, *Stamp("Inside", 20, 20, "a"));
    auto near = Stamp("Near", 108, 20, "b");
    Put(pages, 0, *near);
    auto far = Stamp("Far", 111, 20, "c");
    Put(pages, 0, *far);
    PreparedPage& page = pages.PageAt(0);
    page.Shown = true;
    const TvlRect whole{0, 0, page.Metrics.PixelPaperWidth, page.Metrics.PixelPaperHeight};

    QImage image(whole.Right, whole.Bottom, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        painter.setClipRect(QRect(0, 0, 100, 100));
        pages.DrawPage(0, &painter, whole);
    }
    EXPECT_EQ(StampView::draws, 2);

    StampView::draws = 0;
    {
        QImage small(100, 100, QImage::Format_RGB32);
        QPainter painter(&small);
        pages.DrawPage(0, &painter, whole);
    }
    EXPECT_EQ(StampView::draws, 2);

    // A metafile canvas records everything.
    StampView::draws = 0;
    QPicture picture;
    {
        QPainter painter(&picture);
        painter.setClipRect(QRect(0, 0, 100, 100));
        pages.DrawPage(0, &painter, whole);
    }
    EXPECT_EQ(StampView::draws, 3);
}

TEST_F(PreparedPagesTest, DrawingAPageThatIsNotShownDrawsNothingAndReleasesItsObjects) {
    TvlEMFPages pages;
    pages.AddPage(Paper());
    Put(pages, 0, *Stamp("Stamp1", 20, 20, "text"));
    Put(pages, 0, *Make<TvlLineView>("Line1", 0, 50, 300, 0));
    PreparedPage& page = pages.PageAt(0);
    const TvlRect whole{0, 0, page.Metrics.PixelPaperWidth, page.Metrics.PixelPaperHeight};
    QImage image(whole.Right, whole.Bottom, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);

    page.Shown = true;
    pages.DrawPage(0, &painter, whole);
    EXPECT_EQ(StampView::alive, 1);
    image.fill(Qt::white);
    page.Shown = false;
    pages.DrawPage(0, &painter, whole);
    painter.end();
    EXPECT_EQ(StampView::alive, 0);
    EXPECT_EQ(pages.LivePageCount(), 0);
    EXPECT_EQ(page.Page, nullptr);
    EXPECT_EQ(Darkest(image, image.rect()), 255);
    EXPECT_EQ(ViewState().currentPage, nullptr);
}

class RecordingOpener : public TvlLinkOpener {
public:
    explicit RecordingOpener(std::vector<std::string>& opened) : opened_(opened) {}
    void open(const std::string& target) override { opened_.push_back(target); }

private:
    std::vector<std::string>& opened_;
};

TEST_F(PreparedPagesTest, ClickingLinksJumpsOpensWebAddressesAndRefusesFiles) {
    std::vector<std::string> opened;
    Globals().setLinkOpener(std::make_unique<RecordingOpener>(opened));
    TvlEMFPages pages;
    pages.AddPage(Paper());
    const char* tags[] = {"@3", "report.txt", "https://example.org/a", "mailto:me@example.org",
                          "C:\\Windows\\notepad.exe"};
    int top = 0;
    for (const char* tag : tags) {
        auto link = Stamp("URL1", 10, top, "link");
        link->Tag = tag;
        Put(pages, 0, *link);
        top += 30;
    }
    Put(pages, 0, *Stamp("Plain", 10, top, "plain"));

    TvlObjectHit hit = pages.ObjectAt(0, {15, 5}, true);
    EXPECT_TRUE(hit.Handled);
    EXPECT_EQ(hit.Text, "@3");
    hit = pages.ObjectAt(0, {15, 35}, true);
    EXPECT_TRUE(hit.Handled);
    EXPECT_EQ(hit.Text, "");
    EXPECT_EQ(hit.RefusedLink, "report.txt");
    hit = pages.ObjectAt(0, {15, 65}, true);
    EXPECT_TRUE(hit.Handled);
    EXPECT_EQ(hit.Text, "");
    hit = pages.ObjectAt(0, {15, 95}, true);
    EXPECT_EQ(hit.Text, "");
    hit = pages.ObjectAt(0, {15, 125}, true);
    EXPECT_EQ(hit.RefusedLink, "C:\\Windows\\notepad.exe");
    EXPECT_EQ(opened, (std::vector<std::string>{"https://example.org/a", "mailto:me@example.org"}));

    EXPECT_FALSE(pages.ObjectAt(0, {15, 155}, true).Handled);
    EXPECT_FALSE(pages.ObjectAt(0, {500, 500}, true).Handled);

    hit = pages.ObjectAt(0, {15, 35}, false);
    EXPECT_TRUE(hit.Handled);
    EXPECT_EQ(hit.Cursor, Qt::PointingHandCursor);
    EXPECT_EQ(hit.Text, "report.txt");
    EXPECT_EQ(opened.size(), 2u);

    // Without an opener (headless) nothing opens.
    Globals().setLinkOpener(nullptr);
    hit = pages.ObjectAt(0, {15, 65}, true);
    EXPECT_TRUE(hit.Handled);
    EXPECT_EQ(hit.RefusedLink, "");
}

TEST_F(PreparedPagesTest, HitTestingFindsTheTopmostObjectAndCallsTheReportsEvents) {
    TvlEMFPages pages;
    std::vector<std::string> clicked;
    pages.AddPage(Paper());
    Put(pages, 0, *Stamp("Below", 10, 10, "below"));
    Put(pages, 0, *Stamp("Above", 100, 10, "above"));
    EXPECT_FALSE(pages.ObjectAt(0, {150, 15}, true).Handled);
    pages.Events.ObjectClick = [&](TvlView& view) { clicked.push_back(view.Name); };
    pages.Events.MouseOverObject = [](TvlView&, Qt::CursorShape& cursor) {
        cursor = Qt::CrossCursor;
    };
    EXPECT_TRUE(pages.ObjectAt(0, {150, 15}, true).Handled);
    EXPECT_TRUE(pages.ObjectAt(0, {50, 15}, true).Handled);
    EXPECT_EQ(clicked, (std::vector<std::string>{"Above", "Below"}));
    EXPECT_EQ(pages.ObjectAt(0, {50, 15}, false).Cursor, Qt::CrossCursor);
    // Right and bottom edges are outside.
    EXPECT_FALSE(pages.ObjectAt(0, {300, 15}, true).Handled);
    EXPECT_FALSE(pages.ObjectAt(0, {50, 30}, true).Handled);
}

TEST_F(PreparedPagesTest, HitTestingOnAStretchedPageScalesIntoThePrintableArea) {
    TvlEMFPages pages;
    PageSettings stretched = Paper(9, 2100, 2970, 0, false);
    stretched.LeftMargin = 20;
    stretched.TopMargin = 10;
    pages.AddPage(stretched);
    auto link = Stamp("URL2", 100, 100, "x");
    link->Tag = "@2";
    Put(pages, 0, *link);
    // kx = (722 - 20) / 758; the object starts at R(100 kx + 18 + 20) = 131.
    const PageMetrics& m = pages.PageAt(0).Metrics;
    const double kx = (m.PixelPrintWidth - 20.0) / m.PixelPaperWidth;
    const double ky = (m.PixelPrintHeight - 10.0) / m.PixelPaperHeight;
    const int left = Nearest(100 * kx + m.PixelOffsetX + 20);
    const int top = Nearest(100 * ky + m.PixelOffsetY + 10);
    EXPECT_EQ(left, 131);
    EXPECT_EQ(pages.ObjectAt(0, {left, top}, true).Text, "@2");
    EXPECT_FALSE(pages.ObjectAt(0, {left - 1, top}, true).Handled);
}

TEST(LinkOpenerTest, OnlyWebAndMailTargetsAreOpenable) {
    EXPECT_TRUE(IsOpenableLink("http://example.org"));
    EXPECT_TRUE(IsOpenableLink("HTTPS://example.org/a?b=c"));
    EXPECT_TRUE(IsOpenableLink("mailto:someone@example.org"));
    EXPECT_FALSE(IsOpenableLink("file:///etc/passwd"));
    EXPECT_FALSE(IsOpenableLink("report.txt"));
    EXPECT_FALSE(IsOpenableLink("c:\\tools\\run.exe"));
    EXPECT_FALSE(IsOpenableLink("javascript:alert(1)"));
    EXPECT_FALSE(IsOpenableLink("http:"));
    EXPECT_FALSE(IsOpenableLink("https://example.org/\r\nx"));
    EXPECT_FALSE(IsOpenableLink(""));
}

} // namespace
} // namespace vl::test
