#include "device/TelnetCodec.h"

#include <gtest/gtest.h>

#include <deque>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;
using C = CTelnetCodec;

Bytes cat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

} // namespace

TEST(TelnetCodec, dataComesBackSingleAndCommandsAreTakenOutWhereverTheStreamIsSplit) {
    const Bytes data = {0xAA, 0x55, 0xFF, 0x02, 0xFF, 0xFF, 0x00, 0x0D};
    Bytes escaped;
    C::escape(data.data(), static_cast<int>(data.size()), escaped);
    EXPECT_EQ(escaped.size(), data.size() + 3);

    // The far side's answer to the speed carries a 255 byte in its value.
    const Bytes stream =
        cat({{C::kIac, C::kDo, C::kOptComPort},
             Bytes(escaped.begin(), escaped.begin() + 4),
             {C::kIac, C::kWill, C::kOptEcho, C::kIac, 241 /* NOP */},
             {C::kIac, C::kSb, C::kOptComPort, 101, 0, 0, 0xFF, 0xFF, 0, C::kIac, C::kSe},
             Bytes(escaped.begin() + 4, escaped.end())});
    for (std::size_t split = 0; split <= stream.size(); ++split) {
        C codec;
        codec.greeting();
        std::deque<uint8_t> got;
        Bytes reply;
        codec.receive(stream.data(), static_cast<int>(split), got, reply);
        codec.receive(stream.data() + split, static_cast<int>(stream.size() - split), got, reply);
        EXPECT_EQ(Bytes(got.begin(), got.end()), data) << "split at " << split;
        // Echo is refused; the COM-port DO answers our own offer and needs no reply.
        EXPECT_EQ(reply, (Bytes{C::kIac, C::kDont, C::kOptEcho})) << "split at " << split;
        EXPECT_EQ(codec.answer(C::kSetBaudRate), (Bytes{0, 0, 0xFF, 0})) << "split at " << split;
        EXPECT_FALSE(codec.comPortRefused());
    }
}

TEST(TelnetCodec, optionsNotAskedForAreAnsweredOnceAndRefusalOfComPortControlIsSeen) {
    C codec;
    const Bytes greeting = codec.greeting();
    EXPECT_EQ(greeting, (Bytes{C::kIac, C::kWill, C::kOptComPort, C::kIac, C::kWill, 0, C::kIac,
                               C::kDo, 0, C::kIac, C::kWill, 3, C::kIac, C::kDo, 3}));
    std::deque<uint8_t> data;
    Bytes reply;
    // Terminal type (24) is not ours to do; binary both ways was asked for.
    const Bytes in = {C::kIac, C::kDo,  24,     C::kIac, C::kDo,  0,        C::kIac,       C::kWill,
                      0,       C::kIac, C::kDo, 24,      C::kIac, C::kDont, C::kOptComPort};
    codec.receive(in.data(), static_cast<int>(in.size()), data, reply);
    EXPECT_EQ(reply, (Bytes{C::kIac, C::kWont, 24, C::kIac, C::kWont, 24}));
    EXPECT_TRUE(data.empty());
    EXPECT_TRUE(codec.comPortRefused());

    // Asked again by the far side after it was switched off: agreed, once.
    reply.clear();
    const Bytes again = {C::kIac, C::kWont, 0, C::kIac, C::kWill, 0, C::kIac, C::kWill, 0};
    codec.receive(again.data(), static_cast<int>(again.size()), data, reply);
    EXPECT_EQ(reply, (Bytes{C::kIac, C::kDont, 0, C::kIac, C::kDo, 0}));
}

TEST(TelnetCodec, aComPortCommandEscapesItsValue) {
    EXPECT_EQ(C::comPortCommand(C::kSetBaudRate, {0, 0, 0xFF, 0}),
              (Bytes{C::kIac, C::kSb, C::kOptComPort, 1, 0, 0, 0xFF, 0xFF, 0, C::kIac, C::kSe}));
}
