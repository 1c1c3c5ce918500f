#include "engine/output/TvlEMFPages.h"

#include "engine/model/ModelContext.h"
#include "engine/model/ObjectFactory.h"
#include "engine/model/TvlPictureView.h"
#include "engine/model/ViewState.h"
#include "engine/output/LinkOpener.h"
#include "engine/output/OutputContext.h"
#include "engine/output/TvlPrinter.h"
#include "engine/script/Errors.h"
#include "engine/script/ScopedValue.h"
#include "engine/script/StreamIO.h"
#include "engine/script/TextUtils.h"

#include <QImage>
#include <QPaintDevice>
#include <QPainter>

namespace vl {

namespace {

// No page is anywhere near this large; objects beyond it (or with text
// gaps beyond it) come from damaged files and are not drawn (their
// arithmetic would overflow).
bool SaneGeometry(const TvlView& view) {
    constexpr int kLimit = 1 << 24;
    for (int v : {view.Left, view.Top, view.Width, view.Height, view.GapX, view.GapY})
        if (v < -kLimit || v > kLimit) return false;
    return true;
}

// Text objects that size themselves to their text settle their width once
// they are read, by drawing onto an off-screen bitmap.
void SettleAutoWidth(TvlView& view) {
    const Variant autoWidth = view.GetProperty("AutoWidth");
    if (autoWidth.kind() != Variant::Kind::Boolean || !autoWidth.toBool()) return;
    if (!SaneGeometry(view)) return;
    QImage bitmap(1, 1, QImage::Format_RGB32);
    QPainter painter(&bitmap);
    view.Draw(TvlDrawContext::at(&painter));
    view.Canvas = nullptr;
}

bool IsPrinterCanvas(const QPainter& canvas, const TvlPrinter& printer) {
    const QPaintDevice* device = canvas.device();
    if (!device || device->devType() != QInternal::Printer) return false;
    const PrinterSystem* system = printer.System();
    return system && system->printing();
}

bool IsMetafileCanvas(const QPainter& canvas) {
    const QPaintDevice* device = canvas.device();
    return device && device->devType() == QInternal::Picture;
}

// Whether any part of r (logical coordinates) can show on the canvas.
bool RectVisible(const QPainter& canvas, const QRect& r) {
    if (canvas.hasClipping()) return canvas.clipRegion().intersects(r);
    const QPaintDevice* device = canvas.device();
    if (!device) return true;
    bool invertible = false;
    const QTransform inverse = canvas.combinedTransform().inverted(&invertible);
    if (!invertible) return false;
    return inverse.mapRect(QRect(0, 0, device->width(), device->height())).intersects(r);
}

bool IsLinkObject(const TvlView& view) {
    return view.Name.size() >= 3 && SameText(std::string_view(view.Name).substr(0, 3), "URL");
}

} // namespace

TvlEMFPages::TvlEMFPages(TvlOutputContext& engine) : engine_(engine) {}

TvlEMFPages::TvlEMFPages() : TvlEMFPages(OutputGlobals()) {}

TvlViewState& TvlEMFPages::views() const {
    return engine_.model().views();
}

TvlEMFPages::~TvlEMFPages() {
    Clear();
}

PreparedPage& TvlEMFPages::PageAt(int i) {
    if (i < 0 || i >= Count())
        throw VlError("Prepared page " + std::to_string(i + 1) + " does not exist");
    return *pages_[static_cast<std::size_t>(i)];
}

const PreparedPage& TvlEMFPages::PageAt(int i) const {
    return const_cast<TvlEMFPages*>(this)->PageAt(i);
}

// Pages go from the first to the last (their live objects first), in one
// sweep: deleting the first page over and over would move the rest each time.
void TvlEMFPages::Clear() {
    for (auto& page : pages_)
        page->Page.reset();
    pages_.clear();
    graphics_.clear();
}

void TvlEMFPages::InsertPage(int i, const PageSettings& settings) {
    auto page = std::make_unique<PreparedPage>();
    static_cast<PageSettings&>(*page) = settings;
    WriteByte(page->Stream, kStreamVersion);
    const auto at = i < 0 ? 0 : std::min<std::size_t>(static_cast<std::size_t>(i), pages_.size());
    pages_.insert(pages_.begin() + static_cast<std::ptrdiff_t>(at), std::move(page));
}

void TvlEMFPages::AddPage(const PageSettings& settings) {
    InsertPage(Count(), settings);
    if (Events.BeginPage) Events.BeginPage(Count() - 1);
}

void TvlEMFPages::DeletePage(int i) {
    ReleasePageObjects(i);
    pages_.erase(pages_.begin() + i);
}

void TvlEMFPages::ReleasePageObjects(int i) {
    PreparedPage& page = PageAt(i);
    TvlViewState& state = views();
    if (page.Page && state.currentPage == page.Page.get()) state.currentPage = nullptr;
    page.Page.reset();
}

int TvlEMFPages::LivePageCount() const {
    int n = 0;
    for (const auto& page : pages_)
        n += page->Page ? 1 : 0;
    return n;
}

void TvlEMFPages::LoadPageObjects(int i) {
    PreparedPage& page = PageAt(i);
    if (!page.Page) BuildLivePage(page);
}

PreparedLivePage& TvlEMFPages::BuildLivePage(PreparedPage& page) {
    // the objects read before a failure stay on the page
    page.Page = std::make_unique<PreparedLivePage>(page, views());
    const ScopedValue<TvlViewPage*> current(views().currentPage, page.Page.get());
    ReadObjects(page, *page.Page);
    return *page.Page;
}

void TvlEMFPages::ReadObjects(PreparedPage& page, PreparedLivePage& live) {
    MemoryStream& stream = page.Stream;
    stream.seek(0);
    // New records are appended at the end, also after a failed read.
    struct AtEnd {
        MemoryStream& s;
        ~AtEnd() { s.seek(s.size()); }
    } atEnd{stream};
    if (stream.size() == 0) return;
    const int version = ReadByte(stream);
    // the objects read at the page's version; template reading keeps its own
    const ScopedValue versionScope(views().templateVersion, version);
    while (stream.remaining() > 0) {
        const std::uint8_t type = ReadByte(stream);
        const std::string className = type == otAddIn ? ReadStringFor(stream, version) : "";
        std::unique_ptr<TvlView> view = CreateObject(engine_.model(), type, className);
        if (!view)
            throw VlError("Prepared page holds an object of unknown type " +
                          std::to_string(static_cast<int>(type)));
        {
            const ScopedValue mode(view->WriteMode, wmPrepared);
            view->LoadFromStream(stream);
        }
        TvlView& added = *view;
        live.add(std::move(view));
        if (auto* picture = dynamic_cast<TvlPictureView*>(&added))
            graphics_.share(picture->Picture);
        SettleAutoWidth(added);
    }
}

void TvlEMFPages::SavePageObjects(int i) {
    PreparedPage& page = PageAt(i);
    if (!page.Page) return;
    const ScopedValue<int> versionScope(views().templateVersion, kStreamVersion);
    MemoryStream stream;
    WriteByte(stream, kStreamVersion);
    for (const auto& object : page.Page->objects()) {
        TvlView& view = *object;
        WriteByte(stream, view.Typ);
        if (view.Typ == otAddIn) WriteString(stream, view.className());
        view.EvaluatedText = view.Memo;
        const ScopedValue mode(view.WriteMode, wmPrepared);
        view.SaveToStream(stream);
    }
    page.Stream = std::move(stream);
}

void TvlEMFPages::DrawPage(int i, QPainter* canvas, const TvlRect& rect) {
    PreparedPage& page = PageAt(i);
    const bool printing = canvas && IsPrinterCanvas(*canvas, engine_.printer());
    if (!page.Shown) {
        ReleasePageObjects(i);
        return;
    }
    if (!canvas) return;
    PreparedLivePage& live = page.Page ? *page.Page : BuildLivePage(page);
    const ScopedValue<TvlViewPage*> current(views().currentPage, &live);
    const PageMetrics& m = page.Metrics;
    if (m.PixelPaperWidth <= 0 || m.PixelPaperHeight <= 0) return;
    const double kx = static_cast<double>(rect.width()) / m.PixelPaperWidth;
    const double ky = static_cast<double>(rect.height()) / m.PixelPaperHeight;
    const bool testVisibility = !printing && !IsMetafileCanvas(*canvas);
    for (const auto& object : live.objects()) {
        TvlView& view = *object;
        if (!SaneGeometry(view)) continue;
        if (testVisibility) {
            const int left = Nearest(view.Left * kx) + rect.Left - 10;
            const int top = Nearest(view.Top * ky) + rect.Top - 10;
            const int right = Nearest(kx * (view.Left + view.Width)) + rect.Left + 10;
            const int bottom = Nearest(ky * (view.Top + view.Height)) + rect.Top + 10;
            if (!RectVisible(*canvas, QRect(left, top, right - left, bottom - top))) continue;
        }
        TvlDrawContext context = TvlDrawContext::at(canvas);
        context.scaleX = kx;
        context.scaleY = ky;
        context.offsetX = rect.Left;
        context.offsetY = rect.Top;
        context.printing = printing;
        view.Draw(context);
        view.Canvas = nullptr;
    }
}

TvlObjectHit TvlEMFPages::ObjectAt(int i, QPoint point, bool click) {
    PreparedPage& page = PageAt(i);
    PreparedLivePage& live = page.Page ? *page.Page : BuildLivePage(page);
    const PageMetrics& m = page.Metrics;
    double kx = 1, ky = 1, ox = 0, oy = 0;
    if (!page.PaperCoordinates) {
        if (m.PixelPaperWidth <= 0 || m.PixelPaperHeight <= 0) return {};
        kx = static_cast<double>(m.PixelPrintWidth - page.LeftMargin - page.RightMargin) /
             m.PixelPaperWidth;
        ky = static_cast<double>(m.PixelPrintHeight - page.TopMargin - page.BottomMargin) /
             m.PixelPaperHeight;
        ox = m.PixelOffsetX + page.LeftMargin;
        oy = m.PixelOffsetY + page.TopMargin;
    }
    const auto& objects = live.objects();
    for (auto it = objects.rbegin(); it != objects.rend(); ++it) {
        TvlView& view = **it;
        if (!SaneGeometry(view)) continue;
        const int left = Nearest(view.Left * kx + ox), top = Nearest(view.Top * ky + oy);
        const int right = Nearest(ox + kx * (view.Left + view.Width));
        const int bottom = Nearest(oy + ky * (view.Top + view.Height));
        if (point.x() < left || point.x() >= right || point.y() < top || point.y() >= bottom)
            continue;
        TvlObjectHit hit;
        if (click) {
            if (Events.ObjectClick) {
                Events.ObjectClick(view);
                hit.Handled = true;
            }
            if (!IsLinkObject(view)) return hit;
            hit.Handled = true;
            // Only web and mail addresses leave the program; a page jump
            // goes back to the preview; anything else (a file, a program)
            // is reported and never run.
            if (IsOpenableLink(view.Tag)) {
                if (TvlLinkOpener* opener = engine_.linkOpener()) opener->open(view.Tag);
            } else if (view.Tag.find('@') != std::string::npos) {
                hit.Text = view.Tag;
            } else {
                hit.RefusedLink = view.Tag;
            }
            return hit;
        }
        if (Events.MouseOverObject) {
            Events.MouseOverObject(view, hit.Cursor);
            hit.Handled = true;
        }
        if (!IsLinkObject(view)) return hit;
        hit.Handled = true;
        hit.Cursor = Qt::PointingHandCursor;
        hit.Text = view.Tag;
        return hit;
    }
    return {};
}

} // namespace vl
