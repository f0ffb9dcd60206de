#include "threads/RecycleThread.h"

#include "threads/FinishedQueue.h"
#include "threads/MultiThread.h"

void CRecycleThread::run() {
    CMultiThread& pool = *owner();
    for (;;) {
        if (pool.closingAndAlone())
            return;
        pool.finishedQueue().waitForWork();
        if (pool.closingAndAlone())
            return;
        // Destroyed here, outside the pool lock: destroying waits for the finishing thread
        // to leave its entry function.
        pool.takeFinished().reset();
    }
}
