#pragma once
// One row of t_light_data: the parameters of one lighting effect of one profile.
#include <string>

struct LightRecord
{
    int light_id = 0; // row id
    int profile = 0;
    std::wstring name;  // the effect's built-in name
    int mode = 0;       // effect id: 0 off, 1-6, 9; the key of the record within its profile
    int brightness = 0; // 0..4 (0 %, 25 %, 50 %, 75 %, 100 %)
    int speed = 0;
    int direction = 0;
    int colorful = 0; // 0 or 1
    int colorindex = 0;
    int color_value[7] = {}; // color_value1..color_value7, COLORREF (0x00BBGGRR)
    int config_func = 0;     // parameters offered: 1 brightness, 2 speed, 16 one colour, 2048 seven colours
    int reserved = 0;        // language text id of the effect's display name
    int status = 0;          // 1 for the profile's active effect
};
