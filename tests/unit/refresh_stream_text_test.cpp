// The stream information set into the bottom border of the inner box.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "fake_host.h"
#include "fake_os.h"
#include "panel/stream_text.h"

using namespace quaver;

namespace {

class StreamText : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        fake::StartModule();  // the host's formatter
    }

    // The info row as it reads on the screen, the line character shown as '-'.
    static std::string InfoRow(int32_t sampleRate, int32_t bitRate, int32_t channels) {
        char row[infoRowCells + 1];
        BlankInfoRow(row);
        char text[streamTextCapacity];
        PlaceStreamText(row, text, BuildStreamText(text, sampleRate, bitRate, channels));
        EXPECT_EQ(row[infoRowCells], '\0') << "the row's terminator stays";
        std::string shown(row, infoRowCells);
        for (char& c : shown)
            if (static_cast<unsigned char>(c) == 0xC4) c = '-';
        return shown;
    }

    static std::string Text(int32_t sampleRate, int32_t bitRate, int32_t channels) {
        char text[streamTextCapacity];
        const int length = BuildStreamText(text, sampleRate, bitRate, channels);
        EXPECT_EQ(static_cast<size_t>(length), std::string(text).size());
        return text;
    }
};

TEST_F(StreamText, AMonoStreamStandsInTheMiddleWithASpaceOnEitherSide) {
    EXPECT_EQ(Text(22, 64, 1), "64 kbps 22 kHz mono");
    EXPECT_EQ(InfoRow(22, 64, 1), "-- 64 kbps 22 kHz mono --");
}

TEST_F(StreamText, AnOddRestPutsTheTextHalfACellLeftOfTheCentre) {
    EXPECT_EQ(Text(44, 128, 2), "128 kbps 44 kHz stereo");
    EXPECT_EQ(InfoRow(44, 128, 2), " 128 kbps 44 kHz stereo -");
}

TEST_F(StreamText, BitRatesAboveNineThousandNineHundredNinetyNineCountChannels) {
    EXPECT_EQ(Text(44, 20000, 2), "2 chnls 44 kHz stereo");
    EXPECT_EQ(Text(44, 990000, 2), "0 chnls 44 kHz stereo") << "modulo 99";
    EXPECT_EQ(Text(44, 1000000, 2), "1 chnls 44 kHz stereo");
    EXPECT_EQ(Text(44, 9999, 2), "9999 kbps 44 kHz stereo");
}

TEST_F(StreamText, AChannelCountWithoutANameLeavesOnlyTheSpaceOfTheFormat) {
    EXPECT_EQ(Text(44, 128, 0), "128 kbps 44 kHz ");
    EXPECT_EQ(Text(44, 128, 3), "128 kbps 44 kHz ");
    EXPECT_EQ(Text(44, 128, -1), "128 kbps 44 kHz ");
    EXPECT_EQ(InfoRow(44, 128, 3), "--- 128 kbps 44 kHz  ----");
}

TEST_F(StreamText, AllZeroLeavesAnUnbrokenLine) {
    EXPECT_EQ(InfoRow(0, 0, 0), "-------------------------");
    EXPECT_EQ(Text(0, 0, 0), "");
    // Any one of them non-zero shows the text.
    EXPECT_EQ(InfoRow(0, 0, 1), "--- 0 kbps 0 kHz mono ---");
}

TEST_F(StreamText, ATextTooWideForTheRowLosesItsChannelNameThenItsEnd) {
    EXPECT_EQ(Text(44100, 1411, 2), "1411 kbps 44100 kHz") << "24 characters with stereo";
    EXPECT_EQ(InfoRow(44100, 1411, 2), "-- 1411 kbps 44100 kHz --");
    EXPECT_EQ(Text(48, 9999, 2), "9999 kbps 48 kHz stereo") << "23 characters still fit whole";
    EXPECT_EQ(InfoRow(48, 9999, 2), " 9999 kbps 48 kHz stereo ");

    const std::string widest = Text(INT_MIN, INT_MIN, 2);
    EXPECT_EQ(widest, std::string("-2147483648 kbps -2147483648 kHz").substr(0, 23));
    EXPECT_EQ(InfoRow(INT_MIN, INT_MIN, 2), " -2147483648 kbps -21474 ");
    EXPECT_EQ(Text(INT_MAX, -5, 1), "-5 kbps 2147483647 kHz");
}

TEST_F(StreamText, PlacingNeverWritesOutsideTheRow) {
    char row[infoRowCells + 2];
    row[infoRowCells + 1] = 'G';  // a guard after the row
    auto& inner = reinterpret_cast<char(&)[infoRowCells + 1]>(row);
    BlankInfoRow(inner);
    const std::string longText(40, 'x');
    PlaceStreamText(inner, longText.c_str(), 40);
    EXPECT_EQ(row[infoRowCells], '\0');
    EXPECT_EQ(row[infoRowCells + 1], 'G');
    EXPECT_EQ(std::string(row, infoRowCells), " " + std::string(23, 'x') + " ");
    BlankInfoRow(inner);
    PlaceStreamText(inner, "abc", -3);
    EXPECT_EQ(static_cast<unsigned char>(row[0]), 0xC4) << "a negative length draws nothing";
}

TEST_F(StreamText, ChannelNames) {
    EXPECT_STREQ(ChannelName(0), "");
    EXPECT_STREQ(ChannelName(1), "mono");
    EXPECT_STREQ(ChannelName(2), "stereo");
    EXPECT_STREQ(ChannelName(3), "");
    EXPECT_STREQ(ChannelName(INT_MIN), "");
}

}  // namespace
