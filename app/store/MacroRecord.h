#pragma once
// One row of t_macro_data: a macro's header. Macros belong to the whole model database,
// every profile sees the same macros.
#include <string>

struct MacroRecord
{
    int macro_id = 0; // row id
    std::wstring name;
    int play_type = 0;  // how the mouse repeats the macro
    int play_times = 1; // repetitions
    int delay_type = 1; // macro-level delay choice of the macro page
    int delay_time = 0;
};
