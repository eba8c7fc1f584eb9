#pragma once
// The shared periodic timer: events run on one process-wide timer thread (steady clock,
// high-resolution sleeps), so timer-driven controls animate independently of the window
// thread's message load. A derived class receives OnMTimer(id) for each tick.
#include <string>
#include <vector>

namespace DUI {

class CMTimer
{
public:
    CMTimer();
    virtual ~CMTimer();
    CMTimer(const CMTimer&) = delete;
    CMTimer& operator=(const CMTimer&) = delete;

    virtual void OnMTimer(unsigned id, const std::wstring& name) {}
    virtual void OnMTimer(unsigned id) = 0;

    // Starts a periodic event every `ms` milliseconds; returns its id (0 on failure).
    unsigned SetTimer(unsigned ms, const std::wstring& name = std::wstring(), int flag = 0);
    // Stop and forget one event (or all); return the number of events left. When called from
    // another thread than the timer's, a tick of that event that is running is waited for.
    int KillTimer(unsigned id);
    int KillTimer(const std::wstring& name);
    void KillTimer();
    bool GetTimerIsRun(unsigned id);
    std::wstring GetTimerName(unsigned id);
    bool IsAppTimer(unsigned id);
    // The timer object that owns an event id, null when none.
    static CMTimer* GetMTimer(unsigned id);

    static unsigned m_uAccuracy;
    static int m_bIsTmierOK;

private:
    struct Entry
    {
        unsigned id;
        std::wstring name;
        int flag;
    };
    std::vector<Entry> m_entries;
    friend class TimerThread;
};

} // namespace DUI
