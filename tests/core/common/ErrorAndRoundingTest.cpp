#include "common/IError.h"
#include "common/Rounding.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class CTestError : public IError {
public:
    using IError::IError;
    void fillCodeTexts(std::vector<std::string>& table) const override {
        IError::fillCodeTexts(table);
        table.push_back("own five");
    }
    std::string className() const override { return "CTestError"; }
};

class CThrower : public IErrorHelper<CTestError> {};

} // namespace

TEST(IError, DescriptionIsTheCodeTextOrEntryZeroOutsideTheTable) {
    EXPECT_EQ(CTestError(4, "m", 1, "f").description(), "Błąd czasu wykonania");
    EXPECT_EQ(CTestError(5, "m", 1, "f").description(), "own five");
    EXPECT_EQ(CTestError(6, "m", 1, "f").description(), "Błąd z poza zdefiniowanego zakresu");
    EXPECT_EQ(CTestError(-1, "m", 1, "f").description(), "Błąd z poza zdefiniowanego zakresu");
}

TEST(IError, HelperThrowsAHeapErrorThatOwnsItsInnerError) {
    CThrower thrower;
    try {
        thrower.throwError(5, "outer", new CTestError(1, "inner", 7, "in.cpp"), 42, "out.cpp");
        FAIL() << "nothing thrown";
    } catch (IError* raw) {
        std::unique_ptr<IError> error(raw);
        EXPECT_EQ(error->className(), "CTestError");
        EXPECT_EQ(error->code(), 5);
        EXPECT_EQ(error->message(), "outer");
        EXPECT_EQ(error->line(), 42);
        EXPECT_EQ(error->file(), "out.cpp");
        ASSERT_NE(error->inner(), nullptr);
        EXPECT_EQ(error->inner()->message(), "inner");
    }
}

TEST(Rounding, HalvesGoAwayFromZeroForBothSigns) {
    using namespace vexor;
    EXPECT_DOUBLE_EQ(round2(3.875), 3.88);
    EXPECT_DOUBLE_EQ(round2(-0.012), -0.01);
    EXPECT_DOUBLE_EQ(round2(-3.875), -3.88);
    EXPECT_DOUBLE_EQ(round1(0.25), 0.3);
    EXPECT_DOUBLE_EQ(round1(-0.25), -0.3);
    EXPECT_DOUBLE_EQ(round3(0.0125), 0.013);
    EXPECT_EQ(roundInt(2.5), 3);
    EXPECT_EQ(roundInt(-2.5), -3);
    EXPECT_EQ(roundInt(-2.4), -2);
}
