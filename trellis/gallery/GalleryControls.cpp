#include "GalleryControls.h"

#include "platform/ui/Draw.h"
#include "trellis/core/ControlFactory.h"
#include "trellis/core/MRender.h"
#include "trellis/core/Manager.h"

namespace gallery {

using namespace DUI;
namespace ui = platform::ui;

TRELLIS_CONTROL_TV(GalleryCaption, FactoryWindow);
TRELLIS_CONTROL_TVE(GallerySwatch, FactoryWindow);

GalleryCaption::GalleryCaption(MObject* parent, UINT id, CRect rect, const std::wstring& title, int visible)
    : MControlFont(parent, id, rect, title, visible, 0, 1)
{
    m_nFontWidth = 16;
    m_fontStyle = FontStyleBold;
}

void GalleryCaption::DrawControl(HDC dc, CRect)
{
    ui::FillGradient(*dc, m_rect, 0xFF2A2D33, 0xFF1B1D21, true);
    ui::FillRect(*dc, CRect(m_rect.left, m_rect.bottom - 2, m_rect.right, m_rect.bottom),
                 Manager::GetSelectColor().GetValue());
    CRect text = m_rect;
    text.DeflateRect(16, 0);
    DrawTitleText(dc, text, m_strTitle);
    FontSpec hint = GetFontSpec();
    hint.sizePx = 12;
    hint.style = 0;
    MRender::DrawString(dc, L"\u2190 \u2192 pages   Esc closes", text, hint, 0xFF9AA0A8, DT_RIGHT,
                        DT_VCENTER);
}

GallerySwatch::GallerySwatch(MObject* parent, UINT id, CRect rect, const std::wstring& title, int visible,
                             int enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, 1)
{
    m_kind = int(id % KindCount);
    SetCursorEx(L"hand");
}

int GallerySwatch::OnControlMouseMove(unsigned, CPoint pt)
{
    bool hover = m_rect.PtInRect(pt);
    if (hover != m_hover) {
        m_hover = hover;
        UpdateControl(0); // the state strip already holds both renderings
    }
    return 1;
}

int GallerySwatch::OnControlLButtonUp(unsigned, CPoint pt)
{
    if (m_rect.PtInRect(pt)) SendMessageW(NOTIFY_CLICK, m_kind);
    return 1;
}

void GallerySwatch::DrawControl(HDC dc, CRect)
{
    int w = m_rect.Width(), h = m_rect.Height();
    if (w <= 0 || h <= 0) return;
    if (!GetUpdate() || !GetMemDC()) {
        BeginStateCache(dc, 2);
        for (int s = 0; s < 2; ++s)
            Render(GetMemDC(), CRect(s * w, 0, s * w + w, h), s == 1);
    }
    DrawCachedState(dc, m_hover ? 1 : 0);
}

namespace {

// A 12 x 12 frame skin made in memory: rounded border, light edge, dark centre.
std::shared_ptr<ui::Image> MakeFrameSkin()
{
    ui::Surface s(12, 12);
    ui::DrawRoundRect(s, 0.5, 0.5, 11, 11, 4, 4, 0xFF39414D, 0xFF8FA3BF, 1);
    ui::FillRect(s, CRect(4, 4, 8, 8), 0xFF24303F);
    return ui::Image::FromSurface(s);
}

} // namespace

void GallerySwatch::Render(HDC dc, const CRect& r, bool hover)
{
    ui::Surface& s = *dc;
    ui::DrawRoundRect(s, r.left + 0.5, r.top + 0.5, r.Width() - 1, r.Height() - 1, 8, 8,
                      hover ? 0xFF2F3540 : 0xFF262B33,
                      hover ? Manager::GetSelectColor().GetValue() : 0xFF3A414C, 1);
    FontSpec title = GetFontSpec();
    title.sizePx = 13;
    title.style = FontStyleBold;
    CRect head(r.left + 12, r.top + 8, r.right - 12, r.top + 30);
    MRender::DrawString(dc, m_strTitle, head, title, 0xFFE8EAED, DT_LEFT, DT_VCENTER);
    CRect body(r.left + 12, r.top + 36, r.right - 12, r.bottom - 12);
    switch (m_kind) {
    case Shapes: {
        int d = std::min(body.Height(), (body.Width() - 36) / 4) - 2;
        ui::DrawEllipse(s, body.left, body.top, d, d, 0xFFFA373E);
        ui::DrawRoundRect(s, body.left + d + 12, body.top, d, d, 8, 8, 0xFF3E9BFA, 0xFFFFFFFF, 2);
        ui::Point tri[3] = {{body.left + 2 * d + 24 + d / 2, body.top},
                            {body.left + 3 * d + 24, body.top + d},
                            {body.left + 2 * d + 24, body.top + d}};
        ui::DrawPolygon(s, tri, 3, 0xFF41C77A);
        ui::DrawArc(s, body.left + 3 * d + 36 + d / 2.0, body.top + d / 2.0, d / 2.0 - 3, -90, 270,
                    0xFFF5B942, 5);
        break;
    }
    case Gradients: {
        int third = body.Height() / 3;
        MRender::DrawGradient(dc, CRect(body.left, body.top, body.right, body.top + third - 4), 0xFFFA373E,
                              0xFF3E9BFA, false, 64);
        MRender::DrawGradient(dc, CRect(body.left, body.top + third, body.right, body.top + 2 * third - 4),
                              0xFF000000, 0xFFFFFFFF, false, 64);
        MRender::DrawGradient(dc, CRect(body.left, body.top + 2 * third, body.right, body.bottom), 0x80FFFFFF,
                              0x8041C77A, true, 16);
        break;
    }
    case TextStyles: {
        static const struct
        {
            const wchar_t* text;
            int style;
        } lines[] = {{L"Regular 14 px", FontStyleRegular},
                     {L"Bold 14 px", FontStyleBold},
                     {L"Italic 14 px", FontStyleItalic},
                     {L"Underline 14 px", FontStyleUnderline}};
        int y = body.top;
        for (const auto& l : lines) {
            FontSpec f = GetFontSpec();
            f.style = l.style;
            MRender::DrawString(dc, l.text, CRect(body.left, y, body.right, y + 20), f, 0xFFD5D9DF, DT_LEFT,
                                DT_VCENTER);
            y += 22;
        }
        FontSpec semi;
        semi.family = L"Open Sans Semibold";
        semi.sizePx = 14;
        MRender::DrawString(dc, L"Open Sans Semibold", CRect(body.left, y, body.right, y + 20), semi,
                            0xFFF5B942, DT_LEFT, DT_VCENTER);
        break;
    }
    case Scripts: {
        static const struct
        {
            const wchar_t* family;
            const wchar_t* text;
        } lines[] = {
            {L"\u9ed1\u4f53", L"\u9f20\u6807\u8bbe\u7f6e \u70b9\u51fb\u4fdd\u5b58"},
            {L"Segoe UI", L"\u041d\u0430\u0441\u0442\u0440\u043e\u0439\u043a\u0438 \u043c\u044b\u0448\u0438"},
            {L"Segoe UI", L"\u0e01\u0e32\u0e23\u0e15\u0e31\u0e49\u0e07\u0e04\u0e48\u0e32"},
            {L"Arial", L"Centered, with an ellipsis when it is far too long to fit"}};
        int y = body.top;
        for (const auto& l : lines) {
            FontSpec f;
            f.family = l.family;
            f.sizePx = 15;
            CRect line(body.left, y, body.right, y + 24);
            ui::DrawText(s, line, l.text, f, 0xFFD5D9DF,
                         DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
            y += 26;
        }
        break;
    }
    case NineGrid: {
        static std::shared_ptr<ui::Image> skin = MakeFrameSkin();
        int half = body.Width() / 2 - 6;
        MRender::DrawImageFrame(dc, skin.get(), CRect(body.left, body.top, body.left + half, body.bottom), 0,
                                0, 12, 12, 4);
        MRender::DrawImageFrame(dc, skin.get(),
                                CRect(body.left + half + 12, body.top + body.Height() / 3, body.right,
                                      body.top + body.Height() / 3 + 24),
                                0, 0, 12, 12, 4);
        FontSpec f = GetFontSpec();
        f.sizePx = 12;
        MRender::DrawString(dc, L"corners stay 4 px",
                            CRect(body.left, body.top, body.left + half, body.bottom), f, 0xFFB8C4D6,
                            DT_CENTER, DT_VCENTER);
        break;
    }
    case Alpha: {
        int cell = 10;
        for (int y = body.top; y < body.bottom; y += cell)
            for (int x = body.left; x < body.right; x += cell)
                ui::FillRect(s, CRect(x, y, std::min(x + cell, body.right), std::min(y + cell, body.bottom)),
                             ((x / cell + y / cell) & 1) ? 0xFF505862 : 0xFF3A414C);
        int w = body.Width() / 4;
        for (int i = 0; i < 4; ++i)
            ui::FillRect(
                s, CRect(body.left + i * w + 4, body.top + 8, body.left + (i + 1) * w - 4, body.bottom - 8),
                (uint32_t(64 + i * 64 - 1) << 24) | 0xFA373E);
        break;
    }
    default:
        break;
    }
}

} // namespace gallery
