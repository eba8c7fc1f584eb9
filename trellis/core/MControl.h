#pragma once
// The windowless control: a rectangle in its host window's client area with flags, two child
// lists (decorating areas and interactive controls), the mouse/keyboard/timer routers that
// carry input down the tree, and the off-screen caches that hold its rendered states.
#include "trellis/core/MObject.h"
#include "trellis/core/NotifyCodes.h"

#include <mutex>
#include <vector>

namespace DUI {

class PaintManager;

// Layout helper: mode 0 = offset from start (or from end), 1 = centre +/- value,
// 2 = percentage of the span.
struct POSITION_ITEM
{
    int mode = 0;
    int fromEnd = 0;
    float value = 0;
};

class MControl : public MObject
{
public:
    MControl(MObject* parent, UINT id, CRect rect, int visible, int enabled, int response);
    ~MControl() override;
    MControl(const MControl&) = delete;
    MControl& operator=(const MControl&) = delete;

    // --- per-class hooks (virtual) ---
    const wchar_t* GetClassNameW() override { return L"MControl"; }
    virtual void InitControl(PaintManager* manager) {}
    virtual int PtInRect(CPoint pt);
    virtual void DrawControl(HDC dc, CRect clip) = 0;
    virtual int DrawSubControls(HDC dc, CRect clip);
    virtual int IsDraw(CPoint pt) { return 0; }
    virtual void SetUpdate(int valid, DWORD backColor);
    virtual int SetControlFocus(int focus);
    virtual void InitUI(CRect rect) {}
    virtual int OnMousePointChange(CPoint& pt) { return 0; }
    virtual int OnCheckMouseResponse(unsigned flags, CPoint pt) { return 1; }
    virtual LRESULT OnWindowMessage(unsigned msg, WPARAM wParam, LPARAM lParam) { return 0; }
    virtual int OnMessage(unsigned id, unsigned code, unsigned wParam, int lParam) { return 0; }
    virtual void SetControlRect(CRect rect) { m_rect = rect; }
    virtual void SetControlVisible(int visible) { m_bVisible = visible; }
    virtual void SetControlWndVisible(int visible) {}
    virtual void SetControlEnabled(int enabled) { m_bEnabled = enabled; }
    virtual int OnControlTimer() { return 0; }
    virtual HBITMAP GetControlDropBitmap() { return nullptr; }
    virtual int OnControlMouseMove(unsigned flags, CPoint pt) { return 0; }
    virtual int OnControlSetCursor(unsigned flags, CPoint pt);
    virtual int OnControlLButtonDown(unsigned flags, CPoint pt) { return 0; }
    virtual int OnControlLButtonUp(unsigned flags, CPoint pt) { return 0; }
    virtual int OnControlLButtonDblClk(unsigned flags, CPoint pt) { return 0; }
    virtual int OnControlScroll(int bar, unsigned direction, CPoint pt) { return 0; }
    virtual int OnControlRButtonDown(unsigned flags, CPoint pt) { return 0; }
    virtual int OnControlRButtonUp(unsigned flags, CPoint pt) { return 0; }
    virtual int OnControlRButtonDblClk(unsigned flags, CPoint pt) { return 0; }
    virtual int OnControlKeyDown(unsigned vk, unsigned repeat, unsigned modifiers) { return 0; }
    virtual void OnPositionChange() {}
    virtual void InvalidateRect(CRect rect, int erase);

    // --- routers (non-virtual): input travels down the tree through these ---
    int OnMouseMove(unsigned flags, CPoint pt);
    int OnLButtonDown(unsigned flags, CPoint pt) { return RouteButtonDown(true, flags, pt); }
    int OnLButtonUp(unsigned flags, CPoint pt) { return RouteButtonUp(true, flags, pt); }
    int OnLButtonDblClk(unsigned flags, CPoint pt) { return RouteButtonDblClk(true, flags, pt); }
    int OnRButtonDown(unsigned flags, CPoint pt) { return RouteButtonDown(false, flags, pt); }
    int OnRButtonUp(unsigned flags, CPoint pt) { return RouteButtonUp(false, flags, pt); }
    int OnRButtonDblClk(unsigned flags, CPoint pt) { return RouteButtonDblClk(false, flags, pt); }
    int OnScroll(int bar, unsigned direction, CPoint pt);
    int OnKeyDown(unsigned vk, unsigned repeat, unsigned modifiers);
    int OnKeyUp(unsigned vk, unsigned repeat, unsigned modifiers) { return 0; }
    int OnTimer();
    void Draw(HDC dc, CRect clip);

    // --- geometry, state and repaint requests ---
    void SetRect(CRect rect);
    void SetRect(int x, int y, int cx, int cy) { SetRect(CRect(x, y, x + cx, y + cy)); }
    CRect GetRect() const { return m_rect; }
    void SetVisible(int visible);
    void SetVisible(int visible, int notify);
    int IsVisible() const { return m_bVisible; }
    void SetEnabled(int enabled);
    int IsEnabled() const { return m_bEnabled; }
    int IsParentVisible();
    void UpdateControl(int redraw = 1, int force = 0);
    void UpdateControl(CRect rect, int force, int redraw);
    void UpdateAControl(int rebuild, int force = 0);

