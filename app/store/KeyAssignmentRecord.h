#pragma once
// One row of t_key_macro_data: the function given to one button of one profile.
// A button without a row keeps its factory function.
#include <string>

struct KeyAssignmentRecord
{
    int key_id = 0;           // row id
    int profile = 0;          // owning profile
    int fn_layer = 0;         // function layer; always 0
    int key_code = 0;         // button index (the device description's key_value)
    int layout_value = 0;     // factory records: the key code; user assignments: 0
    std::wstring layout_desc; // factory records: text id of the button name; user assignments: empty
    int macro_type = 0;      // 1 mouse, 2 keyboard, 3 media, 4 macro, 5 DPI, 6-7 device, 8 system, 9 disabled
    int macro_value = 0;     // value within the type (the macro id for type 4)
    int macro_value2 = 0;    // modifier byte of a keyboard key, third code byte of type 7
    int macro_value3 = 0;    // carried unchanged
    std::wstring macro_desc; // text shown for the assignment (a macro's name for type 4)
};
