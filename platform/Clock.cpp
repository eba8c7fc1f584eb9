#include "platform/Clock.h"

#include <atomic>
#include <thread>

namespace platform {

int64_t Clock::NowMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Now().time_since_epoch()).count();
}

Clock::TimePoint RealClock::Now()
{
    return std::chrono::steady_clock::now();
}

void RealClock::SleepMs(int ms)
{
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

bool RealClock::WaitFor(std::unique_lock<std::mutex>& lock, std::condition_variable& cv, int ms,
                        const std::function<bool()>& ready)
{
    return cv.wait_for(lock, std::chrono::milliseconds(ms < 0 ? 0 : ms), ready);
}

Clock::TimePoint FakeClock::Now()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_start + m_elapsed;
}

void FakeClock::SleepMs(int ms)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_sleeps.push_back(ms);
    }
    AdvanceMs(ms);
}

bool FakeClock::WaitFor(std::unique_lock<std::mutex>& lock, std::condition_variable& cv, int ms,
                        const std::function<bool()>& ready)
{
    if (ready()) return true;
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        m_waits.push_back(ms);
    }
    AdvanceMs(ms);
    return ready();
}

void FakeClock::AdvanceMs(int ms)
{
    if (ms <= 0) return;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_elapsed += std::chrono::milliseconds(ms);
}

int64_t FakeClock::ElapsedMs()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_elapsed.count();
}

std::vector<int> FakeClock::Sleeps()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_sleeps;
}

std::vector<int> FakeClock::Waits()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_waits;
}

namespace {
RealClock g_realClock;
std::atomic<Clock*> g_clock{nullptr};
} // namespace

Clock& GetClock()
{
    Clock* c = g_clock.load(std::memory_order_acquire);
    return c ? *c : g_realClock;
}

void SetClock(Clock* clock)
{
    g_clock.store(clock, std::memory_order_release);
}

} // namespace platform
