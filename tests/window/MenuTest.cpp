// The menu bar: its resource, and the marks it shows after each activation.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "res/resource.h"
#include "support/ViewerHarness.h"
#include "support/Wait.h"
#include "support/WindowProbe.h"

namespace {

struct Item {
    const char* label;  // "-" for a separator, ">" for the Size submenu
    UINT id;
};

struct Popup {
    const char* label;
    std::vector<Item> items;
};

const std::vector<Popup> kMenuBar = {
    {"&File",
     {{"&Open Text File...", ID_FILE_OPEN_TEXT},
      {"Open &Font File...", ID_FILE_OPEN_FONT},
      {"-", 0},
      {"Print &Setup...", ID_FILE_PRINT_SETUP},
      {"&Print...", ID_FILE_PRINT},
      {"-", 0},
      {"E&xit", ID_FILE_EXIT}}},
    {"&Edit",
     {{"&Bold", ID_EDIT_BOLD},
      {"&Italic", ID_EDIT_ITALIC},
      {"&Underline", ID_EDIT_UNDERLINE},
      {"&StrikeOut", ID_EDIT_STRIKEOUT},
      {"-", 0},
      {">", 0},
      {"-", 0},
      {"&Word Wrap", ID_EDIT_WORDWRAP}}},
    {"&View",
     {{"&Scrollbar", ID_VIEW_SCROLLBAR},
      {"-", 0},
      {"Standard Alphabet/Numeric Characters", ID_VIEW_STANDARD_SAMPLE},
      {"ASCII characters", ID_VIEW_ASCII_SAMPLE},
      {"-", 0},
      {"&Refresh\tF5", ID_VIEW_REFRESH},
      {"-", 0},
      {"Mark Faces Missing Characters", ID_VIEW_MARK_MISSING}}},
    {"&Help", {{"&Help...", ID_HELP_HELP}, {"-", 0}, {"&About...", ID_HELP_ABOUT}}},
};

const std::vector<Item> kSizeMenu = {
    {"8", ID_SIZE_8},   {"10", ID_SIZE_10}, {"12", ID_SIZE_12}, {"14", ID_SIZE_14},
    {"20", ID_SIZE_20}, {"24", ID_SIZE_24}, {"36", ID_SIZE_36}, {"48", ID_SIZE_48},
    {"60", ID_SIZE_60}, {"72", ID_SIZE_72}, {"Other...", ID_SIZE_OTHER},
};

struct ItemInfo {
    UINT type = 0, state = 0, id = 0;
    HMENU subMenu = nullptr;
    std::string text;
};

ItemInfo ReadItem(HMENU menu, int position)
{
    char text[256] = "";
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof text;
    ItemInfo item;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info)) return item;
    item.type = info.fType;
    item.state = info.fState;
    item.id = info.wID;
    item.subMenu = info.hSubMenu;
    item.text = text;
    return item;
}

// Checks one drop-down menu's items against the table; every item enabled and unmarked.
void ExpectItems(HMENU menu, const std::vector<Item>& expected, bool unmarked)
{
    ASSERT_EQ(static_cast<int>(expected.size()), GetMenuItemCount(menu));
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "item " << i << " " << expected[i].label);
        ItemInfo item = ReadItem(menu, static_cast<int>(i));
        std::string label = expected[i].label;
        if (label == "-") {
            EXPECT_TRUE(item.type & MFT_SEPARATOR);
            continue;
        }
        EXPECT_FALSE(item.type & MFT_SEPARATOR);
        EXPECT_FALSE(item.state & MFS_DISABLED);
        if (unmarked) {
            EXPECT_FALSE(item.state & MFS_CHECKED);
        }
        if (label == ">") {
            EXPECT_EQ("&Size", item.text);
            ASSERT_TRUE(item.subMenu != nullptr);
            ExpectItems(item.subMenu, kSizeMenu, unmarked);
            continue;
        }
        EXPECT_EQ(label, item.text);
        EXPECT_EQ(expected[i].id, item.id);
        EXPECT_EQ(nullptr, item.subMenu);
    }
}

