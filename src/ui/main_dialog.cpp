// MainDlgProc: hands each message of the dialog to its handler. Only
// WM_CLOSE ends the dialog; Esc (IDCANCEL) and Enter (IDOK) do nothing.
#include "main_dialog.h"

#include "dialog_handlers.h"
#include "resource.h"

namespace {

void OnCommand(HWND hDlg, WPARAM wParam)
{
    switch (LOWORD(wParam)) {
    case IDC_TYPE_COMBO: OnTypeCombo(hDlg, wParam); break;
    case IDC_GENERATE: OnGenerate(hDlg, wParam); break;
    case IDC_BROWSE: OnBrowse(hDlg, wParam); break;
    case IDC_URL1_CHECK: OnUrl1Check(hDlg, wParam); break;
    case IDC_DIR_COMBO: OnDirCombo(hDlg, wParam); break;
    default: break;
    }
}

} // namespace

INT_PTR CALLBACK MainDlgProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM /*lParam*/)
{
    switch (uMsg) {
    case WM_INITDIALOG:
        OnInitDialog(hDlg);
        return TRUE;
    case WM_COMMAND:
        OnCommand(hDlg, wParam);
        return TRUE;
    case WM_CLOSE:
        EndDialog(hDlg, 0);
        return TRUE;
    default:
        return FALSE;
    }
}
