#pragma once
// Message numbers, key codes and window flags. The numbers keep the values of the desktop
// system the program was first written for, because application code dispatches on them
// and its own private messages (0x69A, 1705, ...) are numbered around them.
#include <cstdint>

namespace platform::ui {

using WParam = uintptr_t;
using LParam = intptr_t;
using LResult = intptr_t;

// The constants live in an inline namespace so the toolkit can bring them in with one
// using-directive without pulling in the window functions.
inline namespace codes {

// Window messages.
constexpr unsigned WM_NULL = 0x0000;
constexpr unsigned WM_CREATE = 0x0001;
constexpr unsigned WM_DESTROY = 0x0002;
constexpr unsigned WM_MOVE = 0x0003;
constexpr unsigned WM_SIZE = 0x0005;
constexpr unsigned WM_ACTIVATE = 0x0006;
constexpr unsigned WM_SETFOCUS = 0x0007;
constexpr unsigned WM_KILLFOCUS = 0x0008;
constexpr unsigned WM_ENABLE = 0x000A;
constexpr unsigned WM_SETTEXT = 0x000C;
constexpr unsigned WM_PAINT = 0x000F;
constexpr unsigned WM_CLOSE = 0x0010;
constexpr unsigned WM_QUIT = 0x0012;
constexpr unsigned WM_ERASEBKGND = 0x0014;
constexpr unsigned WM_SHOWWINDOW = 0x0018;
constexpr unsigned WM_ACTIVATEAPP = 0x001C;
constexpr unsigned WM_SETCURSOR = 0x0020;
constexpr unsigned WM_GETMINMAXINFO = 0x0024;
constexpr unsigned WM_WINDOWPOSCHANGING = 0x0046;
constexpr unsigned WM_WINDOWPOSCHANGED = 0x0047;
constexpr unsigned WM_NCCREATE = 0x0081;
constexpr unsigned WM_NCDESTROY = 0x0082;
constexpr unsigned WM_NCCALCSIZE = 0x0083;
constexpr unsigned WM_NCHITTEST = 0x0084;
constexpr unsigned WM_NCPAINT = 0x0085;
constexpr unsigned WM_NCACTIVATE = 0x0086;
constexpr unsigned WM_NCLBUTTONDOWN = 0x00A1;
constexpr unsigned WM_KEYDOWN = 0x0100;
constexpr unsigned WM_KEYUP = 0x0101;
constexpr unsigned WM_CHAR = 0x0102;
constexpr unsigned WM_SYSKEYDOWN = 0x0104;
constexpr unsigned WM_SYSKEYUP = 0x0105;
constexpr unsigned WM_SYSCHAR = 0x0106;
constexpr unsigned WM_COMMAND = 0x0111;
constexpr unsigned WM_SYSCOMMAND = 0x0112;
constexpr unsigned WM_TIMER = 0x0113;
constexpr unsigned WM_CTLCOLOREDIT = 0x0133;
constexpr unsigned WM_CTLCOLORSTATIC = 0x0138;
constexpr unsigned WM_MOUSEFIRST = 0x0200;
constexpr unsigned WM_MOUSEMOVE = 0x0200;
constexpr unsigned WM_LBUTTONDOWN = 0x0201;
constexpr unsigned WM_LBUTTONUP = 0x0202;
constexpr unsigned WM_LBUTTONDBLCLK = 0x0203;
constexpr unsigned WM_RBUTTONDOWN = 0x0204;
constexpr unsigned WM_RBUTTONUP = 0x0205;
constexpr unsigned WM_RBUTTONDBLCLK = 0x0206;
constexpr unsigned WM_MBUTTONDOWN = 0x0207;
constexpr unsigned WM_MBUTTONUP = 0x0208;
constexpr unsigned WM_MBUTTONDBLCLK = 0x0209;
constexpr unsigned WM_MOUSEWHEEL = 0x020A;
constexpr unsigned WM_XBUTTONDOWN = 0x020B;
constexpr unsigned WM_XBUTTONUP = 0x020C;
constexpr unsigned WM_MOUSEHWHEEL = 0x020E;
constexpr unsigned WM_MOUSELAST = 0x020E;
constexpr unsigned WM_CAPTURECHANGED = 0x0215;
constexpr unsigned WM_DEVICECHANGE = 0x0219;
constexpr unsigned WM_IME_STARTCOMPOSITION = 0x010D;
constexpr unsigned WM_IME_COMPOSITION = 0x010F;
constexpr unsigned WM_MOUSEHOVER = 0x02A1;
constexpr unsigned WM_MOUSELEAVE = 0x02A3;
constexpr unsigned WM_CUT = 0x0300;
constexpr unsigned WM_COPY = 0x0301;
constexpr unsigned WM_PASTE = 0x0302;
constexpr unsigned WM_USER = 0x0400;
constexpr unsigned WM_APP = 0x8000;
constexpr unsigned STM_SETIMAGE = 0x0172;

// Mouse key state flags carried in wParam of mouse messages.
constexpr unsigned MK_LBUTTON = 0x0001;
constexpr unsigned MK_RBUTTON = 0x0002;
constexpr unsigned MK_SHIFT = 0x0004;
constexpr unsigned MK_CONTROL = 0x0008;
constexpr unsigned MK_MBUTTON = 0x0010;
constexpr unsigned MK_XBUTTON1 = 0x0020;
constexpr unsigned MK_XBUTTON2 = 0x0040;
constexpr int WHEEL_DELTA = 120;

// Hit-test codes.
constexpr unsigned HTCLIENT = 1;
constexpr unsigned HTCAPTION = 2;

// Show commands.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_MAXIMIZE = 3;
constexpr int SW_SHOWNOACTIVATE = 4;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_SHOWMINNOACTIVE = 7;
constexpr int SW_SHOWNA = 8;
constexpr int SW_RESTORE = 9;

// WM_SIZE kinds.
constexpr unsigned SIZE_RESTORED = 0;
constexpr unsigned SIZE_MINIMIZED = 1;
constexpr unsigned SIZE_MAXIMIZED = 2;

// WM_ACTIVATE states.
constexpr unsigned WA_INACTIVE = 0;
constexpr unsigned WA_ACTIVE = 1;

// Dialog results.
constexpr unsigned IDOK = 1;
constexpr unsigned IDCANCEL = 2;
constexpr unsigned IDYES = 6;
constexpr unsigned IDNO = 7;

// Window styles (only what the toolkit looks at).
constexpr uint32_t WS_OVERLAPPED = 0x00000000;
constexpr uint32_t WS_POPUP = 0x80000000;
constexpr uint32_t WS_CHILD = 0x40000000;
constexpr uint32_t WS_MINIMIZE = 0x20000000;
constexpr uint32_t WS_VISIBLE = 0x10000000;
constexpr uint32_t WS_DISABLED = 0x08000000;
constexpr uint32_t WS_CLIPSIBLINGS = 0x04000000;
constexpr uint32_t WS_CLIPCHILDREN = 0x02000000;
constexpr uint32_t WS_MAXIMIZE = 0x01000000;
constexpr uint32_t WS_CAPTION = 0x00C00000;
constexpr uint32_t WS_SYSMENU = 0x00080000;
constexpr uint32_t WS_THICKFRAME = 0x00040000;
constexpr uint32_t WS_MINIMIZEBOX = 0x00020000;
constexpr uint32_t WS_MAXIMIZEBOX = 0x00010000;
constexpr uint32_t WS_EX_TOPMOST = 0x00000008;
constexpr uint32_t WS_EX_TOOLWINDOW = 0x00000080;
constexpr uint32_t WS_EX_LAYERED = 0x00080000;
constexpr uint32_t WS_EX_NOACTIVATE = 0x08000000;

// Window position flags.
constexpr unsigned SWP_NOSIZE = 0x0001;
constexpr unsigned SWP_NOMOVE = 0x0002;
constexpr unsigned SWP_NOZORDER = 0x0004;
constexpr unsigned SWP_NOACTIVATE = 0x0010;
constexpr unsigned SWP_FRAMECHANGED = 0x0020;
constexpr unsigned SWP_SHOWWINDOW = 0x0040;
constexpr unsigned SWP_HIDEWINDOW = 0x0080;

// Virtual-key codes.
constexpr unsigned VK_LBUTTON = 0x01;
constexpr unsigned VK_RBUTTON = 0x02;
constexpr unsigned VK_MBUTTON = 0x04;
constexpr unsigned VK_XBUTTON1 = 0x05;
constexpr unsigned VK_XBUTTON2 = 0x06;
constexpr unsigned VK_BACK = 0x08;
constexpr unsigned VK_TAB = 0x09;
constexpr unsigned VK_CLEAR = 0x0C;
constexpr unsigned VK_RETURN = 0x0D;
constexpr unsigned VK_SHIFT = 0x10;
constexpr unsigned VK_CONTROL = 0x11;
constexpr unsigned VK_MENU = 0x12;
constexpr unsigned VK_PAUSE = 0x13;
constexpr unsigned VK_CAPITAL = 0x14;
constexpr unsigned VK_ESCAPE = 0x1B;
constexpr unsigned VK_SPACE = 0x20;
constexpr unsigned VK_PRIOR = 0x21;
constexpr unsigned VK_NEXT = 0x22;
constexpr unsigned VK_END = 0x23;
constexpr unsigned VK_HOME = 0x24;
constexpr unsigned VK_LEFT = 0x25;
constexpr unsigned VK_UP = 0x26;
constexpr unsigned VK_RIGHT = 0x27;
constexpr unsigned VK_DOWN = 0x28;
constexpr unsigned VK_SNAPSHOT = 0x2C;
constexpr unsigned VK_INSERT = 0x2D;
constexpr unsigned VK_DELETE = 0x2E;
constexpr unsigned VK_LWIN = 0x5B;
constexpr unsigned VK_RWIN = 0x5C;
constexpr unsigned VK_APPS = 0x5D;
constexpr unsigned VK_NUMPAD0 = 0x60;
constexpr unsigned VK_MULTIPLY = 0x6A;
constexpr unsigned VK_ADD = 0x6B;
constexpr unsigned VK_SUBTRACT = 0x6D;
constexpr unsigned VK_DECIMAL = 0x6E;
constexpr unsigned VK_DIVIDE = 0x6F;
constexpr unsigned VK_F1 = 0x70;
constexpr unsigned VK_F4 = 0x73;
constexpr unsigned VK_F24 = 0x87;
constexpr unsigned VK_NUMLOCK = 0x90;
constexpr unsigned VK_SCROLL = 0x91;
constexpr unsigned VK_LSHIFT = 0xA0;
constexpr unsigned VK_RSHIFT = 0xA1;
constexpr unsigned VK_LCONTROL = 0xA2;
constexpr unsigned VK_RCONTROL = 0xA3;
constexpr unsigned VK_LMENU = 0xA4;
constexpr unsigned VK_RMENU = 0xA5;
constexpr unsigned VK_BROWSER_BACK = 0xA6;
constexpr unsigned VK_BROWSER_FORWARD = 0xA7;
constexpr unsigned VK_BROWSER_REFRESH = 0xA8;
constexpr unsigned VK_BROWSER_STOP = 0xA9;
constexpr unsigned VK_BROWSER_SEARCH = 0xAA;
constexpr unsigned VK_BROWSER_HOME = 0xAC;
constexpr unsigned VK_VOLUME_MUTE = 0xAD;
constexpr unsigned VK_VOLUME_DOWN = 0xAE;
constexpr unsigned VK_VOLUME_UP = 0xAF;
constexpr unsigned VK_MEDIA_NEXT_TRACK = 0xB0;
constexpr unsigned VK_MEDIA_PREV_TRACK = 0xB1;
constexpr unsigned VK_MEDIA_STOP = 0xB2;
constexpr unsigned VK_MEDIA_PLAY_PAUSE = 0xB3;
constexpr unsigned VK_LAUNCH_MAIL = 0xB4;
constexpr unsigned VK_LAUNCH_APP2 = 0xB7;
constexpr unsigned VK_OEM_1 = 0xBA;
constexpr unsigned VK_OEM_PLUS = 0xBB;
constexpr unsigned VK_OEM_COMMA = 0xBC;
constexpr unsigned VK_OEM_MINUS = 0xBD;
constexpr unsigned VK_OEM_PERIOD = 0xBE;
constexpr unsigned VK_OEM_2 = 0xBF;
constexpr unsigned VK_OEM_3 = 0xC0;
constexpr unsigned VK_OEM_4 = 0xDB;
constexpr unsigned VK_OEM_5 = 0xDC;
constexpr unsigned VK_OEM_6 = 0xDD;
constexpr unsigned VK_OEM_7 = 0xDE;
constexpr unsigned VK_OEM_102 = 0xE2;

} // namespace codes

// Signed low and high words of a packed mouse position.
constexpr int GetXParam(LParam lp)
{
    return static_cast<int16_t>(static_cast<uint16_t>(lp & 0xFFFF));
}
constexpr int GetYParam(LParam lp)
{
    return static_cast<int16_t>(static_cast<uint16_t>((lp >> 16) & 0xFFFF));
}
constexpr LParam MakeLParam(int lo, int hi)
{
    return static_cast<LParam>(static_cast<uint32_t>(static_cast<uint16_t>(lo)) |
                               (static_cast<uint32_t>(static_cast<uint16_t>(hi)) << 16));
}
constexpr WParam MakeWParam(int lo, int hi)
{
    return static_cast<WParam>(static_cast<uint32_t>(static_cast<uint16_t>(lo)) |
                               (static_cast<uint32_t>(static_cast<uint16_t>(hi)) << 16));
}

} // namespace platform::ui
