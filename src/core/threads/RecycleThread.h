#pragma once

#include "threads/SemThread.h"

// The pool's housekeeper: deletes every pool thread shortly after its run() returns, and
// leaves once the pool is closing and it is the only thread left.
class CRecycleThread : public CSemThread {
public:
    void run() override;
};
