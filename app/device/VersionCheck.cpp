#include "app/device/VersionCheck.h"

#include <curl/curl.h>

#include <climits>
#include <cstdio>
#include <mutex>
#include <vector>

#include "platform/Text.h"
#include "platform/Trace.h"

namespace {

struct Transfer
{
    std::string body;
    size_t maxBytes = 0;
    bool truncated = false;
    const std::atomic<bool>* keepGoing = nullptr;
};

bool Cancelled(const Transfer& t)
{
    return t.keepGoing && !t.keepGoing->load();
}

size_t OnBody(char* data, size_t size, size_t count, void* user)
{
    auto* t = static_cast<Transfer*>(user);
    size_t bytes = size * count;
    if (Cancelled(*t)) return 0;
    size_t room = t->maxBytes - t->body.size();
    if (bytes > room) {
        // Enough has arrived to decide; stop reading instead of taking in an endless body.
        t->body.append(data, room);
        t->truncated = true;
        return 0;
    }
    t->body.append(data, bytes);
    return bytes;
}

int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    return Cancelled(*static_cast<Transfer*>(user)) ? 1 : 0;
}

void InitCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// Leading decimal digits after optional blanks and sign; 0 when there are none.
long long PartValue(const std::wstring& part)
{
    size_t i = 0;
    while (i < part.size() && (part[i] == L' ' || part[i] == L'\t'))
        ++i;
    bool negative = false;
    if (i < part.size() && (part[i] == L'-' || part[i] == L'+')) negative = part[i++] == L'-';
    long long value = 0;
    for (; i < part.size() && part[i] >= L'0' && part[i] <= L'9'; ++i)
        value = value > (LLONG_MAX - 9) / 10 ? LLONG_MAX : value * 10 + (part[i] - L'0');
    return negative ? -value : value;
}

std::vector<std::wstring> SplitParts(const std::wstring& text)
{
    std::vector<std::wstring> parts;
    size_t start = 0;
    while (true) {
        size_t dot = text.find(L'.', start);
        parts.push_back(text.substr(start, dot == std::wstring::npos ? std::wstring::npos : dot - start));
        if (dot == std::wstring::npos) break;
        start = dot + 1;
    }
    return parts;
}

std::wstring TrimBlanks(const std::wstring& text)
{
    const wchar_t* blanks = L" \t\r\n";
    size_t first = text.find_first_not_of(blanks);
    if (first == std::wstring::npos) return {};
    size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

} // namespace

int FetchVersionText(const std::wstring& url, std::wstring& body, const FetchOptions& options)
{
    body.clear();
    InitCurlOnce();
    CURL* curl = curl_easy_init();
    if (!curl) return FetchFailed;

    Transfer transfer;
    transfer.maxBytes = options.maxBytes;
    transfer.keepGoing = options.keepGoing;
    std::string address = platform::ToUtf8(url);

    // The server must answer fresh, never from a cache on the way.
    curl_slist* headers = nullptr;
    headers = curl_slist_append(headers, "Accept: */*");
    headers = curl_slist_append(headers, "Cache-Control: no-cache");
    headers = curl_slist_append(headers, "Pragma: no-cache");

    curl_easy_setopt(curl, CURLOPT_URL, address.c_str());
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "IIC2.0/PC 5.5.0000");
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, options.connectTimeoutMs);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, options.totalTimeoutMs);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, OnBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, OnProgress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);

    CURLcode result = curl_easy_perform(curl);
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    curl_easy_cleanup(curl);
    curl_slist_free_all(headers);

    if (Cancelled(transfer)) return FetchCancelled;
    bool complete = result == CURLE_OK || (result == CURLE_WRITE_ERROR && transfer.truncated);
    if (!complete) {
        platform::Trace(platform::TraceWarning, "version request failed: %s", curl_easy_strerror(result));
        return FetchFailed;
    }
    // An error page is not a version.
    if (status >= 400) {
        platform::Trace(platform::TraceWarning, "version request failed: HTTP %ld", status);
        return FetchFailed;
    }
    body = platform::FromUtf8(transfer.body);
    return FetchOk;
}

int CompareVersions(const std::wstring& current, const std::wstring& latest)
{
    std::vector<std::wstring> a = SplitParts(current);
    std::vector<std::wstring> b = SplitParts(latest);
    if (a.size() != b.size()) return 2;
    for (size_t i = 0; i < a.size(); ++i) {
        long long x = PartValue(a[i]);
        long long y = PartValue(b[i]);
        if (x < y) return 1;
        if (x > y) return -1;
    }
    return 0;
}

std::wstring FirmwareVersionText(int releaseNumber)
{
    char text[16];
    std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(releaseNumber) & 0xFFFFu);
    return platform::FromUtf8(text);
}

std::wstring FormatDisplayedVersion(const std::wstring& label, const std::wstring& version)
{
    std::wstring first = version.substr(0, 1);
    std::wstring last = version.size() >= 2 ? version.substr(version.size() - 2) : version;
    return label + L": V" + first + L"." + last;
}

bool CheckFirmwareVersion(const std::wstring& baseUrl, const std::wstring& currentVersion,
                          FirmwareUpdateState& state, const FetchOptions& options)
{
    state.latestVersion.clear();
    std::wstring body;
    if (FetchVersionText(baseUrl + L"/mouse/version", body, options) != FetchOk) return false;
    // Servers commonly end the text with a line break; it is not part of the version.
    body = TrimBlanks(body);
    if (body.empty() || body.size() > 9) return false;
    state.latestVersion = body;
    if (currentVersion.empty()) return false;
    if (CompareVersions(currentVersion, state.latestVersion) >= 1)
        state.updateState = FirmwareUpdateState::UpdateAvailable;
    else
        state.updateState = FirmwareUpdateState::UpToDate;
    return true;
}
