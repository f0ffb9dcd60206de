#include "threads/LPGThreadManager.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

CLPGThreadManager& CLPGThreadManager::instance() {
    static CLPGThreadManager pool;
    return pool;
}

void CLPGThreadManager::endProcess(int code) {
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    std::_Exit(code);
}
