#pragma once
// Shared pieces of the core tests: a headless window system with no paint pause, a simple
// control that records what reaches it, a dialog that records its hooks and events.
#include "TempFolder.h"
#include "trellis/core/MDialog.h"
#include "trellis/core/Manager.h"

#include <atomic>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace coretest {

using namespace DUI;
namespace ws = platform::ui;

struct Event
{
    unsigned id;
    unsigned code;
    unsigned wParam;
    int lParam;
    bool operator==(const Event&) const = default;
};

// A control that fills its rectangle with one colour and records what reaches its hooks.
class Probe : public MControlFont
{
public:
    Probe(MObject* parent, UINT id, CRect rect, const std::wstring& title, int visible, int enabled)
        : MControlFont(parent, id, rect, title, visible, enabled, 1)
    {
    }
    void DrawControl(HDC dc, CRect) override
    {
        ++draws;
        if (fill) dc->Clear(m_rect, fill);
    }
    int OnControlLButtonDown(unsigned, CPoint pt) override
    {
        log.push_back(L"down");
        SendMessageW(NOTIFY_PRESS);
        return 1;
    }
    int OnControlLButtonUp(unsigned, CPoint pt) override
    {
        log.push_back(m_rect.PtInRect(pt) ? L"up-in" : L"up-out");
        if (m_rect.PtInRect(pt)) SendMessageW(NOTIFY_CLICK);
        return 1;
    }
    int OnControlLButtonDblClk(unsigned, CPoint) override
    {
        log.push_back(L"dblclk");
        return 1;
    }
    int OnControlMouseMove(unsigned, CPoint pt) override
    {
        if (m_rect.PtInRect(pt) || m_bMouseDown) log.push_back(L"move");
        return 1;
    }
    int OnControlKeyDown(unsigned vk, unsigned, unsigned mods) override
    {
        keys.push_back(vk | (mods << 16));
        return acceptKeys;
    }
    int SetControlFocus(int focus) override
    {
        MControl::SetControlFocus(focus);
        m_bFocused = focus;
        log.push_back(focus ? L"focus" : L"blur");
        return 1;
    }
    int OnControlTimer() override
    {
        ++ticks;
        return 1;
    }
    int OnControlScroll(int, unsigned direction, CPoint) override
    {
        scrolls.push_back(direction);
        return 1;
    }

    ARGB fill = 0xFF3060C0;
    int draws = 0;
    std::atomic<int> ticks{0};
    int acceptKeys = 0;
    std::vector<std::wstring> log;
    std::vector<unsigned> keys;
    std::vector<unsigned> scrolls;
};

class TestDialog : public MDialog
{
public:
    int OnMessage(unsigned id, unsigned code, unsigned wParam, int lParam) override
    {
        events.push_back({id, code, wParam, lParam});
        return 0;
    }
    void InitUI(CRect client) override { ++initCalls; }
    void UISize(CRect client) override { sizes.push_back(client); }
    int OnClose() override
    {
        ++closes;
        return 1;
    }

    std::vector<Event> events;
    std::vector<CRect> sizes;
    int initCalls = 0;
    int closes = 0;
};

// Headless window system, no pause after paints, skins from an empty temporary folder.
class HeadlessTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ws::InitWindowSystem(ws::Backend::Headless));
        PaintManager::SetPaintPauseMs(0);
        Manager::SetSkinFolder(skins.Path());
    }
    void TearDown() override
    {
        Manager::SetSkinFolder("");
        PaintManager::SetPaintPauseMs(15);
    }
    // Creates a shown dialog at (100, 100) of the given client size and paints it once.
    HWND Open(TestDialog& dlg, int cx = 300, int cy = 200)
    {
        HWND h = dlg.Create(0, L"test", WS_POPUP, 0, CRect(100, 100, 100 + cx, 100 + cy));
        dlg.ShowWindow(SW_SHOW);
        ws::PumpMessages();
        return h;
    }
    Probe* AddProbe(TestDialog& dlg, UINT id, CRect rc)
    {
        auto* p = new Probe(&dlg, id, rc, L"", 1, 1);
        p->SetManager(&dlg.GetPaintManager());
        dlg.GetPaintManager().AddControl(1, p);
        return p;
    }
    void Click(HWND h, CPoint pt)
    {
        ws::InjectMouseMove(h, pt);
        ws::InjectMouseButton(h, pt, 0, true);
        ws::InjectMouseButton(h, pt, 0, false);
        ws::PumpMessages();
    }

    TempFolder skins;
};

} // namespace coretest