void ExpectMenuBar(HMENU bar, bool unmarked)
{
    ASSERT_EQ(static_cast<int>(kMenuBar.size()), GetMenuItemCount(bar));
    for (size_t i = 0; i < kMenuBar.size(); ++i) {
        SCOPED_TRACE(kMenuBar[i].label);
        ItemInfo popup = ReadItem(bar, static_cast<int>(i));
        EXPECT_EQ(kMenuBar[i].label, popup.text);
        // Only Help stands at the right end of the bar.
        EXPECT_EQ(i == kMenuBar.size() - 1, (popup.type & MFT_RIGHTJUSTIFY) != 0);
        ASSERT_TRUE(popup.subMenu != nullptr);
        ExpectItems(popup.subMenu, kMenuBar[i].items, unmarked);
    }
}

TEST(MenuResource, HasTheFourMenusWithTheirItemsInOrderAllEnabledAndUnmarked)
{
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINMENU));
    ASSERT_TRUE(menu != nullptr);
    ExpectMenuBar(menu, true);
    DestroyMenu(menu);
}

TEST(MenuResource, IsTheMainWindowsMenuBar)
{
    ViewerHarness h;
    ASSERT_TRUE(h.Started());
    ExpectMenuBar(GetMenu(h.Hwnd()), false);
}

// Every command item of the menu bar, Size submenu included.
std::vector<UINT> AllCommandIds()
{
    std::vector<UINT> ids;
    for (const Popup& popup : kMenuBar)
        for (const Item& item : popup.items)
            if (item.id) ids.push_back(item.id);
    for (const Item& item : kSizeMenu) ids.push_back(item.id);
    return ids;
}

struct Attribute {
    const char* name;
    int checkBox;
    UINT command;
};

const Attribute kAttributes[] = {
    {"Bold", IDC_BOLD, ID_EDIT_BOLD},
    {"Italic", IDC_ITALIC, ID_EDIT_ITALIC},
    {"Underline", IDC_UNDERLINE, ID_EDIT_UNDERLINE},
    {"StrikeOut", IDC_STRIKEOUT, ID_EDIT_STRIKEOUT},
};

// The marks an activation must show: the four attributes from the boxes, wrap and
// scroll bar from the window's state, and one radio mark in the Size submenu.
void ExpectMarks(ViewerHarness& h, UINT sizeItem)
{
    HMENU menu = h.ActivateMenu();
    int wrap = h.Get<int>([&] { return h.Dlg().WordWrapState; });
    int scrollbar = h.Get<int>([&] { return h.Dlg().ScrollbarState; });
    int marking = h.Get<int>([&] { return h.Dlg().MarkMissingState; });
    for (UINT id : AllCommandIds()) {
        SCOPED_TRACE(testing::Message() << "command " << id);
        bool expected = false;
        for (const Attribute& a : kAttributes)
            if (a.command == id) expected = IsDlgButtonChecked(h.Hwnd(), a.checkBox) == BST_CHECKED;
        if (id == ID_EDIT_WORDWRAP) expected = wrap != 0;
        if (id == ID_VIEW_SCROLLBAR) expected = scrollbar != 0;
        if (id == ID_VIEW_MARK_MISSING) expected = marking != 0;
        if (id >= ID_SIZE_8 && id <= ID_SIZE_OTHER) {
            expected = id == sizeItem;
            // The marked item shows the radio mark (unmarked items show nothing whatever their type).
            if (expected) {
                EXPECT_TRUE(MenuItemIsRadio(menu, id));
            }
        }
        EXPECT_EQ(expected, MenuItemChecked(menu, id));
    }
}

TEST(MenuMarks, FollowTheAttributeBoxesWhicheverWayTheyChanged)
{
    ViewerHarness h(SettingsWith("Arial", 12, 0, 1));
    ASSERT_TRUE(h.Started());
    ExpectMarks(h, ID_SIZE_12);

    h.Click(IDC_BOLD);
    ExpectMarks(h, ID_SIZE_12);
    h.Command(ID_EDIT_ITALIC);
    ExpectMarks(h, ID_SIZE_12);
    h.Command(ID_EDIT_STRIKEOUT);
    h.Click(IDC_UNDERLINE);
    ExpectMarks(h, ID_SIZE_12);
    EXPECT_TRUE(MenuItemChecked(GetMenu(h.Hwnd()), ID_EDIT_BOLD));
    EXPECT_FALSE(MenuItemChecked(GetMenu(h.Hwnd()), ID_EDIT_ITALIC));
}

