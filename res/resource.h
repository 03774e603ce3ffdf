// Resource identifiers, shared by Typoscope.rc and the code.
#pragma once

// Dialog templates
#define IDD_ABOUTBOX                    100
#define IDD_VIEWER                      102

// Strings
#define IDS_ABOUTBOX                    101
#define IDS_SAMPLE_SENTENCE             102
#define IDS_HELP_TEXT                   104
#define IDS_STANDARD_SAMPLE             105
#define IDS_SAVE_FAILED                 106
#define IDS_SESSION_END_UNSAVED         107
#define IDS_OPEN_TEXT_FAILED            108
#define IDS_TEXT_TOO_LARGE              109
#define IDS_TEXT_READ_STOPPED           110
#define IDS_OPEN_FONT_FAILED            111
#define IDS_FONT_NOT_A_FONT             112
#define IDS_FONT_DAMAGED                113
#define IDS_FONT_UNNAMED                114
#define IDS_FONT_REFUSED                115
#define IDS_FONT_ALREADY_OPEN           116
#define IDS_FONT_NAME_INSTALLED         117
#define IDS_FONT_NO_NEW_FACE            118
#define IDS_FILE_FACE_MARK              119
#define IDS_DROP_NOT_OPENED             120

// The application manifest, as the loader looks for it
#define IDR_MANIFEST                    1

// Icons, bitmaps, cursors, menus
#define IDR_MAINFRAME                   128
#define IDR_MAINMENU                    129
#define IDI_EMBLEM_LEFT                 131
#define IDI_EMBLEM_RIGHT                132
#define IDB_TOOLBAR                     135
#define IDB_TOOLBAR_125                 136
#define IDB_TOOLBAR_150                 137
#define IDB_TOOLBAR_200                 138
#define IDC_HAND_CURSOR                 140

// Controls of the main window
#define IDC_FONT_LIST                   1000
#define IDC_BOLD                        1001
#define IDC_ITALIC                      1002
#define IDC_SAMPLE_BOX                  1003
#define IDC_UNDERLINE                   1004
#define IDC_STRIKEOUT                   1005
#define IDC_SIZE_FIELD                  1006
#define IDC_SIZE_SPIN                   1007
#define IDC_TOOLBAR                     5000

// Controls of the About box
#define IDC_LINK_LABEL                  1011

// System menu
#define IDM_ABOUTBOX                    0x0010

// Menu and toolbar commands
#define ID_FILE_EXIT                    32771
#define ID_EDIT_BOLD                    32772
#define ID_EDIT_ITALIC                  32773
#define ID_EDIT_UNDERLINE               32774
#define ID_EDIT_STRIKEOUT               32775
#define ID_HELP_ABOUT                   32776
#define ID_VIEW_REFRESH                 32777
#define ID_SIZE_8                       32778
#define ID_SIZE_10                      32779
#define ID_SIZE_12                      32780
#define ID_SIZE_14                      32781
#define ID_SIZE_20                      32782
#define ID_SIZE_24                      32783
#define ID_SIZE_36                      32784
#define ID_SIZE_48                      32785
#define ID_SIZE_60                      32786
#define ID_SIZE_72                      32787
#define ID_SIZE_OTHER                   32788
#define ID_FILE_OPEN_TEXT               32789
#define ID_EDIT_WORDWRAP                32790
#define ID_HELP_HELP                    32792
#define ID_VIEW_SCROLLBAR               32793
#define ID_FILE_PRINT_SETUP             32795
#define ID_FILE_PRINT                   32796
#define ID_VIEW_STANDARD_SAMPLE         32799
#define ID_VIEW_ASCII_SAMPLE            32800
#define ID_VIEW_MARK_MISSING            32801
#define ID_FILE_OPEN_FONT               32802