    // --- events ---
    int SendMessageW(unsigned code, unsigned wParam = 0, int lParam = 0);

    // --- tree ---
    MObject* GetParantObject() const { return m_pParent; }
    void SetParent(MObject* parent) { m_pParent = parent; }
    PaintManager* GetManager() const { return m_pManager; }
    // Stores the manager and calls InitControl (for controls built without a factory).
    void SetManager(PaintManager* manager);
    UINT GetControlID() const { return m_uID; }
    void SetControlID(UINT id) { m_uID = id; }
    MControl* GetControl(UINT id);
    std::vector<MControl*>& GetControls() { return m_controls; }
    std::vector<MControl*>& GetAreas() { return m_areas; }
    // Appends a control this object will own (kind 0 = area, 1 = control), under the list's lock.
    void AddChild(int kind, MControl* child);
    int RemoveControl(MControl* child);
    void RemoveAllControl();
    std::recursive_mutex& AreaLock() { return m_areaLock; }
    std::recursive_mutex& ControlLock() { return m_controlLock; }

    // --- tooltip, cursor, timers, focus ---
    void SetTooltip(const std::wstring& text) { m_strTooltip = text; }
    void SetTooltip(const std::wstring& text, CRect rect);
    void ClearTooltip();
    const std::wstring& GetTooltip() const { return m_strTooltip; }
    int SetCursorEx(const std::wstring& name);
    HCURSOR GetCursorEx() const { return m_hCursor; }
    void AddMTimer();
    void OnFocus(int focus) { SetControlFocus(focus); }
    int IsFocusControl();
    MControl* GetFocusControl();
    MControl* GetNextFocusableControl(MControl* current);
    MControl* GetPrevFocusableControl(MControl* current);

    // --- flags ---
    int IsDragDrop() const { return m_bDragDrop; }
    void SetDragDrop(int on) { m_bDragDrop = on; }
    int GetRresponse() const { return m_bResponse; }
    void SetRresponse(int on) { m_bResponse = on; }
    int IsTabStop() const { return m_bTabStop; }
    void SetTabStop(int on) { m_bTabStop = on; }
    int GetDblClk() const { return m_bDblClk; }
    void SetDblClk(int on) { m_bDblClk = on; }
    int IsMouseDown() const { return m_bMouseDown; }
    int IsKeyDown() const { return m_bKeyDown; }
    int IsFocused() const { return m_bFocused; }
    int GetUpdate() const { return m_bUpdate; }
    int GetAUpdate() const { return m_bAUpdate; }
    int IsRunTimer() const { return m_bRunTimer; }
    void SetRunTimer(int on) { m_bRunTimer = on; }
    int UseImageECM() const { return m_bUseImageECM; }
    void SetImageECM(int on) { m_bUseImageECM = on; }
    MControl* GetMouseChild() const { return m_pMouseChild; }

    // --- off-screen caches ---
    // Marks the render cache valid; (re)creates it at cx x cy when the size differs.
    void UpdateMemDC(HDC dc, int cx, int cy);
    // Always recreates the animation surface at cx x cy and marks it valid.
    void UpdateAnimateDC(HDC dc, int cx, int cy);
    HDC GetMemDC() { return m_memDC.get(); }
    HDC GetAnimateDC() { return m_animDC.get(); }
    HBITMAP GetDropBitmap() { return GetControlDropBitmap(); }

    static int PositionItem2Value(const POSITION_ITEM& item, int start, int end);

protected:
    int RouteButtonDown(bool left, unsigned flags, CPoint pt);
    int RouteButtonUp(bool left, unsigned flags, CPoint pt);
    int RouteButtonDblClk(bool left, unsigned flags, CPoint pt);
    // Copies `state` slice (x = state x width) of the render cache to the control's rect.
    void DrawCachedState(HDC dc, int state);
    // Starts rebuilding an n-state cache: sizes it and fills every slice with the pixels under
    // the control (so the control's background is whatever was drawn below it).
    void BeginStateCache(HDC dc, int states);

    MObject* m_pParent;
    PaintManager* m_pManager = nullptr;
    UINT m_uID;
    CRect m_rect;
    int m_bVisible;
    int m_bEnabled;
    int m_bDragDrop = 0;
    int m_bResponse;
    int m_bTabStop = 0;
    int m_bDblClk = 0;
    int m_bMouseDown = 0;
    int m_bKeyDown = 0;
    int m_bFocused = 0;
    int m_bUpdate = 0;
    int m_bAUpdate = 0;
    int m_bRunTimer = 0;
    int m_bUseImageECM = 0;
    std::vector<MControl*> m_areas;
    std::recursive_mutex m_areaLock;
    std::vector<MControl*> m_controls;
    std::recursive_mutex m_controlLock;
    MControl* m_pMouseChild = nullptr;
    std::unique_ptr<platform::ui::Surface> m_memDC;
    int m_memWidth = 0;
    int m_memHeight = 0;
    std::unique_ptr<platform::ui::Surface> m_animDC;
    int m_animWidth = 0;
    int m_animHeight = 0;
    std::wstring m_strTooltip;
    HCURSOR m_hCursor = HCURSOR::None;
};

} // namespace DUI
