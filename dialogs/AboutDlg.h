// CAboutDlg: the About box, with the maker's web address as a hyperlink label.
#pragma once

#include "dialogs/LinkLabel.h"
#include "framework/Framework.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();
    ~CAboutDlg() override;

    CLinkLabel LinkLabel;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    DECLARE_MESSAGE_MAP()
};
