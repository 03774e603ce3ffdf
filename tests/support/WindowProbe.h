// Reading the main window's visible state from the test's thread: one query for each thing
// the window shows, with the control it reads named once here.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class ViewerHarness;

// The toolbar's window, or null when the window has none.
HWND ToolbarOf(const ViewerHarness& h);
// TB_ISBUTTONCHECKED: 1 pressed, 0 up, -1 no such button (or no toolbar).
int ToolbarButtonChecked(HWND toolbar, int commandId);

// The font the sample box draws with: its handle (null when it has none) ...
HFONT SampleBoxFontHandle(const ViewerHarness& h);
// ... its logical description (all zeros when it has none) ...
LOGFONTA SampleBoxFont(const ViewerHarness& h);
// ... or the description, false when the handle is no live font.
bool SampleBoxFont(const ViewerHarness& h, LOGFONTA* font);
// The box may hold no font at all, but never a handle that is no longer a font.
bool SampleBoxFontIsLiveOrNone(const ViewerHarness& h);
// The character height the preview should have for a point size on this screen, within the cap.
LONG ExpectedHeight(long long pointSize);

// A control's text.
std::string ItemText(const ViewerHarness& h, int id);
// The size of the text as the control draws it, in its own font.
SIZE TextExtentIn(HWND control, const std::string& text);

// A list box's entries in order, and the index of the entry with exactly this text (or LB_ERR).
std::vector<std::string> ListEntries(HWND list);
int EntryIndex(HWND list, const char* text);
// The items of a combo box and its selected item's text ("" when none).
std::vector<std::string> ComboItems(HWND combo);
std::string ComboSelection(HWND combo);
// The selected entry of the font list, or "" when none is selected.
std::string SelectedFace(const ViewerHarness& h);

// The menu item's state flags (GetMenuState, by command), or -1 when there is no such item.
int MenuItemState(HMENU menu, UINT commandId);
bool MenuItemChecked(HMENU menu, UINT commandId);
// Whether the item's check mark is the radio mark (MFT_RADIOCHECK).
bool MenuItemIsRadio(HMENU menu, UINT commandId);
