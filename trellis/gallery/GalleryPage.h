#pragma once
// Gallery pages register themselves from their own files:
//
//   static void BuildButtons(DUI::MDialog& dlg, const DUI::CRect& area) { dlg.CreateControl(L"MButton", ...);
//   } TRELLIS_GALLERY_PAGE(20, L"Buttons", BuildButtons);
//
// Pages are shown in ascending order; --page=N picks the N-th (0-based) of that order.
// A page creates its controls inside `area` (the client area below the gallery's caption) with
// ids from 100 up; the gallery removes them all when it switches pages.
#include "trellis/core/MDialog.h"

#include <vector>

namespace gallery {

using PageBuilder = void (*)(DUI::MDialog& dlg, const DUI::CRect& area);

struct PageInfo
{
    int order;
    const wchar_t* title;
    PageBuilder build;
};

bool RegisterPage(int order, const wchar_t* title, PageBuilder build);
// Sorted by order.
std::vector<PageInfo> Pages();

} // namespace gallery

#define TRELLIS_GALLERY_CAT2(a, b) a##b
#define TRELLIS_GALLERY_CAT(a, b) TRELLIS_GALLERY_CAT2(a, b)
#define TRELLIS_GALLERY_PAGE(ORDER, TITLE, BUILD)                                                            \
    static const bool TRELLIS_GALLERY_CAT(trellisGalleryPage_, __LINE__) =                                   \
        ::gallery::RegisterPage(ORDER, TITLE, BUILD)
