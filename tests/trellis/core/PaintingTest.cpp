// Painting and resources: background and border, layered transparency, the image cache,
// nine-grid and colour helpers, overlapping repaint, images that are missing or too large.
#include "CoreTestSupport.h"

#include "platform/Text.h"
#include "platform/ui/Draw.h"
#include "trellis/core/MImageList.h"
#include "trellis/core/MRender.h"

#include <cstdio>
#include <fstream>

using namespace coretest;
using Painting = HeadlessTest;

namespace {

// Writes a PNG of w x h pixels, each pixel from colorAt(x, y).
template <typename F> void WritePng(const std::string& path, int w, int h, F colorAt)
{
    ws::Surface s(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            s.SetPixel(x, y, colorAt(x, y));
    ASSERT_TRUE(s.SavePng(path));
}

std::unique_ptr<ws::Surface> Frame(HWND h)
{
    ws::PumpMessages();
    return ws::CaptureWindow(h);
}

} // namespace

TEST_F(Painting, WithoutBackgroundImageTheBorderIsOnePixel)
{
    TestDialog dlg;
    HWND h = Open(dlg, 40, 30);
    dlg.GetPaintManager().SetBackColor(RGB(10, 20, 30), RGB(200, 100, 50));
    dlg.GetPaintManager().Invalidate();
    auto f = Frame(h);
    EXPECT_EQ(f->GetPixel(0, 0), 0xFEC86432u);
    EXPECT_EQ(f->GetPixel(39, 15), 0xFEC86432u);
    EXPECT_EQ(f->GetPixel(20, 29), 0xFEC86432u);
    EXPECT_EQ(f->GetPixel(1, 1), 0xFE0A141Eu);
    EXPECT_EQ(f->GetPixel(38, 28), 0xFE0A141Eu);

    // A repaint of one corner rewrites the border and the inside there and nothing else.
    dlg.GetPaintManager().SetBackColor(RGB(1, 2, 3), RGB(4, 5, 6));
    dlg.GetPaintManager().InvalidateRect(CRect(30, 20, 40, 30), 0);
    f = Frame(h);
    EXPECT_EQ(f->GetPixel(39, 25), 0xFE040506u);
    EXPECT_EQ(f->GetPixel(35, 29), 0xFE040506u);
    EXPECT_EQ(f->GetPixel(35, 25), 0xFE010203u);
    EXPECT_EQ(f->GetPixel(39, 15), 0xFEC86432u);
    EXPECT_EQ(f->GetPixel(20, 15), 0xFE0A141Eu);
}

TEST_F(Painting, LayeredWindowKeepsUntouchedPixelsTransparent)
{
    WritePng(skins.File("bg.png"), 20, 10, [](int x, int) { return x < 10 ? 0xFF00FF00u : 0u; });
    TestDialog dlg;
    dlg.SetLayeredWindow(1);
    HWND h = Open(dlg, 40, 30);
    ASSERT_EQ(dlg.LoadBKImage(L"bg.png"), 1);
    Probe* p = AddProbe(dlg, 1, CRect(30, 20, 35, 25));
    p->fill = 0xFF000000; // pure black drawn by a control stays black, not transparent
    auto f = Frame(h);
    EXPECT_EQ(f->GetPixel(5, 5), 0xFF00FF00u);
    EXPECT_EQ(f->GetPixel(15, 5), 0u);
    EXPECT_EQ(f->GetPixel(25, 25), 0u);
    EXPECT_EQ(f->GetPixel(32, 22), 0xFF000000u);
    EXPECT_TRUE(ws::GetWindowExStyle(h) & WS_EX_LAYERED);
}

TEST_F(Painting, BackgroundNineGridModeStretchesTheCentreOnly)
{
    WritePng(skins.File("frame.png"), 9, 9, [](int x, int y) {
        bool edgeX = x < 3 || x >= 6, edgeY = y < 3 || y >= 6;
        return edgeX && edgeY ? 0xFFFF0000u : (edgeX || edgeY ? 0xFF00FF00u : 0xFF0000FFu);
    });
    TestDialog dlg;
    HWND h = Open(dlg, 60, 40);
    dlg.LoadBKImage(L"frame.png");
    dlg.SetBackMode(BACK_MODE_FRAME, 3);
    dlg.GetPaintManager().Invalidate();
    auto f = Frame(h);
    EXPECT_EQ(f->GetPixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(f->GetPixel(2, 2), 0xFFFF0000u);
    EXPECT_EQ(f->GetPixel(57, 37), 0xFFFF0000u);
    EXPECT_EQ(f->GetPixel(30, 1), 0xFF00FF00u);
    EXPECT_EQ(f->GetPixel(1, 20), 0xFF00FF00u);
    EXPECT_EQ(f->GetPixel(30, 20), 0xFF0000FFu);
}

TEST(NineGrid, CornersAreNeverScaledAndEdgesStretchOneWay)
{
    // A 12 x 12 source: 4-pixel corners red, edges green, centre blue, framed inside a
    // 1-pixel-wide border of another frame that must never bleed in.
    ws::Surface src(14, 12);
    src.Clear(0xFFFFFF00);
    for (int y = 0; y < 12; ++y)
        for (int x = 1; x < 13; ++x) {
            int lx = x - 1;
            bool ex = lx < 4 || lx >= 8, ey = y < 4 || y >= 8;
            src.SetPixel(x, y, ex && ey ? 0xFFFF0000u : (ex || ey ? 0xFF00FF00u : 0xFF0000FFu));
        }
    auto img = ws::Image::FromSurface(src);
    ws::Surface dst(50, 30);
    MRender::DrawImageFrame(&dst, img.get(), CRect(0, 0, 50, 30), 1, 0, 12, 12, 4);
    struct Probe
    {
        int x, y;
        ARGB color;
    } probes[] = {{0, 0, 0xFFFF0000},   {3, 3, 0xFFFF0000},   {4, 4, 0xFF0000FF},   {46, 0, 0xFFFF0000},
                  {49, 29, 0xFFFF0000}, {0, 26, 0xFFFF0000},  {25, 0, 0xFF00FF00},  {25, 29, 0xFF00FF00},
                  {0, 15, 0xFF00FF00},  {49, 15, 0xFF00FF00}, {25, 15, 0xFF0000FF}, {45, 25, 0xFF0000FF}};
    for (const auto& p : probes)
        EXPECT_EQ(dst.GetPixel(p.x, p.y), p.color) << p.x << "," << p.y;
    // A destination smaller than the corners shrinks them instead of overlapping.
    ws::Surface tiny(6, 6);
    MRender::DrawImageFrame(&tiny, img.get(), CRect(0, 0, 6, 6), 1, 0, 12, 12, 4);
    EXPECT_EQ(tiny.GetPixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(tiny.GetPixel(5, 5), 0xFFFF0000u);
}

TEST(ColorHelpers, CheckAlphaColorRaisesOnlyBlack)
{
    struct Case
    {
        DWORD in, out;
    } cases[] = {{0xFF000000, 0xFF000001}, {0x00000000, 0x00000001}, {0x80000000, 0x80000001},
                 {0xFF000001, 0xFF000001}, {0xFF010000, 0xFF010000}, {0x00FFFFFF, 0x00FFFFFF}};
    for (const auto& c : cases) {
        DWORD v = c.in;
        MRender::CheckAlphaColor(v);
        EXPECT_EQ(v, c.out);
    }
    EXPECT_EQ(Color::FromCOLORREF(RGB(1, 2, 3)).GetValue(), 0xFF010203u);
    EXPECT_EQ(Color(0x80102030).ToCOLORREF(), RGB(0x10, 0x20, 0x30));
    EXPECT_EQ(MRender::GetOriginPoint(100, 50, 20, 10, 1, 4), CPoint(40, 20));
    EXPECT_EQ(MRender::GetOriginPoint(CRect(10, 10, 110, 60), 20, 10, 2, 8), CPoint(90, 52));
}

TEST_F(Painting, ImageCacheKeepsTheFirstFrameCount)
{
    WritePng(skins.File("strip.png"), 100, 10, [](int, int) { return 0xFF808080u; });
    TestDialog dlg;
    Open(dlg);
    auto* a = new Probe(&dlg, 1, CRect(0, 0, 10, 10), L"", 1, 1);
    auto* b = new Probe(&dlg, 2, CRect(0, 0, 10, 10), L"", 1, 1);
    EXPECT_EQ(a->SetImage(L"strip.png", 3), 0); // no manager yet
    a->SetManager(&dlg.GetPaintManager());
    b->SetManager(&dlg.GetPaintManager());
    dlg.GetPaintManager().AddControl(1, a);
    dlg.GetPaintManager().AddControl(1, b);
    EXPECT_EQ(a->SetImage(L"strip.png", 3), 1);
    EXPECT_EQ(b->SetImage(L"strip.png", 4), 1);
    EXPECT_EQ(a->GetImageSize(), CSize(33, 10));
    EXPECT_EQ(b->GetImageSize(), CSize(33, 10));
    EXPECT_EQ(b->GetImageCount(), 3);
    EXPECT_EQ(a->GetSkinImage(), b->GetSkinImage()); // decoded once
    // Lookup is by exact name; a missing file changes nothing.
    EXPECT_EQ(b->SetImage(L"STRIP.png", 2), 0);
    EXPECT_EQ(b->GetImageCount(), 3);
    EXPECT_EQ(dlg.GetPaintManager().AddImgResInfo(L"strip.png", 0)->frameCount, 3);
}

TEST_F(Painting, BadImagesGiveNothing)
{
    {
        std::ofstream(skins.File("corrupt.png"), std::ios::binary) << "\x89PNG\r\n\x1a\n garbage";
    }
    // A PNG whose header claims 20000 x 10 pixels is refused before decoding.
    const unsigned char huge[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0,    0, 0,
                                  13,   'I', 'H', 'D', 'R',  0,    0,    0x4E, 0x20, 0, 0,
                                  0,    10,  8,   6,   0,    0,    0,    0,    0,    0, 0};
    std::ofstream(skins.File("huge.png"), std::ios::binary)
        .write(reinterpret_cast<const char*>(huge), sizeof huge);
    WritePng(skins.File("edge.png"), 16384, 1, [](int, int) { return 0xFF000000u; });
    EXPECT_EQ(ws::Image::LoadPng(skins.File("huge.png")), nullptr);
    EXPECT_EQ(ws::Image::LoadPng(skins.File("corrupt.png")), nullptr);
    EXPECT_EQ(ws::Image::LoadPng(skins.File("missing.png")), nullptr);
    EXPECT_NE(ws::Image::LoadPng(skins.File("edge.png")), nullptr);
    TestDialog dlg;
    HWND h = Open(dlg, 50, 50);
    for (const wchar_t* name : {L"corrupt.png", L"huge.png", L"missing.png", L""})
        EXPECT_EQ(dlg.GetPaintManager().AddImgResInfo(name, 1), nullptr);
    EXPECT_EQ(dlg.LoadBKImage(L"missing.png"), 0);
    auto f = Frame(h); // falls back to the two colours
    EXPECT_EQ(f->GetPixel(0, 0), 0xFEFF5019u);
    EXPECT_EQ(f->GetPixel(10, 10), 0xFE0A0B0Cu);
}

TEST_F(Painting, ContentChangeRebuildsOverlappingControlsAbove)
{
    TestDialog dlg;
    HWND h = Open(dlg);
    Probe* below = AddProbe(dlg, 1, CRect(10, 10, 60, 60));
    Probe* above = AddProbe(dlg, 2, CRect(50, 50, 100, 100));
    Probe* apart = AddProbe(dlg, 3, CRect(200, 10, 250, 60));
    ws::PumpMessages();
    below->SetUpdate(1, 0);
    above->SetUpdate(1, 0);
    apart->SetUpdate(1, 0);
    int apartDraws = apart->draws;
    below->UpdateControl(1);
    EXPECT_EQ(below->GetUpdate(), 0);
    EXPECT_EQ(above->GetUpdate(), 0);
    EXPECT_EQ(apart->GetUpdate(), 1);
    CRect invalid;
    ASSERT_TRUE(ws::GetUpdateRect(h, invalid));
    EXPECT_EQ(invalid, CRect(10, 10, 100, 100));
    ws::PumpMessages();
    EXPECT_EQ(apart->draws, apartDraws); // outside the repainted rectangle
    auto f = ws::CaptureWindow(h);
    EXPECT_EQ(f->GetPixel(55, 55), 0xFF3060C0u);
}

TEST_F(Painting, ZeroSizedAndMinimisedWindowsPaintNothing)
{
    TestDialog dlg;
    HWND h = dlg.Create(0, L"z", WS_POPUP, 0, CRect(10, 10, 10, 10));
    dlg.ShowWindow(SW_SHOW);
    AddProbe(dlg, 1, CRect(0, 0, 10, 10));
    ws::PumpMessages();
    EXPECT_EQ(ws::CaptureWindow(h)->Width(), 0);
    dlg.MoveWindow(CRect(10, 10, 60, 60));
    dlg.ShowWindow(SW_MINIMIZE);
    ws::PumpMessages();
    EXPECT_EQ(ws::CaptureWindow(h)->GetPixel(5, 5), 0u);
}

TEST_F(Painting, OverlayMessageDrawsOverControls)
{
    TestDialog dlg;
    HWND h = Open(dlg, 200, 100);
    AddProbe(dlg, 1, CRect(0, 0, 200, 100));
    dlg.SetMessage(L"Saving", CRect(20, 20, 180, 80), 16);
    auto f = Frame(h);
    EXPECT_EQ(f->GetPixel(5, 5), 0xFF3060C0u);
    EXPECT_EQ(f->GetPixel(20, 50), 0xFF6D6D6Du); // 2-pixel outline
    EXPECT_EQ(f->GetPixel(24, 24), 0xFF141414u);
    int white = 0;
    for (int y = 22; y < 78; ++y)
        for (int x = 22; x < 178; ++x)
            if ((f->GetPixel(x, y) & 0xFF) > 200) ++white;
    EXPECT_GT(white, 20); // the text
    dlg.SetMessage(L"", CRect(), 16);
    f = Frame(h);
    EXPECT_EQ(f->GetPixel(24, 24), 0xFF3060C0u);
}

TEST_F(Painting, TextInTheSameFontMeasuresConsistently)
{
    FontSpec font;
    font.family = L"Segoe UI";
    font.sizePx = 14;
    CSize one = MRender::GetTextBounds(font, L"Korvane");
    CSize two = MRender::GetTextBounds(font, L"Korvane Korvane");
    EXPECT_GT(one.cx, 20);
    EXPECT_GT(two.cx, one.cx * 2);
    EXPECT_EQ(one.cy, two.cy);
    FontSpec unknown = font;
    unknown.family = L"No Such Font 123";
    EXPECT_GT(MRender::GetTextBounds(unknown, L"Korvane").cx, 0); // falls back, never fails
    EXPECT_TRUE(ws::FontFamilyExists(L"Segoe UI"));               // through the shipped aliases
    EXPECT_FALSE(ws::FontFamilyExists(L"No Such Font 123"));
    CRect calc(0, 0, 0, 0);
    EXPECT_GT(MRender::DrawTextW(nullptr, calc, L"Hi", RGB(0, 0, 0), nullptr, DT_CALCRECT | DT_SINGLELINE),
              0);
    EXPECT_GT(calc.Width(), 0);
    EXPECT_EQ(MRender::DrawTextW(nullptr, calc, L"", RGB(0, 0, 0), nullptr, 0), 0);
}

TEST_F(Painting, ImageListIndicesAndDrawing)
{
    WritePng(skins.File("icon.png"), 8, 4, [](int x, int) { return x < 4 ? 0xFFFF0000u : 0xFF0000FFu; });
    MImageList list;
    std::wstring path = platform::FromUtf8(skins.File("icon.png"));
    EXPECT_EQ(list.AddImage(L"", 1, 1), -1);
    EXPECT_EQ(list.AddImage(path, 10, 2), 0);
    EXPECT_EQ(list.InsertImage(0, path, 11, 1), 0);
    EXPECT_EQ(list.InsertImage(5, path, 12, 1), -1);
    EXPECT_EQ(list.InsertImage(-2, path, 12, 1), -1);
    EXPECT_EQ(list.GetImageCount(), 2);
    EXPECT_EQ(list.GetImageDataByID(10)->frameWidth, 4);
    EXPECT_EQ(list.GetImagePathByID(11), path);
    ws::Surface s(20, 20);
    list.DrawItemIcon(&s, CRect(0, 0, 20, 20), 1); // frame 0 only: red all over
    EXPECT_EQ(s.GetPixel(18, 10), 0xFFFF0000u);
    list.DelAllImages();
    EXPECT_EQ(list.GetImageCount(), 0);
}

TEST(Transitions, FadesRunBetweenTheTwoPercentages)
{
    ws::Surface dst(10, 20), src(10, 20);
    dst.Clear(0xFF000000);
    src.Clear(0xFFFFFFFF);
    // From 0 % to 100 %: the first row shows the source fully, the last not at all.
    int last = MRender::DrawVerticalTransition(&dst, &src, CRect(0, 0, 10, 20), CRect(0, 0, 10, 20), 0, 100);
    EXPECT_EQ(last, 0);
    EXPECT_EQ(dst.GetPixel(5, 0), 0xFFFFFFFFu);
    EXPECT_EQ(dst.GetPixel(5, 19), 0xFF000000u);
    uint32_t mid = dst.GetPixel(5, 10) & 0xFF;
    EXPECT_GT(mid, 100u);
    EXPECT_LT(mid, 160u);
    ws::Surface d2(20, 10);
    d2.Clear(0xFF000000);
    MRender::DrawHorizontalTransition(&d2, &src, CRect(0, 0, 20, 10), CRect(0, 0, 10, 10), 100, 0);
    EXPECT_EQ(d2.GetPixel(0, 5), 0xFF000000u); // reversed order rises instead
    EXPECT_EQ(d2.GetPixel(9, 5), 0xFFFFFFFFu);
    EXPECT_EQ(d2.GetPixel(15, 5), 0xFF000000u); // beyond the source: untouched
}

TEST(Transitions, GradientUsesTheMeanAlphaAndSkipsTransparent)
{
    ws::Surface s(10, 10);
    s.Clear(0xFF000000);
    MRender::DrawGradient(&s, CRect(0, 0, 10, 10), 0x00FFFFFF, 0x00FFFFFF, true, 16);
    EXPECT_EQ(s.GetPixel(5, 5), 0xFF000000u);
    MRender::DrawGradient(&s, CRect(0, 0, 10, 10), 0xFFFFFFFF, 0x00FFFFFF, true, 16); // mean alpha 127
    uint32_t v = s.GetPixel(5, 5) & 0xFF;
    EXPECT_GT(v, 110u);
    EXPECT_LT(v, 145u);
    MRender::DrawColor(&s, CRect(0, 0, 10, 10), 0x00FF0000); // alpha 0: nothing
    EXPECT_EQ(s.GetPixel(5, 5) & 0xFF, v);
}
