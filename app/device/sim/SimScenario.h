#pragma once
// The scenario of the virtual mouse, as korvane-cli's --simulate=KEY=VALUE,... gives it.
#include <string>

struct SimScenario
{
    int model = 0;        // device type; 0: the first model of the configuration
    bool usb = true;      // attached by cable
    bool receiver = true; // its receiver attached
    bool online = true;   // the mouse reachable through the receiver
    int sensor = -1;      // sensor code (byte 10 of 0x30); -1: the virtual mouse's own
    int rate = -1;        // report-rate capability byte
    int battery = -1;     // 0..100
    int charging = -1;    // 0 or 1
    int release = -1;     // release number (hexadecimal in the text)
    std::string devid;    // device id; empty: the model's "dev_id"
    std::string memory;   // memory file, loaded at start and saved after every change
    int latency = 0;      // milliseconds before each reply
    int press = 0;        // korvane-cli watch: the mouse's DPI button is pressed every this many ms

    // Parses "key=value,key=value". An empty text gives the defaults. False with a message
    // for an unknown key or a bad value.
    static bool Parse(const std::string& text, SimScenario& out, std::string& error);
};
