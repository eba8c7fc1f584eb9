#pragma once
// One per host window: holds the window's top-level controls, routes the window's input to
// them, paints them into an off-screen surface and puts it on screen, and owns the window's
// resources (skin image cache, fonts, control timers, the shared timer, tooltip and caret).
#include "trellis/core/CMTimer.h"
#include "trellis/core/ControlFactory.h"
#include "trellis/core/ImgResInfo.h"
#include "trellis/core/MControlFont.h"

#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace DUI {

class MWindow;
class TooltipWnd;

enum enumBackMode
{
    BACK_MODE_NORMAL = 0,
    BACK_MODE_FRAME = 1
};

class PaintManager : public CMTimer
{
public:
    PaintManager();
    ~PaintManager() override;

    // Binds the manager to its window (MDialog::OnInitDialog).
    void Init(HWND hwnd, MWindow* owner);
    // Frees everything that belongs to the window; runs once (later calls do nothing).
    void DestroyData();

    // --- controls ---
    MControl* CreateControl(MObject* parent, const std::wstring& className, UINT id, CRect rect,
                            const std::wstring& title, int visible, int enabled);
    MControl* CreateArea(MObject* parent, const std::wstring& className, UINT id, CRect rect,
                         const std::wstring& title, int visible, int enabled);
    MControl* CreateControl(unsigned kind, MObject* parent, const std::wstring& className, UINT id,
                            CRect rect, const std::wstring& title, int visible, int enabled);
    // Appends a control built elsewhere (kind 0 = area, 1 = control); the manager owns it.
    void AddControl(unsigned kind, MControl* control);
    MControl* GetControl(UINT id);
    std::vector<MControl*>& GetControls() { return m_controls; }
    std::vector<MControl*>& GetAreas() { return m_areas; }
    int RemoveControl(MControl* control);
    void RemoveAllControl();
    // Forgets every reference the window keeps to a control that is being deleted anywhere in
    // the tree (hover, focus, tooltip owner, timers, caret).
    void OnControlRemoved(MControl* control);
    std::recursive_mutex& ControlLock() { return m_controlLock; }
    std::recursive_mutex& AreaLock() { return m_areaLock; }

    // --- window-level input ---
    LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    int PreTranslateMessage(const MSG& msg);
    MControl* GetHoverControl() const { return m_pHover; }
    MControl* GetFocusControl() const { return m_pFocus; }
    void SetFocusControl(MControl* control); // old gets SetControlFocus(0), new SetControlFocus(1)
    void SetFocus(MControl* control) { m_pFocus = control; } // record only
    MControl* GetNextFocusControl(bool backwards);
    int IsCaptured() const { return m_bCaptured; }
    void SetCaptionRect(CRect rect) { m_rcCaption = rect; }
    CRect GetCaptionRect() const { return m_rcCaption; }
    void EnableWndDrag(int enable) { m_bWndDrag = enable; }
    void SetWindowMaxSize(int cx, int cy) { m_maxSize = CSize(cx, cy); }
    void SetWindowMixSize(int cx, int cy) { m_minSize = CSize(cx, cy); }
    CSize GetWindowManSize() const { return m_maxSize; }
    CSize GetWindowMinSize() const { return m_minSize; }
    static int ModifierCode();

    // --- tooltip ---
    void SetTooltip(const std::wstring& text, CRect rect);
    void ClearTooltip();
    void SetTooltipCtrlID(int id) { m_nTooltipCtrlID = id; }
    int GetTooltipCtrlID() const { return m_nTooltipCtrlID; }
    const std::wstring& GetTooltipText() const { return m_strTooltip; }
    bool IsTooltipShown() const;

    // --- control timers (window timers bound to a control and key) ---
    int SetTimer(MControl* control, UINT key, UINT ms);
    int KillTimer(MControl* control, UINT key);
    void KillTimer(MControl* control);
    void ClearTimers();
    using CMTimer::KillTimer;
    using CMTimer::SetTimer;

    // --- shared timer ---
    UINT SetMTimer(UINT ms);
    void KillMTimer(UINT id);
    void AddMTimer(MControl* control);
    void DeleteTimer(MControl* control);
    void OnMTimer(unsigned id) override;
    using CMTimer::OnMTimer;

    // --- painting ---
    int OnPaint();
    int LoadBKImage(const std::wstring& fileName);
    int LoadBKImage(UINT id, const std::wstring& type);
    void SetBackMode(enumBackMode mode, int value);
    void SetBackColor(COLORREF background, COLORREF border);
    COLORREF GetBackColor() const { return m_backColor; }
    COLORREF GetBorderColor() const { return m_borderColor; }
    void SetLayeredWindow(int layered) { m_bLayered = layered; }
    int IsLayered() const { return m_bLayered; }
    void Invalidate();
    void InvalidateRect(CRect rect, int erase);
    int OnControlUpdate(CRect rect, int redraw, MControl* control);
    DWORD GetDefaultEnabledColor() const { return m_disabledColor; }
    void SetDefaultEnabledColor(DWORD argb) { m_disabledColor = argb; }
    void SetScrollResID(UINT vertical, UINT horizontal)
    {
        m_scrollV = vertical;
        m_scrollH = horizontal;
    }
    UINT GetScrollVID() const { return m_scrollV; }
    UINT GetScrollHID() const { return m_scrollH; }
    void SetMessage(const std::wstring& text, CRect rect, int fontSize);
    void SetProgress(int percent, const std::wstring& text, CRect rect);
    // The window's off-screen surface while a paint runs (null otherwise).
    HDC GetPaintDC() { return m_paintSurface.get(); }
    HWND GetPaintWnd() const { return m_hWnd; }
    MWindow* GetMDialog() const { return m_pOwner; }
    void GetClientRect(CRect& rect);
    void GetWindowRect(CRect& rect);
    void GetClientSize(int& cx, int& cy);
    HBITMAP GenerateBitmap(MControl* control, CRect rect, DWORD backColor);
    HBITMAP GetDropBitmap(MControl* control, CRect rect, DWORD backColor)
    {
        return GenerateBitmap(control, rect, backColor);
    }
    // Pause after every paint (caps a busy window near 60 frames a second); 15 ms by default.
    static void SetPaintPauseMs(int ms);

