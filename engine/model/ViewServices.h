#pragma once

#include "engine/script/StreamIO.h"
#include "engine/script/Variant.h"

#include <QRectF>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QPainter;

namespace vl {

class TvlView;
class TvlComponent;

// What report objects need from the report they belong to. The report
// implements it and installs itself as the engine's view host while it
// loads, builds or draws.
class TvlViewHost {
public:
    virtual ~TvlViewHost() = default;
    // The report component's name, quoted in build error texts.
    virtual std::string componentName() const = 0;
    // The object of that name on any page of the report (case ignored).
    virtual TvlView* findObject(std::string_view name) const = 0;
    // Evaluates an expression with the report's value lookup.
    virtual Variant evaluate(std::string_view expression) = 0;
    // Evaluates the text between a bracket pair and formats it for view.
    virtual std::string expandBracket(std::string_view bracketText, TvlView& view) = 0;
    // Runs the view's script.
    virtual void runScript(TvlView& view, const StringList& script) = 0;
    // The per-object hook before output: a bound data field is loaded and
    // the before-print handler sees the evaluated text.
    virtual void beforeObjectOutput(TvlView& view) = 0;
    // True when the report has a before-print handler: text objects then let
    // it see their template lines before they evaluate them.
    virtual bool hasBeforePrintHandler() const { return false; }
    // True during the first pass of a two-pass build.
    virtual bool isFirstOfTwoPasses() const { return false; }
    // Resolves a data-field reference (data set "." field) to a data set and
    // a field name; false when it names none.
    virtual bool resolveDataField(std::string_view reference, TvlComponent*& dataSet,
                                  std::string& field) = 0;
};

// A page as its objects see it: the object list in page order and the
// usable area.
class TvlViewPage {
public:
    virtual ~TvlViewPage() = default;
    virtual int viewCount() const = 0;
    virtual TvlView* viewAt(int index) const = 0;
    // Left and right edges of the usable area, in page pixels.
    virtual int leftEdge() const = 0;
    virtual int rightEdge() const = 0;
    // The whole page, in page pixels.
    virtual int pixelWidth() const = 0;
    virtual int pixelHeight() const = 0;
};

// A band while a report is built, as band views and their objects reach it.
class TvlRuntimeBand {
public:
    virtual ~TvlRuntimeBand() = default;
    virtual int bandType() const = 0;
    virtual int left() const = 0;
    virtual int top() const = 0;
    virtual int width() const = 0;
    virtual int height() const = 0;
    virtual void setLeft(int value) = 0;
    virtual void setTop(int value) = 0;
    virtual void setWidth(int value) = 0;
    virtual void setHeight(int value) = 0;
    virtual bool visible() const = 0;
    virtual void setVisible(bool value) = 0;
    virtual bool pageBreak() const = 0;
    virtual void setPageBreak(bool value) = 0;
    virtual void setGroupCondition(const std::string& condition) = 0;
    // Links the runtime band of the named band view on the current page as
    // this band's child, or none when there is no such band.
    virtual void setChildBand(std::string_view bandViewName) = 0;
    // Drops the data source and binds the named one.
    virtual void bindDataSource(std::string_view name) = 0;
    virtual bool hasDataSource() const = 0;
    virtual bool dataSourceEof() const = 0;
    virtual void dataSourceFirst() = 0;
    virtual void dataSourceNext() = 0;
    virtual void dataSourcePrior() = 0;
};

// The active export filter of the prepared pages.
class TvlExportFilter {
public:
    virtual ~TvlExportFilter() = default;
    virtual void addObject(TvlView& view, int left, int top) = 0;
    // One line of a text object: where it starts, its text and the frame
    // sides (vlft bits) that belong to it.
    virtual void addTextLine(TvlView& /*view*/, int /*x*/, int /*y*/, std::string_view /*text*/,
                             std::uint16_t /*frameSides*/) {}
};

// Dialog editors of the designer, opened from the inspector or by an
// object's own editor.
class TvlDesignerHooks {
public:
    virtual ~TvlDesignerHooks() = default;
    virtual void editProperty(TvlView& view, std::string_view propertyName) = 0;
};

} // namespace vl

namespace vl {

// The contents of a database blob field.
struct TvlBlobField {
    bool isNull = true;
    std::vector<std::uint8_t> bytes;
};

} // namespace vl
