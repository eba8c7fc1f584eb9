#include "platform/ui/Draw.h"

#include <cairo.h>
#include <cmath>
#include <cstring>

namespace platform::ui {

namespace {

void SetSource(cairo_t* cr, Argb c)
{
    cairo_set_source_rgba(cr, ArgbRed(c) / 255.0, ArgbGreen(c) / 255.0, ArgbBlue(c) / 255.0,
                          ArgbAlpha(c) / 255.0);
}

struct Saved
{
    cairo_t* cr;
    explicit Saved(cairo_t* c) : cr(c) { cairo_save(cr); }
    ~Saved() { cairo_restore(cr); }
};

void DrawPiece(cairo_t* cr, cairo_surface_t* src, double dx, double dy, double dw, double dh, double sx,
               double sy, double sw, double sh, Filter filter, int alpha)
{
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
    Saved s(cr);
    cairo_rectangle(cr, dx, dy, dw, dh);
    cairo_clip(cr);
    cairo_translate(cr, dx, dy);
    cairo_scale(cr, dw / sw, dh / sh);
    cairo_set_source_surface(cr, src, -sx, -sy);
    cairo_pattern_t* p = cairo_get_source(cr);
    bool scaled = dw != sw || dh != sh;
    cairo_pattern_set_filter(p, !scaled ? CAIRO_FILTER_NEAREST
                                        : (filter == Filter::Good ? CAIRO_FILTER_GOOD : CAIRO_FILTER_FAST));
    // Pad so that stretched edges do not fade into the transparent outside of the source.
    cairo_pattern_set_extend(p, CAIRO_EXTEND_PAD);
    if (scaled) {
        // Restrict sampling to the source piece, or neighbouring frames bleed in.
        cairo_surface_t* sub = cairo_surface_create_for_rectangle(src, sx, sy, sw, sh);
        cairo_set_source_surface(cr, sub, 0, 0);
        p = cairo_get_source(cr);
        cairo_pattern_set_filter(p, filter == Filter::Good ? CAIRO_FILTER_GOOD : CAIRO_FILTER_FAST);
        cairo_pattern_set_extend(p, CAIRO_EXTEND_PAD);
        cairo_surface_destroy(sub);
    }
    if (alpha >= 255)
        cairo_paint(cr);
    else
        cairo_paint_with_alpha(cr, alpha / 255.0);
}

} // namespace

void FillRect(Surface& dst, const Rect& rect, Argb color)
{
    if (ArgbAlpha(color) == 0 || rect.IsRectEmpty()) return;
    cairo_t* cr = dst.Cr();
    Saved s(cr);
    SetSource(cr, color);
    cairo_rectangle(cr, rect.left, rect.top, rect.Width(), rect.Height());
    cairo_fill(cr);
}

void FrameRect(Surface& dst, const Rect& rect, Argb color, double width)
{
    if (ArgbAlpha(color) == 0 || rect.IsRectEmpty() || width <= 0) return;
    cairo_t* cr = dst.Cr();
    Saved s(cr);
    SetSource(cr, color);
    cairo_set_line_width(cr, width);
    cairo_rectangle(cr, rect.left + width / 2, rect.top + width / 2, rect.Width() - width,
                    rect.Height() - width);
    cairo_stroke(cr);
}

void Blit(Surface& dst, int dx, int dy, Surface& src, const Rect& srcRect, bool blend, int alpha)
{
    if (srcRect.IsRectEmpty()) return;
    if (!blend && &dst != &src) {
        // Fast path: a straight row copy, the common case of showing a cached control state.
        Rect from;
        if (!from.IntersectRect(srcRect, src.Bounds())) return;
        Rect to(dx + from.left - srcRect.left, dy + from.top - srcRect.top, 0, 0);
        to.right = to.left + from.Width();
        to.bottom = to.top + from.Height();
        Rect clipped;
        if (!clipped.IntersectRect(to, dst.Bounds())) return;
        int ox = from.left + clipped.left - to.left, oy = from.top + clipped.top - to.top;
        uint8_t* d = dst.Data();
        uint8_t* s = src.Data();
        int ds = dst.Stride(), ss = src.Stride();
        for (int y = 0; y < clipped.Height(); ++y)
            std::memcpy(d + (clipped.top + y) * ds + clipped.left * 4, s + (oy + y) * ss + ox * 4,
                        static_cast<size_t>(clipped.Width()) * 4);
        dst.MarkDirty();
        return;
    }
    cairo_t* cr = dst.Cr();
    Saved s(cr);
    src.Flush();
    cairo_rectangle(cr, dx, dy, srcRect.Width(), srcRect.Height());
    cairo_clip(cr);
    cairo_set_source_surface(cr, src.CairoSurface(), dx - srcRect.left, dy - srcRect.top);
    cairo_set_operator(cr, blend ? CAIRO_OPERATOR_OVER : CAIRO_OPERATOR_SOURCE);
    if (alpha >= 255)
        cairo_paint(cr);
    else
        cairo_paint_with_alpha(cr, std::max(0, alpha) / 255.0);
}

void DrawImage(Surface& dst, const Image& image, const Rect& dstRect, const Rect& srcRect, Filter filter,
               int alpha)
{
    DrawPiece(dst.Cr(), image.CairoSurface(), dstRect.left, dstRect.top, dstRect.Width(), dstRect.Height(),
              srcRect.left, srcRect.top, srcRect.Width(), srcRect.Height(), filter, alpha);
}

void DrawImage(Surface& dst, const Surface& image, const Rect& dstRect, const Rect& srcRect, Filter filter,
               int alpha)
{
    cairo_surface_flush(image.CairoSurface());
    DrawPiece(dst.Cr(), image.CairoSurface(), dstRect.left, dstRect.top, dstRect.Width(), dstRect.Height(),
              srcRect.left, srcRect.top, srcRect.Width(), srcRect.Height(), filter, alpha);
}

void DrawNineGrid(Surface& dst, const Image& image, const Rect& d, const Rect& s, int l, int t, int r, int b)
{
    if (d.IsRectEmpty() || s.IsRectEmpty()) return;
    auto fit = [](int& a, int& c, int src, int dest) {
        a = std::max(a, 0);
        c = std::max(c, 0);
        int limit = std::min(src, dest);
        if (a + c > limit) {
            // Shrink both sides in proportion, keeping the pieces inside the source and target.
            int total = a + c;
            a = a * limit / total;
            c = limit - a;
        }
    };
    fit(l, r, s.Width(), d.Width());
    fit(t, b, s.Height(), d.Height());
    cairo_t* cr = dst.Cr();
    cairo_surface_t* img = image.CairoSurface();
    const double sx[4] = {double(s.left), double(s.left + l), double(s.right - r), double(s.right)};
    const double sy[4] = {double(s.top), double(s.top + t), double(s.bottom - b), double(s.bottom)};
    const double dx[4] = {double(d.left), double(d.left + l), double(d.right - r), double(d.right)};
    const double dy[4] = {double(d.top), double(d.top + t), double(d.bottom - b), double(d.bottom)};
    // Order: top-left corner, left edge, bottom-left corner, top edge, top-right corner,
    // right edge, bottom-right corner, bottom edge, centre.
    static const int order[9][2] = {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {2, 0}, {2, 1}, {2, 2}, {1, 2}, {1, 1}};
    for (const auto& o : order) {
        int i = o[0], j = o[1];
        DrawPiece(cr, img, dx[i], dy[j], dx[i + 1] - dx[i], dy[j + 1] - dy[j], sx[i], sy[j],
                  sx[i + 1] - sx[i], sy[j + 1] - sy[j], Filter::Good, 255);
    }
}

static void RoundRectPath(cairo_t* cr, double x, double y, double w, double h, double rx, double ry)
{
    rx = std::min(rx, w / 2);
    ry = std::min(ry, h / 2);
    if (rx <= 0 || ry <= 0) {
        cairo_rectangle(cr, x, y, w, h);
        return;
    }
    cairo_new_sub_path(cr);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, rx, ry);
    double W = w / rx, H = h / ry;
    cairo_arc(cr, W - 1, 1, 1, -M_PI / 2, 0);
    cairo_arc(cr, W - 1, H - 1, 1, 0, M_PI / 2);
    cairo_arc(cr, 1, H - 1, 1, M_PI / 2, M_PI);
    cairo_arc(cr, 1, 1, 1, M_PI, 3 * M_PI / 2);
    cairo_restore(cr);
    cairo_close_path(cr);
}

