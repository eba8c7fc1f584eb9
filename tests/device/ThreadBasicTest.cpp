#include "app/device/CThreadBasic.h"

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace {

class Counter : public CThreadBasic
{
public:
    ~Counter() override { StopThread(); }
    std::atomic<int> passes{0};

protected:
    void Pass() override { ++passes; }
};

TEST(ThreadBasic, OnePassOrLoopUntilStopped)
{
    Counter once;
    ASSERT_TRUE(once.StartThread(0, 2, 42));
    EXPECT_TRUE(once.StopThread());
    EXPECT_EQ(once.passes, 1);
    EXPECT_TRUE(once.IsDone());
    EXPECT_EQ(once.ExitCode(), 42);

    Counter loop;
    ASSERT_TRUE(loop.StartThread(1, 1, 0));
    EXPECT_FALSE(loop.StartThread(1, 1, 0)); // already running
    while (loop.passes < 3)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_TRUE(loop.StopThread());
    EXPECT_FALSE(loop.IsRunning());
    const int stopped = loop.passes;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(loop.passes, stopped);
    ASSERT_TRUE(loop.StartThread(1, 1, 0)); // restartable once done
}

} // namespace
