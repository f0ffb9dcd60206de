#include "CliComplete.h"

#include "CliCommandTable.h"
#include "backup/BackupStore.h"
#include "platform/PortTable.h"
#include "platform/WorkFolders.h"
#include "settings/SettingsSchema.h"

#include <algorithm>

namespace vexor::cli {

namespace {

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.rfind(prefix, 0) == 0;
}

SCompletion words(const std::vector<std::string>& candidates, const std::string& current,
                  const std::string& prefix = {}) {
    SCompletion out;
    for (const std::string& word : candidates) {
        const std::string full = prefix + word;
        if (startsWith(full, current) &&
            std::find(out.words.begin(), out.words.end(), full) == out.words.end())
            out.words.push_back(full);
    }
    return out;
}

// What may follow an option or stand as an operand. `given` holds the
// options typed so far: the port table and the data folder follow them.
SCompletion value(WordKind kind, const std::string& current, const CliOptions& given,
                  const std::string& prefix = {}) {
    switch (kind) {
    case WordKind::File:
        return {SCompletion::Kind::Files, {}};
    case WordKind::Folder:
        return {SCompletion::Kind::Folders, {}};
    case WordKind::Port: {
        PortTableOptions ports;
        ports.explicitPaths = given.ports;
        ports.systemPorts = !given.noSystemPorts;
        return words(buildPortTable(ports), current, prefix);
    }
    case WordKind::Language: {
        std::vector<std::string> indexes;
        for (int i = 0; i < 14; ++i)
            indexes.push_back(std::to_string(i));
        return words(indexes, current, prefix);
    }
    case WordKind::BackupId: {
        const CBackupStore store(given.dataDir.empty() ? CWorkFolders::defaultDataFolder()
                                                       : given.dataDir);
        std::vector<std::string> ids;
        for (const CBackupStore::SEntry& entry : store.list())
            ids.push_back(entry.id);
        return words(ids, current, prefix);
    }
    case WordKind::SettingsKey: {
        // Only the keys an edit may change: the others are refused anyway.
        std::vector<std::string> keys;
        for (const SettingInfo& info : settingsSchema()) {
            if (!info.readOnly)
                keys.push_back(info.key);
        }
        return words(keys, current, prefix);
    }
    case WordKind::None:
        break;
    }
    return {};
}

std::vector<std::string> optionNames(const std::vector<SOptionSpec>& options) {
    std::vector<std::string> names;
    for (const SOptionSpec& option : options) {
        if (option.longName)
            names.emplace_back(option.longName);
        if (option.shortName)
            names.emplace_back(option.shortName);
    }
    return names;
}

// "--name=VALUE" being typed: the value's candidates, each after "--name=".
bool valueAfterEquals(const std::vector<SOptionSpec>& options, const std::string& current,
                      const CliOptions& given, SCompletion& out) {
    const std::size_t equals = current.find('=');
    if (!startsWith(current, "--") || equals == std::string::npos)
        return false;
    const SOptionSpec* entry = findOption(options, current);
    if (entry == nullptr || entry->valueName == nullptr)
        return false;
    out = value(entry->value, current, given, current.substr(0, equals + 1));
    return true;
}

WordKind operandKind(const SCommandSpec& entry, std::size_t index) {
    if (index < entry.operands.size())
        return entry.operands[index];
    if (entry.repeatFrom < entry.operands.size()) {
        const std::size_t group = entry.operands.size() - entry.repeatFrom;
        return entry.operands[entry.repeatFrom + (index - entry.repeatFrom) % group];
    }
    return WordKind::None;
}

} // namespace

SCompletion complete(const std::vector<std::string>& typed) {
    if (typed.empty())
        return {};
    const std::string& current = typed.back();
    const std::size_t last = typed.size() - 1;
    CliOptions given;

    // The options before the command.
    std::size_t i = 0;
    bool ended = false;
    for (; i < last; ++i) {
        const std::string& word = typed[i];
        if (word == "--") {
            ended = true;
            ++i;
            break;
        }
        if (word.empty() || word[0] != '-')
            break;
        const SOptionSpec* entry = findOption(globalOptions(), word);
        if (entry == nullptr)
            continue;
        std::string error;
        if (entry->valueName && word.find('=') == std::string::npos) {
            if (i + 1 == last)
                return value(entry->value, current, given);
            (void)entry->apply(given, typed[++i], error);
        } else if (entry->valueName) {
            (void)entry->apply(given, word.substr(word.find('=') + 1), error);
        } else {
            (void)entry->apply(given, {}, error);
        }
    }
    if (i == last) {
        SCompletion out;
        if (!ended && valueAfterEquals(globalOptions(), current, given, out))
            return out;
        if (!ended && startsWith(current, "-"))
            return words(optionNames(globalOptions()), current);
        std::vector<std::string> names;
        for (const SCommandSpec& entry : commandTable())
            names.emplace_back(entry.name);
        return words(names, current);
    }

    // The command, and its sub-command when it has them.
    const std::string& name = typed[i++];
    std::vector<const SCommandSpec*> rows;
    for (const SCommandSpec& entry : commandTable()) {
        if (name == entry.name)
            rows.push_back(&entry);
    }
    if (rows.empty())
        return {};
    const SCommandSpec* plain = nullptr; // the form without a sub-command
    std::vector<std::string> subs;
    for (const SCommandSpec* entry : rows) {
        if (!*entry->sub)
            plain = entry;
        for (const std::string& sub : subWords(*entry))
            subs.push_back(sub);
    }
    const SCommandSpec* row = plain;
    if (!subs.empty() && i == last) {
        SCompletion out = words(subs, current);
        if (plain && startsWith(current, "-"))
            out = words(optionNames(plain->options), current);
        return out;
    }
    if (!subs.empty()) {
        for (const SCommandSpec* entry : rows) {
            const auto own = subWords(*entry);
            if (std::find(own.begin(), own.end(), typed[i]) != own.end()) {
                row = entry;
                ++i;
                break;
            }
        }
    }
    if (row == nullptr)
        return {};

    // Its options and operands up to the word being completed.
    std::size_t operand = 0;
    bool operandsOnly = false;
    for (; i < last; ++i) {
        const std::string& word = typed[i];
        if (!operandsOnly && word == "--") {
            operandsOnly = true;
            continue;
        }
        const SOptionSpec* entry = operandsOnly || word.empty() || word[0] != '-'
                                       ? nullptr
                                       : findOption(row->options, word);
        if (entry == nullptr) {
            ++operand;
            continue;
        }
        if (entry->valueName && word.find('=') == std::string::npos) {
            if (i + 1 == last)
                return value(entry->value, current, given);
            ++i;
        }
    }
    SCompletion out;
    if (!operandsOnly && valueAfterEquals(row->options, current, given, out))
        return out;
    if (!operandsOnly && startsWith(current, "-") && !row->options.empty())
        return words(optionNames(row->options), current);
    return value(operandKind(*row, operand), current, given);
}

std::string completionText(const SCompletion& completion) {
    std::string text;
    switch (completion.kind) {
    case SCompletion::Kind::Files:
        text = "files\n";
        break;
    case SCompletion::Kind::Folders:
        text = "folders\n";
        break;
    case SCompletion::Kind::Words:
        text = "words\n";
        break;
    }
    for (const std::string& word : completion.words)
        text += word + "\n";
    return text;
}

} // namespace vexor::cli
