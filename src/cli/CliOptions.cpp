#include "CliOptions.h"

#include <cerrno>
#include <cstdlib>

namespace vexor::cli {

namespace {

// "--name=value" or "--name value" (also "-p value"); false when the value is
// missing.
bool takeValue(const std::string& arg, const std::string& name, int argc, const char* const* argv,
               int& i, std::string& value, bool& matched) {
    matched = false;
    if (arg == name) {
        matched = true;
        if (i + 1 >= argc)
            return false;
        value = argv[++i];
        return true;
    }
    if (name.size() > 2 && arg.rfind(name + "=", 0) == 0) {
        matched = true;
        value = arg.substr(name.size() + 1);
        return true;
    }
    return true;
}

} // namespace

bool parseInt(const std::string& text, long min, long max, long& value) {
    if (text.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    const long parsed = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || end == text.c_str() || *end != '\0' || parsed < min || parsed > max)
        return false;
    value = parsed;
    return true;
}

bool parseOptions(int argc, const char* const* argv, CliOptions& options, std::string& error) {
    int i = 1;
    for (; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.empty() || arg[0] != '-')
            break;
        if (arg == "--") {
            ++i;
            break;
        }
        std::string value;
        bool matched = false;
        bool ok = takeValue(arg, "-p", argc, argv, i, value, matched);
        if (!matched)
            ok = takeValue(arg, "--port", argc, argv, i, value, matched);
        if (matched) {
            if (!ok || value.empty()) {
                error = "--port needs a device path";
                return false;
            }
            options.ports.push_back(value);
            continue;
        }
        ok = takeValue(arg, "--lang", argc, argv, i, value, matched);
        if (matched) {
            long index = 0;
            if (!ok || !parseInt(value, 0, 13, index)) {
                error = "--lang needs a language index from 0 to 13";
                return false;
            }
            options.language = static_cast<int>(index);
            continue;
        }
        ok = takeValue(arg, "--config-dir", argc, argv, i, value, matched);
        if (matched) {
            if (!ok || value.empty()) {
                error = "--config-dir needs a folder";
                return false;
            }
            options.configDir = value;
            continue;
        }
        ok = takeValue(arg, "--data-dir", argc, argv, i, value, matched);
        if (matched) {
            if (!ok || value.empty()) {
                error = "--data-dir needs a folder";
                return false;
            }
            options.dataDir = value;
            continue;
        }
        ok = takeValue(arg, "--reconnect-timeout", argc, argv, i, value, matched);
        if (matched) {
            long seconds = 0;
            if (!ok || !parseInt(value, 0, 86400, seconds)) {
                error = "--reconnect-timeout needs a number of seconds from 0 to 86400";
                return false;
            }
            options.reconnectTimeout = static_cast<int>(seconds);
            continue;
        }
        if (arg == "--no-system-ports")
            options.noSystemPorts = true;
        else if (arg == "--demo")
            options.demo = true;
        else if (arg == "--cng")
            options.cng = true;
        else if (arg == "-y" || arg == "--yes")
            options.yes = true;
        else if (arg == "--no-backup")
            options.noBackup = true;
        else if (arg == "-h" || arg == "--help")
            options.help = true;
        else if (arg == "--version")
            options.version = true;
        else {
            error = "unknown option " + arg;
            return false;
        }
    }
    if (i < argc) {
        options.command = argv[i++];
        for (; i < argc; ++i)
            options.args.emplace_back(argv[i]);
    }
    if (options.command.empty() && !options.help && !options.version) {
        error = "no command given (see --help)";
        return false;
    }
    return true;
}

