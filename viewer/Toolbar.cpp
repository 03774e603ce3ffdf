// The toolbar and its tooltips.
#include "viewer/ViewerDlg.h"

#include "res/resource.h"

#include <cstring>
#include <new>

namespace {

const DWORD kToolBarStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | TBSTYLE_TOOLTIPS | CCS_NOMOVEY;
const int kToolBarImageCount = 7;

// The image strip drawn for each scale (res/art), from the largest down: the window
// takes the largest not larger than its own scale, so an image is never stretched.
struct ToolBarImages {
    int dpi;
    UINT bitmapId;
    int width, height;
};

const ToolBarImages kToolBarImages[] = {
    {192, IDB_TOOLBAR_200, 32, 30},
    {144, IDB_TOOLBAR_150, 24, 23},
    {120, IDB_TOOLBAR_125, 20, 19},
    {96, IDB_TOOLBAR, 16, 15},
};

const ToolBarImages& ImagesFor(int dpi)
{
    for (const ToolBarImages& images : kToolBarImages)
        if (images.dpi <= dpi) return images;
    return kToolBarImages[sizeof kToolBarImages / sizeof kToolBarImages[0] - 1];
}

struct ToolBarEntry {
    int image;
    int command;
    int checkBox;  // the attribute check box the button follows, or 0
    BYTE style;
};

// Open and Print; Bold, Italic, Underline and StrikeOut; About; a separator before each group.
const ToolBarEntry kToolBarEntries[] = {
    {0, 0, 0, TBSTYLE_SEP},
    {0, ID_FILE_OPEN_TEXT, 0, TBSTYLE_CHECK},
    {1, ID_FILE_PRINT, 0, TBSTYLE_CHECK},
    {0, 0, 0, TBSTYLE_SEP},
    {2, ID_EDIT_BOLD, IDC_BOLD, TBSTYLE_CHECK},
    {3, ID_EDIT_ITALIC, IDC_ITALIC, TBSTYLE_CHECK},
    {4, ID_EDIT_UNDERLINE, IDC_UNDERLINE, TBSTYLE_CHECK},
    {5, ID_EDIT_STRIKEOUT, IDC_STRIKEOUT, TBSTYLE_CHECK},
    {0, 0, 0, TBSTYLE_SEP},
    {6, ID_HELP_ABOUT, 0, TBSTYLE_CHECK},
};

struct ToolTipEntry {
    int command;
    const char* text;
};

const ToolTipEntry kToolTips[] = {
    {ID_FILE_OPEN_TEXT, "Open text file"},
    {ID_EDIT_BOLD, "Bold"},
    {ID_EDIT_ITALIC, "Italic"},
    {ID_EDIT_UNDERLINE, "Underline"},
};

}  // namespace

void CViewerDlg::CreateToolBar()
{
    ToolBar = new (std::nothrow) CToolBarCtrl;
    if (!ToolBar) return;

    RECT client;
    GetClientRect(&client);
    RECT rect = {client.left, client.top, client.right, client.top + Scaled(20)};
    ToolBar->Create(kToolBarStyle, rect, this, IDC_TOOLBAR);
    ToolBar->SetToolTips(TipControl.m_hWnd);
    const ToolBarImages& images = ImagesFor(ShownDpi);
    if (images.dpi != kBaseDpi) {
        // The platform's button for the 100 % images, grown with the scale, so that the
        // margins around the larger images keep their proportions.
        SIZE button = ToolBar->GetButtonSize();
        ToolBar->SetBitmapSize(images.width, images.height);
        ToolBar->SetButtonSize(Scaled(button.cx), Scaled(button.cy));
    }
    if (ToolBar->AddBitmap(kToolBarImageCount, images.bitmapId) == -1) {
        ToolBar->KeepTopAt(client.top);
        return;
    }

    for (const ToolBarEntry& entry : kToolBarEntries) {
        TBBUTTON button;
        memset(&button, 0, sizeof button);
        button.iBitmap = entry.image;
        button.idCommand = entry.command;
        button.fsState = TBSTATE_ENABLED;
        if (entry.checkBox && IsDlgButtonChecked(entry.checkBox) == BST_CHECKED) button.fsState |= TBSTATE_CHECKED;
        button.fsStyle = entry.style;
        ToolBar->AddButtons(1, &button);
    }
    // Each addition lets the toolbar re-place itself; it belongs at the top of the client area.
    ToolBar->KeepTopAt(client.top);

    // The toolbar registers every button with the tooltip control it was given,
    // asking for the text later; only four buttons have a tip, so the texts are
    // tied to their buttons here and the others are left without a tool.
    for (const ToolBarEntry& entry : kToolBarEntries)
        if (entry.command) TipControl.DelTool(ToolBar, static_cast<UINT_PTR>(entry.command));
    for (const ToolTipEntry& tip : kToolTips) {
        RECT button;
        if (ToolBar->GetRect(tip.command, &button))
            TipControl.AddTool(ToolBar, tip.text, button, static_cast<UINT_PTR>(tip.command));
    }
}

void CViewerDlg::DestroyToolBar()
{
    if (!ToolBar) return;
    // The tooltip control belongs to the main window: the toolbar would destroy the
    // control it was given along with itself, and the tips would name a dead window.
    for (const ToolTipEntry& tip : kToolTips) TipControl.DelTool(ToolBar, static_cast<UINT_PTR>(tip.command));
    ToolBar->SetToolTips(nullptr);
    ToolBar->DestroyWindow();
    delete ToolBar;
    ToolBar = nullptr;
}

void CViewerDlg::SetToolbarButtonChecked(int commandId, int checked)
{
    if (ToolBar) ToolBar->SendMessage(TB_CHECKBUTTON, static_cast<WPARAM>(commandId), MAKELPARAM(checked, 0));
}

BOOL CViewerDlg::PreTranslateMessage(MSG* msg)
{
    if (TipControl.m_hWnd) TipControl.RelayEvent(msg);
    NoteSampleEdit(*msg);
    if (PassTypedCharacter(*msg)) return TRUE;
    // Typed into the font list, before the list box's own search by the first letter.
    if (FindTypedFace(*msg)) return TRUE;
    return CDialog::PreTranslateMessage(msg);
}
