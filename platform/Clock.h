#pragma once
// The clock seam: every sleep and time-out of the device link goes through Clock, so unit
// tests run on FakeClock (time moves only when someone sleeps or waits) while the program,
// the end-to-end tests and the benchmarks use the real steady clock.
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <vector>

namespace platform {

class Clock
{
public:
    using TimePoint = std::chrono::steady_clock::time_point;
    virtual ~Clock() = default;
    virtual TimePoint Now() = 0;
    virtual void SleepMs(int ms) = 0;
    // Waits on cv (lock held by the caller) until ready() is true or ms have passed.
    // Returns ready()'s final value.
    virtual bool WaitFor(std::unique_lock<std::mutex>& lock, std::condition_variable& cv, int ms,
                         const std::function<bool()>& ready) = 0;
    int64_t NowMs();
};

class RealClock : public Clock
{
public:
    TimePoint Now() override;
    void SleepMs(int ms) override;
    bool WaitFor(std::unique_lock<std::mutex>& lock, std::condition_variable& cv, int ms,
                 const std::function<bool()>& ready) override;
};

// Virtual time: SleepMs and a WaitFor that is not satisfied at once advance the time by
// the full amount without blocking. Records every sleep and every
// wait that ran out.
class FakeClock : public Clock
{
public:
    TimePoint Now() override;
    void SleepMs(int ms) override;
    bool WaitFor(std::unique_lock<std::mutex>& lock, std::condition_variable& cv, int ms,
                 const std::function<bool()>& ready) override;
    void AdvanceMs(int ms);
    int64_t ElapsedMs();
    // Lengths of every SleepMs call and of every WaitFor that ran out, in order.
    std::vector<int> Sleeps();
    std::vector<int> Waits();

private:
    std::mutex m_mutex;
    std::vector<int> m_sleeps;
    std::vector<int> m_waits;
    std::chrono::milliseconds m_elapsed{0};
    TimePoint m_start = std::chrono::steady_clock::time_point{};
};

// The process-wide clock (a RealClock unless replaced). SetClock(nullptr) restores it.
Clock& GetClock();
void SetClock(Clock* clock);

// Installs a clock for the lifetime of the object (tests).
class ScopedClock
{
public:
    explicit ScopedClock(Clock& clock) { SetClock(&clock); }
    ~ScopedClock() { SetClock(nullptr); }
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;
};

} // namespace platform
