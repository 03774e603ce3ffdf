#include "viewer/ViewerDlg.h"

#include "app/ViewerApp.h"
#include "dialogs/PrinterChoice.h"
#include "res/resource.h"

#include <cstdio>
#include <cstring>

BEGIN_MESSAGE_MAP(CViewerDlg, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_WM_INITMENU()
    ON_WM_CLOSE()
    ON_WM_QUERYENDSESSION()
    ON_WM_ENDSESSION()
    ON_BN_CLICKED(IDC_BOLD, OnBoldClicked)
    ON_BN_CLICKED(IDC_ITALIC, OnItalicClicked)
    ON_BN_CLICKED(IDC_UNDERLINE, OnUnderlineClicked)
    ON_BN_CLICKED(IDC_STRIKEOUT, OnStrikeOutClicked)
    ON_LBN_SELCHANGE(IDC_FONT_LIST, OnFontListSelChange)
    ON_EN_CHANGE(IDC_SIZE_FIELD, OnSizeChange)
    ON_WM_SIZE()
    ON_WM_GETMINMAXINFO()
    ON_EN_CHANGE(IDC_SAMPLE_BOX, OnSampleChange)
    ON_WM_MEASUREITEM()
    ON_WM_DRAWITEM()
    ON_WM_DROPFILES()
    ON_WM_DPICHANGED()
END_MESSAGE_MAP()

CViewerDlg::CViewerDlg(CWnd* parent)
    : CDialog(IDD_VIEWER, parent),
      WindowIcon(LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME))),
      FirstPrintDialog(1),
      SavedPrintDlg(),
      CurrentSize(0),
      ToolBar(nullptr),
      PreviewFont(nullptr),
      WordWrapState(1),
      ScrollbarState(0),
      Initialized(0),
      MarkMissingState(1),
      ShownDpi(WindowDpi(nullptr))
{
}

CViewerDlg::~CViewerDlg()
{
    // Nothing of the window may outlive it, whichever way it ended.
    DestroyToolBar();
    delete PreviewFont;
    PreviewFont = nullptr;
    // The remembered printer choice lasts for the run only.
    FreePrinterChoice(SavedPrintDlg);
}

void CViewerDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SAMPLE_BOX, SampleBox);
    DDX_Control(pDX, IDC_FONT_LIST, FontList);
    DDX_Control(pDX, IDC_SIZE_SPIN, SizeSpin);
}

BOOL CViewerDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    ShownDpi = WindowDpi(m_hWnd);
    ViewerSettingsRecord& settings = ViewerApp().ViewerSettings;

    HMENU systemMenu = GetSystemMenu(FALSE);
    char aboutItem[256];
    if (systemMenu && LoadStringA(AfxGetResourceHandle(), IDS_ABOUTBOX, aboutItem, sizeof aboutItem) > 0) {
        AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(systemMenu, MF_STRING, IDM_ABOUTBOX, aboutItem);
    }

    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(WindowIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(WindowIcon));

    CurrentSize = settings.Size;
    char sizeText[16];
    snprintf(sizeText, sizeof sizeText, "%d", CurrentSize);
    SetDlgItemText(IDC_SIZE_FIELD, sizeText);
    // Upper limit in the low word, lower in the high word.
    SizeSpin.SendMessage(UDM_SETRANGE, 0, MAKELONG(120, 4));

    CheckDlgButton(IDC_BOLD, static_cast<UINT>(settings.Bold));
    CheckDlgButton(IDC_ITALIC, static_cast<UINT>(settings.Italic));
    CheckDlgButton(IDC_UNDERLINE, static_cast<UINT>(settings.Underline));
    CheckDlgButton(IDC_STRIKEOUT, static_cast<UINT>(settings.StrikeOut));

    ApplyScrollbar();
    MarkMissingState = settings.MarkMissing ? 1 : 0;
    FillFontList();
    SelectFace(settings.Name);
    RebuildPreviewFont();
    LoadInitialSample();
    TakeSampleCharacters();
    if (WordWrapState != settings.Wordwrap) ToggleWordWrap();
    if (ScrollbarState != settings.Scrollbar) ToggleScrollbar();

    TipControl.Create(this, 0);
    TipControl.SendMessage(TTM_ACTIVATE, 1, 0);
    CreateToolBar();
    DragAcceptFiles(m_hWnd, TRUE);

    memset(&SavedPrintDlg, 0, sizeof SavedPrintDlg);
    Initialized = 1;
    LayoutControls(0, 0);
    return TRUE;
}

void CViewerDlg::OnOK()
{
    // Enter never ends the main window.
}

void CViewerDlg::OnCancel()
{
    // Nor does Escape.
}
