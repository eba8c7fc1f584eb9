#include "trellis/controls/MTabCtrl.h"

#include "trellis/controls/ControlDraw.h"
#include "trellis/controls/MTabLayout.h"
#include "trellis/core/ControlFactory.h"

#include <algorithm>
#include <mutex>

namespace DUI {

MTabCtrl::MTabCtrl(MObject* parent, unsigned id, CRect rect, int visible, int enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, 1)
{
}

MTabCtrl::~MTabCtrl() = default;

const TabItemInfo* MTabCtrl::GetItemInfo(int index) const
{
    return index >= 0 && index < GetItemCount() ? &m_items[index] : nullptr;
}

unsigned MTabCtrl::GetItemID(int index) const
{
    const TabItemInfo* item = GetItemInfo(index);
    return item ? item->id : 0;
}

void MTabCtrl::SetItemText(int index, const std::wstring& text)
{
    if (index >= 0 && index < GetItemCount()) m_items[index].text = text;
}

int MTabCtrl::GetItemVisible(int index) const
{
    const TabItemInfo* item = GetItemInfo(index);
    return item ? item->visible : 0;
}

void MTabCtrl::SetItemVisible(int index, int visible)
{
    if (index < 0 || index >= GetItemCount()) return;
    m_items[index].visible = visible ? 1 : 0;
    RefreshItems();
}

void MTabCtrl::SetLeftRightPading(int left, int right)
{
    m_padLeft = left;
    m_padRight = right;
}

void MTabCtrl::SetTopBottomPading(int top, int bottom)
{
    m_padTop = top;
    m_padBottom = bottom;
}

int MTabCtrl::InsertItem(unsigned id, const std::wstring& text, const std::wstring& imageFile, MControl* page,
                         int frameCount, int width)
{
    TabItemInfo item;
    item.id = id;
    item.text = text;
    item.page = page;
    item.frameCount = frameCount == -1 || frameCount < 1 ? 3 : frameCount;
    item.image = LoadSkinImage(imageFile);
    if (item.image) {
        item.frameWidth = item.image->Width() / item.frameCount;
        item.frameHeight = item.image->Height();
    }
    item.ownWidth = width ? width : item.frameWidth;
    item.rect = CRect(m_rect.left, m_rect.top, m_rect.left + item.ownWidth, m_rect.bottom);
    m_items.push_back(item);
    ApplyItemSize();
    PlaceItems(true);
    UpdateControl(1, 0);
    return 1;
}

void MTabCtrl::ApplyItemSize()
{
    if (m_type == TAB_HORIZONTAL)
        SetItemWidth(m_requestedWidth, m_minWidth, 0);
    else
        SetItemHeight(m_requestedHeight, m_minHeight, 0);
}

bool MTabCtrl::OwnsPage(const MControl* page)
{
    if (!page) return false;
    std::lock_guard<std::recursive_mutex> guard(m_controlLock);
    return std::find(m_controls.begin(), m_controls.end(), page) != m_controls.end();
}

void MTabCtrl::DeleteItem(int index)
{
    if (index < 0 || index >= GetItemCount()) return;
    MControl* page = m_items[index].page;
    m_items.erase(m_items.begin() + index);
    if (OwnsPage(page)) RemoveControl(page);
    // Later tabs moved down by one: keep the same tab selected. A deleted selected tab leaves
    // the index in place; past the end the layout moves it to the last visible tab.
    if (m_selected > index) --m_selected;
    ApplyItemSize();
    RefreshItems();
}

void MTabCtrl::PlaceItems(bool inserting)
{
    int x = m_rect.left + m_padLeft, y = m_rect.top + m_padTop;
    int firstWidth = 0, firstHeight = 0;
    for (TabItemInfo& item : m_items) {
        if (!item.visible && !inserting) {
            item.rect = CRect();
            continue;
        }
        if (!firstWidth) {
            firstWidth = item.ownWidth;
            firstHeight = item.frameHeight;
        }
        if (m_type == TAB_HORIZONTAL) {
            const int w = m_itemWidth ? m_itemWidth : firstWidth;
            const int h = m_tabHeight ? m_tabHeight : firstHeight;
            item.rect = CRect(x, y, x + w, y + h);
            x += w;
        } else {
            const int w = m_tabWidth ? m_tabWidth : firstWidth;
            const int h = m_tabHeight ? m_tabHeight : firstHeight;
            item.rect = CRect(x, y, x + w, y + h);
            y += h + (inserting ? 0 : 1);
        }
    }
}

void MTabCtrl::ShowPages()
{
    for (int i = 0; i < GetItemCount(); ++i) {
        MControl* page = m_items[i].page;
        if (!page) continue;
        const int show = i == m_selected ? 1 : 0;
        if ((page->IsVisible() != 0) != (show != 0)) {
            page->SetVisible(show);
            page->UpdateControl(1, 1);
        }
    }
}

void MTabCtrl::RefreshItems()
{
    PlaceItems(false);
    const int count = GetItemCount();
    if (m_selected >= count) {
        m_selected = -1;
        for (int i = count - 1; i >= 0; --i)
            if (m_items[i].visible) {
                m_selected = i;
                break;
            }
    }
    if (m_hot >= count) m_hot = -1;
    ShowPages();
    UpdateControl(1, 0);
}

void MTabCtrl::SetItemWidth(int width, int minWidth, int refresh)
{
    m_requestedWidth = width;
    m_minWidth = minWidth;
    if (m_items.empty()) return;
    int value = width;
    if (minWidth > 0) {
        const int available = (m_rect.Width() - m_padLeft - m_padRight) / GetItemCount();
        value = std::clamp(available, minWidth, std::max(minWidth, width));
    }
    if (value == m_itemWidth) return;
    m_itemWidth = value;
    if (refresh) RefreshItems();
}

void MTabCtrl::SetItemHeight(int height, int minHeight, int refresh)
{
    m_requestedHeight = height;
    m_minHeight = minHeight;
    if (m_items.empty()) return;
    int value = height;
    if (minHeight > 0) {
        const int available = (m_rect.Height() - m_padTop - m_padBottom) / GetItemCount();
        value = std::clamp(available, minHeight, std::max(minHeight, height));
    }
    if (value == m_itemHeight) return;
    m_itemHeight = value;
    if (refresh) RefreshItems();
}

int MTabCtrl::SetSelectItem(int index)
{
    if (index == m_selected) return m_selected;
    if (index < -1 || index >= GetItemCount()) return m_selected;
    m_previous = m_selected;
    m_selected = index;
    m_hot = -1;
    SendMessageW(NOTIFY_PRESS, static_cast<unsigned>(index), 0);
    ShowPages();
    UpdateControl(0, 0);
    return m_previous;
}

void MTabCtrl::SetTabCtrlVisible(int visible)
{
    for (int i = 0; i < GetItemCount(); ++i)
        if (MControl* page = m_items[i].page) page->SetVisible(visible && i == m_selected ? 1 : 0);
}

MControl* MTabCtrl::CreatePanel(const std::wstring& className, unsigned id, CRect rect)
{
    if (className != L"MTabLayout") return nullptr;
    auto* page = new MTabLayout(this, id, rect, 0);
    if (m_pManager) page->SetManager(m_pManager);
    AddChild(1, page);
    return page;
}

int MTabCtrl::OnBaseMessage(unsigned id, unsigned code, unsigned wParam, int lParam)
{
    // Pages made by CreatePanel report through the tab control to its owner.
    return m_pParent ? m_pParent->OnBaseMessage(id, code, wParam, lParam) : 0;
}

int MTabCtrl::OnControlUpdate(CRect rect, int redraw, MControl* control)
{
    if (!control) return 0;
    if (redraw) control->SetUpdate(0, 0);
    if (IsVisible() && m_pParent) m_pParent->OnControlUpdate(rect, 0, this);
    return 0;
}

int MTabCtrl::OnControlMouseMove(unsigned, CPoint point)
{
    if (!IsEnabled()) return 0;
    const int before = m_hot;
    if (m_rect.PtInRect(point)) {
        if (m_hot >= 0 && m_hot < GetItemCount() && m_items[m_hot].rect.PtInRect(point)) {
            if (!m_items[m_hot].text.empty()) SetTooltip(m_items[m_hot].text, m_items[m_hot].rect);
            return 0;
        }
        m_hot = -1;
        ClearTooltip();
        for (int i = 0; i < GetItemCount(); ++i)
            if (m_items[i].visible && m_items[i].rect.PtInRect(point)) {
                m_hot = i;
                break;
            }
    } else {
        m_hot = -1;
        ClearTooltip();
    }
    if (m_hot == before) return 0;
    UpdateControl(0, 0);
    return 1;
}

int MTabCtrl::OnControlLButtonDown(unsigned, CPoint point)
{
    if (!IsEnabled()) return 0;
    if (m_hot >= 0 && m_hot < GetItemCount() && m_items[m_hot].rect.PtInRect(point)) {
        SetSelectItem(m_hot);
        UpdateControl(0, 0);
    }
    return 1;
}

int MTabCtrl::OnControlLButtonUp(unsigned, CPoint)
{
    UpdateControl(0, 0);
    return 1;
}

void MTabCtrl::DrawControl(HDC dc, CRect)
{
    if (!dc || m_rect.IsRectEmpty()) return;
    PaintStateStrip(*this, dc, 3, 0, [this](Surface& s, CRect area, int layer) {
        for (const TabItemInfo& item : m_items) {
            if (!item.visible || !item.image || item.rect.IsRectEmpty()) continue;
            int frame = layer;
            if (m_type == TAB_HORIZONTAL) frame = layer == 1 && item.frameCount > 1 ? 1 : 0;
            frame = std::min(frame, item.frameCount - 1);
            const int fw = item.frameWidth, fh = item.frameHeight;
            int x, y;
            if (m_type == TAB_VERTICAL) {
                x = area.left + m_padLeft;
                y = area.top + item.rect.top - m_rect.top;
            } else {
                x = area.left + item.rect.left - m_rect.left + (item.rect.Width() - fw) / 2;
                y = area.top + m_padTop + 10;
            }
            DrawImage(s, *item.image, CRect(x, y, x + fw, y + fh), CRect(frame * fw, 0, frame * fw + fw, fh));
        }
    });
    // Hot and selected tabs come from their layers: vertical strips show selection in the third.
    HDC cache = GetMemDC();
    if (!cache) return;
    const int w = m_rect.Width();
    auto copyTab = [&](int index, int layer) {
        if (index < 0 || index >= GetItemCount() || m_items[index].rect.IsRectEmpty()) return;
        const CRect tab = m_items[index].rect;
        const CRect source(layer * w + tab.left - m_rect.left, tab.top - m_rect.top,
                           layer * w + tab.right - m_rect.left, tab.bottom - m_rect.top);
        platform::ui::Blit(*dc, tab.left, tab.top, *cache, source);
    };
    copyTab(m_hot, 1);
    copyTab(m_selected, m_type == TAB_VERTICAL ? 2 : 1);
}

TRELLIS_CONTROL_VE(MTabCtrl, FactoryBoth);

} // namespace DUI
