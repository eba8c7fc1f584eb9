#pragma once
// Drawing helpers on Surfaces: fills, copies, image drawing with stretching and nine-grid
// cutting, rounded shapes, gradients and alpha blending. All coordinates are surface pixels.
#include "platform/ui/Image.h"
#include "platform/ui/Surface.h"

namespace platform::ui {

enum class Filter
{
    Fast,
    Good
};

// Blends a solid colour over the rectangle (nothing when alpha is 0).
void FillRect(Surface& dst, const Rect& rect, Argb color);
// Outline of `width` pixels drawn inside the rectangle.
void FrameRect(Surface& dst, const Rect& rect, Argb color, double width);
// Copies (blend = false) or blends source-over (blend = true) `srcRect` of `src` to (dx, dy),
// with an extra constant alpha 0..255 when blending.
void Blit(Surface& dst, int dx, int dy, Surface& src, const Rect& srcRect, bool blend = false,
          int alpha = 255);
// Draws `srcRect` of the image stretched over `dstRect`, blended source-over.
void DrawImage(Surface& dst, const Image& image, const Rect& dstRect, const Rect& srcRect,
               Filter filter = Filter::Good, int alpha = 255);
void DrawImage(Surface& dst, const Surface& image, const Rect& dstRect, const Rect& srcRect,
               Filter filter = Filter::Good, int alpha = 255);
// Nine-grid: the source rectangle is cut by the insets into four unscaled corners, four
// edges stretched along one axis and a centre stretched both ways. Insets larger than half the
// source or destination are reduced so the pieces never overlap.
void DrawNineGrid(Surface& dst, const Image& image, const Rect& dstRect, const Rect& srcRect, int left,
                  int top, int right, int bottom);
// Filled and/or outlined shapes (antialiased). Pass 0 as a colour to skip fill or outline.
void DrawRoundRect(Surface& dst, double x, double y, double w, double h, double rx, double ry, Argb fill,
                   Argb pen = 0, double penWidth = 1.0);
void DrawEllipse(Surface& dst, double x, double y, double w, double h, Argb fill, Argb pen = 0,
                 double penWidth = 1.0);
void DrawLine(Surface& dst, double x1, double y1, double x2, double y2, Argb pen, double width = 1.0);
void DrawPolygon(Surface& dst, const Point* points, int count, Argb fill, Argb pen = 0,
                 double penWidth = 1.0);
void DrawArc(Surface& dst, double cx, double cy, double radius, double startDeg, double sweepDeg, Argb pen,
             double width);
// Linear gradient from c1 to c2 across the rectangle (top to bottom when vertical).
void FillGradient(Surface& dst, const Rect& rect, Argb c1, Argb c2, bool vertical);

} // namespace platform::ui
