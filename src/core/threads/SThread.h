#pragma once

#include "threads/SemThread.h"

// Base of the pool's worker threads; derived classes give run() its work.
class CSThread : public CSemThread {
public:
    void run() override {}
};