    // --- image cache ---
    ImgResInfo* AddImgResInfo(const std::wstring& fileName, int frameCount);
    ImgResInfo* AddImgResInfo(UINT id, const std::wstring& type, int frameCount, int fromApplication);
    void ClearImgResInfo();

    // --- fonts ---
    void AddGDITempFont(UINT id, const std::wstring& type);
    FontFamilyPtr AddTempFont(const std::wstring& family, const std::wstring& file);
    FontFamilyPtr AddTempFont(const std::wstring& family, UINT id);
    FontFamilyPtr FindTempFont(const std::wstring& family);
    // The private font of that name, null when none was added (GetFontFamily).
    FontFamilyPtr GetPrivateFont(const std::wstring& family);
    void ClearTempFont();

    // --- caret ---
    void CreateCaret(HBITMAP bitmap, int width, int height);
    void SetCaretPos(MControlFont* owner, int x, int y);
    void ShowCaret(int show);
    MControlFont* GetCurrentCaretObject() const { return m_pCaretOwner; }
    void DrawCaret(HDC dc, CRect clip);
    CRect GetCaretRect() const { return m_rcCaret; }

    // Timer ids the manager keeps for itself.
    static constexpr UINT kTimerProgressDone = 88;
    static constexpr UINT kTimerProgress = 99;
    static constexpr UINT kTimerTooltip = 66;
    static constexpr UINT kTimerCaret = 6553;

private:
    struct ControlTimer
    {
        HWND hwnd;
        MControl* control;
        UINT key;
        UINT eventId;
        bool running;
    };

    void OnMouseMoveMsg(UINT flags, CPoint pt);
    void OnMouseLeaveMsg();
    void OnButtonDown(bool left, UINT flags, CPoint pt);
    void OnButtonUp(bool left, UINT flags, CPoint pt);
    void OnButtonDblClk(bool left, UINT flags, CPoint pt);
    int OnMouseWheelMsg(WPARAM wParam, LPARAM lParam);
    void OnDeactivate();
    int OnKeyDownMsg(UINT vk);
    void OnTimerMsg(UINT id);
    void PaintOverlay(HDC dc);

    HWND m_hWnd = 0;
    MWindow* m_pOwner = nullptr;
    bool m_bDestroyed = false;
    MControl* m_pHover = nullptr;
    MControl* m_pFocus = nullptr;
    int m_bTracking = 0;
    int m_bCaptured = 0;
    int m_bButtonDown = 0;
    CRect m_rcCaption;
    int m_bWndDrag = 1;
    CSize m_maxSize;
    CSize m_minSize;

    std::vector<MControl*> m_areas;
    std::recursive_mutex m_areaLock;
    std::vector<MControl*> m_controls;
    std::recursive_mutex m_controlLock;

    std::vector<ControlTimer> m_timers;
    std::mutex m_timerLock;
    UINT m_timerCounter = 4096;
    UINT m_mTimerId = 0;
    std::vector<MControl*> m_mTimerControls;
    std::recursive_mutex m_mTimerLock;
    bool m_tickPending = false;

    std::unique_ptr<TooltipWnd> m_tooltip;
    std::wstring m_strTooltip;
    int m_nTooltipCtrlID = 0;

    ImagePtr m_bkImage;
    enumBackMode m_backMode = BACK_MODE_NORMAL;
    int m_backValue = 4;
    COLORREF m_backColor = RGB(10, 11, 12);
    COLORREF m_borderColor = RGB(255, 80, 25);
    int m_bLayered = 0;
    DWORD m_disabledColor = 0x808080;
    UINT m_scrollV = 0;
    UINT m_scrollH = 0;
    std::unique_ptr<platform::ui::Surface> m_paintSurface;

    std::map<std::wstring, std::unique_ptr<ImgResInfo>> m_imagesByName;
    std::map<UINT, std::unique_ptr<ImgResInfo>> m_imagesApp;
    std::map<UINT, std::unique_ptr<ImgResInfo>> m_imagesLib;
    std::mutex m_imageLock;
    std::map<std::wstring, FontFamilyPtr> m_fonts;
    std::map<std::wstring, FontFamilyPtr> m_privateFonts;
    std::mutex m_fontLock;

    std::wstring m_strMessage;
    CRect m_rcMessage;
    int m_nMessageFont = 16;
    int m_nProgress = -1;
    int m_nProgressShown = 0;

    MControlFont* m_pCaretOwner = nullptr;
    CRect m_rcCaret;
    CSize m_caretSize{1, 16};
    int m_bCaretShown = 0;
    int m_bCaretPhase = 0;
};

} // namespace DUI
