// The panel title that carries the player's version.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "fake_host.h"
#include "fake_os.h"
#include "panel/version_title.h"

using namespace quaver;

namespace {

class VersionTitle : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        fake::StartModule();
    }
    static std::string Title(int32_t value, bool minorAsTwoDigits) {
        char title[versionTitleCapacity];
        const int length = FormatVersionTitle(title, SplitPlayerVersion(value, minorAsTwoDigits));
        EXPECT_EQ(static_cast<size_t>(length), std::string(title).size());
        return title;
    }
};

TEST_F(VersionTitle, TheTwoLowestDigitsAreExchangedAndTrailingZerosDropped) {
    // Hexadecimal digits 2, 0, 9, 1.
    EXPECT_EQ(Title(0x2091, false), " Quaver v2.19 Control ");
    EXPECT_EQ(Title(0x2091, true), " Quaver v2.1 Control ");
    // Digits 2, 1, 0, 0.
    EXPECT_EQ(Title(0x2100, false), " Quaver v2.1 Control ");
    EXPECT_EQ(Title(0x2100, true), " Quaver v2.10 Control ");
}

TEST_F(VersionTitle, AtMostTwoTrailingZeroDigitsGo) {
    const PlayerVersionNumber zero = SplitPlayerVersion(0x5000, false);
    EXPECT_EQ(zero.major, 5);
    EXPECT_EQ(zero.minor, 0);
    EXPECT_EQ(SplitPlayerVersion(0x5100, false).minor, 0x1) << "w = 0x100";
    EXPECT_EQ(SplitPlayerVersion(0x5100, true).minor, 0x10);
    EXPECT_EQ(SplitPlayerVersion(0x5010, false).minor, 0x1) << "w = 0x001";
    EXPECT_EQ(SplitPlayerVersion(0x5301, false).minor, 0x31) << "w = 0x310";
    EXPECT_EQ(SplitPlayerVersion(0x5123, false).minor, 0x132);
    EXPECT_EQ(SplitPlayerVersion(0x5123, true).minor, 0x13);
}

TEST_F(VersionTitle, TheMajorValueKeepsTheSignAndPrintsInUpperCaseHex) {
    EXPECT_EQ(SplitPlayerVersion(0xA000, false).major, 0xA);
    EXPECT_EQ(Title(0xABCD, false), " Quaver vA.BDC Control ");
    EXPECT_EQ(SplitPlayerVersion(INT_MIN, false).major, INT_MIN >> 12);
    // The widest title still fits its buffer.
    EXPECT_EQ(Title(static_cast<int32_t>(0xFFFFFFFF), false), " Quaver vFFFFFFFF.FFF Control ");
    EXPECT_EQ(Title(0x0FFF, true), " Quaver v0.FF Control ");
}

TEST_F(VersionTitle, TheTitleIsCentredAndShiftedOneColumnForTheCloseButton) {
    EXPECT_EQ(PanelTitleColumn(34, 22, false), 6);
    EXPECT_EQ(PanelTitleColumn(34, 22, true), 7);
    EXPECT_EQ(PanelTitleColumn(38, 21, true), 9) << "halving drops the remainder";
    EXPECT_EQ(PanelTitleColumn(34, 16, true), 10) << "the plain title re-placed";
    EXPECT_EQ(PanelTitleColumn(34, 40, false), 0) << "never left of the panel";
}

}  // namespace
