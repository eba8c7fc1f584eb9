#pragma once
// The skinned, caption-less host window in which windowless controls live. Application
// windows derive from it and override its hooks; it owns the PaintManager that holds the
// controls and does the input routing and painting.
#include "trellis/core/MWindow.h"
#include "trellis/core/PaintManager.h"

namespace DUI {

class MDialog : public MWindow, public MObject
{
public:
    MDialog();
    ~MDialog() override;

    // --- MWindow ---
    LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    int PreTranslateMessage(const MSG& msg) override;
    int OnInitDialog() override;
    void OnDestroyMessage(HWND hwnd) override;

    // --- MObject ---
    const wchar_t* GetClassNameW() override { return L"MDialog"; }
    int OnBaseMessage(unsigned id, unsigned code, unsigned wParam, int lParam) override;
    int OnControlUpdate(CRect rect, int redraw, MControl* control) override;

    // --- hooks, in the order the host calls them ---
    virtual POINT GetAirBladderPoint(MControl* control, UINT type);
    virtual void OnMinimize();
    virtual void OnMaximize();
    virtual void InitUI(CRect client) {}
    virtual void UISize(CRect client) {}
    virtual int OnMessage(unsigned id, unsigned code, unsigned wParam, int lParam) { return 0; }
    virtual int OnUserCloseWindow(WPARAM wParam, LPARAM lParam);
    virtual int OnCreate(void* createStruct);
    virtual int OnSize(UINT type, int cx, int cy);
    virtual int OnMouseMove(UINT flags, CPoint pt) { return 0; }
    virtual int OnMouseLeave(UINT flags, int) { return 0; }
    virtual int OnMouseHover(UINT flags, int) { return 0; }
    virtual int OnMouseWheel(UINT flags, short delta, CPoint pt) { return 0; }
    virtual int OnLButtonDown(UINT flags, CPoint pt) { return 0; }
    virtual int OnLButtonUp(UINT flags, CPoint pt) { return 0; }
    virtual int OnLButtonDblClk(UINT flags, CPoint pt) { return 0; }
    virtual int OnRButtonDown(UINT flags, CPoint pt) { return 0; }
    virtual int OnRButtonUp(UINT flags, CPoint pt) { return 0; }
    virtual int OnRButtonDblClk(UINT flags, CPoint pt) { return 0; }
    virtual int OnKeyDown(UINT vk, UINT repeat, UINT flags) { return 0; }
    virtual int OnNcHitTest(CPoint pt) { return 0; }
    virtual int OnGetMinMaxInfo(MINMAXINFO* info) { return 0; }
    virtual int OnNcCalcSize(int, void*) { return 0; }
    virtual int OnNcActivate(int active) { return 0; }
    virtual int OnWindowPosChanging(WINDOWPOS* pos) { return 1; }
    virtual int OnWindowPosChanged(WINDOWPOS* pos) { return 1; }
    virtual int OnPaint() { return 0; }
    virtual void OnTimer(UINT id) {}
    virtual int OnNcPaint() { return 0; }
    virtual int OnClose() { return 1; }
    virtual int OnDestroy() { return 0; }
    virtual int PostNcDestroy() { return 0; }

    // --- operations ---
    MControl* CreateControl(const std::wstring& className, UINT id, CRect rect,
                            const std::wstring& title = L"", int visible = 1, int enabled = 1);
    MControl* CreateArea(const std::wstring& className, UINT id, CRect rect, const std::wstring& title = L"",
                         int visible = 1, int enabled = 1);
    MControl* GetControl(UINT id) { return m_manager.GetControl(id); }
    std::vector<MControl*>& GetControls() { return m_manager.GetControls(); }
    void SetFocusControl(MControl* control) { m_manager.SetFocusControl(control); }
    UINT SetMTimer(UINT ms) { return m_manager.SetMTimer(ms); }
    void KillMTimer(UINT id) { m_manager.KillMTimer(id); }
    void DoOK();
    void DoCancel();
    void DoClose();
    void DoYes();
    void DoNo();
    void SetLayeredWindow(int layered) { m_manager.SetLayeredWindow(layered); }
    void SetBackMode(enumBackMode mode, int value) { m_manager.SetBackMode(mode, value); }
    int LoadBKImage(const std::wstring& fileName) { return m_manager.LoadBKImage(fileName); }
    int LoadBKImage(UINT id, const std::wstring& type) { return m_manager.LoadBKImage(id, type); }
    void SetScrollResID(UINT vertical, UINT horizontal) { m_manager.SetScrollResID(vertical, horizontal); }
    void EnableWndDrag(int enable) { m_manager.EnableWndDrag(enable); }
    void SetCaptionRect(CRect rect) { m_manager.SetCaptionRect(rect); }
    void SetTooltip(const std::wstring& text, CRect rect) { m_manager.SetTooltip(text, rect); }
    void ClearTooltip() { m_manager.ClearTooltip(); }
    void SetTooltipCtrlID(int id) { m_manager.SetTooltipCtrlID(id); }
    int GetTooltipCtrlID() const { return m_manager.GetTooltipCtrlID(); }
    void SetMessage(const std::wstring& text, CRect rect, int fontSize)
    {
        m_manager.SetMessage(text, rect, fontSize);
    }
    void SetProgress(int percent, const std::wstring& text, CRect rect)
    {
        m_manager.SetProgress(percent, text, rect);
    }
    PaintManager& GetPaintManager() { return m_manager; }
    const CRect& GetCurrentClientRect() const { return m_rcClient; }

    // The close message that DoOK/DoCancel/DoYes/DoNo post.
    static constexpr UINT kUserCloseMessage = 1090;

protected:
    PaintManager m_manager;
    CRect m_rcClient;
};

} // namespace DUI
