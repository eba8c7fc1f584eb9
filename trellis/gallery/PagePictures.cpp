// Gallery page: labels, pictures in every show mode, photo frame, sliding and animated
// pictures, and the plain areas.
#include "GalleryPage.h"
#include "PageControls.h"

#include "trellis/controls/CArea.h"
#include "trellis/controls/CGifPicture.h"
#include "trellis/controls/CPhotoFrame.h"
#include "trellis/controls/CRoundArea.h"
#include "trellis/controls/CSliderPicture.h"
#include "trellis/controls/MPicture.h"

namespace {

using namespace DUI;

void BuildPictures(MDialog& dlg, const CRect& area)
{
    UINT id = 100;
    const int left = area.left + 20;
    int y = area.top + 12;

    // Labels: the four scripts, the three alignments, and one wrapped paragraph.
    const unsigned aligns[] = {DT_LEFT, DT_CENTER, DT_RIGHT, DT_CENTER};
    for (int i = 0; i < 4; ++i) {
        auto* text = static_cast<MText*>(
            dlg.CreateControl(L"MText", id++, CRect(left + i * 240, y, left + i * 240 + 220, y + 26),
                              gallery::Word(i, 3) + L" \u00b7 " + gallery::Word(i, 2)));
        if (!text) continue;
        text->SetAlignment(aligns[i], DT_VCENTER);
        text->SetFont(L"Segoe UI", 15 + i, i == 3 ? FontStyleBold : FontStyleRegular);
        if (i == 1) text->SetTextColor(0xFFFA373E);
    }
    y += 34;
    if (auto* para = static_cast<MText*>(dlg.CreateControl(
            L"MText", id++, CRect(left, y, left + 940, y + 40),
            L"A multi-line label wraps at its width: Трекер движения мыши, 鼠标设置, การตั้งค่าเมาส์, and "
            L"English words all in one paragraph that is longer than the control is wide."))) {
        para->EnableMultiLine(1);
        para->SetTextColor(0xFFB9BDC6);
    }
    y += 52;

    // MPicture in its six show modes, each on a tile of the same size.
    const wchar_t* modeNames[] = {L"0 natural",   L"1 tiled",       L"2 stretched",
                                  L"3 nine-grid", L"4 four insets", L"5 custom part"};
    for (int mode = 0; mode < 6; ++mode) {
        const int x = left + mode * 158;
        const CRect tile(x, y, x + 146, y + 110);
        auto* picture = static_cast<MPicture*>(dlg.CreateControl(L"MPicture", id++, tile));
        if (picture) {
            if (mode == 0 || mode == 1)
                picture->SetImage(L"icon\\icon_windows.png", 1);
            else if (mode == 5)
                picture->SetImage(L"device\\vector.png", 1);
            else
                picture->SetImage(L"img_area_bkg.png", 1);
            picture->SetAlignment(DT_CENTER, DT_VCENTER);
            if (mode == 4)
                picture->SetShowModeMID(10, 50, 260, 10);
            else
                picture->SetShowMode(static_cast<enumShowMode>(mode), 10);
            if (mode == 5) picture->SetCustomRect(CRect(60, 40, 240, 200));
        }
        gallery::Label(dlg, id++, CRect(x, y + 112, x + 146, y + 130), modeNames[mode], 0xFF8A8F98,
                       DT_CENTER);
    }
    y += 142;

    // Photo frames (push buttons) in four states.
    for (int c = 0; c < 4; ++c) {
        const int x = left + c * 90;
        auto* photo =
            static_cast<CPhotoFrame*>(dlg.CreateControl(L"CPhotoFrame", id++, CRect(x, y, x + 76, y + 100)));
        if (!photo) continue;
        photo->SetImage(L"device\\talon.png", 1);
        photo->SetPhotoFrame(L"img_photo_frame.png", 4);
        gallery::Pose(photo, c);
    }
    gallery::Label(dlg, id++, CRect(left, y + 102, left + 350, y + 120), L"CPhotoFrame", 0xFF8A8F98,
                   DT_CENTER);

    // A picture half-way through sliding in from the left, and the loading animation.
    const int sx = left + 380;
    if (auto* slide = static_cast<CSliderPicture*>(
            dlg.CreateControl(L"CSliderPicture", id++, CRect(sx, y, sx + 160, y + 100)))) {
        slide->SetImage(L"logo.png", 1);
        slide->SetShowMode(SHOW_MODE_STRETCH, 0);
        slide->SetRun(1, SLIDER_FROM_LEFT);
        for (int i = 0; i < 50; ++i)
            slide->OnControlTimer();
    }
    gallery::Label(dlg, id++, CRect(sx, y + 102, sx + 160, y + 120), L"CSliderPicture", 0xFF8A8F98,
                   DT_CENTER);
    const int gx = sx + 180;
    if (auto* gif = static_cast<CGifPicture*>(
            dlg.CreateControl(L"CGifPicture", id++, CRect(gx, y, gx + 100, y + 100)))) {
        gif->SetImage(L"loading\\loading.gif", 1);
        gif->SetRunState(1, 5);
        gif->AddMTimer();
    }
    gallery::Label(dlg, id++, CRect(gx, y + 102, gx + 100, y + 120), L"CGifPicture", 0xFF8A8F98, DT_CENTER);
    y += 132;

    // Areas: the default white veil, a fade, a framed fill, and a translucent round area.
    const int ax = left;
    auto* veil = static_cast<CArea*>(dlg.CreateArea(L"CArea", id++, CRect(ax, y, ax + 200, y + 70)));
    (void)veil;
    if (auto* fade =
            static_cast<CArea*>(dlg.CreateArea(L"CArea", id++, CRect(ax + 220, y, ax + 420, y + 70))))
        fade->SetTransparent(0, 100, RGB(250, 55, 62));
    if (auto* framed =
            static_cast<CArea*>(dlg.CreateArea(L"CArea", id++, CRect(ax + 440, y, ax + 640, y + 70)))) {
        framed->SetTransparent(0, 0, RGB(34, 37, 43));
        framed->SetFrame(1, Color(0xFEFA373E));
    }
    if (MTabLayout* holder = gallery::Holder(dlg, id++, CRect(ax + 660, y, ax + 860, y + 70)))
        if (auto* round = static_cast<CRoundArea*>(
                holder->CreateControl(L"CRoundArea", id++, CRect(ax + 660, y, ax + 860, y + 70))))
            round->SetColor(Color(0x80288CFF));
    const wchar_t* areaNames[] = {L"CArea 80/80", L"CArea fade", L"CArea framed", L"CRoundArea"};
    for (int i = 0; i < 4; ++i)
        gallery::Label(dlg, id++, CRect(ax + i * 220, y + 72, ax + i * 220 + 200, y + 90), areaNames[i],
                       0xFF8A8F98, DT_CENTER);
}

} // namespace

TRELLIS_GALLERY_PAGE(12, L"Labels, pictures and areas", BuildPictures);
