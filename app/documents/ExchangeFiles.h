#pragma once
// The exchange files a user saves and loads: a profile (key assignments, lighting, DPI levels
// and performance settings), one macro, or all macros. The operations take the file path; the
// file dialogs belong to the window. Every write goes through the settings store of the
// selected model; a file that cannot be read changes nothing and is never written to.
#include <string>
#include <vector>

class DocumentObserver;

// Writes the profile file: the key assignments of `profile`, and the lighting (when the model
// has lighting), DPI levels and performance settings of `currentProfile`, under `profileName`.
bool ExportProfile(const std::string& path, int profile, int currentProfile, const std::wstring& profileName,
                   bool hasLighting);

// Reads a profile file into `currentProfile`: renames it after the file (its name without the
// folder and the last four characters), replaces its key assignments, updates the lighting
// records it has (when the model has lighting) and sets the DPI and performance settings the
// file carries; then asks for the whole profile to be written to the mouse (task 5). False
// when the file cannot be read or has no `profile` root.
bool ImportProfile(const std::string& path, int currentProfile, bool hasLighting,
                   DocumentObserver* observer = nullptr);

// The single-macro file of macro `macroId`; false when there is no such macro or it cannot be saved.
bool ExportMacro(const std::string& path, int macroId);
// The all-macros file of every macro in row id order.
bool ExportAllMacros(const std::string& path);

// Creates a new macro from a single-macro file; its id, 0 when the file cannot be read.
int ImportMacro(const std::string& path, DocumentObserver* observer = nullptr);
// Creates one new macro per `macro_item` of an all-macros file and appends their ids. False
// when the file cannot be read or has no `macro` root.
bool ImportAllMacros(const std::string& path, std::vector<int>& newIds, DocumentObserver* observer = nullptr);

// The profile name an import gives: the file name without its folder and last four characters.
std::wstring ProfileNameFromFile(const std::string& path);

// The device task that writes the whole profile to the mouse.
inline constexpr int kTaskWriteProfile = 5;
