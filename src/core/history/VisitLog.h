#pragma once

#include <ctime>
#include <string>
#include <vector>

// What the program saw of one car, per controller serial and calendar day:
// DATA/history/SERIAL/YYYYMMDD.visit, a plain text file a workshop can copy
// and back up. Every record rewrites the day's file whole through a temporary
// file and a rename, so a reader sees the old or the new file, never half of
// one; a lock file keeps the window program and vexor-cli from losing each
// other's events. A day file that has become damaged is left as it is and the
// day goes on in YYYYMMDD-2.visit (and so on).
//
//   vexor-visit 1
//   serial<TAB>GAS1000042
//   2024-03-05 10:15:00<TAB>connected<TAB>PROGRAM VERSION<TAB>CONTROLLER VERSION
//   2024-03-05 10:15:09<TAB>fault<TAB>TEXT
//   2024-03-05 10:16:30<TAB>obd<TAB>P0171<TAB>TEXT
//   2024-03-05 10:20:41<TAB>jobsheet<TAB>/path/of/the/sheet.pdf
//   crc32<TAB>XXXXXXXX        CRC-32 of every byte above this line
struct SVisitEvent {
    std::string time; // "YYYY-MM-DD HH:MM:SS", local time
    std::string kind; // connected, fault, obd, jobsheet (backup, setting: see VisitHistory)
    std::vector<std::string> fields;

    bool operator==(const SVisitEvent&) const = default;
};

struct SVisitFile {
    std::string path;
    std::string serial; // as the controller gave it
    std::vector<SVisitEvent> events;
};

class CVisitLog {
public:
    explicit CVisitLog(std::string dataFolder);

    // Adds an event to the serial's file of the local day of `when`. Tabs and
    // line breaks inside fields become blanks. False with a one-line reason
    // when it could not be written; the log is unchanged then.
    bool record(const std::string& serial, std::time_t when, const std::string& kind,
                const std::vector<std::string>& fields, std::string& error) const;

    // Every readable day file, of one serial when given (as its folder name);
    // each file that cannot be read is named in `damaged` with the reason and
    // skipped.
    std::vector<SVisitFile> read(const std::string& serial,
                                 std::vector<std::string>& damaged) const;

    static bool parse(const std::string& text, SVisitFile& file, std::string& problem);
    static std::string format(const SVisitFile& file);

    std::string root() const { return m_root; }

private:
    std::vector<std::string> serialFolders(const std::string& serial) const;

    std::string m_root; // DATA/history
};
