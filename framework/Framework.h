// The small application framework Typoscope is written against: an application
// object that runs one modal dialog, windows with per-class message tables,
// control wrappers, GDI objects, files and the common dialogs.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include "MessageMap.h"
#include "Wnd.h"
#include "Dialog.h"
#include "WinApp.h"
#include "Controls.h"
#include "Gdi.h"
#include "Dpi.h"
#include "File.h"
#include "CommonDialogs.h"
