#include "common/PrintableText.h"

#include <gtest/gtest.h>

using vexor::printableText;

TEST(PrintableText, keepsValidTextAndEscapesControlsAndBytesThatAreNotUtf8) {
    // Letters, Polish and Thai text pass as they are.
    EXPECT_EQ(printableText("GAS1000042"), "GAS1000042");
    EXPECT_EQ(printableText("Zażółć ไทย"), "Zażółć ไทย");
    // A line break or escape sequence cannot forge lines or colours.
    EXPECT_EQ(printableText("GAS1\nport: x"), "GAS1\\x0Aport: x");
    EXPECT_EQ(printableText("\x1b[31mX\x7f"), "\\x1B[31mX\\x7F");
    EXPECT_EQ(printableText(std::string("A\0B", 3)), "A\\x00B");
    // C1 controls, stray continuation bytes, overlong forms, surrogates, cut
    // sequences and code points past U+10FFFF.
    EXPECT_EQ(printableText("\xc2\x85"), "\\xC2\\x85");
    EXPECT_EQ(printableText("\x80X"), "\\x80X");
    EXPECT_EQ(printableText("\xc0\xaf"), "\\xC0\\xAF");
    EXPECT_EQ(printableText("\xed\xa0\x80"), "\\xED\\xA0\\x80");
    EXPECT_EQ(printableText("\xe2\x82"), "\\xE2\\x82");
    EXPECT_EQ(printableText("\xf4\x90\x80\x80"), "\\xF4\\x90\\x80\\x80");
    EXPECT_EQ(printableText("\xf0\x9f\x98\x80"), "\xf0\x9f\x98\x80");
}
