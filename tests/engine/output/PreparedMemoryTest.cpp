#include "engine/model/TvlLineView.h"
#include "engine/model/TvlPictureView.h"
#include "engine/output/PageRendering.h"
#include "tests/engine/model/ViewTestSupport.h"
#include "tests/engine/output/PreparedPagesTestSupport.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace vl::test {
namespace {

std::unique_ptr<TvlPictureView> Logo() {
    QImage image(64, 32, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    auto graphic = std::make_unique<TvlBitmapGraphic>();
    graphic->setImage(image);
    auto view = Make<TvlPictureView>("Picture1", 600, 20, 128, 64);
    view->Picture.setGraphic(std::move(graphic));
    return view;
}

class PreparedMemoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        Globals().startPrinter(nullptr);
        RegisterStamp();
    }
    ViewStateGuard guard_;
};

TEST_F(PreparedMemoryTest, DrawingEveryPageOfALargeStoreKeepsOnePageAlive) {
    constexpr int kPages = 5000;
    TvlEMFPages pages;
    const auto logo = Logo();
    const auto line = Make<TvlLineView>("Line1", 20, 100, 700, 0);
    for (int i = 0; i < kPages; ++i) {
        pages.AddPage(Paper());
        const std::string text = "Page " + std::to_string(i + 1);
        Put(pages, i, *Stamp("Stamp1", 20, 20, text.c_str()));
        Put(pages, i, *Stamp("Stamp2", 20, 60, "second"));
        Put(pages, i, *logo);
        Put(pages, i, *line);
    }
    EXPECT_EQ(StampView::alive, 0);

    QImage canvas(200, 280, QImage::Format_RGB32);
    QPainter painter(&canvas);
    int mostAlive = 0, mostLivePages = 0;
    for (int i = 0; i < kPages; ++i) {
        PreparedPage& page = pages.PageAt(i);
        page.Shown = true;
        pages.DrawPage(i, &painter, {0, 0, 200, 280});
        mostAlive = std::max(mostAlive, StampView::alive);
        mostLivePages = std::max(mostLivePages, pages.LivePageCount());
        page.Shown = false;
        pages.DrawPage(i, nullptr, {});
    }
    EXPECT_EQ(mostAlive, 2);
    EXPECT_EQ(mostLivePages, 1);
    EXPECT_EQ(StampView::alive, 0);
    EXPECT_EQ(pages.LivePageCount(), 0);

    // The rendering helpers release what they build.
    for (int i = 0; i < 50; ++i)
        RenderPageImage(pages, i, 24);
    EXPECT_EQ(StampView::alive, 0);
    EXPECT_EQ(pages.LivePageCount(), 0);
}

TEST_F(PreparedMemoryTest, EqualPicturesOnDifferentPagesShareTheirPixels) {
    TvlEMFPages pages;
    for (int i = 0; i < 3; ++i) {
        pages.AddPage(Paper());
        Put(pages, i, *Logo());
    }
    auto other = Logo();
    QImage red(64, 32, QImage::Format_RGB32);
    red.fill(Qt::red);
    static_cast<TvlBitmapGraphic&>(*other->Picture.graphic()).setImage(red);
    Put(pages, 2, *other);

    auto image = [&](int page, int object) {
        pages.LoadPageObjects(page);
        const auto& view =
            dynamic_cast<const TvlPictureView&>(*pages.PageAt(page).Page->viewAt(object));
        return static_cast<const TvlRasterGraphic&>(*view.Picture.graphic()).image();
    };
    const qint64 first = image(0, 0).cacheKey();
    pages.ReleasePageObjects(0);
    EXPECT_EQ(image(1, 0).cacheKey(), first);
    EXPECT_EQ(image(2, 0).cacheKey(), first);
    EXPECT_NE(image(2, 1).cacheKey(), first);
    EXPECT_EQ(image(2, 1).pixel(0, 0), QColor(Qt::red).rgb());
}

} // namespace
} // namespace vl::test
