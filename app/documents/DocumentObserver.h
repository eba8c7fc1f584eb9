#pragma once
// What the document readers tell the window while they read: the home page's device list, the
// footer, the pictures, tabs and button lists of the selected model, and the device tasks an
// import starts. Every step is a no-op by default, so korvane-cli and tests pass nothing or
// override only what they look at. Steps are called on the thread that runs the reader.
#include <string>

struct ButtonLayout;

class DocumentObserver
{
public:
    virtual ~DocumentObserver() = default;

    // ReadModelList
    virtual void OnModelListCleared() {}
    // A model for the home page's device list (picture: "device\<image>").
    virtual void OnModelAdded(const std::wstring& name, int deviceType, const std::wstring& picture) {}
    // The footer texts, "<text 17>: v<version>".
    virtual void OnFooterText(const std::wstring& text) {}
    // The model list has been read; the window switches its input method off here.
    virtual void OnModelListRead() {}

    // LoadDeviceDescription, in file order
    virtual void OnMousePicture(const std::wstring& picture) {}
    virtual void OnLightingMenu(bool hasLighting) {}
    virtual void OnCustomOptions(bool showDpiTips, bool showSaveTips, bool showLiftOff, bool showSensor) {}
    virtual void OnButtonsCleared() {}
    virtual void OnButtonAdded(const ButtonLayout& button, const std::wstring& name,
                               const std::wstring& function)
    {
    }
    // All buttons are in: select item 0 and place the key list.
    virtual void OnButtonsDone(int buttonCount) {}

    // ResetReportRateToDeviceDefault: select the code in the polling-rate control.
    virtual void OnReportRateDefault(int code) {}
    // A device task to append to the worker's queue (11 after a rate reset, 5 after a profile import).
    virtual void OnEnqueueTask(int task) {}
    // A profile import renamed the current profile (the profile button shows the new name).
    virtual void OnProfileRenamed(const std::wstring& name) {}
    // A macro an import created (the macro list and the button page's drop-down take it).
    virtual void OnMacroImported(const std::wstring& name, int macroId) {}
};
