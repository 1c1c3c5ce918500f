#pragma once

#include "engine/output/PreparedPage.h"
#include "engine/output/SharedGraphicCache.h"

#include <QPoint>
#include <QString>
#include <Qt>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QPainter;

namespace vl {

class TvlView;
class TvlOutputContext;
struct TvlViewState;

// What the owning report hears from its prepared pages. Unassigned
// handlers are skipped.
struct TvlEMFPagesEvents {
    // A page was appended; the report raises its begin-page event (and the
    // master report's, when another report is being built) with its current
    // page number. The argument is the new page's index.
    std::function<void(int pageIndex)> BeginPage;
    // The preview clicked or hovered over an object.
    std::function<void(TvlView& view)> ObjectClick;
    std::function<void(TvlView& view, Qt::CursorShape& cursor)> MouseOverObject;
    // A file names the printer it was built for.
    std::function<void(const std::string& printerName)> SetPrinterName;
    // The report's generator-version byte, written after the last page.
    std::function<std::uint8_t()> GeneratorVersion;
    std::function<void(std::uint8_t version)> SetGeneratorVersion;
};

// What lies under a point of a prepared page.
struct TvlObjectHit {
    bool Handled = false;
    // A page jump ("@" and a page number) or, when hovering, a link's target.
    std::string Text;
    Qt::CursorShape Cursor = Qt::ArrowCursor;
    // A link target that was not opened because it is no web or mail
    // address; the preview tells the user.
    std::string RefusedLink;
};

// The built report: a list of prepared pages, each a compact object stream
// whose objects live only while the page is drawn, hit-tested or edited.
class TvlEMFPages {
public:
    static constexpr std::uint8_t kStreamVersion = 25;
    static constexpr std::uint8_t kDefaultGeneratorVersion = 88;

    // Pages read, drawn and printed with engine's printer, compressor and
    // report-object state.
    explicit TvlEMFPages(TvlOutputContext& engine);
    // Pages of the instance the calling thread works for.
    TvlEMFPages();
    ~TvlEMFPages();
    TvlEMFPages(const TvlEMFPages&) = delete;
    TvlEMFPages& operator=(const TvlEMFPages&) = delete;

    // The engine instance the pages are read, drawn and printed with.
    TvlOutputContext& Engine() const { return engine_; }

    int Count() const { return static_cast<int>(pages_.size()); }
    // Throws VlError for an index outside the list.
    PreparedPage& PageAt(int i);
    const PreparedPage& PageAt(int i) const;

    void Clear();
    // A new page before i (appended when i >= Count) with the given paper;
    // its stream holds only the version byte.
    void InsertPage(int i, const PageSettings& settings);
    // Appends a page and raises BeginPage.
    void AddPage(const PageSettings& settings);
    void DeletePage(int i);

    // Builds page i's live objects from its stream unless it has them. An
    // object that cannot be read (unknown type, unregistered add-in class,
    // damaged record) raises its error; the objects before it stay.
    void LoadPageObjects(int i);
    // Writes page i's live objects back into its stream.
    void SavePageObjects(int i);
    // Frees page i's live objects.
    void ReleasePageObjects(int i);
    // Number of pages that hold live objects.
    int LivePageCount() const;

    // Draws page i into rect of the canvas at the scale the rectangle
    // implies; a page that is not Shown only releases its live objects
    // (the canvas may then be null).
    void DrawPage(int i, QPainter* canvas, const TvlRect& rect);
    // The object under point (page pixels from the page's top-left corner)
    // for the preview: clicks follow links, hovering shows them.
    TvlObjectHit ObjectAt(int i, QPoint point, bool click);

    // The prepared-report file (".vlp"). Reading replaces the pages; a
    // damaged or truncated file raises its error and keeps the pages read
    // before it.
    void ReadFromStream(Stream& stream);
    void WriteToStream(Stream& stream);
    void LoadFromFile(const QString& path);
    void SaveToFile(const QString& path);

    TvlEMFPagesEvents Events;

private:
    PreparedLivePage& BuildLivePage(PreparedPage& page);
    void ReadObjects(PreparedPage& page, PreparedLivePage& live);
    void ReadCurrentLayout(Stream& stream, int version, bool compressed);
    void ReadMetafileLayout(Stream& stream);
    PreparedPage& AppendFilePage();
    void CopyPageData(Stream& stream, std::int64_t end, bool compressed, PreparedPage& page);
    void SetLayoutPrinter(const std::string& name);
    void SetUpPaper(PreparedPage& page);

    TvlViewState& views() const;

    TvlOutputContext& engine_;
    std::vector<std::unique_ptr<PreparedPage>> pages_;
    // While a file is read: whether the printer its pages were laid out on
    // is the selected one, whose geometry they then take.
    bool fileOnSelectedPrinter_ = true;
    SharedGraphicCache graphics_;
};

} // namespace vl
