#include "trellis/core/CMTimer.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

namespace DUI {

unsigned CMTimer::m_uAccuracy = 0;
int CMTimer::m_bIsTmierOK = 0;

// The one timer thread of the process. Events are periodic; a tick calls the owner's
// OnMTimer(id) (and OnMTimer(id, name) for application timers) with no lock held, while
// KillTimer from another thread waits until a running tick of that event has returned, so an
// owner may be destroyed safely after killing its events.
class TimerThread
{
public:
    using Clock = std::chrono::steady_clock;
    struct Event
    {
        CMTimer* owner;
        std::chrono::microseconds period;
        Clock::time_point next;
    };

    static TimerThread& Get()
    {
        static TimerThread t;
        return t;
    }

    unsigned Add(CMTimer* owner, unsigned ms)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        unsigned id = ++m_nextId;
        auto period = std::chrono::milliseconds(std::max(1u, ms));
        m_events[id] = Event{owner, period, Clock::now() + period};
        if (!m_thread.joinable()) m_thread = std::thread([this] { Run(); });
        m_cv.notify_all();
        return id;
    }

    void Remove(unsigned id)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_events.erase(id);
        if (std::this_thread::get_id() != m_thread.get_id())
            m_done.wait(lock, [&] { return m_running != id; });
        m_cv.notify_all();
    }

    CMTimer* Owner(unsigned id)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto it = m_events.find(id);
        return it == m_events.end() ? nullptr : it->second.owner;
    }

    ~TimerThread()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_stop = true;
            m_cv.notify_all();
        }
        if (m_thread.joinable()) m_thread.join();
    }

    // Called with m_mutex released by the tick; the owner's entries are read under its lock.
    std::mutex m_entriesMutex;

private:
    void Run()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        while (!m_stop) {
            auto now = Clock::now();
            unsigned dueId = 0;
            Clock::time_point earliest = Clock::time_point::max();
            for (auto& [id, e] : m_events) {
                if (e.next <= now) {
                    dueId = id;
                    break;
                }
                earliest = std::min(earliest, e.next);
            }
            if (!dueId) {
                if (earliest == Clock::time_point::max())
                    m_cv.wait(lock);
                else
                    m_cv.wait_until(lock, earliest);
                continue;
            }
            Event& e = m_events[dueId];
            e.next += e.period;
            // A tick that ran long does not queue up a burst of catch-up ticks.
            if (e.next < now) e.next = now + e.period;
            CMTimer* owner = e.owner;
            m_running = dueId;
            lock.unlock();
            owner->OnMTimer(dueId);
            if (owner->IsAppTimer(dueId)) owner->OnMTimer(dueId, owner->GetTimerName(dueId));
            lock.lock();
            m_running = 0;
            m_done.notify_all();
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_cv;
    std::condition_variable m_done;
    std::map<unsigned, Event> m_events;
    unsigned m_nextId = 0;
    unsigned m_running = 0;
    bool m_stop = false;
    std::thread m_thread;
};

CMTimer::CMTimer() = default;

CMTimer::~CMTimer()
{
    KillTimer();
}

unsigned CMTimer::SetTimer(unsigned ms, const std::wstring& name, int flag)
{
    TimerThread& t = TimerThread::Get();
    {
        std::lock_guard<std::mutex> lock(t.m_entriesMutex);
        if (!m_bIsTmierOK) {
            // steady_clock sleeps are good to a millisecond here.
            m_uAccuracy = 1;
            m_bIsTmierOK = 1;
        }
    }
    // Record the entry before the first tick can ask for its name.
    std::lock_guard<std::mutex> lock(t.m_entriesMutex);
    unsigned id = t.Add(this, ms);
    m_entries.push_back({id, name, flag});
    return id;
}

int CMTimer::KillTimer(unsigned id)
{
    TimerThread& t = TimerThread::Get();
    bool found = false;
    {
        std::lock_guard<std::mutex> lock(t.m_entriesMutex);
        auto it =
            std::find_if(m_entries.begin(), m_entries.end(), [id](const Entry& e) { return e.id == id; });
        if (it != m_entries.end()) {
            m_entries.erase(it);
            found = true;
        }
    }
    if (found) t.Remove(id);
    std::lock_guard<std::mutex> lock(t.m_entriesMutex);
    return int(m_entries.size());
}

int CMTimer::KillTimer(const std::wstring& name)
{
    unsigned id = 0;
    {
        std::lock_guard<std::mutex> lock(TimerThread::Get().m_entriesMutex);
        for (auto& e : m_entries)
            if (e.name == name) {
                id = e.id;
                break;
            }
    }
    if (id) return KillTimer(id);
    std::lock_guard<std::mutex> lock(TimerThread::Get().m_entriesMutex);
    return int(m_entries.size());
}

void CMTimer::KillTimer()
{
    std::vector<Entry> all;
    {
        std::lock_guard<std::mutex> lock(TimerThread::Get().m_entriesMutex);
        all.swap(m_entries);
    }
    for (auto& e : all)
        TimerThread::Get().Remove(e.id);
}

bool CMTimer::GetTimerIsRun(unsigned id)
{
    std::lock_guard<std::mutex> lock(TimerThread::Get().m_entriesMutex);
    return std::any_of(m_entries.begin(), m_entries.end(), [id](const Entry& e) { return e.id == id; });
}

std::wstring CMTimer::GetTimerName(unsigned id)
{
    std::lock_guard<std::mutex> lock(TimerThread::Get().m_entriesMutex);
    for (auto& e : m_entries)
        if (e.id == id) return e.name;
    return std::wstring();
}

bool CMTimer::IsAppTimer(unsigned id)
{
    std::lock_guard<std::mutex> lock(TimerThread::Get().m_entriesMutex);
    for (auto& e : m_entries)
        if (e.id == id) return e.flag != 0;
    return false;
}

CMTimer* CMTimer::GetMTimer(unsigned id)
{
    return TimerThread::Get().Owner(id);
}

} // namespace DUI
