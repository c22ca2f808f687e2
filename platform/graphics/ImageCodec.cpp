#include "platform/graphics/ImageCodec.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>

namespace {

struct ByteReader {
    const uint8_t* data;
    size_t length;
    size_t pos = 0;
};

cairo_status_t readBytes(void* closure, unsigned char* out, unsigned int length) {
    auto* r = static_cast<ByteReader*>(closure);
    if (r->length - r->pos < length) return CAIRO_STATUS_READ_ERROR;
    std::memcpy(out, r->data + r->pos, length);
    r->pos += length;
    return CAIRO_STATUS_SUCCESS;
}

uint32_t bigEndian32(const uint8_t* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}

CairoSurface decodePNG(const uint8_t* bytes, size_t length, std::string* error) {
    // Signature, then the IHDR chunk: length, type, width, height.
    if (length < 33 || std::memcmp(bytes + 12, "IHDR", 4) != 0) {
        *error = "truncated PNG header";
        return nullptr;
    }
    uint32_t w = bigEndian32(bytes + 16), h = bigEndian32(bytes + 20);
    if (w == 0 || h == 0 || w > kMaxImageDimension || h > kMaxImageDimension) {
        *error = "PNG size out of range";
        return nullptr;
    }
    ByteReader reader{bytes, length};
    CairoSurface s(cairo_image_surface_create_from_png_stream(readBytes, &reader));
    if (cairo_surface_status(s.get()) != CAIRO_STATUS_SUCCESS) {
        *error = std::string("PNG: ") + cairo_status_to_string(cairo_surface_status(s.get()));
        return nullptr;
    }
    return s;
}

// A reason: "JPEG: " and libjpeg's message whole.
constexpr size_t kReasonSize = JMSG_LENGTH_MAX + 8;

struct JpegError {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    int warnings = 0;
};

void jpegFail(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<JpegError*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

void jpegMessage(j_common_ptr cinfo, int level) {
    if (level < 0) {
        auto* err = reinterpret_cast<JpegError*>(cinfo->err);
        if (err->warnings++ == 0) (*cinfo->err->format_message)(cinfo, err->message);
    }
}

// No C++ objects with destructors live across setjmp here; the surface is a raw pointer until the end.
// A failure writes its reason into `reason`, which holds kReasonSize bytes.
cairo_surface_t* decodeJPEGRaw(const uint8_t* bytes, size_t length, char* reason) {
    jpeg_decompress_struct cinfo;
    JpegError err;
    cinfo.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = jpegFail;
    err.mgr.emit_message = jpegMessage;
    err.message[0] = 0;
    cairo_surface_t* volatile surface = nullptr;
    if (setjmp(err.jump)) {
        std::snprintf(reason, kReasonSize, "JPEG: %s", err.message);
        jpeg_destroy_decompress(&cinfo);
        if (surface) cairo_surface_destroy(surface);
        return nullptr;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, bytes, static_cast<unsigned long>(length));
    jpeg_read_header(&cinfo, TRUE);
    if (cinfo.image_width > kMaxImageDimension || cinfo.image_height > kMaxImageDimension) {
        std::snprintf(reason, kReasonSize, "JPEG size out of range");
        jpeg_destroy_decompress(&cinfo);
        return nullptr;
    }
    cinfo.out_color_space = JCS_EXT_BGRA;  // cairo's ARGB32 byte order on little-endian machines
    jpeg_start_decompress(&cinfo);
    surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(cinfo.output_width),
                                         static_cast<int>(cinfo.output_height));
    unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = data + static_cast<size_t>(cinfo.output_scanline) * stride;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    if (err.warnings > 0) {
        // Truncated or damaged data: libjpeg pads it with grey, which is no image to show.
        std::snprintf(reason, kReasonSize, "JPEG: %s", err.message);
        cairo_surface_destroy(surface);
        return nullptr;
    }
    cairo_surface_mark_dirty(surface);
    return surface;
}

cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length) {
    auto* out = static_cast<std::vector<uint8_t>*>(closure);
    out->insert(out->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

}  // namespace

CairoSurface decodeImage(const uint8_t* bytes, size_t length, std::string* error) {
    std::string ignored;
    if (!error) error = &ignored;
    static const uint8_t pngSig[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    if (!bytes || length == 0) {
        *error = "no data";
        return nullptr;
    }
    if (length >= 8 && std::memcmp(bytes, pngSig, 8) == 0) return decodePNG(bytes, length, error);
    if (length >= 3 && bytes[0] == 0xff && bytes[1] == 0xd8 && bytes[2] == 0xff) {
        char reason[kReasonSize] = {0};
        cairo_surface_t* s = decodeJPEGRaw(bytes, length, reason);
        if (!s) *error = reason;
        return CairoSurface(s);
    }
    *error = "not a PNG or JPEG image";
    return nullptr;
}

std::vector<uint8_t> encodePNG(cairo_surface_t* surface) {
    std::vector<uint8_t> out;
    if (!surface) return out;
    if (cairo_surface_write_to_png_stream(surface, appendBytes, &out) != CAIRO_STATUS_SUCCESS) out.clear();
    return out;
}

namespace {

void jpegEncodeFail(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<JpegError*>(cinfo->err)->jump, 1); }

bool encodeJPEGRaw(cairo_surface_t* surface, int quality, unsigned char** buffer, unsigned long* size) {
    jpeg_compress_struct cinfo;
    JpegError err;
    cinfo.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = jpegEncodeFail;
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, buffer, size);
    cinfo.image_width = static_cast<JDIMENSION>(cairo_image_surface_get_width(surface));
    cinfo.image_height = static_cast<JDIMENSION>(cairo_image_surface_get_height(surface));
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    bool opaque = cairo_image_surface_get_format(surface) == CAIRO_FORMAT_RGB24;
    unsigned char* row = static_cast<unsigned char*>(
        (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE, cinfo.image_width * 3, 1)[0]);
    while (cinfo.next_scanline < cinfo.image_height) {
        const uint32_t* px = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(cinfo.next_scanline) * stride);
        for (JDIMENSION x = 0; x < cinfo.image_width; ++x) {
            uint32_t v = px[x];
            unsigned a = opaque ? 255 : v >> 24;
            auto un = [a](unsigned c) { return a == 0 ? 0u : std::min(255u, (c * 255 + a / 2) / a); };
            row[3 * x] = static_cast<unsigned char>(un((v >> 16) & 0xff));
            row[3 * x + 1] = static_cast<unsigned char>(un((v >> 8) & 0xff));
            row[3 * x + 2] = static_cast<unsigned char>(un(v & 0xff));
        }
        JSAMPROW rows[1] = {row};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

}  // namespace

std::vector<uint8_t> encodeJPEG(cairo_surface_t* surface, double quality) {
    std::vector<uint8_t> out;
    if (!surface || cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE) return out;
    cairo_surface_flush(surface);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    int q = std::clamp(static_cast<int>(quality * 100 + 0.5), 1, 100);
    if (encodeJPEGRaw(surface, q, &buffer, &size) && buffer) out.assign(buffer, buffer + size);
    std::free(buffer);
    return out;
}

bool pngDimensions(const uint8_t* bytes, size_t length, int* width, int* height)
{
    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    // Signature, then the first chunk: length, "IHDR", width, height (big-endian).
    if (!bytes || length < 24 || std::memcmp(bytes, kSignature, 8) != 0 || std::memcmp(bytes + 12, "IHDR", 4) != 0)
        return false;
    auto be32 = [](const uint8_t* p) {
        return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
    };
    const uint32_t w = be32(bytes + 16), h = be32(bytes + 20);
    if (w == 0 || h == 0 || w > kMaxImageDimension || h > kMaxImageDimension) return false;
    if (width) *width = static_cast<int>(w);
    if (height) *height = static_cast<int>(h);
    return true;
}