std::string usageText() {
    return R"(Usage: vexor-cli [OPTIONS] COMMAND [ARGS...]

Drives an LPG/CNG gas-injection controller over a serial line with the same
core as the window program: the same connection search, commands, retries,
file formats and messages. Every command but `ports` and `doctor` first
looks for the controller (the remembered port, then the port table in order),
reads it whole, and remembers the port that answered.

Options (before the command):
  -p, --port PATH      serial device to put first in the port table
                       (repeatable; port 1 is the first PATH)
      --no-system-ports  leave the system's serial devices out of the table
      --demo           demonstration mode: no controller, every command
                       succeeds, live data is synthetic
      --lang N         language index 0..13 of every message (default: from
                       the locale)
      --cng            module type CNG (default LPG)
      --config-dir DIR folder of the remembered-port file
                       (default $XDG_CONFIG_HOME/VEXOR)
      --data-dir DIR   program data folder with settings/ and Oscyloskop/
                       (default $XDG_DATA_HOME/VEXOR)
  -y, --yes            answer Yes to every question (factory defaults,
                       downgrade); without it a question is asked on a
                       terminal and answered No otherwise. The question
                       whether to run in demonstration mode when no
                       controller answers is only ever asked on a terminal.
      --no-backup      take no automatic backup before a command that
                       changes the controller's settings
      --reconnect-timeout S
                       how long `live` tries to get a lost controller back
                       before it gives up with exit status 3 (default 30)
  -h, --help           this text
      --version        the program's version

Commands:
  ports                      the port table, one `N<TAB>PATH` line per entry
  doctor                     checks every port of the table without changing
                             any setting: one `PATH<TAB>STATE<TAB>DETAIL` line
                             per port, STATE one of answers, silent, busy,
                             denied, missing, not-a-terminal, error, DETAIL
                             what to do about it; exits 0 when some port
                             answers, 3 otherwise
  identify                   the identity block: port, version, version-raw,
                             serial, production-date, injectors, device-id,
                             flags1, flags2, live-data (`key: value` lines)
  stats                      petrol-time, gas-time (H : MM : SS), modify,
                             station-code and this-station (XXXX-XXXX)
  settings show              the settings image as settings-file lines
                             (KEY<TAB>VALUE)
  settings save FILE         reads the controller and saves a settings file
  settings load FILE         loads FILE into the controller (petrol first,
                             every block, restart)
  settings defaults          factory settings (asks unless --yes)
  settings diff [--all] FILE [FILE2]
                             the keys in which the controller (or FILE)
                             and FILE (or FILE2) differ, one
                             KEY<TAB>VALUE<TAB>VALUE line each; identity and
                             time stamp only with --all
  settings set FILE KEY VALUE [KEY VALUE ...]
                             changes keys of a settings file without a
                             controller, each checked against what the
                             window program offers
  errors                     the decoded fault text (empty without faults)
  errors clear               clears the faults (restart)
  switch petrol|gas|auto     switches the fuel
  live [-n COUNT] [--record FILE]
                             polls live data and prints every record as a
                             recording line (24 tab-separated fields); stops
                             after COUNT records or when interrupted; with
                             --record also records into FILE (appended to
                             after a reconnection; created only once a
                             controller answered). When polling ends, live
                             reconnects for up to --reconnect-timeout
                             seconds, then gives up with exit status 3
  map show                   the injection map: 19 rows ("< 2" first, "20"
                             last) of 15 whole percentages separated by TAB
  map set|add|sub|clear ROW COL NROWS NCOLS [VALUE]
                             one region operation and its commit; ROW 0..18
                             (petrol-time row, "< 2" is 0), COL 0..14 (speed
                             column, 500 rpm is 0); set takes -50..50, add and
                             sub an amount 0..50 (larger values count as the
                             limit), clear takes no VALUE
  flash FILE                 firmware update from an image file: checks,
                             downgrade question, programming, reconnection;
                             progress on stderr
  obd codes                  finds the car's OBD link as the OBD page does and
                             prints every stored trouble code of every
                             answering unit: CODE<TAB>TEXT, CODE as P0171,
                             C0035, B1234 or U0100
  obd clear                  clears the car's trouble codes (asks unless --yes)
  obd values                 the OBD page's live values once:
                             NAME<TAB>VALUE<TAB>UNIT, names in the chosen
                             language
  backups [--serial S]       the automatic backups, oldest first:
                             ID<TAB>YYYY-MM-DD HH:MM:SS<TAB>REASON<TAB>SERIAL
  backups restore ID         settings load of that backup

Before settings load, settings defaults, backups restore, flash and map
set|add|sub|clear change anything, the controller's settings are saved to
DATA/backups/SERIAL/YYYYMMDD-HHMMSS-REASON.xset (newest 100 per controller
and the first one ever taken are kept); a backup that cannot be written
stops the command with status 2 before anything is sent.
  report FILE                the job sheet (identity, faults, OBD codes,
                             settings changed since the backup, map): PDF
                             for FILE.pdf, HTML for FILE.html

Messages go to stderr in the chosen language; results go to stdout.

Exit status:
  0  done
  1  the controller refused, a step failed, a question was answered No, or
     a block of the controller's settings could not be read (what was read
     is still printed)
  2  usage error, or a file that cannot be read or written or whose
     contents are refused (the key, line and range are named), before
     anything was sent
  3  no controller answered on any port (a port another program holds is
     named with that program); for `live`, also when the controller stayed
     away longer than --reconnect-timeout
  4  the serial port failed (the error's description is on stderr; a write
     it cut short says what it left behind and how to recover)

Signals: Ctrl-C, SIGTERM and SIGHUP stop a command at once and free the
port; during a write the controller must get whole (settings load and
defaults, flash) the first Ctrl-C only warns and a second one stops anyway.

Environment: VEXOR_PORTS (colon-separated paths added to the port table),
VEXOR_SYSTEM_PORTS=0 (same as --no-system-ports).
)";
}

} // namespace vexor::cli
