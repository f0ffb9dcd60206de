#include "DocOnSim.h"

#include "device/ProgramImage.h"
#include "files/FirmwareFile.h"
#include "files/FirmwareFileBuilder.h"

#include <algorithm>
#include <fstream>

using namespace vexor::test;

namespace {

constexpr std::uint8_t kAccessCodeCommand = 250;
constexpr std::uint8_t kProgramPageCommand = 251;

std::vector<std::uint8_t> testImage(std::size_t size) {
    std::vector<std::uint8_t> image(size);
    for (std::size_t i = 0; i < size; ++i)
        image[i] = static_cast<std::uint8_t>((i * 31 + i / 256) & 0xFF);
    return image;
}

void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

class FirmwareUpdate : public DocOnSim {
protected:
    std::string imageFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        const std::string path = folder.file(name);
        writeBytes(path, bytes);
        return path;
    }
    std::size_t programmingRequests() {
        return count(SimMatch::cmd(kAccessCodeCommand)) + count(SimMatch::cmd(kProgramPageCommand));
    }
};

} // namespace

TEST_F(FirmwareUpdate, refusedImagesStopBeforeAnyProgrammingRequest) {
    connectOrFail();
    const auto image = testImage(12000);

    std::vector<std::uint8_t> badSum = vexor::buildFirmwareFile(image, 0x0208, "KORVANTIS");
    badSum[38] = vexor::firmwareStoredByte(
        static_cast<std::uint8_t>(vexor::firmwarePlainByte(badSum[38]) + 1));

    // Each refusal names the check that failed below the common message.
    const std::vector<std::pair<std::string, CFirmwareFile::Refusal>> files = {
        {imageFile("tag.img", vexor::buildFirmwareFile(image, 0x0208, "KORVANTIS", 0x0100)),
         CFirmwareFile::Refusal::BadFormatTag},
        {imageFile("sum.img", badSum), CFirmwareFile::Refusal::BadChecksum},
        {imageFile("short.img", vexor::buildFirmwareFile(testImage(8320), 0x0208, "KORVANTIS")),
         CFirmwareFile::Refusal::BadLength},
        {imageFile("maker.img", vexor::buildFirmwareFile(image, 0x0208, "SOMEONE")),
         CFirmwareFile::Refusal::WrongMaker},
        {folder.file(""), CFirmwareFile::Refusal::NotRegular},
    };
    for (const auto& [file, refusal] : files) {
        seams.path = file;
        EXPECT_EQ(doc->OnDeviceUpdate(), DocResult::FileError) << file;
        EXPECT_EQ(seams.takeMessages(),
                  std::vector<std::string>{std::string(CKorvantisDoc::kMsgProgramming) + "\n" +
                                           CFirmwareFile::refusalText(refusal)})
            << file;
    }
    EXPECT_EQ(programmingRequests(), 0u);
    EXPECT_TRUE(seams.questions.empty());
    EXPECT_EQ(seams.chooserCalls.front(), doc->firmwareFolder() + "|img");
}

TEST_F(FirmwareUpdate, anOlderImageIsOfferedWithNoAsDefaultAndDeclinedSendsNothingMore) {
    connectOrFail();
    seams.path =
        imageFile("old.img", vexor::buildFirmwareFile(testImage(12000), 0x0207, "KORVANTIS"));
    EXPECT_EQ(doc->OnDeviceUpdate(), DocResult::Cancelled);

    EXPECT_EQ(seams.questions, std::vector<std::string>{CKorvantisDoc::kMsgDowngradeQuestion});
    EXPECT_EQ(seams.questionDefaults, std::vector<bool>{false});
    EXPECT_EQ(programmingRequests(), 0u);
    EXPECT_TRUE(seams.messages.empty());
    // Only the switch to petrol happened.
    EXPECT_EQ(count(SimMatch::read(2)), 1u);
}

TEST_F(FirmwareUpdate, aValidImageLandsExactlyInTheProgrammedPagesAndTheLinkComesBack) {
    connectOrFail();
    doc->startPolling();
    const std::vector<std::uint8_t> image = testImage(20000);
    seams.path = imageFile("same.img", vexor::buildFirmwareFile(image, 0x0208, "KORVANTIS"));
    std::vector<std::pair<int, int>> progress;
    doc->setProgressHook([&](int done, int total) { progress.emplace_back(done, total); });
    int pageRefreshes = 0;
    doc->setPageRefreshHook([&] { ++pageRefreshes; });

    ASSERT_EQ(doc->OnDeviceUpdate(), DocResult::Done);

    const int pages = static_cast<int>((image.size() + 127) / 128);
    const std::vector<std::uint16_t> plan = vexor::programPagePlan(pages);
    const auto [addresses, programmed] = sim(
        [](CSimController& c) { return std::make_pair(c.programmedWordAddresses(), c.image()); });
    EXPECT_EQ(addresses, plan);
    ASSERT_FALSE(plan.empty());
    for (std::size_t byte = 0; byte < 2 * (static_cast<std::size_t>(plan.back()) + 64); ++byte) {
        const std::uint32_t word = static_cast<std::uint32_t>(byte / 2);
        const bool sent = std::find(plan.begin(), plan.end(), word - word % 64) != plan.end();
        const std::uint8_t want = !sent ? 0xFF : byte < image.size() ? image[byte] : 0;
        ASSERT_EQ(programmed[byte], want) << "byte " << byte;
    }

    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.back(),
              std::make_pair(static_cast<int>(plan.size()), static_cast<int>(plan.size())));
    EXPECT_TRUE(seams.questions.empty()); // the same version needs no question
    EXPECT_TRUE(seams.messages.empty());
    EXPECT_TRUE(sim([](CSimController& c) { return c.programmingEnded(); }));
    EXPECT_TRUE(doc->isConnected());
    EXPECT_TRUE(doc->pollingActive());
    EXPECT_EQ(pageRefreshes, 1);
    doc->stopPolling();
}
