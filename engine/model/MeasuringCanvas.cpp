#include "engine/model/MeasuringCanvas.h"

#include "engine/model/ModelContext.h"
#include "engine/script/CodePage.h"
#include "engine/script/EngineText.h"

#include <QFontMetricsF>

namespace vl {

namespace {

// 96 pixels per inch in dots per metre.
constexpr int kDotsPerMetre96 = 3780;

QFont KerningOff(QFont font) {
    font.setKerning(false);
    return font;
}

} // namespace

TvlFontMetrics::TvlFontMetrics(const QFont& font, QPaintDevice* device)
    : font_(KerningOff(font)), measure_(font_, device), pixelHeight_(font.pixelSize()) {
    const QFontMetricsF& fm = measure_;
    ascent_ = fm.ascent();
    const CodePage& page = CurrentCodePage();
    // Control characters take no room; CR and LF never reach a measured line.
    for (int b = 32; b < 256; ++b)
        advance_[static_cast<std::size_t>(b)] =
            fm.horizontalAdvance(page.toUnicode(static_cast<char>(b)));
}

double TvlFontMetrics::advanceOf(char32_t code) const {
    const auto found = wide_.find(code);
    if (found != wide_.end()) return found->second;
    const double advance = measure_.horizontalAdvance(QString::fromUcs4(&code, 1));
    wide_.emplace(code, advance);
    return advance;
}

double TvlFontMetrics::advanceAt(std::string_view text, std::size_t i) const {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x80 || EngineTextEncoding() == TextEncoding::CodePage) return advance_[byte];
    if (text::ContinuesChar(text[i])) return 0;
    return advanceOf(text::CodeAt(text, i));
}

double TvlFontMetrics::width(std::string_view text, int charSpacing) const {
    double w = 0;
    if (EngineTextEncoding() == TextEncoding::CodePage) {
        for (const char c : text)
            w += advance_[static_cast<unsigned char>(c)];
        return w + static_cast<double>(charSpacing) * static_cast<double>(text.size());
    }
    int chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text::ContinuesChar(text[i])) continue;
        w += advanceAt(text, i);
        ++chars;
    }
    return w + static_cast<double>(charSpacing) * chars;
}

TvlMeasuringCanvas::TvlMeasuringCanvas() : image_(16, 16, QImage::Format_ARGB32_Premultiplied) {
    image_.setDotsPerMeterX(kDotsPerMetre96);
    image_.setDotsPerMeterY(kDotsPerMetre96);
    image_.fill(Qt::white);
    painter_.begin(&image_);
}

TvlMeasuringCanvas::~TvlMeasuringCanvas() {
    if (painter_.isActive()) painter_.end();
}

const TvlFontMetrics& TvlMeasuringCanvas::metrics(const TvlFont& font, int pixelHeight) {
    const int codePage = CurrentCodePage().number();
    const int style = font.style & 0x0F;
    if (last_ && std::get<0>(lastKey_) == font.name && std::get<1>(lastKey_) == pixelHeight &&
        std::get<2>(lastKey_) == style && std::get<3>(lastKey_) == codePage)
        return *last_;
    Key key{font.name, pixelHeight, style, codePage};
    auto it = cache_.find(key);
    if (it == cache_.end())
        it = cache_
                 .emplace(key, std::make_unique<TvlFontMetrics>(font.toQFont(pixelHeight), &image_))
                 .first;
    lastKey_ = std::move(key);
    last_ = it->second.get();
    return *last_;
}

} // namespace vl