TEST(MenuMarks, AreReadFromTheBoxesNotFromTheSettings)
{
    ViewerHarness h;
    ASSERT_TRUE(h.Started());
    // A box set without its click notification: the settings still say 0.
    h.Run([&] { h.Dlg().CheckDlgButton(IDC_UNDERLINE, BST_CHECKED); });
    ASSERT_EQ(0, h.Get<int>([] { return ViewerApp().ViewerSettings.Underline; }));
    EXPECT_TRUE(MenuItemChecked(h.ActivateMenu(), ID_EDIT_UNDERLINE));
}

TEST(MenuMarks, AreRecomputedOnlyAtActivation)
{
    ViewerHarness h;
    ASSERT_TRUE(h.Started());
    HMENU menu = h.ActivateMenu();
    ASSERT_FALSE(MenuItemChecked(menu, ID_EDIT_BOLD));
    h.Click(IDC_BOLD);
    EXPECT_FALSE(MenuItemChecked(menu, ID_EDIT_BOLD));
    EXPECT_TRUE(MenuItemChecked(h.ActivateMenu(), ID_EDIT_BOLD));
}

TEST(MenuMarks, WordWrapAndScrollbarFollowTheWindowsState)
{
    ViewerHarness h;
    ASSERT_TRUE(h.Started());
    for (int wrap = 0; wrap <= 1; ++wrap) {
        for (int scrollbar = 0; scrollbar <= 1; ++scrollbar) {
            SCOPED_TRACE(testing::Message() << "wrap " << wrap << " scroll bar " << scrollbar);
            h.Run([&] {
                h.Dlg().WordWrapState = wrap;
                h.Dlg().ScrollbarState = scrollbar;
            });
            ExpectMarks(h, ID_SIZE_12);
        }
    }
}

struct SizeCase {
    const char* typed;
    UINT markedItem;
};

// Sizes typed by hand into the size field: presets mark their own item, others "Other...".
const SizeCase kSizeCases[] = {
    {"8", ID_SIZE_8},   {"10", ID_SIZE_10}, {"12", ID_SIZE_12},    {"14", ID_SIZE_14},    {"20", ID_SIZE_20},
    {"24", ID_SIZE_24}, {"36", ID_SIZE_36}, {"48", ID_SIZE_48},    {"60", ID_SIZE_60},    {"72", ID_SIZE_72},
    {"13", ID_SIZE_OTHER}, {"4", ID_SIZE_OTHER}, {"120", ID_SIZE_OTHER}, {"0", ID_SIZE_OTHER}, {"9", ID_SIZE_OTHER},
};

TEST(MenuMarks, SizeTypedByHandPutsTheRadioMarkOnItsPresetOrOnOther)
{
    ViewerHarness h;
    ASSERT_TRUE(h.Started());
    for (const SizeCase& c : kSizeCases) {
        SCOPED_TRACE(testing::Message() << "typed " << c.typed);
        SendMessageA(h.Item(IDC_SIZE_FIELD), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.typed));
        ASSERT_EQ(atoi(c.typed), h.Get<int>([&] { return h.Dlg().CurrentSize; }));
        ExpectMarks(h, c.markedItem);
    }
}

TEST(MenuMarks, SizeChosenFromTheMenuMovesTheRadioMark)
{
    ViewerHarness h(SettingsWith("Arial", 13));
    ASSERT_TRUE(h.Started());
    ExpectMarks(h, ID_SIZE_OTHER);
    for (UINT id = ID_SIZE_8; id <= ID_SIZE_72; ++id) {
        SCOPED_TRACE(testing::Message() << "command " << id);
        h.Command(id);
        ExpectMarks(h, id);
    }
}

}  // namespace
