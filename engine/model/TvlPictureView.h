#pragma once

#include "engine/model/TvlPicture.h"
#include "engine/model/TvlView.h"

namespace vl {

// How a database blob is read into a picture.
enum TvlBlobType : std::uint8_t { btBMP = 0, btJPG = 1, btICO = 2, btWMF = 3 };

// A bitmap, metafile, icon or JPEG picture, stored in the template or
// loaded from a data field or a file at output time.
class TvlPictureView : public TvlView {
public:
    enum : std::uint16_t { pfStretched = 0x01, pfCenter = 0x02, pfKeepAspect = 0x04 };

    TvlPictureView();
    std::string className() const override { return "TvlPictureView"; }
    void JoinEngine(TvlModelContext& model) override;

    void SetProperty(std::string_view name, const Variant& value) override;
    Variant GetProperty(std::string_view name) override;
    Variant CallMethod(std::string_view name, const Variant& p1, const Variant& p2,
                       const Variant& p3) override;
    void RegisterProperties() override;
    void LoadFromBlob(const TvlBlobField& field) override;
    void Draw(const TvlDrawContext& context) override;
    void LoadFromStream(Stream& stream) override;
    void SaveToStream(Stream& stream) override;
    void WriteXml(Stream& stream) override;
    void OpenEditor() override;

    // The rectangle the graphic is stretched into (after ScaleForOutput).
    TvlRect PictureRect() const;

    TvlPicture Picture;
    std::uint8_t BlobType = btBMP;
};

} // namespace vl
