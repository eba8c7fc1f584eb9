#pragma once
// Toggle button (modifier keys of the combination editor): each completed click flips it.
#include "trellis/controls/MButton2.h"

namespace DUI {

class MButton3 : public MButton2
{
public:
    MButton3(MObject* parent, unsigned id, CRect rect, const std::wstring& title, int visible, int enabled);

    const wchar_t* GetClassNameW() override { return L"MControl"; }

protected:
    void OnClicked() override;
};

} // namespace DUI
