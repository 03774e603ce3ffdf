// CViewerDlg: Typoscope's main window. It lists the installed faces, builds the
// preview font from the chosen face, size and attributes, and shows the sample
// text in it. The operations live in the files of the concern they belong to:
//   viewer/ViewerDlg.cpp       members, message table, start-up
//   viewer/Layout.cpp          layout, minimum size, painting
//   viewer/PreviewFont.cpp     preview font, size field and presets
//   viewer/FontList.cpp        installed font list, finding a face by typing its name
//   viewer/FontListDraw.cpp    the list's rows, greyed for faces lacking characters of the text
//   viewer/FontListMarks.cpp   the marks kept with the sample text and the View menu
//   viewer/FontFileOpen.cpp    font files opened for this run, their faces in the list
//   viewer/FileDrop.cpp        files dropped on the window
//   viewer/SampleBoxHandOver.cpp  texts and typed characters handed to the sample box
//   viewer/Commands.cpp        command dispatch, attribute clicks, menu marks
//   viewer/Toolbar.cpp         toolbar and tooltips
//   sample/SampleText.cpp      sample text sources
//   sample/SampleFile.cpp      sample file and closing
//   sample/DisplayOptions.cpp  word wrap and scroll bar
//   dialogs/*.cpp              About box, help message, printer dialogs
#pragma once

#include "app/ViewerSettings.h"
#include "framework/Framework.h"
#include "sample/SampleOrigin.h"
#include "viewer/LayoutTrial.h"
#include "viewer/MissingCharacters.h"
#include "viewer/OpenedFontFiles.h"
#include "viewer/TypeToFind.h"

#include <cstdint>
#include <string>
#include <vector>

class CViewerDlg : public CDialog {
public:
    explicit CViewerDlg(CWnd* parent = nullptr);
    ~CViewerDlg() override;

    CEdit SampleBox;
    CListBox FontList;
    CSpinButtonCtrl SizeSpin;
    CToolTipCtrl TipControl;
    HICON WindowIcon;
    int FirstPrintDialog;
    PRINTDLGA SavedPrintDlg;
    int CurrentSize;
    CToolBarCtrl* ToolBar;
    CFont* PreviewFont;
    int WordWrapState;
    int ScrollbarState;
    int Initialized;
    // 1 while the font list greys the faces that lack characters of the sample text.
    int MarkMissingState;
    // Which faces lack characters of the sample text.
    MissingCharacters FaceMarks;
    // The dots per inch the window is shown at; every size it sets in pixels follows it.
    int ShownDpi;

    // Layout
    void LayoutControls(int cx, int cy);
    // A size in pixels at 100 %, at the window's scale.
    int Scaled(int pixels) const { return ScaledToDpi(pixels, ShownDpi); }

    // Preview font
    void RebuildPreviewFont();
    void ApplyPreviewFont();
    // The box is about to show this text: a face the platform cannot lay it out in gives way
    // before the box tries, and the box shows the text in its own font.
    void FitFontToText(const std::wstring& text);
    // The menu's or the toolbar's toggle: flips the check box, as a click on it would.
    void ToggleAttribute(int checkBoxId);
    void SelectSizePreset(int index);

    // Installed font list
    void FillFontList();
    static int CALLBACK AddFaceProc(const LOGFONTA* logFont, const TEXTMETRICA* metrics, DWORD fontType,
                                    LPARAM context);
    void SelectFace(const char* name);
    // A character typed into the list: selects the face it finds as a click would; false
    // for a message that is no such character.
    bool FindTypedFace(const MSG& msg);

    // Font files
    void OnOpenFontFile();
    // Opens each file, saying why of each that it cannot; the first face of the last file
    // opened is selected and shown.
    void OpenFontFiles(const std::vector<std::wstring>& paths);
    // Font files open, their text files as sample text, as the menu commands would.
    void OnDropFiles(HDROP drop);

    // Font list marks
    void ToggleMarkMissing();
    // The sample text has changed: the faces that lack its characters are asked anew.
    void TakeSampleCharacters();
    // Before a key reaches the sample box: the one character it will type or remove, if so.
    void NoteSampleEdit(const MSG& msg);

    // Sample box hand-over
    // Puts a text into the box (WM_SETTEXT, or EM_REPLACESEL in place of the selection); false
    // when the box faulted laying it out and was made anew with the text it held before.
    bool HandSampleBoxText(UINT message, const wchar_t* text);
    // Under Wine, a character typed into the box: tried first in the shown face (refused with
    // a beep when it cannot be laid out), then handed over as a text is. False: not such a message.
    bool PassTypedCharacter(const MSG& msg);

    // Toolbar
    void CreateToolBar();
    void DestroyToolBar();
    void SetToolbarButtonChecked(int commandId, int checked);

