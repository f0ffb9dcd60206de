#include "threads/Event.h"
#include "threads/MutexGuard.h"
#include "threads/Semaphore.h"
#include "threads/Thread.h"
#include "threads/ThreadError.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

namespace {

// Runs the statement, which must throw a CThreadError, and returns it.
template <class F> std::unique_ptr<IError> thrownBy(F&& statement) {
    try {
        statement();
    } catch (IError* error) {
        return std::unique_ptr<IError>(error);
    }
    return nullptr;
}

} // namespace

TEST(ThreadError, ownTextsFollowTheSharedOnesAndThrownCodesReadAsEntryZero) {
    EXPECT_EQ(CThreadError(5, "m", 1, "f").description(), "Błąd biblioteki ThreadLib.");
    EXPECT_EQ(CThreadError(6, "m", 1, "f").description(), "Nie można utworzyć wątku.");
    EXPECT_EQ(CThreadError(4, "m", 1, "f").description(), "Błąd czasu wykonania");
    EXPECT_EQ(CThreadError(-1, "m", 1, "f").description(), "Błąd z poza zdefiniowanego zakresu");
    EXPECT_EQ(CThreadError(-2, "m", 1, "f").description(), "Błąd z poza zdefiniowanego zakresu");
    EXPECT_EQ(CThreadError(-1, "m", 1, "f").className(), "CThreadError");
}

TEST(MutexGuard, releasesItsLockWhenAnErrorIsThrown) {
    CMutex mutex;
    auto error = thrownBy([&] {
        CMutexGuard guard(mutex);
        vexor::throwThreadError(CThreadError::kLibraryError, "inside", __LINE__, __FILE__);
    });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->message(), "inside");
    // The lock is re-entrant, so only another thread can tell whether it was released.
    std::atomic<bool> locked{false};
    std::thread other([&] {
        CMutexGuard guard(mutex);
        locked = true;
    });
    other.join();
    EXPECT_TRUE(locked);

    CMutexGuard nothing(static_cast<CMutex*>(nullptr));
}

TEST(Event, pulseWakesAThreadAlreadyWaiting) {
    CEvent event;
    std::atomic<bool> woken{false};
    std::thread waiter([&] { woken = event.wait(CEvent::kInfinite); });
    // The waiter may not be waiting yet when a pulse goes out; pulse until it is.
    while (!woken) {
        event.signal();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    waiter.join();
    EXPECT_TRUE(woken);
}

TEST(Event, pulseIsNotKeptForAThreadThatStartsWaitingAfterIt) {
    CEvent event;
    event.signal();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(event.wait(40));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(40));
}

TEST(Semaphore, countsUpsAndDowns) {
    CSemaphore semaphore(1);
    semaphore.up(2);
    EXPECT_TRUE(semaphore.down(0));
    EXPECT_TRUE(semaphore.down(0));
    EXPECT_TRUE(semaphore.down(0));
    EXPECT_FALSE(semaphore.down(0));

    std::thread releaser([&] { semaphore.up(); });
    semaphore.down();
    releaser.join();
    EXPECT_FALSE(semaphore.down(0));
}

TEST(Semaphore, refusesBadCountsWithoutChangingTheCount) {
    auto bad = thrownBy([] { CSemaphore semaphore(-1); });
    ASSERT_TRUE(bad);
    EXPECT_EQ(bad->message(), "CSemaphore::CSemaphore()");
    EXPECT_EQ(bad->code(), CThreadError::kLibraryError);

    CSemaphore semaphore(CSemaphore::kMaximum - 1);
    auto zero = thrownBy([&] { semaphore.up(0); });
    ASSERT_TRUE(zero);
    EXPECT_EQ(zero->message(), "CSemaphore::up()");
    EXPECT_TRUE(thrownBy([&] { semaphore.up(2); }));
    semaphore.up(1); // exactly the maximum is allowed
    EXPECT_TRUE(thrownBy([&] { semaphore.up(1); }));
}

namespace {

class CRunProbe : public CThread {
public:
    using CThread::CThread;
    void run() override { ran = true; }
    std::atomic<bool> ran{false};
};

void* g_functionArgument = nullptr;
void recordArgument(void* argument) {
    g_functionArgument = argument;
}

} // namespace

TEST(Thread, createWithoutFunctionOrEntryRunsTheVirtualRun) {
    CRunProbe thread;
    thread.create();
    thread.join();
    EXPECT_TRUE(thread.ran);
}

TEST(Thread, ownFunctionGetsTheArgumentOrElseTheThreadObject) {
    int value = 0;
    {
        CRunProbe thread(&recordArgument);
        thread.create(&value, nullptr);
        thread.join();
        EXPECT_EQ(g_functionArgument, &value);
        EXPECT_FALSE(thread.ran);
    }
    {
        CRunProbe thread(&recordArgument);
        thread.create();
        thread.join();
        EXPECT_EQ(g_functionArgument, static_cast<void*>(&thread));
    }
    {
        // Without a function of its own, a given entry gets the object, not the argument.
        CRunProbe thread;
        thread.create(&value, &recordArgument);
        thread.join();
        EXPECT_EQ(g_functionArgument, static_cast<void*>(&thread));
        EXPECT_FALSE(thread.ran);
    }
}

TEST(Thread, startingTwiceIsRefusedAndTheFirstRunStillEnds) {
    CRunProbe thread;
    thread.create();
    auto again = thrownBy([&] { thread.create(); });
    ASSERT_TRUE(again);
    EXPECT_EQ(again->code(), CThreadError::kCreateError);
    EXPECT_EQ(again->message(), "CThread::create()");
    thread.join();
    EXPECT_TRUE(thread.ran);
}
