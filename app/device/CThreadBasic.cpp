#include "app/device/CThreadBasic.h"

#include "platform/Clock.h"

#include <chrono>

CThreadBasic::~CThreadBasic()
{
    // The derived part is gone by now: the owner must have stopped the thread. Join anyway so
    // that a forgotten Stop never leaves a thread running.
    m_running = false;
    if (m_thread.joinable()) m_thread.join();
}

bool CThreadBasic::StartThread(int loopMode, int intervalMs, int64_t exitCode)
{
    if (m_thread.joinable()) {
        if (!IsDone()) return false;
        m_thread.join();
    }
    m_loopMode = loopMode;
    m_interval = intervalMs;
    m_exitCode = exitCode;
    {
        std::lock_guard<std::mutex> lock(m_doneMutex);
        m_done = false;
    }
    m_running = true;
    m_thread = std::thread([this] { ThreadProc(); });
    return true;
}

int64_t CThreadBasic::ThreadProc()
{
    if (m_loopMode == 0) {
        Pass();
    } else {
        while (m_running) {
            Pass();
            // Linux timers are fine-grained already; no resolution to raise around the pause.
            platform::GetClock().SleepMs(m_interval);
        }
    }
    m_running = false;
    {
        std::lock_guard<std::mutex> lock(m_doneMutex);
        m_done = true;
    }
    m_doneCv.notify_all();
    return m_exitCode;
}

bool CThreadBasic::StopThread(int waitMs)
{
    m_running = false;
    bool inTime = true;
    {
        std::unique_lock<std::mutex> lock(m_doneMutex);
        inTime = m_doneCv.wait_for(lock, std::chrono::milliseconds(waitMs), [this] { return m_done; });
    }
    if (m_thread.joinable()) m_thread.join();
    return inTime;
}

bool CThreadBasic::IsDone() const
{
    std::lock_guard<std::mutex> lock(m_doneMutex);
    return m_done;
}
