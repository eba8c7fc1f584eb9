#pragma once
// Asking the vendor's server for the newest firmware version of the attached mouse and
// comparing it with the version the mouse reports.
#include <atomic>
#include <string>

struct FetchOptions
{
    long connectTimeoutMs = 5000; // a silent server must not hold the worker
    long totalTimeoutMs = 15000;
    size_t maxBytes = 64 * 1024; // a version is a few characters; the rest is not read
    // Cleared by another thread to abandon the request (nullptr: never cancelled).
    const std::atomic<bool>* keepGoing = nullptr;
};

enum FetchStatus : int
{
    FetchOk = 1,
    FetchFailed = -1,
    FetchCancelled = -2
};

// HTTP GET of the url; the body comes back in `body` (UTF-8 decoded; empty on failure).
// Only http and https are followed.
int FetchVersionText(const std::wstring& url, std::wstring& body, const FetchOptions& options = {});

// Compares two version texts split at ".": 1 when latest is newer, -1 when it is older,
// 0 when equal, 2 when the texts have different numbers of parts.
int CompareVersions(const std::wstring& current, const std::wstring& latest);

// The mouse's firmware version as the program compares and shows it: its release number in
// uppercase hexadecimal ("103" for release 0x0103).
std::wstring FirmwareVersionText(int releaseNumber);

// "%s: V%s.%s": the label, the version's first character and its last two characters
// ("103" -> "V1.03").
std::wstring FormatDisplayedVersion(const std::wstring& label, const std::wstring& version);

// The outcome of the last check, kept by the main window.
struct FirmwareUpdateState
{
    enum : int
    {
        NotChecked = 0,
        UpdateAvailable = 1,
        UpToDate = 2
    };
    int updateState = NotChecked;
    std::wstring latestVersion; // kept only when the answer had 1 to 9 characters
};

// Requests baseUrl + "/mouse/version" and compares the answer with currentVersion (the
// mouse's release number as "%X"). Returns false when nothing can be shown (no answer, an
// answer of 10 or more characters, no current version): the state keeps its update state
// and only the latest version is cleared. Returns true with the new update state otherwise.
bool CheckFirmwareVersion(const std::wstring& baseUrl, const std::wstring& currentVersion,
                          FirmwareUpdateState& state, const FetchOptions& options = {});
