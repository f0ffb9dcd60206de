#pragma once

#include "SimServer.h"
#include "core/files/TempFolder.h"
#include "doc/KorvantisDoc.h"
#include "platform/PortTable.h"
#include "platform/Seams.h"
#include "support/OnSimulator.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vexor::test {

// Every seam of the document, scripted: messages and questions are recorded,
// questions take the next scripted answer (No when none is left), the chooser
// returns the path set last, the timers count.
class ScriptedSeams : public IUserPrompt,
                      public IFileChooser,
                      public IFrameTimers,
                      public IEventPump {
public:
    void message(const std::string& text, Icon) override {
        std::lock_guard<std::mutex> guard(m_mutex);
        messages.push_back(text);
    }
    bool ask(const std::string& text, bool defaultYes) override {
        questions.push_back(text);
        questionDefaults.push_back(defaultYes);
        if (answers.empty())
            return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::string openPath(const std::string& folder, const std::string& extension) override {
        chooserCalls.push_back(folder + "|" + extension);
        return path;
    }
    std::string savePath(const std::string& folder, const std::string& extension,
                         const std::string&) override {
        chooserCalls.push_back(folder + "|" + extension);
        return path;
    }
    void armReconnect() override { ++reconnects; }
    void startDisplay() override { ++displays; }
    void pump() override {}

    Seams seams() {
        Seams s;
        s.prompt = this;
        s.chooser = this;
        s.timers = this;
        s.pump = this;
        return s;
    }
    std::vector<std::string> takeMessages() {
        std::lock_guard<std::mutex> guard(m_mutex);
        std::vector<std::string> taken;
        taken.swap(messages);
        return taken;
    }

    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::vector<bool> questionDefaults;
    std::deque<bool> answers;
    std::string path;
    std::vector<std::string> chooserCalls;
    std::atomic<int> reconnects{0};
    std::atomic<int> displays{0};

private:
    std::mutex m_mutex;
};

// Waits up to `limit` for a condition that another thread makes true.
template <class F> bool eventually(F&& condition, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

// A document whose port table holds one simulated controller (port 1), with
// its remembered-port file and data folder in a temporary folder.
class DocOnSim : public ::testing::Test {
protected:
    explicit DocOnSim(const SimConfig& config = {}) : server(config) {}

    void SetUp() override {
        server.start();
        doc = documentOnSimulator(server, folder.path().string());
        doc->setSeams(seams.seams());
    }
    void TearDown() override { doc.reset(); }

    void connectOrFail() {
        ASSERT_TRUE(doc->connect());
        ASSERT_FALSE(doc->isDemo());
        seams.takeMessages();
        server.requestLog().clear();
    }

    template <class F> auto sim(F&& f) { return server.withController(std::forward<F>(f)); }
    std::size_t count(SimMatch match) { return server.requestLog().count(match); }

    CSimServer server;
    CTempFolder folder;
    ScriptedSeams seams;
    std::unique_ptr<CKorvantisDoc> doc;
};

} // namespace vexor::test
