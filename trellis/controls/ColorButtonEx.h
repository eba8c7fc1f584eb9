#pragma once
// A colour swatch of a group that also carries a number (its title) in a text band; clicking
// the band edits the number in place.
#include "trellis/controls/ChoiceBehaviour.h"
#include "trellis/controls/GroupMember.h"
#include "trellis/core/MControlFont.h"

namespace DUI {

class ValueEditWnd;

class ColorButtonEx : public MControlFont, public GroupMember
{
public:
    ColorButtonEx(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible,
                  int enabled);

    const wchar_t* GetClassNameW() override { return L"ColorButtonEx"; }

    void SetColor(ARGB color);
    ARGB GetColor() const { return m_color; }
    void SetValue(int value);
    int GetValue() const { return m_value; }
    void SetShowEdit(int show) { m_showEdit = show != 0; }
    // Text band relative to the control; CalcTextRect makes it the bottom `height` pixels.
    void SetTextRect(CRect rect);
    CRect GetTextRect() const { return m_textRect; }
    void CalcTextRect(int height);
    void SetEditText(const std::wstring& text) { m_editText = text; }
    std::wstring GetEditText() const { return m_editText; }
    // The number as shown: the title, or the value when no title was given.
    std::wstring GetTitleEx() const;
    // Opens the in-place editor over the text band (NOTIFY_EDIT_BEGIN); 1 when it opened.
    int ShowEdit();
    // Closes the editor (NOTIFY_EDIT_END when one was open).
    void HideEdit();
    // Called by the editor with the text the user accepted: a changed number becomes the value
    // and the title and is reported with NOTIFY_VALUE_EDITED; then the editor is closed.
    void CommitEdit(const std::wstring& text);
    bool IsEditing() const { return m_editing; }
    void SetEditWindow(ValueEditWnd* window) { m_editWindow = window; }
    ValueEditWnd* GetEditWindow() const { return m_editWindow; }
    ARGB GetEditTextColor() const { return GetTextColor().GetValue(); }
    ARGB GetEditBKColor() const { return 0xFF1A1C21; }
    FontSpec GetDefaultFont() const;

    int GetCheck() const override { return m_choice.Check(); }
    int SetCheck(int check);
    void SetControlCheck(int check) override;
    void ResetGroupCheck();
    void SetGroupName(const std::wstring& name) { m_group = name; }
    std::wstring GetGroupName() const override { return m_group; }
    int GetState() const { return m_choice.State(); }

    void DrawControl(HDC dc, CRect clip) override;
    void SetControlEnabled(int enabled) override;
    int OnControlMouseMove(unsigned flags, CPoint point) override;
    int OnControlLButtonDown(unsigned flags, CPoint point) override;
    int OnControlLButtonUp(unsigned flags, CPoint point) override;

private:
    CRect TextBand() const;

    ARGB m_color = 0xFFFFFFFF;
    int m_value = 0;
    bool m_showEdit = true;
    bool m_editing = false;
    CRect m_textRect;
    std::wstring m_editText;
    ValueEditWnd* m_editWindow = nullptr;
    ChoiceBehaviour m_choice;
    std::wstring m_group;
};

} // namespace DUI
