// The host's dialog engine without a console: where items land, how the focus moves, what keys and clicks
// do to check boxes, radio groups and buttons, and what the dialog looks like.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "pure/colours.h"
#include "pure/dialog_model.h"
#include "pure/drawing.h"
#include "screen_text.h"

using namespace host;

namespace {

HostDialogItem MakeItem(int32_t type, int x1, int y1, int x2, int y2, const char* text, uint32_t flags = 0,
                        int focus = 0, int selected = 0, int isDefault = 0) {
    HostDialogItem item{};
    item.type = type;
    item.x1 = x1;
    item.y1 = y1;
    item.x2 = x2;
    item.y2 = y2;
    item.focus = focus;
    item.selected = selected;
    item.flags = flags;
    item.defaultButton = isDefault;
    std::snprintf(item.data, sizeof item.data, "%s", text);
    return item;
}

// A small settings dialog shaped like the module's configuration dialog, 29 by 13 cells.
std::vector<HostDialogItem> SettingsItems() {
    using namespace dialog;
    return {
        MakeItem(Frame, 3, 1, 25, 11, "Settings"),                        // 0
        MakeItem(CheckBox, 5, 2, 0, 0, "&Close button", 0, 0, 1),          // 1
        MakeItem(CheckBox, 5, 3, 0, 0, "&Scroll title"),                   // 2
        MakeItem(RadioButton, 9, 4, 0, 0, "R&unning", Group, 0, 1),        // 3
        MakeItem(RadioButton, 9, 5, 0, 0, "&Back and forth"),              // 4
        MakeItem(Text, 5, 6, 0, 0, " Time ", Separator),                   // 5
        MakeItem(RadioButton, 9, 7, 0, 0, "&Elapsed", Group),              // 6
        MakeItem(RadioButton, 9, 8, 0, 0, "&Remaining", 0, 0, 1),          // 7
        MakeItem(Text, 5, 9, 0, 0, "", Separator | DoubleSeparator),       // 8
        MakeItem(Button, 0, 10, 0, 0, "OK", Centred, 1, 0, 1),             // 9
        MakeItem(Button, 0, 10, 0, 0, "Cancel", Centred),                  // 10
    };
}

class Dialog : public ::testing::Test {
protected:
    std::vector<HostDialogItem> items = SettingsItems();
    DialogModel Model(int width = 80, int height = 25) {
        return DialogModel(ItemsFromClassic(items.data(), static_cast<int>(items.size())), -1, -1, 29, 13, width, height);
    }
    static std::string Row(const ScreenBuffer& screen, int y, int x, int length) {
        return host::CellText(screen, x, y, length);
    }
};

TEST_F(Dialog, ACentredDialogPlacesItsItemsRelativeToItsCorner) {
    DialogModel model = Model();
    EXPECT_EQ(model.Area(), (Rect{25, 6, 53, 18})) << "(80 - 29) / 2 and (25 - 13) / 2";
    EXPECT_EQ(model.ItemRect(0), (Rect{28, 7, 50, 17})) << "the frame";
    EXPECT_EQ(model.ItemRect(1), (Rect{30, 8, 30 + 4 + 12 - 1, 8})) << "mark and text, the '&' takes no cell";
    EXPECT_EQ(model.ItemRect(5), (Rect{28, 12, 50, 12})) << "a separator spans the frame";
    // "[ OK ]" and "[ Cancel ]": 6 + 1 + 10 = 17 cells centred in 29.
    EXPECT_EQ(model.ItemRect(9), (Rect{25 + 6, 16, 25 + 11, 16}));
    EXPECT_EQ(model.ItemRect(10), (Rect{25 + 13, 16, 25 + 22, 16}));
    EXPECT_EQ(model.ShownText(1), "Close button");
    EXPECT_EQ(model.HotKey(3), 'u');
}

TEST_F(Dialog, ADialogLargerThanTheScreenStartsAtItsCorner) {
    DialogModel model = Model(20, 8);
    EXPECT_EQ(model.Area().left, 0);
    EXPECT_EQ(model.Area().top, 0);
}

// A module's numbers may be anything: the dialog is cut to the screen, its items to the dialog, and drawing
// touches no cell outside the dialog and its shadow.
TEST_F(Dialog, DialogsAndItemsAreCutToTheScreenWhateverTheirNumbers) {
    const Cell backdrop{'.', 0x1B};
    const auto drawn = [&](const DialogModel& model) {
        ScreenBuffer screen(80, 25);
        screen.Fill(Rect{0, 0, 79, 24}, backdrop);
        model.Draw(screen);
        return screen;
    };
    {
        SCOPED_TRACE("a translation widens the dialog to 120 columns: capped at the console's 80");
        items[0].x2 = 116;
        std::snprintf(items[1].data, sizeof items[1].data, "&%s", std::string(150, 'w').c_str());
        DialogModel model(ItemsFromClassic(items.data(), static_cast<int>(items.size())), -1, -1, 120, 13, 80, 25);
        EXPECT_EQ(model.Area(), (Rect{0, 6, 79, 18}));
        EXPECT_EQ(model.ItemRect(0), (Rect{3, 7, 79, 17})) << "the frame, cut at the edge";
        EXPECT_EQ(model.ItemRect(1), (Rect{5, 8, 79, 8}));
        EXPECT_EQ(model.ItemRect(9).left, (80 - 17) / 2) << "the buttons centred on the console";
        const ScreenBuffer screen = drawn(model);
        EXPECT_EQ(screen.At(79, 7).First(), glyph::DoubleTopRight);
        EXPECT_EQ(screen.At(79, 8).First(), u'w');
    }
    items = SettingsItems();
    {
        SCOPED_TRACE("corners and sizes near INT_MAX, items far off and left of their dialog");
        items[0].x2 = INT_MAX;  // the frame, and the separators that span it
        items[1].x1 = INT_MAX;
        items[1].y1 = INT_MAX;
        items[2].x1 = -3;
        items[9].flags = 0;
        items[9].x1 = INT_MIN;
        for (const Rect asked : {Rect{0, 0, INT_MAX, INT_MAX}, Rect{-1, -1, INT_MAX, INT_MAX},
                                 Rect{INT_MAX, INT_MAX, INT_MAX, INT_MAX}, Rect{30, 5, INT_MIN, INT_MIN}}) {
            DialogModel model(ItemsFromClassic(items.data(), static_cast<int>(items.size())), asked.left, asked.top,
                              asked.right, asked.bottom, 80, 25);
            const Rect area = model.Area();
            EXPECT_TRUE(area.Empty() || (area.left >= 0 && area.right <= 79 && area.top >= 0 && area.bottom <= 24))
                << area.left << "," << area.top << ".." << area.right << "," << area.bottom;
            for (int i = 0; i < model.Count(); ++i) {
                const Rect item = model.ItemRect(i);
                EXPECT_TRUE(item.Empty() || (item.left >= area.left && item.right <= area.right &&
                                             item.top >= area.top && item.bottom <= area.bottom))
                    << "item " << i;
            }
            EXPECT_TRUE(model.ItemRect(1).Empty());
            EXPECT_TRUE(model.ItemRect(9).Empty());
            const ScreenBuffer screen = drawn(model);
            const Rect shadowed = model.AreaWithShadow();
            for (int y = 0; y < 25; ++y)
                for (int x = 0; x < 80; ++x) {
                    if (area.Empty() || !shadowed.Contains(x, y)) {
                        ASSERT_EQ(screen.At(x, y), backdrop) << x << "," << y;
                    }
                }
        }
        DialogModel model(ItemsFromClassic(items.data(), static_cast<int>(items.size())), 10, 2, 40, 16, 80, 25);
        EXPECT_EQ(model.ItemRect(2).left, 10) << "an item left of its dialog starts at the dialog's edge";
        const ScreenBuffer screen = drawn(model);
        EXPECT_EQ(screen.At(9, 5), backdrop) << "nothing of it left of the dialog";
        EXPECT_EQ(screen.At(11, 5).First(), u'S');
    }
}

TEST_F(Dialog, CentredTextAndPlainButtonsKeepTheirOwnWidth) {
    using namespace dialog;
    items = {
        MakeItem(Frame, 0, 0, 26, 10, "About"),
        MakeItem(Text, 0, 2, 0, 0, "Quaver Remote Control", Centred),
        MakeItem(Button, 7, 8, 0, 0, " OK ", NoBrackets, 1, 0, 1),
        MakeItem(Button, 14, 8, 0, 0, " Help ", NoBrackets, 0, 0, 1),
    };
    DialogModel model(ItemsFromClassic(items.data(), 4), -1, -1, 27, 11, 80, 25);
    EXPECT_EQ(model.ItemRect(1).left, model.Area().left + 3) << "(27 - 21) / 2";
    EXPECT_EQ(model.ItemRect(2), (Rect{model.Area().left + 7, model.Area().top + 8, model.Area().left + 10, model.Area().top + 8}));
    EXPECT_EQ(model.ItemRect(3).Width(), 6);
}

TEST_F(Dialog, TheFocusStartsOnTheMarkedItemAndTabSkipsTextAndDisabledItems) {
    items[2].flags |= dialog::Disabled;
    DialogModel model = Model();
    EXPECT_EQ(model.Focus(), 9);
    model.Key(DialogKey::Tab);
    EXPECT_EQ(model.Focus(), 10);
    model.Key(DialogKey::Tab);
    EXPECT_EQ(model.Focus(), 1) << "wraps past the frame";
    model.Key(DialogKey::Down);
    EXPECT_EQ(model.Focus(), 3) << "the disabled check box is skipped";
    model.Key(DialogKey::BackTab);
    model.Key(DialogKey::Up);
    EXPECT_EQ(model.Focus(), 10) << "backwards it wraps too";
    WriteBackToClassic(model.Items(), items.data(), static_cast<int>(items.size()));
    EXPECT_EQ(items[10].focus, 1) << "the caller's items carry the focus";
    EXPECT_EQ(items[9].focus, 0);
}

TEST_F(Dialog, WithoutAMarkedItemTheFirstThatCanTakeTheFocusGetsIt) {
    items[9].focus = 0;
    items[1].flags |= dialog::Disabled;
    EXPECT_EQ(Model().Focus(), 2);
}

TEST_F(Dialog, ADisabledFocusedItemHandsTheFocusOn) {
    DialogModel model = Model();
    model.SetFocus(2);
    EXPECT_TRUE(model.Enable(2, false));
    EXPECT_EQ(model.Focus(), 3);
    EXPECT_FALSE(model.Enable(2, true)) << "reports the earlier state";
    EXPECT_FALSE(model.Enable(99, true));
    model.SetFocus(0);
    EXPECT_EQ(model.Focus(), 3) << "a frame cannot take the focus";
}

TEST_F(Dialog, SpaceFlipsACheckBoxAndSelectsARadioButtonWithinItsGroupOnly) {
    DialogModel model = Model();
    model.SetFocus(1);
    EXPECT_EQ(model.Key(DialogKey::Space), (DialogAction{DialogAction::Changed, 1, 0}));
    EXPECT_EQ(model.Item(1).selected, 0);
    EXPECT_EQ(model.Key(DialogKey::Space), (DialogAction{DialogAction::Changed, 1, 1}));

    model.SetFocus(4);
    EXPECT_EQ(model.Key(DialogKey::Space), (DialogAction{DialogAction::Changed, 4, 1}));
    EXPECT_EQ(model.Item(3).selected, 0);
    EXPECT_EQ(model.Item(4).selected, 1);
    EXPECT_EQ(model.Item(7).selected, 1) << "the time group is a group of its own";
    EXPECT_EQ(model.Key(DialogKey::Space), DialogAction{}) << "selecting the selected one changes nothing";
}

TEST_F(Dialog, GroupsEndAtAGroupMarkOrAtAnItemThatIsNoRadioButton) {
    DialogModel model = Model();
    int first, last;
    model.GroupOf(4, &first, &last);
    EXPECT_EQ(first, 3);
    EXPECT_EQ(last, 4);
    model.GroupOf(6, &first, &last);
    EXPECT_EQ(first, 6);
    EXPECT_EQ(last, 7);
    items[6].flags &= ~dialog::Group;
    items[5].type = dialog::RadioButton;  // radio buttons all the way from 3 to 7, marks at 3 only
    DialogModel joined = Model();
    joined.GroupOf(7, &first, &last);
    EXPECT_EQ(first, 3);
    EXPECT_EQ(last, 7);
}

TEST_F(Dialog, DisabledItemsIgnoreSpaceClicksAndHotKeys) {
    DialogModel model = Model();
    model.Enable(1, false);
    EXPECT_EQ(model.Activate(1), DialogAction{});
    EXPECT_EQ(model.Click(model.ItemRect(1).left, model.ItemRect(1).top), DialogAction{});
    EXPECT_EQ(model.Key(DialogKey::Character, 'c'), DialogAction{});
    EXPECT_EQ(model.Item(1).selected, 1);
}

TEST_F(Dialog, EnterChoosesTheFocusedButtonOrElseTheDefaultOneAndEscCancels) {
    DialogModel model = Model();
    model.SetFocus(10);
    EXPECT_EQ(model.Key(DialogKey::Enter), (DialogAction{DialogAction::Chosen, 10, 0}));
    model.SetFocus(2);
    EXPECT_EQ(model.Key(DialogKey::Enter), (DialogAction{DialogAction::Chosen, 9, 0}));
    EXPECT_EQ(model.Item(2).selected, 0) << "Enter does not flip the focused check box";
    EXPECT_EQ(model.Key(DialogKey::Escape).kind, DialogAction::Cancel);
    model.Enable(9, false);
    EXPECT_EQ(model.Key(DialogKey::Enter), DialogAction{}) << "no enabled default button";
}

TEST_F(Dialog, AHotKeyLetterFocusesAndActivatesItsItemInEitherCase) {
    DialogModel model = Model();
    EXPECT_EQ(model.Key(DialogKey::Character, 'S'), (DialogAction{DialogAction::Changed, 2, 1}));
    EXPECT_EQ(model.Focus(), 2);
    EXPECT_EQ(model.Key(DialogKey::Character, 'b'), (DialogAction{DialogAction::Changed, 4, 1}));
    EXPECT_EQ(model.Key(DialogKey::Character, 'q'), DialogAction{}) << "no item has it";
}

TEST_F(Dialog, AClickAnywhereOnAnItemActsOnItButNotBesideIt) {
    DialogModel model = Model();
    const Rect box = model.ItemRect(2);
    EXPECT_EQ(model.Click(box.right, box.top), (DialogAction{DialogAction::Changed, 2, 1})) << "on its text";
    EXPECT_EQ(model.Focus(), 2);
    EXPECT_EQ(model.Click(box.right + 1, box.top), DialogAction{});
    const Rect cancel = model.ItemRect(10);
    EXPECT_EQ(model.Click(cancel.left, cancel.top), (DialogAction{DialogAction::Chosen, 10, 0}));
    EXPECT_EQ(model.Click(0, 0), DialogAction{}) << "outside the dialog";
}

TEST_F(Dialog, TheDialogIsDrawnWithFrameMarksSeparatorsButtonsAndAShadow) {
    ScreenBuffer screen(80, 25);
    screen.Fill(Rect{0, 0, 79, 24}, Cell{'.', 0x1B});
    items[2].flags |= dialog::Disabled;
    DialogModel model = Model();
    model.Draw(screen);
    const int left = model.Area().left, top = model.Area().top;
    EXPECT_EQ(Row(screen, top, left, 29), std::string(29, ' '));
    EXPECT_EQ(Row(screen, top + 1, left + 3, 23), "╔═════ Settings ══════╗");
    EXPECT_EQ(Row(screen, top + 2, left + 5, 16), "[x] Close button");
    EXPECT_EQ(Row(screen, top + 3, left + 5, 16), "[ ] Scroll title");
    EXPECT_EQ(Row(screen, top + 4, left + 9, 11), "(•) Running");
    EXPECT_EQ(Row(screen, top + 5, left + 9, 5), "( ) B");
    EXPECT_EQ(Row(screen, top + 6, left + 3, 23), "╟─────── Time ────────╢");
    EXPECT_EQ(Row(screen, top + 9, left + 3, 3), "╠══") << "the separator above the buttons is double";
    EXPECT_EQ(Row(screen, top + 10, left + 6, 17), "[ OK ] [ Cancel ]");

    EXPECT_EQ(screen.At(left + 5, top + 3).attribute, HostColour(colour::DialogDisabled));
    EXPECT_EQ(screen.At(left + 6, top + 10).attribute, HostColour(colour::DialogFocusButton)) << "focused";
    EXPECT_EQ(screen.At(left + 13, top + 10).attribute, HostColour(colour::DialogButton));
    EXPECT_NE(screen.At(left + 9, top + 2).attribute, screen.At(left + 10, top + 2).attribute)
        << "the hot-key letter stands out";
    EXPECT_EQ(screen.At(left + 29, top + 1), (Cell{'.', 0x08})) << "shadow to the right keeps the character";
    EXPECT_EQ(screen.At(left + 2, top + 13).attribute, 0x08) << "and below";
    EXPECT_EQ(screen.At(left + 29, top).attribute, 0x1B) << "the shadow starts one row down";
    EXPECT_EQ(model.AreaWithShadow(), (Rect{left, top, left + 30, top + 13}));
}

TEST_F(Dialog, TextsAreNeverReadBeyondTheirDataField) {
    std::memset(items[1].data, 'x', sizeof items[1].data);  // no terminator at all
    DialogModel model = Model();
    EXPECT_EQ(model.ShownText(1).size(), sizeof items[1].data);
    ScreenBuffer screen(80, 25);
    model.Draw(screen);
    EXPECT_EQ(screen.At(model.Area().right + 1, model.Area().top + 2).First(), u' ') << "cut at the dialog's edge";
}

}  // namespace
