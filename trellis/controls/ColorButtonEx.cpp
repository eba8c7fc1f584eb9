#include "trellis/controls/ColorButtonEx.h"

#include "trellis/core/ControlFactory.h"

#include "trellis/controls/ControlDraw.h"
#include "trellis/controls/ValueEditHost.h"

#include <cwchar>

namespace DUI {

ColorButtonEx::ColorButtonEx(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible,
                             int enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, 1)
{
    SetTextColor(0xFFB8D3EF);
    m_value = static_cast<int>(std::wcstol(title.c_str(), nullptr, 10));
    m_choice.Enabled(*this, enabled);
}

void ColorButtonEx::SetColor(Argb color)
{
    if (color == m_color) return;
    m_color = color;
    UpdateControl(1, 0);
}

void ColorButtonEx::SetValue(int value)
{
    m_value = value;
    SetTitle(std::to_wstring(value));
}

std::wstring ColorButtonEx::GetTitleEx() const
{
    const std::wstring& title = m_strTitle;
    return title.empty() ? std::to_wstring(m_value) : title;
}

void ColorButtonEx::SetTextRect(CRect rect)
{
    m_textRect = rect;
    UpdateControl(1, 0);
}

void ColorButtonEx::CalcTextRect(int height)
{
    const CRect r = GetRect();
    SetTextRect(CRect(0, r.Height() - height, r.Width(), r.Height()));
}

CRect ColorButtonEx::TextBand() const
{
    const CRect r = GetRect();
    CRect band = m_textRect;
    if (band.IsRectEmpty()) band = CRect(0, r.Height() * 2 / 3, r.Width(), r.Height());
    band.OffsetRect(r.left, r.top);
    return band;
}

FontSpec ColorButtonEx::GetDefaultFont() const
{
    return ControlFont(*this);
}

int ColorButtonEx::ShowEdit()
{
    ValueEditHost* host = ValueEditHost::Get();
    if (m_editing || !host) return 0;
    m_editText = GetTitleEx();
    if (!host->Open(*this, ClientToScreenRect(*this, TextBand()), m_editText)) return 0;
    m_editing = true;
    SendMessageW(NOTIFY_EDIT_BEGIN, 0, 0);
    return 1;
}

void ColorButtonEx::HideEdit()
{
    if (!m_editing) return;
    m_editing = false;
    if (ValueEditHost* host = ValueEditHost::Get()) host->Close(*this);
    SendMessageW(NOTIFY_EDIT_END, 0, 0);
}

void ColorButtonEx::CommitEdit(const std::wstring& text)
{
    if (text != GetTitleEx()) {
        wchar_t* end = nullptr;
        const long value = std::wcstol(text.c_str(), &end, 10);
        // Only a whole number replaces the value; anything else is dropped.
        if (!text.empty() && end && *end == L'\0') {
            m_editText = text;
            SetValue(static_cast<int>(value));
            SendMessageW(NOTIFY_VALUE_EDITED, 0, 0);
        }
    }
    HideEdit();
}

void ColorButtonEx::SetControlCheck(int check)
{
    m_choice.SetCheck(*this, check);
}

int ColorButtonEx::SetCheck(int check)
{
    if (IsEnabled()) SetControlCheck(check);
    return GetCheck();
}

void ColorButtonEx::ResetGroupCheck()
{
    ResetOthers(*this, m_group, {L"ColorButtonEx"}, true);
}

void ColorButtonEx::SetControlEnabled(int enabled)
{
    if ((enabled != 0) == (IsEnabled() != 0)) return;
    MControlFont::SetControlEnabled(enabled);
    if (!enabled) HideEdit();
    m_choice.Enabled(*this, enabled);
}

int ColorButtonEx::OnControlMouseMove(unsigned, CPoint point)
{
    return m_choice.Move(*this, point);
}

int ColorButtonEx::OnControlLButtonDown(unsigned, CPoint point)
{
    if (!m_choice.Press(*this, point)) return 0;
    m_choice.SetCheck(*this, 1);
    ResetGroupCheck();
    SendMessageW(NOTIFY_PRESS, 0, 0);
    return 1;
}

int ColorButtonEx::OnControlLButtonUp(unsigned, CPoint point)
{
    if (!m_choice.Release(*this, point)) return IsEnabled() ? 1 : 0;
    SendMessageW(NOTIFY_CLICK, 0, 0);
    // A click on the number band edits the number in place.
    if (m_showEdit && TextBand().PtInRect(point)) ShowEdit();
    return 1;
}

void ColorButtonEx::DrawControl(HDC dc, CRect)
{
    PaintStateStrip(*this, dc, 4, m_choice.State(), [this](Surface& s, CRect area, int slice) {
        const Argb ring = slice == 1 || slice == 2 ? 0xFFFFFFFF : (slice == 3 ? 0xFF3A3D44 : 0xFF5A5E66);
        DrawRoundRect(s, area.left + 1, area.top + 1, area.Width() - 2, area.Height() - 2, 4, 4,
                      slice == 3 ? 0xFF2A2C31 : m_color, ring, slice == 2 ? 2.0 : 1.0);
        CRect band = TextBand();
        band.OffsetRect(area.left - GetRect().left, area.top - GetRect().top);
        FillRect(s, CRect(band.left + 2, band.top, band.right - 2, band.bottom - 2), 0xA0101114);
        DrawControlText(s, *this, band, GetTitleEx(), slice == 3 ? kDisabledText : GetTextColor(),
                        kTextCenter | kTextVCenter | kTextSingleLine);
    });
}

TRELLIS_CONTROL_TVE(ColorButtonEx, FactoryPanel);

} // namespace DUI
