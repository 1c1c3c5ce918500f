#include "engine/model/TvlPictureView.h"

#include "engine/model/ViewDrawing.h"
#include "engine/model/ViewState.h"
#include "engine/model/ViewXml.h"
#include "engine/model/picture/DibDecoder.h"
#include "engine/model/picture/PictureError.h"
#include "engine/script/CodePage.h"
#include "engine/script/Component.h"
#include "engine/script/Errors.h"
#include "engine/script/Stream.h"

#include <QFileInfo>
#include <QPainter>

namespace vl {

namespace {

TvlGraphicKind KindForBlob(std::uint8_t blobType) {
    switch (blobType) {
    case btJPG:
        return TvlGraphicKind::Jpeg;
    case btICO:
        return TvlGraphicKind::Icon;
    case btWMF:
        return TvlGraphicKind::Metafile;
    default:
        return TvlGraphicKind::Bitmap;
    }
}

void SetBit(std::uint16_t& flags, std::uint16_t bit, bool on) {
    if (on)
        flags |= bit;
    else
        flags &= static_cast<std::uint16_t>(~bit);
}

std::string Hex(const std::vector<std::uint8_t>& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (std::uint8_t b : bytes) {
        text += digits[b >> 4];
        text += digits[b & 0x0F];
    }
    return text;
}

} // namespace

// Scripts of the new instance reach the picture by a handle of theirs.
void TvlPictureView::JoinEngine(TvlModelContext& model) {
    TvlView::JoinEngine(model);
    Picture.takeHandleFrom(viewState());
}

TvlPictureView::TvlPictureView() : Picture(viewState()) {
    Typ = otPicture;
    BaseName = "Picture";
    Flags = pfStretched | pfKeepAspect;
}

void TvlPictureView::SetProperty(std::string_view name, const Variant& value) {
    TvlView::SetProperty(name, value);
    const std::string n = UpperName(name);
    if (n == "CENTER")
        SetBit(Flags, pfCenter, PropertyBool(name, value));
    else if (n == "KEEPASPECT")
        SetBit(Flags, pfKeepAspect, PropertyBool(name, value));
    else if (n == "BLOBTYPE")
        BlobType = static_cast<std::uint8_t>(PropertyInt(name, value));
    else if (n == "PICTURE") {
        // Only a living holder's handle is taken; any other number is ignored.
        if (const TvlPicture* source =
                TvlPicture::fromHandle(viewState(), PropertyInt(name, value)))
            Picture.assign(*source);
    }
}

Variant TvlPictureView::GetProperty(std::string_view name) {
    const std::string n = UpperName(name);
    if (n == "CENTER") return (Flags & pfCenter) != 0;
    if (n == "KEEPASPECT") return (Flags & pfKeepAspect) != 0;
    if (n == "BLOBTYPE") return static_cast<int>(BlobType);
    if (n == "PICTURE") return static_cast<int>(Picture.handle());
    return TvlView::GetProperty(name);
}

Variant TvlPictureView::CallMethod(std::string_view name, const Variant& p1, const Variant& p2,
                                   const Variant& p3) {
    if (name == "LOADFROMFILE") {
        const std::string file = Evaluate(p1).toString();
        if (!file.empty() && QFileInfo(ToQt(file)).isFile())
            Picture.loadFromFile(ToQt(file));
        else
            Picture.clear();
        return {};
    }
    return TvlView::CallMethod(name, p1, p2, p3);
}

void TvlPictureView::RegisterProperties() {
    TvlView::RegisterProperties();
    auto edit = [this](const char* prop) {
        return [this, prop] {
            if (TvlDesignerHooks* d = viewState().designer) d->editProperty(*this, prop);
        };
    };
    AddProperty("Picture", pkEditor, edit("Picture"));
    for (const char* n : {"Stretched", "Center", "KeepAspect"})
        AddProperty(n, pkBoolean);
    AddProperty("DataField", pkText | pkEditor | pkSingle, edit("DataField"));
    AddEnumProperty("BlobType", "btBMP;btJPG;btICO;btWMF", {0, 1, 2, 3});
}

void TvlPictureView::LoadFromBlob(const TvlBlobField& field) {
    auto graphic = MakeGraphic(KindForBlob(BlobType));
    if (field.isNull) {
        Picture.clear();
        return;
    }
    const std::uint8_t* data = field.bytes.data();
    const std::size_t size = field.bytes.size();
    if (BlobType == btBMP && (size < 2 || data[0] != 'B' || data[1] != 'M')) {
        // A bare DIB, as database bitmap fields may hold it.
        std::string error;
        const QImage image = DibDecoder::decodePacked({data, size}, {.alpha = true}, &error);
        if (image.isNull()) throw PictureError("Bitmap image is not valid: " + error);
        static_cast<TvlBitmapGraphic&>(*graphic).setImage(image);
    } else {
        graphic->load(data, size);
    }
    Picture.setGraphic(std::move(graphic));
}

TvlRect TvlPictureView::PictureRect() const {
    const TvlGraphic* g = Picture.graphic();
    const int pw = g ? g->size().width() : 0, ph = g ? g->size().height() : 0;
    TvlRect r = DRect;
    if (pw <= 0 || ph <= 0) return r;
    const bool center = Flags & pfCenter;
    if (Flags & pfStretched) {
        if (Flags & pfKeepAspect) {
            const double kx = static_cast<double>(Width) / pw;
            const double ky = static_cast<double>(Height) / ph;
            if (kx >= ky)
                r.Right = r.Left + Nearest(pw * ky);
            else
                r.Bottom = r.Top + Nearest(ph * kx);
            if (center) {
                const int dx = (DRect.width() - r.width()) / 2;
                const int dy = (DRect.height() - r.height()) / 2;
                r = {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
            }
        }
        return r;
    }
    const int w = Nearest(pw * ScaleX), h = Nearest(ph * ScaleY);
    if (center) {
        r.Left += (DRect.width() - w) / 2;
        r.Top += (DRect.height() - h) / 2;
    }
    r.Right = r.Left + w;
    r.Bottom = r.Top + h;
    return r;
}

void TvlPictureView::Draw(const TvlDrawContext& context) {
    PrepareDraw(context);
    ScaleForOutput();
    PaintFill();
    const TvlViewState& state = viewState();
    if (Canvas && !state.noDrawing) {
        if (!Picture.empty()) {
            const TvlRect r = PictureRect();
            Picture.graphic()->draw(*Canvas, QRectF(r.Left, r.Top, r.width(), r.height()),
                                    Printing);
        } else if (DrawMode == rmDesign) {
            Canvas->save();
            Canvas->setFont(ViewFont("Arial", 8));
            Canvas->setPen(Qt::black);
            DrawTextAt(*Canvas, Left + 20, Top + 3, "[Picture]", &DRect);
            Canvas->setClipRect(QRect(DRect.Left, DRect.Top, DRect.width(), DRect.height()));
            Canvas->drawImage(QPoint(Left + 1, Top + 2), PicturePlaceholder());
            Canvas->restore();
        }
    }
    PaintFrame();
    RestoreGeometry();
}

void TvlPictureView::SaveToStream(Stream& stream) {
    TvlView::SaveToStream(stream);
    const TvlGraphic* g = Picture.empty() ? nullptr : Picture.graphic();
    WriteByte(stream, static_cast<std::uint8_t>(g ? g->kind() : TvlGraphicKind::None));
    WriteByte(stream, BlobType);
    const std::int64_t placeholder = stream.position();
    WriteInteger(stream, 0);
    if (g) {
        const std::vector<std::uint8_t> bytes = g->save();
        stream.write(bytes.data(), bytes.size());
    }
    const std::int64_t end = stream.position();
    stream.seek(placeholder);
    WriteInteger(stream, static_cast<std::int32_t>(end));
    stream.seek(end);
}

void TvlPictureView::LoadFromStream(Stream& stream) {
    TvlView::LoadFromStream(stream);
    const auto kind = static_cast<TvlGraphicKind>(ReadByte(stream));
    if (VersionMajor * 10 + VersionMinor > 10) BlobType = ReadByte(stream);
    const std::int64_t end = ReadInteger(stream);
    const std::int64_t start = stream.position();
    if (end < start || end > stream.size()) throw StreamReadError();
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(end - start));
    stream.readBuffer(bytes.data(), bytes.size());
    Picture.clear();
    if (auto graphic = MakeGraphic(kind); graphic && !bytes.empty()) {
        // A graphic that cannot be decoded leaves the picture empty.
        try {
            graphic->load(bytes.data(), bytes.size());
            Picture.setGraphic(std::move(graphic));
        } catch (const PictureError&) {
        }
    }
    stream.seek(end);
}

void TvlPictureView::WriteXml(Stream& stream) {
    TvlView::WriteXml(stream);
    if (!Picture.empty()) WriteXmlAttr(stream, "Picture.Propdata", Hex(Picture.graphic()->save()));
    if (TvlViewHost* host = viewState().host; host && !Memo.empty()) {
        TvlComponent* dataSet = nullptr;
        std::string field;
        if (host->resolveDataField(Memo.front(), dataSet, field) && dataSet) {
            const std::string owner = dataSet->owner() ? dataSet->owner()->name() + "." : "";
            WriteXmlAttr(stream, "DataSet", EscapeXml(owner + dataSet->name()));
            WriteXmlAttr(stream, "DataField", EscapeXml(field));
        }
    }
    if (!(Flags & pfStretched)) WriteXmlAttr(stream, "Stretched", "False");
    if (Flags & pfCenter) WriteXmlAttr(stream, "Center", "True");
    if (!(Flags & pfKeepAspect)) WriteXmlAttr(stream, "KeepAspectRatio", "False");
}

void TvlPictureView::OpenEditor() {
    if (TvlDesignerHooks* d = viewState().designer) d->editProperty(*this, "Picture");
}

} // namespace vl
