#include "CliCommandTable.h"

#include "CliCommands.h"

namespace vexor::cli {

namespace {

bool setFlag(bool CliOptions::*member, CliOptions& options) {
    options.*member = true;
    return true;
}

bool applyPort(CliOptions& o, const std::string& value, std::string& error) {
    if (value.empty()) {
        error = "--port needs a device path";
        return false;
    }
    o.ports.push_back(value);
    return true;
}

bool applyLang(CliOptions& o, const std::string& value, std::string& error) {
    long index = 0;
    if (!parseInt(value, 0, 13, index)) {
        error = "--lang needs a language index from 0 to 13";
        return false;
    }
    o.language = static_cast<int>(index);
    return true;
}

bool applyConfigDir(CliOptions& o, const std::string& value, std::string& error) {
    if (value.empty()) {
        error = "--config-dir needs a folder";
        return false;
    }
    o.configDir = value;
    return true;
}

bool applyDataDir(CliOptions& o, const std::string& value, std::string& error) {
    if (value.empty()) {
        error = "--data-dir needs a folder";
        return false;
    }
    o.dataDir = value;
    return true;
}

bool applyReconnect(CliOptions& o, const std::string& value, std::string& error) {
    long seconds = 0;
    if (!parseInt(value, 0, 86400, seconds)) {
        error = "--reconnect-timeout needs a number of seconds from 0 to 86400";
        return false;
    }
    o.reconnectTimeout = static_cast<int>(seconds);
    return true;
}

} // namespace

const std::vector<SOptionSpec>& globalOptions() {
    using K = WordKind;
    static const std::vector<SOptionSpec> options = {
        {"-p", "--port", "PATH", K::Port,
         "serial device to put first in the port table (repeatable; port 1 is the first PATH); "
         "tcp://HOST:PORT or rfc2217://HOST:PORT names an adapter served over the network by "
         "ser2net",
         applyPort},
        {nullptr, "--no-system-ports", nullptr, K::None,
         "leave the system's serial devices out of the table",
         [](CliOptions& o, const std::string&, std::string&) {
             return setFlag(&CliOptions::noSystemPorts, o);
         }},
        {nullptr, "--demo", nullptr, K::None,
         "demonstration mode: no controller, every command succeeds, live data is synthetic",
         [](CliOptions& o, const std::string&, std::string&) {
             return setFlag(&CliOptions::demo, o);
         }},
        {nullptr, "--lang", "N", K::Language,
         "language index 0..13 of every message (default: from the locale)", applyLang},
        {nullptr, "--cng", nullptr, K::None, "module type CNG (default LPG)",
         [](CliOptions& o, const std::string&, std::string&) {
             return setFlag(&CliOptions::cng, o);
         }},
        {nullptr, "--config-dir", "DIR", K::Folder,
         "folder of the remembered-port file (default $XDG_CONFIG_HOME/VEXOR)", applyConfigDir},
        {nullptr, "--data-dir", "DIR", K::Folder,
         "program data folder with settings/, Oscyloskop/ and backups/ (default "
         "$XDG_DATA_HOME/VEXOR)",
         applyDataDir},
        {"-y", "--yes", nullptr, K::None,
         "answer Yes to every question (factory defaults, downgrade); without it a question is "
         "asked on a terminal and answered No otherwise, with one line on stderr saying so. The "
         "question whether to run in demonstration mode when no controller answers is only "
         "ever asked on a terminal.",
         [](CliOptions& o, const std::string&, std::string&) {
             return setFlag(&CliOptions::yes, o);
         }},
        {nullptr, "--no-backup", nullptr, K::None,
         "take no automatic backup before a command that changes the controller's settings",
         [](CliOptions& o, const std::string&, std::string&) {
             return setFlag(&CliOptions::noBackup, o);
         }},
        {nullptr, "--json", nullptr, K::None,
         "print JSON instead of text: ports, identify, stats, settings show, settings diff, "
         "errors, live (one object a line), map show, backups, obd codes, obd values, obd "
         "readiness, pending, permanent, freeze and vin, history, doctor",
         [](CliOptions& o, const std::string&, std::string&) {
             return setFlag(&CliOptions::json, o);
         }},
        {nullptr, "--reconnect-timeout", "S", K::None,
         "how long live tries to get a lost controller back before it gives up with exit status "
         "3 (default 30)",
         applyReconnect},
        {"-h", "--help", nullptr, K::None, "this text",
         [](CliOptions& o, const std::string&, std::string&) {
             return setFlag(&CliOptions::help, o);
         }},
        {nullptr, "--version", nullptr, K::None, "the program's version",
         [](CliOptions& o, const std::string&, std::string&) {
             return setFlag(&CliOptions::version, o);
         }},
    };
    return options;
}

const std::vector<SCommandSpec>& commandTable() {
    using K = WordKind;
    using C = CCliCommands;
    static const std::vector<SCommandSpec> commands = {
        {"ports",
         "",
         "",
         "the port table, one N<TAB>PATH line per entry",
         {},
         {},
         kNoRepeat,
         &C::cmdPorts},
        {"doctor",
         "",
         "",
         "checks every port of the table without changing any setting: one "
         "PATH<TAB>STATE<TAB>DETAIL line per port, STATE one of answers, silent, busy, denied, "
         "missing, not-a-terminal, error, DETAIL what to do about it; exits 0 when some port "
         "answers, 3 otherwise",
         {},
         {},
         kNoRepeat,
         &C::cmdDoctor},
        {"identify",
         "",
         "",
         "the identity block: port, version, version-raw, serial, production-date, injectors, "
         "device-id, flags1, flags2, live-data (key: value lines)",
         {},
         {},
         kNoRepeat,
         &C::cmdIdentify},
        {"stats",
         "",
         "",
         "petrol-time, gas-time (H : MM : SS), modify, station-code and this-station "
         "(XXXX-XXXX)",
         {},
         {},
         kNoRepeat,
         &C::cmdStats},
        {"settings",
         "show",
         "",
         "the settings image as settings-file lines (KEY<TAB>VALUE)",
         {},
         {},
         kNoRepeat,
         &C::cmdSettings},
        {"settings",
         "save",
         "FILE",
         "reads the controller and saves a settings file",
         {},
         {K::File},
         kNoRepeat,
         &C::cmdSettings},
        {"settings",
         "load",
         "FILE",
         "loads FILE into the controller (petrol first, every block, "
         "restart)",
         {},
         {K::File},
         kNoRepeat,
         &C::cmdSettings},
        {"settings",
         "defaults",
         "",
         "factory settings (asks unless --yes)",
         {},
         {},
         kNoRepeat,
         &C::cmdSettings},
        {"settings",
         "diff",
         "[--all] FILE [FILE2]",
         "the keys in which the controller (or FILE) and FILE (or FILE2) differ, one "
         "KEY<TAB>VALUE<TAB>VALUE line each; identity and time stamp only with --all",
         {{nullptr, "--all", nullptr, K::None, "also the identity and time-stamp keys"}},
         {K::File, K::File},
         kNoRepeat,
         &C::cmdSettings},
        {"settings",
         "set",
         "FILE KEY VALUE [KEY VALUE ...]",
         "changes keys of a settings file without a controller, each checked against what the "
         "window program offers",
         {},
         {K::File, K::SettingsKey, K::None},
         1,
         &C::cmdSettings},
        {"errors",
         "",
         "",
         "the decoded fault text (empty without faults)",
         {},
         {},
         kNoRepeat,
         &C::cmdErrors},
        {"errors", "clear", "", "clears the faults (restart)", {}, {}, kNoRepeat, &C::cmdErrors},
        {"switch", "petrol|gas|auto", "", "switches the fuel", {}, {}, kNoRepeat, &C::cmdSwitch},
        {"live",
         "",
         "[-n COUNT] [--record FILE]",
         "polls live data and prints every record as a recording line (24 tab-separated "
         "fields); stops after COUNT records or when interrupted; with --record also records "
         "into FILE (appended to after a reconnection; created only once a controller "
         "answered). When polling ends, live reconnects for up to --reconnect-timeout seconds, "
         "then gives up with exit status 3",
         {{"-n", nullptr, "COUNT", K::None, "stop after COUNT records"},
          {nullptr, "--record", "FILE", K::File, "also record into FILE"}},
         {},
         kNoRepeat,
         &C::cmdLive},
        {"map",
         "show",
         "",
         "the injection map: 19 rows (\"< 2\" first, \"20\" last) of 15 whole percentages "
         "separated by TAB",
         {},
         {},
         kNoRepeat,
         &C::cmdMap},
        {"map",
         "set|add|sub|clear",
         "ROW COL NROWS NCOLS [VALUE]",
         "one region operation and its commit; ROW 0..18 (petrol-time row, \"< 2\" is 0), COL "
         "0..14 (speed column, 500 rpm is 0); set takes -50..50, add and sub an amount 0..50 "
         "(larger values count as the limit), clear takes no VALUE",
         {},
         {},
         kNoRepeat,
         &C::cmdMap},
        {"map",
         "propose",
         "FILE... [--min-samples N] [--base SETTINGS] [--apply]",
         "proposes the injection map from recordings of a drive on petrol and one on gas, "
         "printed as map show prints it; cells with fewer than N records (default 20) on a fuel "
         "keep their value; the counts go to stderr. --base takes the current map from a "
         "settings file (no port opened); --apply writes it as the map grid does, after the "
         "automatic backup. The tuner's choices: --neighbours, --resistance RECORDS, --damping "
         "SHARE, --max-change PERCENT, --settled PERCENT, --lock ROW,COL[,NROWS,NCOLS] "
         "(repeatable), --after-switch SECONDS, --lambda-rails, --gas-idle",
         {{nullptr, "--min-samples", "N", K::None, ""},
          {nullptr, "--base", "SETTINGS", K::File, ""},
          {nullptr, "--apply", nullptr, K::None, ""},
          {nullptr, "--neighbours", nullptr, K::None, ""},
          {nullptr, "--resistance", "RECORDS", K::None, ""},
          {nullptr, "--damping", "SHARE", K::None, ""},
          {nullptr, "--max-change", "PERCENT", K::None, ""},
          {nullptr, "--settled", "PERCENT", K::None, ""},
          {nullptr, "--lock", "ROW,COL[,NROWS,NCOLS]", K::None, ""},
          {nullptr, "--after-switch", "SECONDS", K::None, ""},
          {nullptr, "--lambda-rails", nullptr, K::None, ""},
          {nullptr, "--gas-idle", nullptr, K::None, ""}},
         {K::File},
         0,
         &C::cmdMap},
        {"flash",
         "",
         "FILE",
         "firmware update from an image file: checks, downgrade question, programming, "
         "reconnection; progress on stderr when it is a terminal",
         {},
         {K::File},
         kNoRepeat,
         &C::cmdFlash},
        {"obd",
         "codes",
         "",
         "finds the car's OBD link as the OBD page does and prints every stored trouble code of "
         "every answering unit: CODE<TAB>TEXT, CODE as P0171, C0035, B1234 or U0100",
         {},
         {},
         kNoRepeat,
         &C::cmdObd},
        {"obd",
         "clear",
         "",
         "clears the car's trouble codes (asks unless --yes)",
         {},
         {},
         kNoRepeat,
         &C::cmdObd},
        {"obd",
         "values",
         "",
         "the OBD page's live values once: NAME<TAB>VALUE<TAB>UNIT, names in the chosen "
         "language",
         {},
         {},
         kNoRepeat,
         &C::cmdObd},
        {"obd",
         "readiness",
         "",
         "the warning lamp, the stored-code count and each readiness monitor: NAME<TAB>STATE",
         {},
         {},
         kNoRepeat,
         &C::cmdObd},
        {"obd",
         "pending|permanent",
         "",
         "pending (not yet confirmed) or permanent codes: CODE<TAB>TEXT",
         {},
         {},
         kNoRepeat,
         &C::cmdObd},
        {"obd",
         "freeze",
         "",
         "the freeze frame: the code that stored it, then NAME<TAB>VALUE<TAB>UNIT for each value "
         "the car keeps",
         {},
         {},
         kNoRepeat,
         &C::cmdObd},
        {"obd",
         "vin",
         "",
         "VIN<TAB>VIN and the calibration IDs. A service the car does not support is said on "
         "stderr and exits 1",
         {},
         {},
         kNoRepeat,
         &C::cmdObd},
        {"backups",
         "",
         "[--serial S]",
         "the automatic backups, oldest first: ID<TAB>YYYY-MM-DD HH:MM:SS<TAB>REASON<TAB>SERIAL",
         {{nullptr, "--serial", "S", K::None, "only the backups of this controller"}},
         {},
         kNoRepeat,
         &C::cmdBackups},
        {"backups",
         "restore",
         "ID",
         "puts that backup back: the controller's own blocks byte for byte when they were kept "
         "and the controller's version and serial match, otherwise a settings load of the "
         "backup's settings file (said on stderr)",
         {},
         {K::BackupId},
         kNoRepeat,
         &C::cmdBackups},
        {"history",
         "",
         "[--serial S]",
         "a car's visits, oldest first, one TIME<TAB>SERIAL<TAB>KIND[<TAB>FIELD...] line per "
         "event (connected, fault, obd, backup, setting, jobsheet); a damaged entry is skipped "
         "and named on stderr",
         {{nullptr, "--serial", "S", K::None, "only the visits of this controller"}},
         {},
         kNoRepeat,
         &C::cmdHistory},
        {"report",
         "",
         "[--vehicle KEY=VALUE]... FILE",
         "the job sheet (identity, work times, faults, OBD codes, settings changed since the "
         "backup, map): PDF for FILE.pdf, HTML for FILE.html. --vehicle sets what the sheet says "
         "about the car and the customer (KEY one of make, model, registration, odometer, "
         "customer, work); the values are kept for the controller's serial and fill in the next "
         "report of that controller",
         {{nullptr, "--vehicle", "KEY=VALUE", K::None,
           "what the sheet says about the car or the customer (repeatable)"}},
         {K::File},
         kNoRepeat,
         &C::cmdReport},
    };
    return commands;
}

const SOptionSpec* findOption(const std::vector<SOptionSpec>& options, const std::string& arg) {
    for (const SOptionSpec& option : options) {
        if (option.shortName && arg == option.shortName)
            return &option;
        if (!option.longName)
            continue;
        const std::string name = option.longName;
        if (arg == name || (option.valueName && arg.rfind(name + "=", 0) == 0))
            return &option;
    }
    return nullptr;
}

std::vector<std::string> subWords(const SCommandSpec& entry) {
    std::vector<std::string> words;
    std::string word;
    for (const char* c = entry.sub;; ++c) {
        if (*c == '|' || *c == '\0') {
            if (!word.empty())
                words.push_back(word);
            word.clear();
            if (*c == '\0')
                break;
        } else {
            word += *c;
        }
    }
    return words;
}

} // namespace vexor::cli
