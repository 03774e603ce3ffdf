// Reading the main window's visible state from the test's thread.
#pragma once

#include <windows.h>

#include <string>

class ViewerHarness;

// The toolbar's window, or null when the window has none.
HWND ToolbarOf(const ViewerHarness& h);
// TB_ISBUTTONCHECKED: 1 pressed, 0 up, -1 no such button (or no toolbar).
int ToolbarButtonChecked(HWND toolbar, int commandId);
// The logical description of the font the sample box draws with.
LOGFONTA SampleBoxFont(const ViewerHarness& h);
// A control's text.
std::string ItemText(const ViewerHarness& h, int id);
// The selected entry of the font list, or "" when none is selected.
std::string SelectedFace(const ViewerHarness& h);
// The menu item's state flags (GetMenuState, by command), or -1 when there is no such item.
int MenuItemState(HMENU menu, UINT commandId);
bool MenuItemChecked(HMENU menu, UINT commandId);
// Whether the item's check mark is the radio mark (MFT_RADIOCHECK).
bool MenuItemIsRadio(HMENU menu, UINT commandId);