static void FillAndStroke(cairo_t* cr, Argb fill, Argb pen, double penWidth)
{
    if (ArgbAlpha(fill)) {
        SetSource(cr, fill);
        cairo_fill_preserve(cr);
    }
    if (ArgbAlpha(pen) && penWidth > 0) {
        SetSource(cr, pen);
        cairo_set_line_width(cr, penWidth);
        cairo_stroke_preserve(cr);
    }
    cairo_new_path(cr);
}

void DrawRoundRect(Surface& dst, double x, double y, double w, double h, double rx, double ry, Argb fill,
                   Argb pen, double penWidth)
{
    if (w <= 0 || h <= 0) return;
    cairo_t* cr = dst.Cr();
    Saved s(cr);
    RoundRectPath(cr, x, y, w, h, rx, ry);
    FillAndStroke(cr, fill, pen, penWidth);
}

void DrawEllipse(Surface& dst, double x, double y, double w, double h, Argb fill, Argb pen, double penWidth)
{
    if (w <= 0 || h <= 0) return;
    cairo_t* cr = dst.Cr();
    Saved s(cr);
    cairo_save(cr);
    cairo_translate(cr, x + w / 2, y + h / 2);
    cairo_scale(cr, w / 2, h / 2);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    FillAndStroke(cr, fill, pen, penWidth);
}

