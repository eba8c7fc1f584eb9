// The first gallery page: what the core draws by itself (shapes, gradients, text in the
// mapped fonts and scripts, nine-grid skins, alpha), in hoverable tiles made by the factory.
#include "GalleryControls.h"
#include "GalleryPage.h"

namespace {

void BuildCorePage(DUI::MDialog& dlg, const DUI::CRect& area)
{
    static const wchar_t* titles[gallery::GallerySwatch::KindCount] = {
        L"Shapes", L"Gradients", L"Text styles", L"Scripts and fonts", L"Nine-grid", L"Alpha"};
    int cols = 3, gap = 16;
    int w = (area.Width() - gap * (cols + 1)) / cols;
    int h = (area.Height() - gap * 3) / 2;
    for (int i = 0; i < gallery::GallerySwatch::KindCount; ++i) {
        int c = i % cols, r = i / cols;
        DUI::CRect rc(area.left + gap + c * (w + gap), area.top + gap + r * (h + gap), 0, 0);
        rc.right = rc.left + w;
        rc.bottom = rc.top + h;
        auto* swatch = dlg.CreateControl(L"GallerySwatch", 100 + i, rc, titles[i]);
        if (swatch) static_cast<gallery::GallerySwatch*>(swatch)->SetKind(i);
        if (swatch) swatch->SetTooltip(titles[i]);
    }
}

} // namespace

TRELLIS_GALLERY_PAGE(0, L"Drawing", BuildCorePage);
