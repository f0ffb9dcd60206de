#pragma once

#include "platform/Seams.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

// Stands in for the message boxes: records every message and question and
// answers questions from a script (then with their default).
class CRecordingPrompt : public IUserPrompt {
public:
    struct Entry {
        std::string text;
        Icon icon;
        bool question;
    };

    void message(const std::string& text, Icon icon) override;
    bool ask(const std::string& text, bool defaultYes) override;
    // The Save / Discard / Cancel question, answered from its own script
    // (then with Cancel).
    SaveAnswer askSave(const std::string& text) override;
    void scriptSaveAnswer(SaveAnswer answer) { m_saveAnswers.push_back(answer); }

    void scriptAnswer(bool yes) { m_answers.push_back(yes); }
    // Runs at every question before it is answered (to look at the program's
    // state at that moment).
    void onAsk(std::function<void()> look) { m_onAsk = std::move(look); }
    const std::vector<Entry>& entries() const { return m_entries; }
    std::vector<std::string> messages() const;
    void clear() { m_entries.clear(); }

private:
    std::vector<Entry> m_entries;
    std::deque<bool> m_answers;
    std::deque<SaveAnswer> m_saveAnswers;
    std::function<void()> m_onAsk;
};
