#include "platform/ui/Surface.h"

#include <cairo.h>
#include <cstring>

namespace platform::ui {

Surface::Surface(int width, int height) : m_width(width > 0 ? width : 0), m_height(height > 0 ? height : 0)
{
    m_surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, m_width, m_height);
}

Surface::~Surface()
{
    if (m_cr) cairo_destroy(m_cr);
    cairo_surface_destroy(m_surface);
}

cairo_t* Surface::Cr()
{
    if (!m_cr) m_cr = cairo_create(m_surface);
    return m_cr;
}

uint8_t* Surface::Data()
{
    Flush();
    return cairo_image_surface_get_data(m_surface);
}

int Surface::Stride() const
{
    return cairo_image_surface_get_stride(m_surface);
}

void Surface::Flush()
{
    cairo_surface_flush(m_surface);
}

void Surface::MarkDirty()
{
    cairo_surface_mark_dirty(m_surface);
}

Argb Surface::GetPixel(int x, int y)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
    uint8_t* data = Data();
    if (!data) return 0;
    uint32_t p;
    std::memcpy(&p, data + y * Stride() + x * 4, 4);
    uint32_t a = p >> 24;
    if (a == 0) return 0;
    if (a == 255) return p;
    auto un = [a](uint32_t c) { return std::min<uint32_t>(255, (c * 255 + a / 2) / a); };
    return MakeArgb(a, un((p >> 16) & 0xFF), un((p >> 8) & 0xFF), un(p & 0xFF));
}

static uint32_t Premultiply(Argb c)
{
    uint32_t a = ArgbAlpha(c);
    if (a == 255) return c;
    auto pm = [a](uint32_t v) { return (v * a + 127) / 255; };
    return MakeArgb(a, pm(ArgbRed(c)), pm(ArgbGreen(c)), pm(ArgbBlue(c)));
}

void Surface::SetPixel(int x, int y, Argb color)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return;
    uint8_t* data = Data();
    uint32_t p = Premultiply(color);
    std::memcpy(data + y * Stride() + x * 4, &p, 4);
    MarkDirty();
}

void Surface::Clear(const Rect& rect, Argb color)
{
    Rect r;
    if (!r.IntersectRect(rect, Bounds())) return;
    uint8_t* data = Data();
    uint32_t p = Premultiply(color);
    int stride = Stride();
    for (int y = r.top; y < r.bottom; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
        std::fill(row + r.left, row + r.right, p);
    }
    MarkDirty();
}

void Surface::CopyFrom(Surface& src, const Rect& rect)
{
    Rect r;
    if (!r.IntersectRect(rect, Bounds()) || !r.IntersectRect(r, src.Bounds())) return;
    uint8_t* dst = Data();
    uint8_t* from = src.Data();
    int ds = Stride(), ss = src.Stride();
    for (int y = r.top; y < r.bottom; ++y)
        std::memcpy(dst + y * ds + r.left * 4, from + y * ss + r.left * 4,
                    static_cast<size_t>(r.Width()) * 4);
    MarkDirty();
}

bool Surface::SavePng(const std::string& path)
{
    Flush();
    return cairo_surface_write_to_png(m_surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

} // namespace platform::ui
