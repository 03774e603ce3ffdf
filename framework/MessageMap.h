// Message tables: each class lists the messages and command notifications it
// handles, and its table chains to its base class's table.
#pragma once

#include <windows.h>

class CCmdTarget;

struct MessageMapEntry {
    UINT message;  // window message; WM_COMMAND for commands and control notifications
    UINT code;     // notification code of a WM_COMMAND entry (0 for menu commands and clicks)
    UINT id;       // command or control identifier of a WM_COMMAND entry
    LRESULT (*handler)(CCmdTarget* target, WPARAM wParam, LPARAM lParam);
};

struct MessageMap {
    const MessageMap* (*base)();
    const MessageMapEntry* entries;  // ends with an entry whose handler is null
};

// Anything that has a message table: windows and the application object.
class CCmdTarget {
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    // Runs the table entry for a command or control notification; false when no table names it.
    bool OnCmdMsg(UINT id, UINT code);

protected:
    static const MessageMap* GetThisMessageMap();
    virtual const MessageMap* GetMessageMap() const;

    // The first entry for a window message, searched from this class's table to the base's.
    const MessageMapEntry* FindMessageEntry(UINT message) const;
};

#define DECLARE_MESSAGE_MAP()                          \
protected:                                             \
    static const MessageMap* GetThisMessageMap();      \
    const MessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                        \
    const MessageMap* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const MessageMap* theClass::GetThisMessageMap() {                                 \
        using ThisClass [[maybe_unused]] = theClass;                                  \
        using TheBaseClass = baseClass;                                               \
        static const MessageMapEntry entries[] = {

#define END_MESSAGE_MAP()                                                    \
            {0, 0, 0, nullptr}};                                             \
        static const MessageMap map = {&TheBaseClass::GetThisMessageMap, entries}; \
        return &map;                                                         \
    }

#define MESSAGE_ENTRY_(message, code, id, body)                                                   \
    {message, code, id, [](CCmdTarget* target_, [[maybe_unused]] WPARAM wParam,                   \
                           [[maybe_unused]] LPARAM lParam) -> LRESULT {                           \
         [[maybe_unused]] ThisClass* self = static_cast<ThisClass*>(target_);                     \
         body                                                                                     \
     }},

// Commands and control notifications: handlers take no arguments.
#define ON_COMMAND(id, fn) MESSAGE_ENTRY_(WM_COMMAND, 0, id, self->fn(); return 0;)
#define ON_CONTROL(code, id, fn) MESSAGE_ENTRY_(WM_COMMAND, code, id, self->fn(); return 0;)
#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_LBN_SELCHANGE(id, fn) ON_CONTROL(LBN_SELCHANGE, id, fn)
#define ON_EN_CHANGE(id, fn) ON_CONTROL(EN_CHANGE, id, fn)

// Window messages, with the framework's handler names and arguments.
#define ON_WM_SYSCOMMAND() \
    MESSAGE_ENTRY_(WM_SYSCOMMAND, 0, 0, self->OnSysCommand(static_cast<UINT>(wParam), lParam); return 0;)
#define ON_WM_PAINT() MESSAGE_ENTRY_(WM_PAINT, 0, 0, self->OnPaint(); return 0;)
#define ON_WM_QUERYDRAGICON() \
    MESSAGE_ENTRY_(WM_QUERYDRAGICON, 0, 0, return reinterpret_cast<LRESULT>(self->OnQueryDragIcon());)
#define ON_WM_INITMENU() \
    MESSAGE_ENTRY_(WM_INITMENU, 0, 0, self->OnInitMenu(reinterpret_cast<HMENU>(wParam)); return 0;)
#define ON_WM_CLOSE() MESSAGE_ENTRY_(WM_CLOSE, 0, 0, self->OnClose(); return 0;)
#define ON_WM_QUERYENDSESSION() MESSAGE_ENTRY_(WM_QUERYENDSESSION, 0, 0, return self->OnQueryEndSession();)
#define ON_WM_ENDSESSION() MESSAGE_ENTRY_(WM_ENDSESSION, 0, 0, self->OnEndSession(wParam != 0, lParam); return 0;)
#define ON_WM_SIZE() \
    MESSAGE_ENTRY_(WM_SIZE, 0, 0,                                                              \
                   self->OnSize(static_cast<UINT>(wParam), static_cast<short>(LOWORD(lParam)), \
                                static_cast<short>(HIWORD(lParam)));                           \
                   return 0;)
#define ON_WM_GETMINMAXINFO() \
    MESSAGE_ENTRY_(WM_GETMINMAXINFO, 0, 0, self->OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam)); return 0;)
#define ON_WM_DPICHANGED()                                                                     \
    MESSAGE_ENTRY_(WM_DPICHANGED, 0, 0,                                                        \
                   self->OnDpiChanged(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam)); \
                   return 0;)
#define ON_WM_MEASUREITEM()                                                                              \
    MESSAGE_ENTRY_(WM_MEASUREITEM, 0, 0,                                                                 \
                   self->OnMeasureItem(static_cast<int>(wParam), reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)); \
                   return TRUE;)
#define ON_WM_DRAWITEM()                                                                                 \
    MESSAGE_ENTRY_(WM_DRAWITEM, 0, 0,                                                                    \
                   self->OnDrawItem(static_cast<int>(wParam), reinterpret_cast<DRAWITEMSTRUCT*>(lParam)); \
                   return TRUE;)
#define ON_WM_DROPFILES() MESSAGE_ENTRY_(WM_DROPFILES, 0, 0, self->OnDropFiles(reinterpret_cast<HDROP>(wParam)); return 0;)
#define ON_WM_SETCURSOR()                                                                     \
    MESSAGE_ENTRY_(WM_SETCURSOR, 0, 0,                                                        \
                   return self->OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam), \
                                            HIWORD(lParam));)
#define ON_WM_LBUTTONDOWN()                                                                      \
    MESSAGE_ENTRY_(WM_LBUTTONDOWN, 0, 0,                                                         \
                   self->OnLButtonDown(static_cast<UINT>(wParam),                                \
                                       POINT{static_cast<short>(LOWORD(lParam)),                 \
                                             static_cast<short>(HIWORD(lParam))});               \
                   return 0;)
#define ON_WM_MOUSEMOVE()                                                                        \
    MESSAGE_ENTRY_(WM_MOUSEMOVE, 0, 0,                                                           \
                   self->OnMouseMove(static_cast<UINT>(wParam),                                  \
                                     POINT{static_cast<short>(LOWORD(lParam)),                   \
                                           static_cast<short>(HIWORD(lParam))});                 \
                   return 0;)
