#pragma once
// Static drawing helpers shared by all controls: nine-grid image drawing, image loading,
// solid, rounded and gradient fills, text drawing and measuring, transitions.
#include "trellis/core/Types.h"

namespace DUI {

class MRender
{
public:
    // Nine-grid: the source rectangle is cut into c x c corners (never scaled), four edges
    // and a centre stretched to fill `dest`.
    static void DrawImageFrame(HDC dc, const Image* image, CRect dest, int srcX, int srcY, int srcW, int srcH,
                               int corner);
    static void DrawImageFrameMID(HDC dc, const Image* image, CRect dest, int srcX, int srcY, int srcW,
                                  int srcH, int left, int top, int right, int bottom);
    // Draws the source rectangle stretched over dest (good filter, source-over).
    static void DrawImage(HDC dc, const Image* image, CRect dest, int srcX, int srcY, int srcW, int srcH,
                          int alpha = 255);

    // Paths are file-system paths (UTF-8 on disk). Null when the file cannot be decoded.
    static ImagePtr LoadImageFromFile(const std::wstring& path);
    static ImagePtr LoadImageFromFileEx(const std::wstring& path, int cx, int cy);
    // There are no module resources on this platform: always null.
    static ImagePtr LoadImageFromIDResource(UINT id, const std::wstring& type, uintptr_t module);
    static HICON LoadIconFromFile(const std::wstring& path);

    static std::unique_ptr<platform::ui::Surface> CreateARGB32Bitmap(HDC dc, int cx, int cy);
    static std::unique_ptr<platform::ui::Surface> CreateCompatibleBitmap(HDC dc, int cx, int cy);
    static void BitBlt(HDC dst, int x, int y, int cx, int cy, HDC src, int sx, int sy);
    static void FillSolidRect(HDC dc, CRect rect, COLORREF color);
    static void FillSolidRect(HDC dc, int x, int y, int cx, int cy, COLORREF color);
    // Draws text transparently in colour and font; returns the text height (0 for empty text).
    // With DT_CALCRECT only measures, and sets the rectangle's size to the text's.
    static int DrawTextW(HDC dc, CRect& rect, const std::wstring& text, COLORREF color, HFONT font,
                         UINT format);
    // Text in the controls' title convention: alignment 0/1/2 horizontally and 0/4/8 vertically,
    // single line (no wrap) unless multiline.
    static void DrawString(HDC dc, const std::wstring& text, CRect rect, const FontSpec& font, ARGB color,
                           UINT hAlign, UINT vAlign, int multiline = 0);
    static void DrawColor(HDC dc, RECT rect, DWORD argb);
    static void DrawGradient(HDC dc, RECT rect, DWORD argb1, DWORD argb2, bool vertical, int steps);
    static void DrawRoundRectange(HDC dc, float x, float y, float w, float h, float radius, Color fill);
    static void DrawRoundRectange(HDC dc, float x, float y, float w, float h, float radius, Color pen,
                                  float penWidth, Color fill);
    static void DrawRoundRectange(HDC dc, float x, float y, float w, float h, int divisor, Color pen,
                                  float penWidth, bool fill, Color fillColor);
    static CSize GetTextBounds(const FontSpec& font, const std::wstring& text);
    static CSize GetTextBounds(const FontSpec& font, UINT format, const std::wstring& text);
    static CSize GetTextBounds(const FontSpec& font, UINT format, int, const std::wstring& text);
    static CPoint GetOriginPoint(int w, int h, int cw, int ch, UINT hAlign, UINT vAlign);
    static CPoint GetOriginPoint(CRect rect, int cw, int ch, UINT hAlign, UINT vAlign);
    // A colour whose RGB part is 0 is raised by 1 so pure black is not taken for transparent.
    static void CheckAlphaColor(DWORD& color);
    static int DrawVerticalTransition(HDC dst, HDC src, CRect dstRect, CRect srcRect, int from, int to);
    static int DrawHorizontalTransition(HDC dst, HDC src, CRect dstRect, CRect srcRect, int from, int to);
    static void DrawRightBottomTransition(HDC dst, HDC src, CRect rect, int size);
    // Writes a 24-bit .bmp file; 1 on success.
    static int SaveBitmapToFile(const HBITMAP& bitmap, const std::wstring& path);
};

} // namespace DUI
