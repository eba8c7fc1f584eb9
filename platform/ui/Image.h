#pragma once
// A decoded image (PNG), immutable after loading and shared by everything that draws it.
#include "platform/ui/Surface.h"

#include <cstddef>
#include <memory>
#include <string>

namespace platform::ui {

class Image
{
public:
    // Images larger than this on either side are refused before they are decoded.
    static constexpr int kMaxSide = 16384;

    // Null when the file is missing, not a PNG, corrupt or too large.
    static std::shared_ptr<Image> LoadPng(const std::string& path);
    static std::shared_ptr<Image> LoadPngFromMemory(const void* data, size_t size);
    // An image scaled to cx x cy with a good filter (natural size when both are 0).
    static std::shared_ptr<Image> Scaled(const Image& source, int cx, int cy);
    // Takes a copy of the surface's pixels.
    static std::shared_ptr<Image> FromSurface(Surface& surface);

    explicit Image(cairo_surface_t* decoded);
    ~Image();
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    cairo_surface_t* CairoSurface() const { return m_surface; }
    // Straight ARGB of one pixel (tests).
    Argb GetPixel(int x, int y) const;

private:
    cairo_surface_t* m_surface;
    int m_width;
    int m_height;
};

} // namespace platform::ui
