#include "support/RecordingPrompt.h"

void CRecordingPrompt::message(const std::string& text, Icon icon) {
    m_entries.push_back({text, icon, false});
}

bool CRecordingPrompt::ask(const std::string& text, bool defaultYes) {
    m_entries.push_back({text, Icon::Question, true});
    if (m_onAsk)
        m_onAsk();
    if (m_answers.empty())
        return defaultYes;
    const bool answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

IUserPrompt::SaveAnswer CRecordingPrompt::askSave(const std::string& text) {
    m_entries.push_back({text, Icon::Question, true});
    if (m_onAsk)
        m_onAsk();
    if (m_saveAnswers.empty())
        return SaveAnswer::Cancel;
    const SaveAnswer answer = m_saveAnswers.front();
    m_saveAnswers.pop_front();
    return answer;
}

std::vector<std::string> CRecordingPrompt::messages() const {
    std::vector<std::string> texts;
    for (const Entry& entry : m_entries)
        texts.push_back(entry.text);
    return texts;
}
