// Dialog tables turned into the host's dialog items: texts resolved, the frame widened to fit.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dialogs/about_box.h"
#include "dialogs/config_dialog.h"
#include "dialogs/dialog_items.h"
#include "fake_host.h"
#include "fake_os.h"

using namespace quaver;
using namespace quaver::dialogItem;

namespace {

class DialogExpansion : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        fake::StartModule();
    }

    // A frame over columns 3 to 25 (room for 15 cells of text) and one text item.
    static std::vector<HostDialogItem> ExpandWithText(const char* text, bool widen = true) {
        const DialogInitItem table[2] = {
            {Frame, 3, 1, 25, 20, 0, 0, 0, 0, Literal("Title")},
            {CheckBox, 5, 2, 0, 0, 0, 0, 0, 0, Literal(text)},
        };
        std::vector<HostDialogItem> items(2);
        ExpandDialogItems(table, items.data(), 2, widen);
        return items;
    }
};

TEST_F(DialogExpansion, WithoutWideningEveryFieldIsCopiedAndMessagesAreResolved) {
    fake::host().messages[4] = "A rather long message text that would widen";
    const DialogInitItem table[3] = {
        {Frame, 3, 1, 25, 20, 0, 0, 0, 0, Literal("Frame")},
        {CheckBox, 5, 2, 0, 0, 1, 1, Disabled | Group, 0, 4},
        {Button, 200, 19, 250, 255, 0, 0, Centred, 1, Literal(" OK ")},
    };
    std::vector<HostDialogItem> items(3);
    std::memset(items.data(), 0xCD, items.size() * sizeof(HostDialogItem));
    ExpandDialogItems(table, items.data(), 3, false);

    EXPECT_EQ(items[0].type, 3);
    EXPECT_EQ(items[0].x1, 3);
    EXPECT_EQ(items[0].x2, 25) << "no widening was asked for";
    EXPECT_STREQ(items[0].data, "Frame");

    EXPECT_EQ(items[1].type, 8);
    EXPECT_EQ(items[1].y1, 2);
    EXPECT_EQ(items[1].focus, 1);
    EXPECT_EQ(items[1].selected, 1);
    EXPECT_EQ(items[1].address, intptr_t{1}) << "the rest of selected's slot is cleared";
    EXPECT_EQ(items[1].flags, Disabled | Group) << "flags are copied as they are, high bit included";
    EXPECT_EQ(items[1].defaultButton, 0);
    EXPECT_STREQ(items[1].data, "A rather long message text that would widen");

    EXPECT_EQ(items[2].x1, 200) << "bytes above 127 are widened without sign";
    EXPECT_EQ(items[2].x2, 250);
    EXPECT_EQ(items[2].y2, 255);
    EXPECT_EQ(items[2].defaultButton, 1);
    EXPECT_STREQ(items[2].data, " OK ");
}

TEST_F(DialogExpansion, ATextOneCellTooLongWidensTheFrameByOne) {
    EXPECT_EQ(ExpandWithText("sixteen chars!!!")[0].x2, 26);
    EXPECT_EQ(ExpandWithText("fifteen chars!!")[0].x2, 25) << "a text that fits leaves the frame";
    EXPECT_EQ(ExpandWithText("")[0].x2, 25) << "widening never narrows";
    EXPECT_EQ(ExpandWithText("twenty-five characters!!!")[0].x2, 35) << "the frame grows by the excess";
}

TEST_F(DialogExpansion, TheHotKeyMarkerTakesNoCellButOnlyOneIsDiscounted) {
    EXPECT_EQ(ExpandWithText("&sixteen chars!!")[0].x2, 25) << "one '&': 15 visible cells";
    EXPECT_EQ(ExpandWithText("&sixteen && chars")[0].x2, 26) << "three '&' are still counted one shorter only";
    EXPECT_EQ(ExpandWithText("&sixteen& chars!!")[0].x2, 26) << "two '&' in 17 characters: 16 cells";
}

