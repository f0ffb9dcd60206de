#pragma once

#include <thread>

// A thread object whose thread runs the virtual run(), or a plain thread function.
//
// Destroying a started CThread waits for its thread to end (unless it is the thread
// itself), so a standalone thread must have left run() before a derived part of it is
// destroyed: call join() first.
class CThread {
public:
    using Function = void (*)(void*);

    explicit CThread(Function function = nullptr) : m_function(function) {}
    virtual ~CThread();

    CThread(const CThread&) = delete;
    CThread& operator=(const CThread&) = delete;

    virtual void run() {}

    // Starts the thread. With a thread function of its own, runs that function with the
    // argument (or with this object when the argument is null). Otherwise runs the entry,
    // or the default entry that calls run(), with this object. A thread object starts at
    // most once; failing to start throws CThreadError code -2.
    void create(void* argument = nullptr, Function entry = nullptr);
    // Waits for the started thread to end; does nothing when not started or on itself.
    void join();
    bool started() const { return m_started; }

protected:
    // Lets the thread go on alone; the object no longer waits for it when destroyed.
    void detach();

private:
    static void defaultEntry(void* self);

    Function m_function;
    std::thread m_thread;
    bool m_started = false;
};
