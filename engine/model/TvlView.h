#pragma once

#include "engine/model/DrawContext.h"
#include "engine/model/TvlObject.h"
#include "engine/model/ViewServices.h"

#include <QRect>
#include <QRegion>

class QPainter;

namespace vl {

class Stream;
class TvlComponent;
class TvlMeasuringCanvas;
class TvlModelContext;
struct TvlViewState;

// Anything placed on a page: geometry, frame, fill, text lists, and the
// operations the designer, the band engine and the prepared pages use.
class TvlView : public TvlObject {
public:
    TvlView();
    ~TvlView() override;

    // The class name that records and the XML export carry.
    virtual std::string className() const { return "TvlView"; }

    void SetProperty(std::string_view name, const Variant& value) override;
    Variant GetProperty(std::string_view name) override;
    Variant CallMethod(std::string_view name, const Variant& p1, const Variant& p2,
                       const Variant& p3) override;
    void RegisterProperties() override;

    virtual void PaintFill();
    virtual void PaintFrame();
    virtual void LoadFromBlob(const TvlBlobField&) {}
    virtual void NotifyPrinted(TvlView&) {}
    virtual void AfterTemplateLoad() {}
    virtual void ScaleForOutput();
    virtual void RestoreGeometry();
    virtual void Draw(const TvlDrawContext&) {}
    virtual void WritePrepared(Stream& stream);
    virtual void ExportToFilter();
    virtual void LoadFromStream(Stream& stream);
    virtual void SaveToStream(Stream& stream);
    virtual void WriteXml(Stream& stream);
    virtual void AfterMouseResize() {}
    virtual QRegion CreateClipRegion(bool extended);
    virtual void OpenEditor() {}

    // The engine instance the object belongs to, and through it the render
    // mode, the report being loaded, built or drawn, the designer's hooks and
    // the canvas text is measured on. An object belongs to the instance of
    // the page that holds it; until it joins one, to the instance the
    // thread worked for when it was made.
    TvlModelContext& engineModel() const { return *model_; }
    virtual void JoinEngine(TvlModelContext& model) { model_ = &model; }
    TvlViewState& viewState() const;
    TvlMeasuringCanvas& measuringCanvas() const;

    // Takes the drawing's device, scale, offset and mode for the calls that
    // follow, and puts an object aligned to its band in place.
    void PrepareDraw(const TvlDrawContext& context);
    // Only takes the device, scale, offset and mode.
    void UseDrawContext(const TvlDrawContext& context);
    std::string ExpandText(std::string_view text);
    void MakeUniqueName();
    void SetBounds(int left, int top, int width, int height);
    // Holds the position, size and text gaps within -limit..limit, so that
    // geometry from damaged files cannot overflow the layout arithmetic.
    void LimitGeometry(int limit);
    TvlView* FindOwnerBand() const;
    void CopyFrom(TvlView& other);

    bool hasSide(int side) const { return (FrameTyp & side) != 0; }
    bool isStretched() const { return (Flags & flStretched) != 0; }

    // Saved design geometry (runtime).
    int SavedLeft = 0, SavedTop = 0, SavedWidth = 0, SavedHeight = 0;
    int SavedGapX = 0, SavedGapY = 0;
    float SavedFrameWidth = 0;

    std::string BaseName = "View";
    QPainter* Canvas = nullptr;
    TvlRect DRect; // output rectangle from ScaleForOutput
    StringList EvaluatedText;
    TvlComponent* DataSet = nullptr;
    std::string DataField;
    TvlWriteMode WriteMode = wmTemplate;
    std::string Name;
    std::uint8_t Typ = otAddIn;
    std::uint8_t VersionMajor = 0, VersionMinor = 0;
    std::int32_t ID = 0;
    double ScaleX = 1, ScaleY = 1;
    int OffsetX = 0, OffsetY = 0;
    bool Printing = false;
    TvlRenderMode DrawMode = rmOutput; // of the drawing under way

    int Left = 0, Top = 0, Width = 0, Height = 0;
    std::uint16_t Flags = flStretched;
    std::uint16_t FrameTyp = vlftNone;
    float FrameWidth = 1;
    TvlColor FrameColor = clBlack;
    std::uint16_t FrameStyle = psSolid;
    TvlColor FillColor = clNone;
    std::int32_t Format = 0;
    std::string FormatStr;
    bool Visible = true;
    int GapX = 2, GapY = 1;
    std::uint16_t Restrictions = 0;
    std::string Tag;
    StringList Memo;
    StringList Script;
    std::uint8_t BandAlign = baNone;
    TvlRuntimeBand* ParentBand = nullptr;

protected:
    // The entries of RegisterProperties up to "Restrictions"; band and
    // sub-report views leave out the frame, fill, tag and alignment.
    void RegisterViewProperties(bool withFrame);
    // Evaluates a script argument through the report.
    Variant Evaluate(const Variant& argument);
    // Right and bottom of the output rectangle before framing.
    double OutputRight() const;
    double OutputBottom() const;
    // Writes the type byte (and add-in class name) and the record.
    void WriteRecordWithType(Stream& stream);

private:
    void ApplyBandAlignment(TvlViewPage& page);

    TvlModelContext* model_;
};

// Which part of a stretchable object's output the next WritePrepared makes.
enum TvlOutputPass : std::uint8_t { opFull = 0, opMeasured = 1, opPart = 2 };

// A view whose height can grow with its content.
class TvlStretcheable : public TvlView {
public:
    Variant CallMethod(std::string_view name, const Variant& p1, const Variant& p2,
                       const Variant& p3) override;
    // Height needed for the evaluated content.
    virtual int CalcHeight() = 0;
    // Smallest height that shows one unit of content.
    virtual int MinimumHeight() = 0;
    // Height left over after whole units of content fit the current height.
    virtual int LeftoverHeight() = 0;

    TvlOutputPass OutputPass = opFull;
};

// nearest(x): rounded to the nearest integer, halves to even.
int Nearest(double value);

// Frame widths in records: whole widths up to 10 as themselves, others in
// thousandths of a pixel.
std::int32_t EncodeFrameWidth(float width);
float DecodeFrameWidth(std::int32_t stored);

} // namespace vl
