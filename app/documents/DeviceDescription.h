#pragma once
// The device description of a mouse model: <program folder>/device/<database name>.xml. It
// tells what the model looks like and offers: its picture, pages and options, the buttons with
// their call-out points and factory functions, the DPI levels and colours, the default polling
// rate, sleep and movement options and the lighting effects.
#include <string>
#include <vector>

#include "app/store/KeyAssignmentRecord.h"
#include "app/store/SettingsStore.h"

class DocumentObserver;

// One button of the model as the button page lays it out.
struct ButtonLayout
{
    int nameId = 0; // language text id of the button's name
    int keyCode = 0;
    int side = 0; // side of the call-out: 1 = label to the right
    int x1 = 0;   // button point (x1, y), label point (x2, y) on the picture
    int x2 = 0;
    int y = 0;
    int functionId = 0; // language text id of the factory function
};

// The selected model's description, kept by the main window and replaced field by field on
// every load (a field whose element is missing keeps its earlier value).
struct DeviceDescription
{
    std::wstring modelName;
    std::wstring databaseName;
    std::wstring picture; // "device\" + mouse_img
    bool hasLighting = false;
    bool showDpiTips = false;
    bool showSaveTips = false;
    bool showLiftOff = false;
    bool showSensor = false;
    std::wstring firmwareUrl;
    std::vector<ButtonLayout> buttons;
    std::vector<KeyAssignmentRecord> defaultAssignments; // one per button, what a button reset restores
    LightEffectFlags lightEffects{};
    int rateCapability = 0; // 7: the DPI page offers all seven polling rates
};

// <program folder>/device/<database name>.xml
std::string DeviceDescriptionPath(const std::wstring& databaseName);

// Selects the model of `deviceType` (normally the remembered device type): keeps its name and
// database name, switches the settings store to its database and reads its description,
// telling the observer each window step. False when the description cannot be read; the
// description then keeps its earlier fields (the database has been switched already).
bool LoadDeviceDescription(DeviceDescription& description, int deviceType,
                           DocumentObserver* observer = nullptr);

// Lays the model's mouse_info defaults over the settings of `profile`: the DPI part, and unless
// dpiOnly also the polling rate, sleep and movement options. False when the description
// cannot be read.
bool ApplyDeviceDefaults(DeviceDescription& description, int deviceType, int profile, bool dpiOnly);

// Sets "report_rate" and "report_rate_wireless" of `profile` to the model's default rate and
// tells the observer to select it; always asks for the rate to be written to the mouse (task 11).
bool ResetReportRateToDeviceDefault(DeviceDescription& description, int deviceType, int profile,
                                    DocumentObserver* observer = nullptr);

// "#RRGGBB" (the first character is dropped) as a COLORREF value R + 256·G + 65536·B. Two to six
// digits are read as pairs from the left, a trailing single digit as one digit, missing parts
// as 0; any other length gives 0.
int ColorTextToColorref(const std::wstring& text);

// "x1#x2#y"; without a second "#" x2 and y both take the rest, without any "#" all three take
// the whole text.
void SplitButtonRect(const std::wstring& text, int& x1, int& x2, int& y);

// The device task that writes the polling rate to the mouse.
inline constexpr int kTaskWriteReportRate = 11;
