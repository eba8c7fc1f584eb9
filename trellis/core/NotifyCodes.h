#pragma once
// The event codes a control reports to its owner through OnBaseMessage(id, code, wParam, lParam).

namespace DUI {

enum enumNotifyCode : unsigned
{
    NOTIFY_PRESS = 1,
    NOTIFY_CLICK = 2,
    NOTIFY_RCLICK = 5,
    NOTIFY_CHECK_KEY = 7,
    NOTIFY_SCROLL = 8,
    NOTIFY_ITEM_PRESS = 9,
    NOTIFY_VALUE_EDITED = 26,
    NOTIFY_COLOR_CHANGE = 27,
    NOTIFY_SPIN_CHANGE = 28,
    NOTIFY_EDIT_END = 29,
    NOTIFY_EDIT_BEGIN = 30,
    NOTIFY_EDIT_BUTTON = 31,
    NOTIFY_LONG_PRESS = 32,
};

} // namespace DUI