void DrawLine(Surface& dst, double x1, double y1, double x2, double y2, Argb pen, double width)
{
    cairo_t* cr = dst.Cr();
    Saved s(cr);
    cairo_move_to(cr, x1, y1);
    cairo_line_to(cr, x2, y2);
    SetSource(cr, pen);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void DrawPolygon(Surface& dst, const Point* points, int count, Argb fill, Argb pen, double penWidth)
{
    if (!points || count < 2) return;
    cairo_t* cr = dst.Cr();
    Saved s(cr);
    cairo_move_to(cr, points[0].x, points[0].y);
    for (int i = 1; i < count; ++i)
        cairo_line_to(cr, points[i].x, points[i].y);
    cairo_close_path(cr);
    FillAndStroke(cr, fill, pen, penWidth);
}

void DrawArc(Surface& dst, double cx, double cy, double radius, double startDeg, double sweepDeg, Argb pen,
             double width)
{
    if (radius <= 0) return;
    cairo_t* cr = dst.Cr();
    Saved s(cr);
    double a1 = startDeg * M_PI / 180, a2 = (startDeg + sweepDeg) * M_PI / 180;
    if (sweepDeg >= 0)
        cairo_arc(cr, cx, cy, radius, a1, a2);
    else
        cairo_arc_negative(cr, cx, cy, radius, a1, a2);
    SetSource(cr, pen);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void FillGradient(Surface& dst, const Rect& rect, Argb c1, Argb c2, bool vertical)
{
    if (rect.IsRectEmpty()) return;
    cairo_t* cr = dst.Cr();
    Saved s(cr);
    cairo_pattern_t* p = vertical ? cairo_pattern_create_linear(0, rect.top, 0, rect.bottom)
                                  : cairo_pattern_create_linear(rect.left, 0, rect.right, 0);
    auto stop = [p](double at, Argb c) {
        cairo_pattern_add_color_stop_rgba(p, at, ArgbRed(c) / 255.0, ArgbGreen(c) / 255.0,
                                          ArgbBlue(c) / 255.0, ArgbAlpha(c) / 255.0);
    };
    stop(0, c1);
    stop(1, c2);
    cairo_set_source(cr, p);
    cairo_rectangle(cr, rect.left, rect.top, rect.Width(), rect.Height());
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

} // namespace platform::ui
