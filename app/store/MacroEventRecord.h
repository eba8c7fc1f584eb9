#pragma once
// One row of t_macrorecord: one event of a macro.
#include <string>

enum MacroEventType : int
{
    MacroEventDelay = 1,
    MacroEventKeyDown = 2,
    MacroEventKeyUp = 3,
    MacroEventMouseDown = 4,
    MacroEventMouseUp = 5,
};

struct MacroEventRecord
{
    int record_id = 0;    // row id
    int macro_id = 0;     // owning macro
    int type = 0;         // MacroEventType
    int record_index = 0; // position in the macro, from 0
    std::wstring desc;    // text shown in the event list
    int value = 0;        // virtual-key code, mouse button value (1, 2, 4, 8, 16) or delay in ms
    int delay_time = 0;   // the event list's time stamp of the entry (exported as "timestamp")
};
