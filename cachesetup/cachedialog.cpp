// The cache size dialog: the drive and the size of the cache, within the
// drive's free space; with a size field that takes digits only and steps
// with its own arrows.
#include "cachesetup.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CNumberEdit, CEdit)
    ON_WM_CHAR()
    ON_WM_VSCROLL()
END_MESSAGE_MAP()

void CNumberEdit::OnChar(UINT ch, UINT, UINT)
{
    if (ch < 32 || (IsCharAlphaNumericA((char)ch) && !IsCharAlphaA((char)ch))) {
        Default();
        return;
    }
    MessageBeep(0xFFFFFFFF);
}

void CNumberEdit::OnVScroll(UINT code, UINT, HWND)
{
    int step;
    if (code == SB_LINEUP)
        step = 1;
    else if (code == SB_LINEDOWN)
        step = -1;
    else
        return;
    SetFocus();
    HWND parent = ::GetParent(m_hWnd);
    int id = GetDlgCtrlID();
    BOOL translated = FALSE;
    int number = (int)::GetDlgItemInt(parent, id, &translated, TRUE);
    if (translated && number + step >= 0 && number + step <= 32767)
        ::SetDlgItemInt(parent, id, number + step, TRUE);
    else
        SignalReject();
    SetSel(0, -1);
}

void CNumberEdit::SignalReject()
{
    HWND parent = ::GetParent(m_hWnd);
    LPARAM lParam = (LPARAM)(0x80000000u | (LOWORD(reinterpret_cast<UINT_PTR>(m_hWnd))));
    if (::SendMessageA(parent, WM_COMMAND, (WPARAM)GetDlgCtrlID() & 0xFFFF, lParam) != -1)
        MessageBeep(0xFFFFFFFF);
}

BEGIN_MESSAGE_MAP(CCacheDialog, CDialog)
    ON_CBN_SELCHANGE(IDC_CACHE_DRIVE, OnSelChangeDrive)
    ON_BN_CLICKED(IDC_BACK, OnBack)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CCacheDialog::CCacheDialog(CWnd *parent)
    : CDialog(IDD_CACHE_SIZE, parent), m_pSizeField(new CNumberEdit),
      m_picturePanel(IDC_PICTURE_PANEL, CFramePanel::Etched), m_linePanel(IDC_LINE_PANEL, CFramePanel::Inset)
{
}

CCacheDialog::~CCacheDialog() { delete m_pSizeField; }

void CCacheDialog::RefreshDriveFigures()
{
    m_strFree = "?";
    m_strRecommended = "?";
    double total, free, recommended;
    if (!ComputeCacheSize(m_nDrive, &total, &free, &recommended))
        return;  // the size stays as it was, the limit as for the last known drive
    m_nFreeMB = RoundSize(free);
    m_strFree.Format("%ld", (long)m_nFreeMB);
    m_strRecommended.Format("%d", RoundSize(recommended));
    m_nCacheSize = RoundSize(recommended);
}

BOOL CCacheDialog::OnInitDialog()
{
    m_pSizeField->SubclassDlgItem(IDC_CACHE_SIZE, this);
    m_picturePanel.Attach(this);
    m_linePanel.Attach(this);
    CDialog::OnInitDialog();
    RefreshDriveFigures();
    UpdateData(FALSE);
    CenterOnScreen();

    m_driveList.ResetContent();
    int count = 0;
    for (int n = 1; n <= 26 && count < 26; ++n) {
        CString name = DriveName(n);
        CString root = name + "\\";
        double total, free, recommended;
        if (GetDriveTypeA(root) != DRIVE_FIXED || !ComputeCacheSize(n, &total, &free, &recommended))
            continue;
        CString label;
        if (DriveVolumeLabel(root, label)) {
            name += " [";
            name += label;
            name += "]";
        }
        int index = m_driveList.AddString(name);
        if (index < 0)
            continue;
        if (n == m_nDrive)
            m_driveList.SetCurSel(index);
        m_itemDrives[index < 26 ? index : 25] = n;
        ++count;
    }
    return TRUE;
}

void CCacheDialog::DoDataExchange(CDataExchange *dx)
{
    DDX_Control(dx, IDC_CACHE_DRIVE, m_driveList);
    DDX_Text(dx, IDC_FREE_MB, m_strFree);
    DDX_Text(dx, IDC_RECOMMENDED_MB, m_strRecommended);
    DDX_Text(dx, IDC_CACHE_SIZE, m_nCacheSize);
    if (dx->m_bSaveAndValidate) {
        int selection = m_driveList.GetCurSel();
        m_nDrive = selection >= 0 && selection < 26 ? m_itemDrives[selection] : 0;
    }
}

void CCacheDialog::OnSelChangeDrive()
{
    UpdateData(TRUE);
    RefreshDriveFigures();
    UpdateData(FALSE);
}

void CCacheDialog::RefuseSize()
{
    CString text;
    text.LoadString(IDS_SIZE_OUT_OF_RANGE);
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION, 0);
    m_pSizeField->SetFocus();
    m_pSizeField->SetSel(0, -1);
}

void CCacheDialog::OnOK()
{
    UpdateData(TRUE);
    if (SizeInRange())
        CDialog::OnOK();
    else
        RefuseSize();
}

void CCacheDialog::OnBack()
{
    UpdateData(TRUE);
    if (SizeInRange())
        EndDialog(IDC_BACK);
    else
        RefuseSize();
}

void CCacheDialog::OnPaint()
{
    CPaintDC dc(this);
    m_picturePanel.Draw(&dc, IDB_PANEL);
    m_linePanel.Draw(&dc, 0);
}
