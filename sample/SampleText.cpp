// Where the sample text comes from: the sample file, a text file, the built-in samples.
#include "viewer/ViewerDlg.h"

#include "res/resource.h"

void CViewerDlg::LoadInitialSample()
{
    char text[1024];
    if (LoadStringA(AfxGetResourceHandle(), IDS_SAMPLE_SENTENCE, text, sizeof text) <= 0)
        lstrcpynA(text, "AaBbCcDdEeFfGgHhIiJjKkLlMmNnOoPpQqRrSsTtUuVvWwXxYyZz", sizeof text);
    SetDlgItemText(IDC_SAMPLE_BOX, text);
}

bool CViewerDlg::LoadTextFile(const char*)
{
    return false;
}

void CViewerDlg::AppendSampleText(const char*)
{
}

void CViewerDlg::OnOpenTextFile()
{
}

void CViewerDlg::ShowStandardSample()
{
}

void CViewerDlg::ShowAsciiSample()
{
}
