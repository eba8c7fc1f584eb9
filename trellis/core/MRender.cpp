#include "trellis/core/MRender.h"

#include "platform/Text.h"
#include "platform/ui/Draw.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

namespace DUI {

namespace ui = platform::ui;

namespace {

std::string FilePath(const std::wstring& path)
{
    std::wstring p = path;
    for (auto& c : p)
        if (c == L'\\') c = L'/';
    return platform::ToUtf8(p);
}

// Blends one pixel of src over dst with an extra constant alpha (premultiplied data).
inline void BlendPixel(uint8_t* d, const uint8_t* s, int alpha)
{
    uint32_t sa = s[3] * alpha / 255;
    for (int k = 0; k < 3; ++k)
        d[k] = uint8_t(std::min<uint32_t>(255, s[k] * alpha / 255 + d[k] * (255 - sa) / 255));
    d[3] = uint8_t(std::min<uint32_t>(255, sa + d[3] * (255 - sa) / 255));
}

} // namespace

void MRender::DrawImageFrame(HDC dc, const Image* image, CRect dest, int sx, int sy, int sw, int sh, int c)
{
    DrawImageFrameMID(dc, image, dest, sx, sy, sw, sh, c, c, c, c);
}

void MRender::DrawImageFrameMID(HDC dc, const Image* image, CRect dest, int sx, int sy, int sw, int sh, int l,
                                int t, int r, int b)
{
    if (!dc || !image) return;
    ui::DrawNineGrid(*dc, *image, dest, CRect(sx, sy, sx + sw, sy + sh), l, t, r, b);
}

void MRender::DrawImage(HDC dc, const Image* image, CRect dest, int sx, int sy, int sw, int sh, int alpha)
{
    if (!dc || !image) return;
    ui::DrawImage(*dc, *image, dest, CRect(sx, sy, sx + sw, sy + sh), ui::Filter::Good, alpha);
}

ImagePtr MRender::LoadImageFromFile(const std::wstring& path)
{
    if (path.empty()) return nullptr;
    return ui::Image::LoadPng(FilePath(path));
}

ImagePtr MRender::LoadImageFromFileEx(const std::wstring& path, int cx, int cy)
{
    ImagePtr img = LoadImageFromFile(path);
    if (!img || (cx == 0 && cy == 0)) return img;
    return ui::Image::Scaled(*img, cx, cy);
}

ImagePtr MRender::LoadImageFromIDResource(UINT, const std::wstring&, uintptr_t)
{
    return nullptr;
}

HICON MRender::LoadIconFromFile(const std::wstring& path)
{
    return LoadImageFromFile(path);
}

std::unique_ptr<ui::Surface> MRender::CreateARGB32Bitmap(HDC, int cx, int cy)
{
    return std::make_unique<ui::Surface>(cx, cy);
}

std::unique_ptr<ui::Surface> MRender::CreateCompatibleBitmap(HDC, int cx, int cy)
{
    return std::make_unique<ui::Surface>(cx, cy);
}

void MRender::BitBlt(HDC dst, int x, int y, int cx, int cy, HDC src, int sx, int sy)
{
    if (!dst || !src || cx <= 0 || cy <= 0) return;
    ui::Blit(*dst, x, y, *src, CRect(sx, sy, sx + cx, sy + cy), false);
}

void MRender::FillSolidRect(HDC dc, CRect rect, COLORREF color)
{
    if (dc) dc->Clear(rect, ui::ArgbFromColorRef(color));
}

void MRender::FillSolidRect(HDC dc, int x, int y, int cx, int cy, COLORREF color)
{
    FillSolidRect(dc, CRect(x, y, x + cx, y + cy), color);
}

int MRender::DrawTextW(HDC dc, CRect& rect, const std::wstring& text, COLORREF color, HFONT font, UINT format)
{
    if (text.empty()) return 0;
    FontSpec spec = font ? *font : FontSpec();
    if (format & DT_CALCRECT) {
        int maxW = (format & DT_WORDBREAK) ? rect.Width() : -1;
        CSize s = ui::MeasureText(text, spec, format & ~DT_CALCRECT, maxW);
        rect.right = rect.left + s.cx;
        rect.bottom = rect.top + s.cy;
        return s.cy;
    }
    if (!dc) return 0;
    return ui::DrawText(*dc, rect, text, spec, ui::ArgbFromColorRef(color), format);
}

void MRender::DrawString(HDC dc, const std::wstring& text, CRect rect, const FontSpec& font, ARGB color,
                         UINT hAlign, UINT vAlign, int multiline)
{
    if (!dc || text.empty()) return;
    UINT format = (hAlign & 3) | (vAlign & 0xC);
    format |= multiline ? (DT_WORDBREAK | DT_NOCLIP) : DT_SINGLELINE;
    ui::DrawText(*dc, rect, text, font, color, format);
}

void MRender::DrawColor(HDC dc, RECT rect, DWORD argb)
{
    if (!dc || (argb >> 24) == 0) return;
    ui::FillRect(*dc, rect, argb);
}

void MRender::DrawGradient(HDC dc, RECT rect, DWORD argb1, DWORD argb2, bool vertical, int steps)
{
    if (!dc) return;
    uint32_t alpha = ((argb1 >> 24) + (argb2 >> 24)) / 2;
    if (alpha == 0) return;
    ui::FillGradient(*dc, rect, (argb1 & 0xFFFFFF) | (alpha << 24), (argb2 & 0xFFFFFF) | (alpha << 24),
                     vertical);
}

void MRender::DrawRoundRectange(HDC dc, float x, float y, float w, float h, float radius, Color fill)
{
    if (dc) ui::DrawRoundRect(*dc, x, y, w, h, radius, radius, fill.GetValue());
}

void MRender::DrawRoundRectange(HDC dc, float x, float y, float w, float h, float radius, Color pen,
                                float penWidth, Color fill)
{
    if (dc) ui::DrawRoundRect(*dc, x, y, w, h, radius, radius, fill.GetValue(), pen.GetValue(), penWidth);
}

void MRender::DrawRoundRectange(HDC dc, float x, float y, float w, float h, int divisor, Color pen,
                                float penWidth, bool fill, Color fillColor)
{
    if (!dc || divisor <= 0) return;
    float rx = w / divisor / 2, ry = h / divisor / 2;
    if (std::fabs(rx - ry) > 10) rx = ry = std::min(rx, ry);
    ui::DrawRoundRect(*dc, x, y, w, h, rx, ry, fill ? fillColor.GetValue() : 0, pen.GetValue(), penWidth);
}

namespace {

int AddForFraction(double v, int whole, int frac)
{
    return int(v + ((v != std::floor(v)) ? frac : whole));
}

} // namespace

CSize MRender::GetTextBounds(const FontSpec& font, const std::wstring& text)
{
    return GetTextBounds(font, DT_LEFT | DT_SINGLELINE, text);
}

CSize MRender::GetTextBounds(const FontSpec& font, UINT format, const std::wstring& text)
{
    CSize s = ui::MeasureText(text, font, format | DT_SINGLELINE);
    double fh = ui::FontLineHeight(font);
    return CSize(s.cx, int(fh + ((fh != std::floor(fh)) ? 4 : 1)));
}

CSize MRender::GetTextBounds(const FontSpec& font, UINT format, int, const std::wstring& text)
{
    CSize s = ui::MeasureText(text, font, format | DT_SINGLELINE);
    double fh = ui::FontLineHeight(font);
    int h1 = AddForFraction(fh, 1, 2);
    int h2 = AddForFraction(double(s.cy), 1, 2);
    return CSize(s.cx, h1 < h2 ? h2 + 5 : h1 + 1);
}

CPoint MRender::GetOriginPoint(int w, int h, int cw, int ch, UINT hAlign, UINT vAlign)
{
    int x = hAlign == 1 ? (w - cw) / 2 : hAlign == 2 ? w - cw : 0;
    int y = vAlign == 4 ? (h - ch) / 2 : vAlign == 8 ? h - ch : 0;
    return CPoint(x, y);
}

CPoint MRender::GetOriginPoint(CRect rect, int cw, int ch, UINT hAlign, UINT vAlign)
{
    CPoint p = GetOriginPoint(rect.Width(), rect.Height(), cw, ch, hAlign, vAlign);
    return CPoint(rect.left + p.x, rect.top + p.y + 2);
}

void MRender::CheckAlphaColor(DWORD& color)
{
    if ((color & 0x00FFFFFF) == 0) color += 1;
}

namespace {

int TransitionAlpha(int i, int n, int from, int to)
{
    int lo = std::min(from, to), hi = std::max(from, to);
    double a0 = 255.0 - lo * 255.0 / 100.0;
    double a1 = (100.0 - hi) * 255.0 / 100.0;
    if (from > to) std::swap(a0, a1);
    double t = n > 1 ? double(i) / (n - 1) : 1.0;
    return std::clamp(int(a0 + (a1 - a0) * t), 0, 255);
}

int Transition(HDC dst, HDC src, CRect d, CRect s, int from, int to, bool vertical)
{
    if (!dst || !src) return 0;
    int w = std::min(d.Width(), s.Width()), h = std::min(d.Height(), s.Height());
    if (w <= 0 || h <= 0) return 0;
    int n = vertical ? h : w, alpha = 0;
    for (int i = 0; i < n; ++i) {
        alpha = TransitionAlpha(i, n, from, to);
        if (vertical)
            ui::Blit(*dst, d.left, d.top + i, *src, CRect(s.left, s.top + i, s.left + w, s.top + i + 1), true,
                     alpha);
        else
            ui::Blit(*dst, d.left + i, d.top, *src, CRect(s.left + i, s.top, s.left + i + 1, s.top + h), true,
                     alpha);
    }
    return alpha;
}

} // namespace

int MRender::DrawVerticalTransition(HDC dst, HDC src, CRect dstRect, CRect srcRect, int from, int to)
{
    return Transition(dst, src, dstRect, srcRect, from, to, true);
}

int MRender::DrawHorizontalTransition(HDC dst, HDC src, CRect dstRect, CRect srcRect, int from, int to)
{
    return Transition(dst, src, dstRect, srcRect, from, to, false);
}

void MRender::DrawRightBottomTransition(HDC dst, HDC src, CRect rect, int size)
{
    if (!dst || !src || size <= 0) return;
    CRect sq(rect.right - size, rect.bottom - size, rect.right, rect.bottom);
    CRect clip;
    if (!clip.IntersectRect(sq, dst->Bounds()) || !clip.IntersectRect(clip, src->Bounds())) return;
    uint8_t* d = dst->Data();
    uint8_t* s = src->Data();
    for (int y = clip.top; y < clip.bottom; ++y)
        for (int x = clip.left; x < clip.right; ++x) {
            double dist = std::hypot(x - sq.left, y - sq.top);
            int alpha = std::clamp(int(255 - 255 * dist / size), 0, 255);
            BlendPixel(d + y * dst->Stride() + x * 4, s + y * src->Stride() + x * 4, alpha);
        }
    dst->MarkDirty();
}

int MRender::SaveBitmapToFile(const HBITMAP& bitmap, const std::wstring& path)
{
    if (!bitmap) return 0;
    int w = bitmap->Width(), h = bitmap->Height();
    int rowBytes = (w * 3 + 3) & ~3;
    uint32_t dataSize = uint32_t(rowBytes) * h, fileSize = 54 + dataSize;
    FILE* f = std::fopen(FilePath(path).c_str(), "wb");
    if (!f) return 0;
    uint8_t hdr[54] = {'B', 'M'};
    auto put32 = [&](int at, uint32_t v) { std::memcpy(hdr + at, &v, 4); };
    auto put16 = [&](int at, uint16_t v) { std::memcpy(hdr + at, &v, 2); };
    put32(2, fileSize);
    put32(10, 54);
    put32(14, 40);
    put32(18, uint32_t(w));
    put32(22, uint32_t(h));
    put16(26, 1);
    put16(28, 24);
    put32(34, dataSize);
    bool ok = std::fwrite(hdr, 1, 54, f) == 54;
    std::vector<uint8_t> row(rowBytes, 0);
    for (int y = h - 1; y >= 0 && ok; --y) {
        for (int x = 0; x < w; ++x) {
            ARGB p = bitmap->GetPixel(x, y);
            row[x * 3] = p & 0xFF;
            row[x * 3 + 1] = (p >> 8) & 0xFF;
            row[x * 3 + 2] = (p >> 16) & 0xFF;
        }
        ok = std::fwrite(row.data(), 1, rowBytes, f) == size_t(rowBytes);
    }
    ok = std::fclose(f) == 0 && ok;
    return ok ? 1 : 0;
}

} // namespace DUI