TEST_F(DialogExpansion, TheFramesOwnTitleNeverWidensIt) {
    const DialogInitItem table[2] = {
        {Frame, 3, 1, 25, 20, 0, 0, 0, 0, Literal("A frame title far longer than the frame is wide")},
        {Text, 5, 2, 0, 0, 0, 0, 0, 0, Literal("short")},
    };
    HostDialogItem items[2];
    ExpandDialogItems(table, items, 2, true);
    EXPECT_EQ(items[0].x2, 25);
}

TEST_F(DialogExpansion, TheLongestTextDecidesWhicheverItemItIsIn) {
    const DialogInitItem table[4] = {
        {Frame, 3, 1, 25, 20, 0, 0, 0, 0, Literal("Title")},
        {Text, 5, 2, 0, 0, 0, 0, 0, 0, Literal("eighteen characters")},  // 19
        {Text, 5, 3, 0, 0, 0, 0, 0, 0, Literal("seventeen chars!!")},    // 17: fits the widened frame
        {Text, 5, 4, 0, 0, 0, 0, 0, 0, Literal("twenty-one characters")},  // 21
    };
    HostDialogItem items[4];
    ExpandDialogItems(table, items, 4, true);
    EXPECT_EQ(items[0].x2, 3 + 7 + 21);
    EXPECT_EQ(items[1].x2, 0) << "no other item changes";
    EXPECT_EQ(items[3].x2, 0);
}

TEST_F(DialogExpansion, TextValue1999IsALanguageMessage) {
    fake::host().messages[1999] = "the last message number";
    const DialogInitItem table[1] = {{Text, 0, 0, 0, 0, 0, 0, 0, 0, 1999}};
    HostDialogItem item;
    ExpandDialogItems(table, &item, 1, false);
    EXPECT_STREQ(item.data, "the last message number");
}

TEST_F(DialogExpansion, ALanguageTextLongerThanTheDataFieldIsCutWithItsTerminator) {
    fake::host().messages[4] = std::string(700, 'x');
    const DialogInitItem table[2] = {
        {Frame, 3, 1, 25, 20, 0, 0, 0, 0, Literal("Title")},
        {CheckBox, 5, 2, 0, 0, 0, 0, 0, 0, 4},
    };
    struct Guarded {
        HostDialogItem items[2];
        char after[64];
    } guarded;
    std::memset(guarded.after, 0x5A, sizeof guarded.after);
    ExpandDialogItems(table, guarded.items, 2, true);
    EXPECT_EQ(std::strlen(guarded.items[1].data), 511u);
    EXPECT_EQ(guarded.items[1].data[511], '\0');
    EXPECT_EQ(guarded.items[0].x2, 3 + 7 + 511) << "the frame fits the text as it was cut";
    for (char c : guarded.after) ASSERT_EQ(c, 0x5A) << "nothing is written past the items";
}

TEST(DialogTables, TheAboutBoxButtonsSitOnTheirHalfBlockShadows) {
    ASSERT_EQ(aboutItems[10].type, Button);
    EXPECT_STREQ(aboutItems[10].text.literal, " OK ");
    EXPECT_STREQ(aboutItems[11].text.literal, " Help ");
    // The right-hand shadow cell follows each button, the lower shadow is shifted one column right.
    const auto end = [](const DialogInitItem& item) {
        return item.x1 + static_cast<int>(std::strlen(item.text.literal));
    };
    EXPECT_EQ(aboutItems[6].x1, end(aboutItems[10]));
    EXPECT_EQ(aboutItems[7].x1, end(aboutItems[11]));
    EXPECT_EQ(aboutItems[8].x1, aboutItems[10].x1 + 1);
    EXPECT_EQ(end(aboutItems[8]), end(aboutItems[10]) + 1);
    EXPECT_EQ(aboutItems[9].x1, aboutItems[11].x1 + 1);
    EXPECT_EQ(end(aboutItems[9]), end(aboutItems[11]) + 1);
    for (int i = 1; i <= 5; ++i)
        EXPECT_LE(std::strlen(aboutItems[i].text.literal), 25u)
            << "centred line " << i << " fits inside the frame";
}

}  // namespace
