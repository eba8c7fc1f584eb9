#include "platform/ui/Image.h"

#include <cairo.h>
#include <cstdio>
#include <cstring>
#include <vector>

namespace platform::ui {

namespace {

// Reads the width and height from a PNG signature and IHDR chunk; false when the bytes are
// not a PNG header.
bool PngHeaderSize(const uint8_t* b, size_t n, uint32_t& w, uint32_t& h)
{
    static const uint8_t sig[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (n < 24 || std::memcmp(b, sig, 8) != 0 || std::memcmp(b + 12, "IHDR", 4) != 0) return false;
    w = (uint32_t(b[16]) << 24) | (uint32_t(b[17]) << 16) | (uint32_t(b[18]) << 8) | b[19];
    h = (uint32_t(b[20]) << 24) | (uint32_t(b[21]) << 16) | (uint32_t(b[22]) << 8) | b[23];
    return true;
}

bool AcceptableSize(uint32_t w, uint32_t h)
{
    return w > 0 && h > 0 && w <= uint32_t(Image::kMaxSide) && h <= uint32_t(Image::kMaxSide);
}

struct MemoryReader
{
    const uint8_t* data;
    size_t size;
    size_t pos;
};

cairo_status_t ReadMemory(void* closure, unsigned char* out, unsigned int length)
{
    auto* r = static_cast<MemoryReader*>(closure);
    if (r->size - r->pos < length) return CAIRO_STATUS_READ_ERROR;
    std::memcpy(out, r->data + r->pos, length);
    r->pos += length;
    return CAIRO_STATUS_SUCCESS;
}

std::shared_ptr<Image> Adopt(cairo_surface_t* s)
{
    if (!s) return nullptr;
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS || cairo_image_surface_get_width(s) <= 0) {
        cairo_surface_destroy(s);
        return nullptr;
    }
    // Normalise to ARGB32 so every drawing path sees one pixel layout.
    if (cairo_image_surface_get_format(s) != CAIRO_FORMAT_ARGB32) {
        int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
        cairo_surface_t* c = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
        cairo_t* cr = cairo_create(c);
        cairo_set_source_surface(cr, s, 0, 0);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_paint(cr);
        cairo_destroy(cr);
        cairo_surface_destroy(s);
        s = c;
    }
    return std::make_shared<Image>(s);
}

} // namespace

std::shared_ptr<Image> Image::LoadPng(const std::string& path)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return nullptr;
    // Look at the header first: a file that is not a PNG of an acceptable size is not read.
    std::vector<uint8_t> bytes(24);
    uint32_t w, h;
    if (std::fread(bytes.data(), 1, 24, f) != 24 || !PngHeaderSize(bytes.data(), 24, w, h) ||
        !AcceptableSize(w, h)) {
        std::fclose(f);
        return nullptr;
    }
    uint8_t buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        bytes.insert(bytes.end(), buf, buf + n);
    std::fclose(f);
    return LoadPngFromMemory(bytes.data(), bytes.size());
}

std::shared_ptr<Image> Image::LoadPngFromMemory(const void* data, size_t size)
{
    uint32_t w, h;
    if (!data || !PngHeaderSize(static_cast<const uint8_t*>(data), size, w, h) || !AcceptableSize(w, h))
        return nullptr;
    MemoryReader reader{static_cast<const uint8_t*>(data), size, 0};
    return Adopt(cairo_image_surface_create_from_png_stream(ReadMemory, &reader));
}

std::shared_ptr<Image> Image::Scaled(const Image& source, int cx, int cy)
{
    if (cx <= 0 && cy <= 0) {
        cx = source.Width();
        cy = source.Height();
    }
    if (cx <= 0 || cy <= 0 || cx > kMaxSide || cy > kMaxSide) return nullptr;
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, cx, cy);
    cairo_t* cr = cairo_create(s);
    cairo_scale(cr, double(cx) / source.Width(), double(cy) / source.Height());
    cairo_set_source_surface(cr, source.CairoSurface(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
    cairo_paint(cr);
    cairo_destroy(cr);
    return Adopt(s);
}

std::shared_ptr<Image> Image::FromSurface(Surface& surface)
{
    if (surface.Width() <= 0 || surface.Height() <= 0) return nullptr;
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, surface.Width(), surface.Height());
    cairo_t* cr = cairo_create(s);
    surface.Flush();
    cairo_set_source_surface(cr, surface.CairoSurface(), 0, 0);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_destroy(cr);
    return Adopt(s);
}

Image::Image(cairo_surface_t* decoded)
    : m_surface(decoded), m_width(cairo_image_surface_get_width(decoded)),
      m_height(cairo_image_surface_get_height(decoded))
{
}

Image::~Image()
{
    cairo_surface_destroy(m_surface);
}

Argb Image::GetPixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
    const uint8_t* data = cairo_image_surface_get_data(m_surface);
    uint32_t p;
    std::memcpy(&p, data + y * cairo_image_surface_get_stride(m_surface) + x * 4, 4);
    uint32_t a = p >> 24;
    if (a == 0 || a == 255) return a ? p : 0;
    auto un = [a](uint32_t c) { return std::min<uint32_t>(255, (c * 255 + a / 2) / a); };
    return MakeArgb(a, un((p >> 16) & 0xFF), un((p >> 8) & 0xFF), un(p & 0xFF));
}

} // namespace platform::ui
