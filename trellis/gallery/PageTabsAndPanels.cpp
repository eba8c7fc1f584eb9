// Gallery page: tab strips (horizontal and vertical) with their pages, and a scrolled panel
// with both scroll bars.
#include "GalleryPage.h"
#include "PageControls.h"

#include "trellis/controls/CScrollHorizontal.h"
#include "trellis/controls/MButton.h"
#include "trellis/controls/MPicture.h"
#include "trellis/controls/MTabCtrl.h"

namespace {

using namespace DUI;

const wchar_t* kTabIcons[] = {L"icon\\tab_home.png",  L"icon\\tab_mousekey.png", L"icon\\tab_mousedpi.png",
                              L"icon\\tab_macro.png", L"icon\\tab_light.png",    L"icon\\tab_mouseset.png"};

void FillPage(MTabLayout* page, UINT& id, const CRect& r, int index)
{
    if (!page) return;
    page->CreateControl(L"MText", id++, CRect(r.left + 16, r.top + 12, r.right - 16, r.top + 40),
                        gallery::Word(index, index));
    if (auto* b = dynamic_cast<MButton*>(
            page->CreateControl(L"MButton", id++, CRect(r.left + 16, r.top + 50, r.left + 176, r.top + 82),
                                gallery::Word(index))))
        b->SetImage(L"img_button.png", 4);
}

void BuildTabsAndPanels(MDialog& dlg, const CRect& area)
{
    UINT id = 100;
    const int left = area.left + 20;

    // Vertical strip as the main window has it: 70 x 70 tabs, icon strips of four frames.
    const CRect vstrip(left, area.top + 12, left + 70, area.top + 12 + 6 * 71);
    if (auto* back = static_cast<MPicture*>(
            dlg.CreateArea(L"MPicture", id++,
                           CRect(vstrip.left - 4, vstrip.top - 4, vstrip.right + 4, vstrip.bottom + 4)))) {
        back->SetImage(L"img_tab_bkg.png", 1);
        back->SetShowMode(SHOW_MODE_FRAME, 12);
    }
    auto* vtabs = static_cast<MTabCtrl*>(dlg.CreateControl(L"MTabCtrl", id++, vstrip));
    const CRect vpage(left + 90, area.top + 12, left + 450, area.top + 200);
    if (auto* frame = static_cast<MPicture*>(dlg.CreateArea(L"MPicture", id++, vpage))) {
        frame->SetImage(L"img_area_content.png", 1);
        frame->SetShowMode(SHOW_MODE_FRAME, 10);
    }
    if (vtabs) {
        vtabs->SetTabType(TAB_VERTICAL);
        vtabs->SetTabCtrlWidth(70);
        vtabs->SetTabCtrlHeight(70);
        for (int i = 0; i < 6; ++i) {
            auto* page = static_cast<MTabLayout*>(vtabs->CreatePanel(L"MTabLayout", id++, vpage));
            FillPage(page, id, vpage, i);
            vtabs->InsertItem(i + 1, gallery::Word(i % 4, 3), kTabIcons[i], page, 4, 0);
        }
        vtabs->SetItemVisible(4, 0); // a hidden tab leaves no gap
        vtabs->SetSelectItem(2);
        vtabs->OnControlMouseMove(0, CPoint(vstrip.left + 30, vstrip.top + 30));
    }

    // Horizontal strip: frame 0 normal, frame 1 for hot and selected tabs.
    const CRect hstrip(left + 90, area.top + 220, left + 450, area.top + 300);
    auto* htabs = static_cast<MTabCtrl*>(dlg.CreateControl(L"MTabCtrl", id++, hstrip));
    if (htabs) {
        htabs->SetTabCtrlHeight(80);
        for (int i = 0; i < 4; ++i)
            htabs->InsertItem(i + 1, gallery::Word(i, 1), kTabIcons[i], nullptr, 4, 0);
        htabs->SetItemWidth(120, 60, 1);
        htabs->SetSelectItem(0);
        htabs->OnControlMouseMove(0, CPoint(hstrip.left + 200, hstrip.top + 20));
    }
    gallery::Label(dlg, id++, CRect(hstrip.left, hstrip.bottom + 4, hstrip.right, hstrip.bottom + 22),
                   L"MTabCtrl, vertical and horizontal", 0xFF8A8F98);

    // A panel whose content is larger than itself, scrolled part-way in both directions.
    const CRect panelRect(left + 490, area.top + 12, left + 940, area.top + 300);
    if (auto* frame = static_cast<MPicture*>(dlg.CreateArea(L"MPicture", id++, panelRect))) {
        frame->SetImage(L"img_area2.png", 1);
        frame->SetShowMode(SHOW_MODE_FRAME, 10);
    }
    if (MTabLayout* panel = gallery::Holder(dlg, id++, panelRect)) {
        for (int i = 0; i < 4; ++i) {
            const int y = panelRect.top + 16 + i * 44;
            if (auto* b = dynamic_cast<MButton*>(panel->CreateControl(
                    L"MButton", id++, CRect(panelRect.left + 16, y, panelRect.left + 196, y + 32),
                    gallery::Word(i, 2))))
                b->SetImage(L"img_button.png", 4);
        }
        panel->SetVirtualHeight(panelRect.Height() * 3);
        panel->SetVirtualWidth(panelRect.Width() * 2);
        for (int i = 0; i < 30; ++i)
            panel->OnControlScroll(1, 1, panelRect.CenterPoint());
        panel->GetScrollHorizontal()->SetScrollCurrentPos(panel->GetScrollHorizontal()->GetScrollMaxRange() /
                                                          3);
    }
    gallery::Label(dlg, id++,
                   CRect(panelRect.left, panelRect.bottom + 4, panelRect.right, panelRect.bottom + 22),
                   L"MPanel: both scroll bars; the wheel moves 5 pixels a notch", 0xFF8A8F98);
}

} // namespace

TRELLIS_GALLERY_PAGE(13, L"Tabs and panels", BuildTabsAndPanels);
