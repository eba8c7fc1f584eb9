#pragma once
// Drawing helpers shared by the generic controls: skin files, skin strips, control text and the
// off-screen state strip every control renders its states into.
#include "trellis/core/MControlFont.h"

#include "platform/ui/Draw.h"

#include <string>

namespace DUI {

using platform::ui::Argb;
using platform::ui::DrawEllipse;
using platform::ui::DrawImage;
using platform::ui::DrawLine;
using platform::ui::DrawNineGrid;
using platform::ui::DrawRoundRect;
using platform::ui::DrawText;
using platform::ui::FillRect;
using platform::ui::FrameRect;
using platform::ui::kTextCenter;
using platform::ui::kTextLeft;
using platform::ui::kTextRight;
using platform::ui::kTextSingleLine;
using platform::ui::kTextVCenter;
using platform::ui::kTextWordBreak;
using platform::ui::Surface;

// Title colour of every disabled face.
constexpr Argb kDisabledText = 0xFF808080;

// <program folder>/skins/theme1/<name>, backslashes of the name taken as folder separators.
std::string SkinFilePath(const std::wstring& name);
// A skin picture loaded directly (not through a window's cache); null when missing or broken.
ImagePtr LoadSkinImage(const std::wstring& name);
// Library resources do not exist on this platform; always null.
ImagePtr LoadResourceImage(unsigned id, const std::wstring& type);
// The accent colour controls use for selection and highlight.
Argb SelectColor();

FontSpec ControlFont(const MControlFont& control);
// DT_ flags from the control's horizontal and vertical alignment.
unsigned AlignmentFormat(const MControlFont& control);
void DrawControlText(Surface& target, const MControlFont& control, CRect rect, const std::wstring& text,
                     Color color, unsigned format);

// Frame `frame` of the control's skin strip: as a nine-grid, at its natural size, or stretched.
void DrawSkinFrameNineGrid(Surface& target, const MControlFont& control, CRect area, int frame, int corner);
void DrawSkinFrameNatural(Surface& target, const MControlFont& control, int x, int y, int frame);
void DrawSkinFrameStretched(Surface& target, const MControlFont& control, CRect area, int frame);
// One face of a check-like button: frame `slice` at the left edge, the title (measured once by
// the caller as `extent`) beside it.
void DrawCheckSlice(Surface& target, MControlFont& control, CRect area, int slice, Color textColor,
                    const std::wstring& title, CSize extent);

// Client point or rectangle of the control's window in screen coordinates.
CPoint ClientToScreenPoint(const MControl& control, CPoint point);
CRect ClientToScreenRect(const MControl& control, CRect rect);

// Reaches the state-cache operations of MControl for the helpers below.
struct StateCacheAccess : MControl
{
    static void Begin(MControl& control, HDC dc, int states)
    {
        (control.*&StateCacheAccess::BeginStateCache)(dc, states);
    }
    static void Show(MControl& control, HDC dc, int state)
    {
        (control.*&StateCacheAccess::DrawCachedState)(dc, state);
    }
};

// Renders `states` faces side by side into the control's cache when it is stale (each slice
// already holding the pixels under the control), then copies face `shown` to the window.
// draw(Surface& cache, CRect slice, int index).
template <class DrawFn> void PaintStateStrip(MControl& control, HDC dc, int states, int shown, DrawFn&& draw)
{
    if (!dc) return;
    const CRect rect = control.GetRect();
    const int w = rect.Width(), h = rect.Height();
    if (w <= 0 || h <= 0) return;
    HDC cache = control.GetMemDC();
    if (!control.GetUpdate() || !cache || cache->Width() != w * states || cache->Height() != h) {
        StateCacheAccess::Begin(control, dc, states);
        cache = control.GetMemDC();
        if (!cache) return;
        for (int i = 0; i < states; ++i)
            draw(*cache, CRect(i * w, 0, (i + 1) * w, h), i);
        control.UpdateMemDC(dc, w * states, h);
    }
    StateCacheAccess::Show(control, dc, shown < 0 || shown >= states ? 0 : shown);
}

} // namespace DUI
