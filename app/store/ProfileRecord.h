#pragma once
// One row of t_profile_data: a named set of mouse settings.
#include <string>

struct ProfileRecord
{
    int profile = 0;   // row id, assigned by the database (ids start at 1, never reused)
    std::wstring name; // shown to the user
    std::wstring app;  // stored as given; the program's own profiles keep it empty
    int type = 0;      // always stored as 0
    int status = 0;    // 1 for the active profile
};
