#pragma once
// The root of everything that owns controls (controls, dialogs, menus): it receives the
// events of its controls and their repaint requests.
#include "trellis/core/Types.h"

namespace DUI {

class MControl;

class MObject
{
public:
    virtual ~MObject() = default;
    // 1 when `name` equals GetClassNameW() exactly (case-sensitive), else 0.
    virtual int IsClass(const wchar_t* name);
    virtual const wchar_t* GetClassNameW() { return nullptr; }
    virtual const wchar_t* GetObjectClass() { return nullptr; }
    virtual const wchar_t* BaseObjectClassName() { return nullptr; }
    // The event sink: a control reports (its id, code, wParam, lParam) here.
    virtual int OnBaseMessage(unsigned id, unsigned code, unsigned wParam, int lParam) { return 0; }
    // The repaint sink: redraw = 1 when the control's content changed (its cache must be rebuilt).
    virtual int OnControlUpdate(CRect rect, int redraw, MControl* control) { return 0; }
};

} // namespace DUI
