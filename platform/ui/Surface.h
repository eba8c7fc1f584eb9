#pragma once
// A 32-bit ARGB drawing surface (premultiplied alpha, Cairo's ARGB32 layout, which is also
// SDL's ARGB8888 layout so a window frame can be handed to the window system as it is).
// Window frames, off-screen control strips and screenshots are Surfaces.
#include "platform/ui/Color.h"
#include "platform/ui/Geometry.h"

#include <string>

typedef struct _cairo_surface cairo_surface_t;
typedef struct _cairo cairo_t;

namespace platform::ui {

class Surface
{
public:
    // A transparent-black surface; sizes below 0 are taken as 0.
    Surface(int width, int height);
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    Rect Bounds() const { return Rect(0, 0, m_width, m_height); }
    // Cairo objects; the context is created on first use and kept. Call MarkDirty() after
    // writing pixels through Data() and Flush() before reading them when Cairo drew last.
    cairo_surface_t* CairoSurface() const { return m_surface; }
    cairo_t* Cr();
    uint8_t* Data();
    int Stride() const;
    void Flush();
    void MarkDirty();

    // The pixel as straight (not premultiplied) ARGB; 0 outside the surface.
    Argb GetPixel(int x, int y);
    // Sets one pixel from straight ARGB.
    void SetPixel(int x, int y, Argb color);
    // Sets every pixel of the rectangle to the colour without blending.
    void Clear(const Rect& rect, Argb color = 0);
    void Clear(Argb color = 0) { Clear(Bounds(), color); }
    // Replaces the pixels of `rect` with the same rectangle of `src` (no blending).
    void CopyFrom(Surface& src, const Rect& rect);
    bool SavePng(const std::string& path);

private:
    int m_width;
    int m_height;
    cairo_surface_t* m_surface = nullptr;
    cairo_t* m_cr = nullptr;
};

} // namespace platform::ui
