#pragma once
// Key codes between the two worlds the program meets: Windows virtual-key codes (what the
// macro recorder and the key-capture dialog produce, and what the store keeps) and USB HID
// keyboard usages (what the mouse plays back).

// Virtual-key code -> HID keyboard usage; 0 for keys the mouse cannot send. Besides the
// Windows codes it knows two codes of the program's own: 666 (the non-US '#' key) and
// 301 / 302.
int VirtualKeyToUsage(int virtualKey);

// A modifier key, given as virtual-key code or as HID usage (0xE0..0xE7), -> its bit in the
// HID modifier byte (Ctrl 0x01, Shift 0x02, Alt 0x04, GUI 0x08; right-hand keys 0x10..0x80).
// Any other code comes back unchanged.
int ModifierOrUsage(int code);
