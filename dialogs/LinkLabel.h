// CLinkLabel: turns a static control of a dialog into a hyperlink. It draws the
// control's text underlined in blue, shows the hand cursor over it, and opens
// the text with the shell when pressed. It keeps no data: the text and the font
// are the control's own.
#pragma once

#include "framework/Framework.h"

class CLinkLabel : public CWnd {
public:
    CLinkLabel() = default;
    ~CLinkLabel() override;

    void DrawLink();
    // The shell's result, which nobody examines.
    HINSTANCE OpenLink();

    // The shell call that opens the link; replaceable so that a test can watch it.
    using ShellOpenFunction = HINSTANCE(WINAPI*)(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters,
                                                 LPCSTR directory, INT showCommand);
    static ShellOpenFunction ShellOpen;

    // Handlers of the label's message table.
    void OnPaint();
    BOOL OnSetCursor(HWND wnd, UINT hitTest, UINT message);
    void OnLButtonDown(UINT flags, POINT point);
    void OnMouseMove(UINT flags, POINT point);

private:
    void SetHandCursor();

    DECLARE_MESSAGE_MAP()
};