    // Sample text
    void LoadInitialSample();
    bool LoadTextFile(const char* path);
    // The same for any path; false, with GetLastError, unless the whole file is shown.
    bool LoadTextFile(const wchar_t* path);
    void AppendSampleText(const wchar_t* text);
    void OnOpenTextFile();
    // Loads the file as the sample text, the user's to keep at the close, or says why not.
    void OpenTextFile(const std::wstring& path);
    void ShowStandardSample();
    void ShowAsciiSample();
    // False when text the user changed could not be saved; GetLastError tells why.
    bool SaveSampleFile();

    // Display options
    // Makes the box a Unicode window, which the ANSI dialog template does not give.
    void UseUnicodeSampleBox();
    void ToggleWordWrap();
    void ToggleScrollbar();
    // False when the box could not be made anew for it, and kept its bar.
    bool ApplyScrollbar();
    // A whole box in place of one a fault left half laid out, with this text and font.
    bool RemakeSampleBox(const std::wstring& text, HFONT font);

    // Auxiliary windows
    void ShowAboutBox();
    void ShowHelpMessage();
    void ShowPrinterDialog(BOOL setupOnly);

    BOOL PreTranslateMessage(MSG* msg) override;
    void WinHelp(DWORD_PTR data, UINT command) override;

protected:
    // The choices the box's font was made from, and what the settings held for them: a
    // font the box cannot show brings them back, so the controls name the font shown.
    struct ShownChoices {
        char face[LF_FACESIZE] = "";
        int size = 0;
        int checks[4] = {};
        char name[sizeof ViewerSettingsRecord::Name] = "";
        int storedSize = 0;
        int stored[4] = {};
    } ShownFont;
    bool RestoringChoices = false;
    // Which faces the platform cannot lay the sample text out in.
    LayoutTrial Layouts;
    // The box's text changed while the list was unmarked: its characters are to be counted again.
    bool SampleCharactersStale = true;
    // The characters the shown face was found to lay out, ascending: a typed one not among
    // them is tried first.
    std::vector<uint32_t> TriedCharacters;
    // Hands the box a font; false when the box faulted taking it.
    bool HandSampleBoxFont(HFONT font);
    // Keeps the choices of the font the box now shows, or brings them back.
    void NoteShownChoices();
    void RestoreShownChoices();
    // How far the template's controls stand lower than the template puts them, to stay
    // clear of a toolbar grown taller than the space above them.
    int ControlsShift = 0;
    void KeepControlsBelowToolBar();
    // Moves the template's controls so that they stand `shift` pixels below their place.
    void ShiftControls(int shift);
    // Where the box's text came from, which decides what the close does with sample.txt.
    SampleOrigin Sample;
    // The prefix typed into the font list.
    TypeToFind FaceFinder;
    // The key being handed to the sample box: +1 types the character, -1 removes it, 0 neither.
    struct SampleEdit {
        int change = 0;
        uint32_t character = 0;
    };
    SampleEdit PendingEdit;

    // Puts a file's text into the box; false when the box could not take all of it.
    bool ShowFileText(const std::wstring& text);
    // Writes the box's text to sample.txt as Sample decides; false, with GetLastError,
    // when it should have been written and could not be.
    bool WriteSampleFile(bool edited);
    // The file the last failed save could not write (sample.txt or its backup).
    std::wstring UnsavedFile;
    // The files opened in this run and the faces they brought: removed as the window object
    // ends, once its destructor has let go of the preview font.
    OpenedFontFiles FontFiles;
    // Adds the file's faces to the list, the first of them in firstFace; false when it says why not.
    bool OpenFontFile(const std::wstring& path, std::string& firstFace);
    // reason: a string id, the face it names in face; or 0 and the system's error.
    void ReportFontFile(const std::wstring& path, UINT reason, DWORD error, const std::wstring& face);
    // Says why Open Text File shows nothing of the file.
    void ReportUnreadableFile(const wchar_t* path, DWORD error);

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    void OnSysCommand(UINT id, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnInitMenu(HMENU menu);
    void OnClose();
    BOOL OnQueryEndSession();
    void OnEndSession(bool ending, LPARAM how);
    // The close's end once the text is saved: the font and toolbar go, the window ends.
    void EndAfterSaving();
    // Asks whether to try the failed save again; false: the user keeps the window open.
    bool AskToRetrySave(const wchar_t* path, DWORD error);
    void OnBoldClicked();
    void OnItalicClicked();
    void OnUnderlineClicked();
    void OnStrikeOutClicked();
    void OnFontListSelChange();
    void OnSizeChange();
    void OnSampleChange();
    void OnMeasureItem(int id, MEASUREITEMSTRUCT* item);
    void OnDrawItem(int id, DRAWITEMSTRUCT* item);
    void OnSize(UINT type, int cx, int cy);
    void OnGetMinMaxInfo(MINMAXINFO* info);
    // Moved to a screen of another scale: the suggested rectangle, and everything sized in pixels anew.
    void OnDpiChanged(int dpi, const RECT* suggested);

    DECLARE_MESSAGE_MAP()
};
