#pragma once
// A strip of image tabs (horizontal or vertical), each with an optional page that is shown
// while its tab is selected. Tab texts are tooltips only; the strip draws images.
#include "trellis/core/MControlFont.h"

#include <vector>

namespace DUI {

enum TAB_TYPE
{
    TAB_HORIZONTAL = 0,
    TAB_VERTICAL = 1
};

struct TabItemInfo
{
    int visible = 1;
    ImagePtr image;
    int frameWidth = 0;
    int frameHeight = 0;
    int frameCount = 3;
    int ownWidth = 0; // width asked for at insertion (0 = the frame width)
    CRect rect;
    std::wstring text;
    unsigned id = 0;
    MControl* page = nullptr;
};

class MTabCtrl : public MControlFont
{
public:
    MTabCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled);
    ~MTabCtrl() override;

    // frameCount -1 = 3; width 0 = the image's frame width. Returns 1.
    int InsertItem(unsigned id, const std::wstring& text, const std::wstring& imageFile, MControl* page,
                   int frameCount = -1, int width = 0);
    void DeleteItem(int index);
    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    const TabItemInfo* GetItemInfo(int index) const;
    unsigned GetItemID(int index) const;
    void SetItemText(int index, const std::wstring& text);
    void SetTabTooltip(int index, const std::wstring& text) { SetItemText(index, text); }
    void SetItemVisible(int index, int visible);
    int GetItemVisible(int index) const;
    // Returns the previous selection; the same index again changes nothing.
    int SetSelectItem(int index);
    int GetSelectItem() const { return m_selected; }
    int GetHotItem() const { return m_hot; }
    void SetItemWidth(int width, int minWidth, int refresh);
    void SetItemHeight(int height, int minHeight, int refresh);
    int GetItemWidth() const { return m_itemWidth; }
    int GetItemHeight() const { return m_itemHeight; }
    void SetTabCtrlWidth(int width) { m_tabWidth = width; }
    void SetTabCtrlHeight(int height) { m_tabHeight = height; }
    int GetCtrlWidth() const { return m_tabWidth; }
    int GetCtrlHeight() const { return m_tabHeight; }
    void SetLeftRightPading(int left, int right);
    void SetTopBottomPading(int top, int bottom);
    void SetTabCtrlVisible(int visible);
    void SetTabType(TAB_TYPE type) { m_type = type; }
    TAB_TYPE GetTabType() const { return m_type; }
    // Makes an MTabLayout page owned by the tab control ("MTabLayout" only, else null).
    MControl* CreatePanel(const std::wstring& className, unsigned id, CRect rect);
    void RefreshItems();

    int OnBaseMessage(unsigned id, unsigned code, unsigned wParam, int lParam) override;
    int OnControlUpdate(CRect rect, int redraw, MControl* control) override;
    void DrawControl(HDC dc, CRect clip) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;

private:
    // Places the tabs; `inserting` also places hidden tabs and leaves no gap between vertical tabs.
    void PlaceItems(bool inserting);
    void ShowPages();
    void ApplyItemSize();
    bool OwnsPage(const MControl* page);

    std::vector<TabItemInfo> m_items;
    int m_selected = -1;
    int m_previous = -1;
    int m_hot = -1;
    TAB_TYPE m_type = TAB_HORIZONTAL;
    int m_tabWidth = 0;
    int m_tabHeight = 0;
    int m_itemWidth = 0;
    int m_requestedWidth = 0;
    int m_minWidth = 0;
    int m_itemHeight = 0;
    int m_requestedHeight = 0;
    int m_minHeight = 0;
    int m_padLeft = 0;
    int m_padRight = 0;
    int m_padTop = 0;
    int m_padBottom = 0;
};

} // namespace DUI
