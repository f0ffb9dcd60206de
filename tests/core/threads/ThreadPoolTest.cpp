#include "threads/LPGThreadManager.h"
#include "threads/MultiThread.h"
#include "threads/MutexGuard.h"
#include "threads/SThread.h"
#include "threads/Semaphore.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

namespace {

// A pool thread that waits at an optional gate, then reports its own deletion.
class CProbeThread : public CSThread {
public:
    CProbeThread(CSemaphore* gate, CSemaphore* deleted) : m_gate(gate), m_deleted(deleted) {}
    ~CProbeThread() override {
        if (m_deleted)
            m_deleted->up();
    }
    void run() override {
        if (m_gate)
            m_gate->down();
    }

private:
    CSemaphore* m_gate;
    CSemaphore* m_deleted;
};

} // namespace

TEST(ThreadPool, finishedThreadIsDeletedAndOnlyTheRecyclerStaysOwned) {
    CMultiThread pool;
    EXPECT_EQ(pool.count(), 1u);
    CSemaphore deleted;
    pool.add(std::make_unique<CProbeThread>(nullptr, &deleted));
    deleted.down();
    EXPECT_EQ(pool.count(), 1u);
}

TEST(ThreadPool, twoThreadsFinishingAtOnceAreBothDeleted) {
    CMultiThread pool;
    CSemaphore gate;
    CSemaphore deleted;
    pool.add(std::make_unique<CProbeThread>(&gate, &deleted));
    pool.add(std::make_unique<CProbeThread>(&gate, &deleted));
    EXPECT_EQ(pool.count(), 3u);
    gate.up(2);
    deleted.down();
    deleted.down();
    EXPECT_EQ(pool.count(), 1u);
}

TEST(ThreadPool, shutdownReleasesTheOuterLockWhileOtherThreadsFinish) {
    // The worker needs the outer lock to finish; shutdown must let go of it or wait forever.
    struct CLockingThread : CSThread {
        CMutex* outer;
        CSemaphore* deleted;
        ~CLockingThread() override { deleted->up(); }
        void run() override { CMutexGuard guard(outer); }
    };
    CMultiThread pool;
    CMutex outer;
    CSemaphore deleted;
    CMutexGuard held(outer);
    auto worker = std::make_unique<CLockingThread>();
    worker->outer = &outer;
    worker->deleted = &deleted;
    pool.add(std::move(worker));
    pool.shutdown(&outer);
    deleted.down();
    EXPECT_EQ(pool.count(), 1u);
}

TEST(ThreadPool, shutdownReturnsWhenCalledAgainAfterTheRecyclerHasEnded) {
    CMultiThread pool;
    pool.shutdown();
    pool.shutdown();
    EXPECT_EQ(pool.count(), 1u);
}

TEST(ThreadPool, closingDeletesThreadsThatFinishWithinTheCloseWait) {
    CSemaphore deleted;
    {
        CMultiThread pool;
        struct CSlowThread : CProbeThread {
            using CProbeThread::CProbeThread;
            void run() override { std::this_thread::sleep_for(std::chrono::milliseconds(30)); }
        };
        pool.add(std::make_unique<CSlowThread>(nullptr, &deleted));
    }
    EXPECT_TRUE(deleted.down(0)) << "the thread should be gone when the pool is";
}

TEST(ThreadPool, closingLetsABlockedThreadGoAndItDeletesItselfLater) {
    CSemaphore gate;
    CSemaphore deleted;
    auto pool = std::make_unique<CMultiThread>(30);
    pool->add(std::make_unique<CProbeThread>(&gate, &deleted));
    pool.reset(); // must return although the thread is still blocked
    EXPECT_FALSE(deleted.down(0));
    gate.up(); // the thread finishes after its pool is gone
    deleted.down();
}

TEST(ThreadPool, closingAfterAThreadWasAddedPastShutdownStillDeletesIt) {
    CSemaphore deleted;
    {
        CMultiThread pool;
        pool.shutdown();
        pool.add(std::make_unique<CProbeThread>(nullptr, &deleted));
    }
    EXPECT_TRUE(deleted.down(0));
}

TEST(ThreadPool, applicationPoolIsOneObjectWithItsRecycler) {
    CLPGThreadManager& pool = CLPGThreadManager::instance();
    EXPECT_EQ(&pool, &CLPGThreadManager::instance());
    CSemaphore deleted;
    pool.add(std::make_unique<CProbeThread>(nullptr, &deleted));
    deleted.down();
    EXPECT_EQ(pool.count(), 1u);
}

TEST(ThreadPoolDeathTest, endProcessExitsWithItsCodeDespiteABlockedPoolThread) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            static CSemaphore never;
            CLPGThreadManager::instance().add(std::make_unique<CProbeThread>(&never, nullptr));
            CLPGThreadManager::endProcess(3);
        },
        ::testing::ExitedWithCode(3), "");
}
