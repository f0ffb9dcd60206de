#include "CliOnSim.h"

#include "backup/BackupStore.h"
#include "report/BackupBaseline.h"
#include "report/Workshop.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <sys/stat.h>

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
    EXPECT_EQ(cli({"report", "--vehicle", "colour=red", folder.file("s.html")}).status, 2);
    EXPECT_EQ(cli({"report", "--vehicle", "make", folder.file("s.html")}).status, 2);
    EXPECT_EQ(cli({"report", folder.file("s.html"), "--vehicle"}).status, 2);
    EXPECT_EQ(server.requestLog().size(), 0u);
}

TEST_F(CliReport, aTargetThatIsNoRegularFileIsRefusedAlikeForPdfAndHtmlBeforeAnythingIsSent) {
    std::filesystem::create_directories(folder.file("d"));
    for (const std::string ext : {".pdf", ".html"}) {
        const std::string fifo = folder.file("d/pipe" + ext);
        ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
        const std::string toNull = folder.file("d/null" + ext);
        std::filesystem::create_symlink("/dev/null", toNull);
        const std::string toNowhere = folder.file("d/nowhere" + ext);
        std::filesystem::create_symlink(folder.file("d/missing" + ext), toNowhere);
        for (const std::string& target : {fifo, toNull, toNowhere}) {
            const ProcessResult r = runProcess(
                [&] {
                    auto a = base(server.slavePath());
                    a.insert(a.end(), {"report", target});
                    return a;
                }(),
                std::chrono::seconds(60));
            EXPECT_EQ(r.status, 2) << target << "\n" << r.err;
            EXPECT_TRUE(contains(r.err, target)) << r.err;
        }
        EXPECT_FALSE(std::filesystem::exists(folder.file("d/missing" + ext)));
    }
    EXPECT_EQ(server.requestLog().size(), 0u);
}

TEST_F(CliReport, aJobSheetThatCannotBeWrittenWholeLeavesTheEarlierFileOfEitherFormat) {
    for (const std::string name : {"sheet.pdf", "sheet.html"}) {
        const std::string path = folder.file(name);
        writeWholeFile(path, "the earlier sheet\n");
        std::vector<std::string> shell = {"/bin/sh", "-c", "ulimit -f 1; exec \"$0\" \"$@\""};
        for (const std::string& a : base(server.slavePath()))
            shell.push_back(a);
        shell.insert(shell.end(), {"report", path});
        const ProcessResult r = runProcess(shell);
        EXPECT_EQ(r.status, 1) << name << "\n" << r.err;
        EXPECT_TRUE(contains(r.err, path + ": ")) << r.err;
        EXPECT_EQ(readWholeFile(path), "the earlier sheet\n") << name;
        // No temporary file is left beside it.
        for (const auto& entry : std::filesystem::directory_iterator(folder.file("")))
            EXPECT_EQ(entry.path().filename().string().rfind(name + ".", 0), std::string::npos)
                << entry.path();
    }
}

// The sheet prints the work times the controller counts now, and what the
// options say about the car, which the next report of the same controller
// keeps.
TEST_F(CliReport, theSheetHasTheWorkTimesAndTheCarGivenOnTheCommandLine) {
    const ProcessResult stats = cli({"stats"});
    ASSERT_EQ(stats.status, 0) << stats.err;
    std::string petrol;
    for (const std::string& line : lines(stats.out))
        if (line.rfind("petrol-time: ", 0) == 0)
            petrol = line.substr(13);
    ASSERT_FALSE(petrol.empty());
    ASSERT_NE(petrol, "0 : 00 : 00");

    const std::string html = folder.file("sheet.html");
    ProcessResult r = cli({"report", "--vehicle", "registration=KR 4711A", "--vehicle=customer=Jan",
                           "--vehicle", "work=a=b", html});
    ASSERT_EQ(r.status, 0) << r.err;
    std::string page = readWholeFile(html);
    EXPECT_TRUE(contains(page, petrol.substr(0, 4))) << petrol;
    for (const char* shown : {"KR 4711A", "Jan", "a=b"})
        EXPECT_TRUE(contains(page, shown)) << shown;

    r = cli({"report", "--vehicle", "customer=Anna", html});
    ASSERT_EQ(r.status, 0) << r.err;
    page = readWholeFile(html);
    EXPECT_TRUE(contains(page, "KR 4711A"));
    EXPECT_TRUE(contains(page, "Anna"));
    EXPECT_FALSE(contains(page, ">Jan<"));
}
