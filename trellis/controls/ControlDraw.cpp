#include "trellis/controls/ControlDraw.h"

#include "trellis/core/Manager.h"
#include "trellis/core/PaintManager.h"

#include "platform/Text.h"
#include "platform/ui/WindowSystem.h"

#include <algorithm>

namespace DUI {

std::string SkinFilePath(const std::wstring& name)
{
    std::wstring relative = name;
    std::replace(relative.begin(), relative.end(), L'\\', L'/');
    std::string folder = Manager::GetSkinFolder();
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder + platform::ToUtf8(relative);
}

ImagePtr LoadSkinImage(const std::wstring& name)
{
    if (name.empty()) return nullptr;
    return platform::ui::Image::LoadPng(SkinFilePath(name));
}

ImagePtr LoadResourceImage(unsigned, const std::wstring&)
{
    return nullptr;
}

Argb SelectColor()
{
    return Manager::GetSelectColor().GetValue();
}

FontSpec ControlFont(const MControlFont& control)
{
    return control.GetFontSpec();
}

unsigned AlignmentFormat(const MControlFont& control)
{
    unsigned h = 0, v = 0;
    control.GetAlignment(h, v);
    return h | v;
}

void DrawControlText(Surface& target, const MControlFont& control, CRect rect, const std::wstring& text,
                     Color color, unsigned format)
{
    if (text.empty() || rect.IsRectEmpty()) return;
    DrawText(target, rect, text, control.GetFontSpec(), color.GetValue(), format);
}

namespace {

bool Frame(const MControlFont& control, int frame, CRect& source)
{
    const ImagePtr image = control.GetSkinImage();
    const CSize size = control.GetImageSize();
    if (!image || size.cx <= 0 || size.cy <= 0) return false;
    const int count = std::max(1, control.GetImageCount());
    frame = std::clamp(frame, 0, count - 1);
    source = CRect(frame * size.cx, 0, frame * size.cx + size.cx, size.cy);
    return true;
}

} // namespace

void DrawSkinFrameNineGrid(Surface& target, const MControlFont& control, CRect area, int frame, int corner)
{
    CRect source;
    if (area.IsRectEmpty() || !Frame(control, frame, source)) return;
    DrawNineGrid(target, *control.GetSkinImage(), area, source, corner, corner, corner, corner);
}

void DrawSkinFrameNatural(Surface& target, const MControlFont& control, int x, int y, int frame)
{
    CRect source;
    if (!Frame(control, frame, source)) return;
    DrawImage(target, *control.GetSkinImage(), CRect(x, y, x + source.Width(), y + source.Height()), source);
}

void DrawSkinFrameStretched(Surface& target, const MControlFont& control, CRect area, int frame)
{
    CRect source;
    if (area.IsRectEmpty() || !Frame(control, frame, source)) return;
    DrawImage(target, *control.GetSkinImage(), area, source);
}

void DrawCheckSlice(Surface& target, MControlFont& control, CRect area, int slice, Color textColor,
                    const std::wstring& title, CSize extent)
{
    const CSize frame = control.GetImageSize();
    DrawSkinFrameNatural(target, control, area.left, area.top + (area.Height() - frame.cy) / 2, slice);
    if (title.empty()) return;
    const FontSpec font = control.GetFontSpec();
    unsigned h = 0, v = 0;
    control.GetAlignment(h, v);
    const int room = area.Width() - frame.cx - 8;
    const int dx = h == 1 ? (room - extent.cx) / 2 : h == 2 ? room - extent.cx : 0;
    const int dy = v == 4 ? (area.Height() - extent.cy) / 2 : v == 8 ? area.Height() - extent.cy : 0;
    const CRect text(area.left + frame.cx + 8 + std::max(0, dx), area.top + dy + 2,
                     area.left + area.Width() - 3, area.top + dy + 2 + extent.cy);
    DrawText(target, text, title, font, textColor.GetValue(), kTextLeft | kTextSingleLine);
}

CPoint ClientToScreenPoint(const MControl& control, CPoint point)
{
    PaintManager* manager = control.GetManager();
    if (!manager || !manager->GetPaintWnd()) return point;
    return platform::ui::ClientToScreen(manager->GetPaintWnd(), point);
}

CRect ClientToScreenRect(const MControl& control, CRect rect)
{
    const CPoint origin = ClientToScreenPoint(control, CPoint(0, 0));
    rect.OffsetRect(origin.x, origin.y);
    return rect;
}

} // namespace DUI
