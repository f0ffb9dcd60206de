#include "device/InjError.h"
#include "device/LPGDeviceErr.h"
#include "device/SensorErr.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kCrLf = "\r\n";
const std::string kUnknown = "\r\n        Nierozpoznany kod błędu = 0x";

// Marks every translated text, so the tests see what went through translation.
std::string bracket(const std::string& text) {
    return "[" + text + "]";
}

} // namespace

TEST(DeviceErrors, ExampleBytesGiveInjectorAlternativesAndTheSensorLine) {
    CLPGDeviceErr errors;
    errors.buildErrorDecoders();
    EXPECT_EQ(errors.describeErrors({0x00, 0x05, 0x01, 0x00}),
              "\r\nBłąd wtryskiwacza gazu 1 lub \r\nBłąd wtryskiwacza gazu 3 \r\n"
              "\r\nBrak sygnału RPM \r\n");
}

TEST(DeviceErrors, EdgeBytesOfEachGroup) {
    CLPGDeviceErr errors;
    errors.buildErrorDecoders();
    EXPECT_EQ(errors.describeErrors({0, 0, 0, 0}), "");
    EXPECT_EQ(errors.describeErrors({0, 0, 0x40, 0}), kUnknown + "40 " + kCrLf);
    EXPECT_EQ(errors.describeErrors({0, 0x80, 0, 0}), "\r\nBłąd wtryskiwacza gazu 8 \r\n");
    // Only the injector group joins with " lub".
    EXPECT_EQ(errors.describeErrors({0x03, 0, 0, 0}),
              "\r\nBłąd zapisu do pamięci \r\nBłąd odczytu z pamięci \r\n");
    EXPECT_EQ(errors.describeErrors({0, 0, 0, 0x03}),
              "\r\nBłąd magistrali CAN " + kUnknown + "2 \r\n");
    EXPECT_EQ(errors.describeErrors({0, 0, 0, 0x80}), kUnknown + "80 \r\n");
    EXPECT_EQ(errors.describeErrors({0, 0xC0, 0, 0}),
              "\r\nBłąd wtryskiwacza gazu 7 lub \r\nBłąd wtryskiwacza gazu 8 \r\n");
}

TEST(DeviceErrors, GroupsComeInByteOrderWithTheirNames) {
    CLPGDeviceErr errors;
    errors.buildErrorDecoders();
    ASSERT_EQ(errors.errorDecoderCount(), 5u);
    const char* names[] = {"Dane", "Wtryskiwacze", "Czujniki", "CAN", "Transmisja"};
    const std::size_t sizes[] = {8, 8, 6, 1, 5};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(errors.errorDecoder(i)->name(), names[i]);
        EXPECT_EQ(errors.errorDecoder(i)->messages().size(), sizes[i]);
    }
    EXPECT_EQ(errors.errorDecoder(4)->describeGroup(0x09),
              "\r\nNieznana komenda \r\nBłąd CRC ramki ");
    EXPECT_EQ(errors.errorDecoder(5), nullptr);
    EXPECT_EQ(CSensorErr().describeGroup(0x30),
              "\r\nBłąd - niskie napięcie zasilania. "
              "\r\nBłąd - czujnik temperatury wewnętrznej sterownika ");
}

TEST(DeviceErrors, MessagesKeepTheirBuildLanguageUntilTheListIsRebuilt) {
    std::string language = "pl";
    CLPGDeviceErr errors(
        [&](const std::string& text) { return language == "pl" ? text : language + ":" + text; });
    errors.buildErrorDecoders();
    language = "en";
    // Messages stay as built; the joining text is translated at each use.
    EXPECT_EQ(errors.describeErrors({0, 0x03, 0, 0}),
              "\r\nBłąd wtryskiwacza gazu 1en: lub \r\nBłąd wtryskiwacza gazu 2 \r\n");
    EXPECT_EQ(errors.errorDecoder(1)->name(), "en:Wtryskiwacze");

    // A reconnection appends a set behind the first one, which stays in use.
    errors.buildErrorDecoders();
    EXPECT_EQ(errors.errorDecoderCount(), 10u);
    EXPECT_EQ(errors.describeErrors({0x01, 0, 0, 0}), "\r\nBłąd zapisu do pamięci \r\n");

    // The language change clears and rebuilds.
    errors.clearErrorDecoders();
    errors.buildErrorDecoders();
    EXPECT_EQ(errors.errorDecoderCount(), 5u);
    EXPECT_EQ(errors.describeErrors({0x01, 0, 0, 0}), "\r\nen:Błąd zapisu do pamięci \r\n");
}

TEST(DeviceErrors, UnrecognisedCodeTextGoesThroughTranslation) {
    CLPGDeviceErr errors(bracket);
    errors.buildErrorDecoders();
    EXPECT_EQ(errors.describeErrors({0, 0, 0x80, 0}), "[" + kUnknown + "]80 \r\n");
}

TEST(DeviceErrors, MissingDecodersReportOnlyBytesWithFaults) {
    CLPGDeviceErr errors;
    EXPECT_EQ(errors.describeErrors({0, 0, 0, 0}), "");
    EXPECT_EQ(errors.describeErrors({0, 0x04, 0, 0}), "Nierozpoznany kod błędu\r\n");
}

TEST(DeviceErrors, InjectorGroupJoinsAlternativesEvenWhenNamesTranslateAlike) {
    // Every group name translates to the same word, so names cannot tell the
    // groups apart; the joining still belongs to the injectors only.
    CLPGDeviceErr errors([](const std::string& text) {
        if (text == " lub")
            return std::string(" or");
        if (text == "Dane" || text == "Wtryskiwacze")
            return std::string("Group");
        return text;
    });
    errors.buildErrorDecoders();
    EXPECT_EQ(errors.errorDecoder(0)->name(), errors.errorDecoder(1)->name());
    EXPECT_EQ(errors.describeErrors({0x03, 0x03, 0, 0}),
              "\r\nBłąd zapisu do pamięci \r\nBłąd odczytu z pamięci \r\n"
              "\r\nBłąd wtryskiwacza gazu 1 or \r\nBłąd wtryskiwacza gazu 2 \r\n");
}
