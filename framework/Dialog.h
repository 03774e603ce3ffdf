// CDialog: a dialog from a template, run modally through the framework's own
// loop so that every message passes PreTranslateMessage before it is dispatched.
#pragma once

#include "Wnd.h"

class CDialog;

// Context of one data exchange between a dialog and its member objects.
class CDataExchange {
public:
    CDataExchange(CDialog* dialog, bool saveAndValidate) : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}
    CDialog* m_pDlgWnd;
    bool m_bSaveAndValidate;
};

// Binds a control of the dialog to a member object, once.
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // Creates the dialog, runs it until EndDialog and destroys it; the result of EndDialog, or -1.
    virtual INT_PTR DoModal();
    void EndDialog(int result);
    bool UpdateData(bool saveAndValidate = true);

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* pDX);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    UINT m_templateId;
    CWnd* m_pParentWnd;

private:
    void RunModalLoop();
    static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM);

    bool m_ended = false;
    int m_modalResult = -1;

    DECLARE_MESSAGE_MAP()
};
