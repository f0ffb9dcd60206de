#include "CliOnSim.h"

#include "backup/BackupStore.h"
#include "report/BackupBaseline.h"
#include "report/Workshop.h"

#include <cstdio>
#include <ctime>
#include <filesystem>

using namespace vexor::test;

namespace {

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The text of a PDF as poppler's pdftotext reads it; empty when the tool is
// missing or the file is no PDF it can read.
std::string pdfText(const std::string& path) {
    const ProcessResult r = runProcess({"/usr/bin/pdftotext", "-layout", path, "-"});
    return r.status == 0 ? r.out : std::string();
}

std::string todayStamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-000001-map.xset", &local);
    return text;
}

class CliReport : public CliOnSim {
protected:
    // The image as the car came in, saved where the day's first change left
    // its automatic backup.
    void backupAsFound() {
        const std::string saved = folder.file("found.xset");
        ASSERT_EQ(cli({"settings", "save", saved}).status, 0);
        const std::filesystem::path dir = std::filesystem::path(folder.file("data")) / "backups" /
                                          CBackupStore::serialFolder("GAS1000042");
        std::filesystem::create_directories(dir);
        std::filesystem::copy_file(saved, dir / todayStamp());
    }
};

} // namespace

TEST_F(CliReport, theJobSheetShowsTheWorkshopTheFaultAndTodaysChangeInHtmlAndPdf) {
    ASSERT_TRUE(vexor::saveWorkshop(folder.file("config"),
                                    {"Warsztat <Kowalski> & Syn", "ul. Polna 1\n00-001 Warszawa"}));
    backupAsFound();
    ASSERT_EQ(cli({"map", "set", "2", "3", "1", "1", "9"}).status, 0);
    sim([](CSimController& c) { c.setErrorBytes({0, 0x01, 0, 0}); });
    const ProcessResult faults = cli({"errors"});
    ASSERT_EQ(faults.status, 0) << faults.err;
    std::string fault;
    for (const std::string& line : lines(faults.out))
        if (fault.empty())
            fault = line;
    ASSERT_FALSE(fault.empty());

    const std::string html = folder.file("sheet.html");
    ProcessResult r = cli({"report", html});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.empty());
    const std::string page = readWholeFile(html);
    EXPECT_TRUE(contains(page, "Warsztat &lt;Kowalski&gt; &amp; Syn"));
    EXPECT_FALSE(contains(page, "<Kowalski>"));
    EXPECT_TRUE(contains(page, fault));
    EXPECT_TRUE(contains(page, "<th>Przed</th>"));
    EXPECT_FALSE(contains(page, "Nie zmieniono ustawień"));
    EXPECT_FALSE(contains(page, "Brak kopii ustawień sprzed zmian"));

    const std::string pdf = folder.file("sheet.pdf");
    r = cli({"report", pdf});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.err.empty()) << r.err;
    EXPECT_EQ(readWholeFile(pdf).rfind("%PDF-", 0), 0u);
    const std::string text = pdfText(pdf);
    if (text.empty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    for (const char* expected : {"Karta zlecenia", "Warsztat <Kowalski> & Syn", "00-001 Warszawa",
                                 "GAS1000042", "Zmienione ustawienia", "9%"})
        EXPECT_TRUE(contains(text, expected)) << expected;
    EXPECT_TRUE(contains(text, fault.substr(0, 20))) << fault;

    // The same sheet in English.
    std::vector<std::string> argv = base(server.slavePath());
    argv.back() = "1";
    argv.insert(argv.end(), {"report", pdf});
    ASSERT_EQ(runProcess(argv).status, 0);
    EXPECT_TRUE(contains(pdfText(pdf), "Job sheet"));
    EXPECT_TRUE(contains(pdfText(pdf), "Changed settings"));
}

TEST_F(CliReport, aFileThatCannotBeAJobSheetIsStatusTwoBeforeAnythingIsSent) {
    EXPECT_EQ(cli({"report"}).status, 2);
    EXPECT_EQ(cli({"report", folder.file("sheet.txt")}).status, 2);
    const ProcessResult r = cli({"report", folder.file("no-folder/sheet.pdf")});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(contains(r.err, "Nie można zapisać karty zlecenia do pliku"));
    EXPECT_EQ(cli({"report", folder.file("")}).status, 2);
    EXPECT_EQ(server.requestLog().size(), 0u);
}
