#pragma once
// Controls of the gallery itself: the caption strip and the drawing swatches of the core page.
#include "trellis/core/MControlFont.h"

namespace gallery {

// A dark strip with a title on the left and a hint on the right.
class GalleryCaption : public DUI::MControlFont
{
public:
    GalleryCaption(DUI::MObject* parent, DUI::UINT id, DUI::CRect rect, const std::wstring& title,
                   int visible);
    void DrawControl(DUI::HDC dc, DUI::CRect clip) override;
};

// One demonstration tile: its title names what it shows (id picks the drawing). It keeps a
// normal and a hover rendering in its off-screen strip and shows the slice of its state.
class GallerySwatch : public DUI::MControlFont
{
public:
    enum Kind
    {
        Shapes = 0,
        Gradients,
        TextStyles,
        Scripts,
        NineGrid,
        Alpha,
        KindCount
    };

    GallerySwatch(DUI::MObject* parent, DUI::UINT id, DUI::CRect rect, const std::wstring& title, int visible,
                  int enabled);
    void DrawControl(DUI::HDC dc, DUI::CRect clip) override;
    int OnControlMouseMove(unsigned flags, DUI::CPoint pt) override;
    int OnControlLButtonUp(unsigned flags, DUI::CPoint pt) override;
    void SetKind(int kind) { m_kind = kind % KindCount; }

private:
    void Render(DUI::HDC dc, const DUI::CRect& r, bool hover);
    int m_kind = Shapes;
    bool m_hover = false;
    bool m_rendered[2] = {false, false};
};

} // namespace gallery
