#pragma once
// A thread that runs a pass routine, once or in a loop with a pause after every pass.
//
// The pause goes through the clock seam. Stop() clears the running flag and waits for the
// thread to end (up to waitMs for the done event, then for the pass in progress to return:
// a thread never outlives the object it runs).
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

class CThreadBasic
{
public:
    CThreadBasic() = default;
    virtual ~CThreadBasic();
    CThreadBasic(const CThreadBasic&) = delete;
    CThreadBasic& operator=(const CThreadBasic&) = delete;

    // loopMode 0: one pass, then the thread ends; otherwise passes until Stop(), sleeping
    // intervalMs after each. exitCode is what the thread procedure returns. False when it
    // already runs.
    bool StartThread(int loopMode, int intervalMs, int64_t exitCode);
    // Clears the running flag and waits for the done event. True when it came within waitMs.
    bool StopThread(int waitMs = 1000);
    bool IsRunning() const { return m_running.load(); }
    // Whether the done event is set (the thread procedure has ended).
    bool IsDone() const;
    int64_t ExitCode() const { return m_exitCode.load(); }

protected:
    // The pass routine: one unit of work.
    virtual void Pass() = 0;

private:
    int64_t ThreadProc();

    std::atomic<bool> m_running{false};
    std::atomic<int> m_loopMode{1};
    std::atomic<int> m_interval{2};
    std::atomic<int64_t> m_exitCode{0};
    mutable std::mutex m_doneMutex;
    std::condition_variable m_doneCv;
    bool m_done = true;
    std::thread m_thread;
};
