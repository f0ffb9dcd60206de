#pragma once

#include "platform/Seams.h"

#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

// Messages and questions on the standard error stream. A question is
// answered Yes by --yes; otherwise it is asked on a terminal (y/N), and
// answered No when there is nobody to ask, with one line saying so.
class CCliPrompt : public IUserPrompt {
public:
    // in: where answers are read from (a terminal or not); err: where
    // messages and questions go.
    CCliPrompt(bool autoYes, std::FILE* in = stdin, std::FILE* err = stderr);

    void message(const std::string& text, Icon icon) override;
    bool ask(const std::string& text, bool defaultYes) override;

    // --yes stands for the user only where the user meant it: a question
    // with this text (whether to fake a controller) is never answered by it.
    void addManualQuestion(const std::string& text) { m_manual.push_back(text); }

private:
    // Writes to the message stream and notes when it fails.
    void say(const std::string& text);

    bool m_autoYes;
    std::vector<std::string> m_manual;
    std::FILE* m_in;
    std::FILE* m_err;
};

// The frame timers of a command: the reconnect request is only noted; the
// command's own loop acts on it.
class CCliTimers : public IFrameTimers {
public:
    void armReconnect() override { m_reconnect = true; }
    void startDisplay() override {}
    // True once after each armReconnect.
    bool takeReconnect() { return m_reconnect.exchange(false); }

private:
    std::atomic<bool> m_reconnect{false};
};

// The file chooser of a command: the path the command line named.
class CCliChooser : public IFileChooser {
public:
    void setPath(std::string path) { m_path = std::move(path); }
    std::string openPath(const std::string&, const std::string&) override { return m_path; }
    std::string savePath(const std::string&, const std::string&, const std::string&) override {
        return m_path;
    }

private:
    std::string m_path;
};
