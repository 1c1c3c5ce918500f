#include "engine/model/picture/JpegCodec.h"

#include "engine/script/Errors.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

namespace vl {

namespace {

// libjpeg reports fatal errors through error_exit; jumping back keeps them
// from ending the process.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void onError(j_common_ptr cinfo) {
    auto* mgr = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, mgr->message);
    std::longjmp(mgr->jump, 1);
}

void onMessage(j_common_ptr) {}

void setError(std::string* error, const char* text) {
    if (error) *error = text;
}

QRgb cmykToRgb(const JSAMPLE* p, bool inverted) {
    int c = p[0], m = p[1], y = p[2], k = p[3];
    if (inverted) { // Adobe writes CMYK inverted
        return qRgb(c * k / 255, m * k / 255, y * k / 255);
    }
    return qRgb((255 - c) * (255 - k) / 255, (255 - m) * (255 - k) / 255,
                (255 - y) * (255 - k) / 255);
}

void convertRow(const JSAMPLE* row, QRgb* out, int width, int components, bool inverted) {
    for (int x = 0; x < width; ++x) {
        const JSAMPLE* p = row + x * components;
        if (components == 1)
            out[x] = qRgb(p[0], p[0], p[0]);
        else if (components == 3)
            out[x] = qRgb(p[0], p[1], p[2]);
        else
            out[x] = cmykToRgb(p, inverted);
    }
}

// Decodes with setjmp-based error handling; nothing with a destructor may
// live in this frame across the jump, so the image is owned by the caller.
bool decodeInto(const std::uint8_t* data, std::size_t size, QImage& image, JSAMPLE*& rowBuffer,
                ErrorManager& err, jpeg_decompress_struct& cinfo, bool sizeOnly, int& width,
                int& height) {
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = onError;
    err.pub.output_message = onMessage;
    err.message[0] = 0;
    if (setjmp(err.jump)) return false;
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, const_cast<unsigned char*>(data), static_cast<unsigned long>(size));
    jpeg_read_header(&cinfo, TRUE);
    width = static_cast<int>(cinfo.image_width);
    height = static_cast<int>(cinfo.image_height);
    if (sizeOnly) return true;
    if (static_cast<std::int64_t>(width) * height > JpegCodec::kMaxPixels || width <= 0 ||
        height <= 0) {
        std::snprintf(err.message, sizeof err.message, "JPEG picture of %d x %d is too large",
                      width, height);
        return false;
    }
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : (cinfo.num_components == 1 ? JCS_GRAYSCALE : JCS_RGB);
    jpeg_start_decompress(&cinfo);
    const int components = cinfo.output_components;
    image = QImage(width, height, QImage::Format_RGB32);
    if (image.isNull()) {
        std::snprintf(err.message, sizeof err.message, "Out of memory for a JPEG picture");
        return false;
    }
    rowBuffer = static_cast<JSAMPLE*>(std::malloc(static_cast<std::size_t>(width) * components));
    const bool inverted = cmyk && cinfo.saw_Adobe_marker;
    while (cinfo.output_scanline < cinfo.output_height) {
        const int y = static_cast<int>(cinfo.output_scanline);
        JSAMPROW rows[1] = {rowBuffer};
        jpeg_read_scanlines(&cinfo, rows, 1);
        convertRow(rowBuffer, reinterpret_cast<QRgb*>(image.scanLine(y)), width, components,
                   inverted);
    }
    jpeg_finish_decompress(&cinfo);
    return true;
}

} // namespace

QImage JpegCodec::decode(const std::uint8_t* data, std::size_t size, std::string* error) {
    if (!data || size < 4) {
        setError(error, "Not a JPEG picture");
        return {};
    }
    QImage image;
    JSAMPLE* rowBuffer = nullptr;
    ErrorManager err;
    jpeg_decompress_struct cinfo{};
    int width = 0, height = 0;
    const bool ok = decodeInto(data, size, image, rowBuffer, err, cinfo, false, width, height);
    jpeg_destroy_decompress(&cinfo);
    std::free(rowBuffer);
    if (!ok) {
        setError(error, err.message[0] ? err.message : "Damaged JPEG picture");
        return {};
    }
    return image;
}

bool JpegCodec::readSize(const std::uint8_t* data, std::size_t size, int& width, int& height) {
    if (!data || size < 4) return false;
    QImage unused;
    JSAMPLE* rowBuffer = nullptr;
    ErrorManager err;
    jpeg_decompress_struct cinfo{};
    const bool ok = decodeInto(data, size, unused, rowBuffer, err, cinfo, true, width, height);
    jpeg_destroy_decompress(&cinfo);
    return ok;
}

namespace {

bool encodeRows(const QImage& rgb, int quality, unsigned char*& out, unsigned long& outSize,
                ErrorManager& err, jpeg_compress_struct& cinfo, JSAMPLE* row) {
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = onError;
    err.pub.output_message = onMessage;
    if (setjmp(err.jump)) return false;
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, &out, &outSize);
    cinfo.image_width = static_cast<JDIMENSION>(rgb.width());
    cinfo.image_height = static_cast<JDIMENSION>(rgb.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        const auto* src =
            reinterpret_cast<const QRgb*>(rgb.constScanLine(static_cast<int>(cinfo.next_scanline)));
        for (int x = 0; x < rgb.width(); ++x) {
            row[3 * x] = static_cast<JSAMPLE>(qRed(src[x]));
            row[3 * x + 1] = static_cast<JSAMPLE>(qGreen(src[x]));
            row[3 * x + 2] = static_cast<JSAMPLE>(qBlue(src[x]));
        }
        JSAMPROW rows[1] = {row};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    return true;
}

} // namespace

std::vector<std::uint8_t> JpegCodec::encode(const QImage& image, int quality) {
    if (image.isNull()) throw VlError("Cannot encode an empty picture as JPEG");
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(rgb.width()) * 3);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    ErrorManager err;
    jpeg_compress_struct cinfo{};
    const bool ok =
        encodeRows(rgb, std::clamp(quality, 1, 100), out, outSize, err, cinfo, row.data());
    jpeg_destroy_compress(&cinfo);
    std::vector<std::uint8_t> bytes;
    if (ok && out) bytes.assign(out, out + outSize);
    std::free(out);
    if (!ok) throw VlError(std::string("JPEG encoding failed: ") + err.message);
    return bytes;
}

} // namespace vl
