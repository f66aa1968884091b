// The drive selection dialog: which network, CD-ROM and removable drives,
// and the Network Neighborhood, the cache serves.
#include "cachesetup.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CDriveListBox, CListBox)
END_MESSAGE_MAP()

void CDriveListBox::MeasureItem(LPMEASUREITEMSTRUCT item)
{
    if (item->itemHeight < 17)
        item->itemHeight = 17;
}

void CDriveListBox::DrawItem(LPDRAWITEMSTRUCT item)
{
    if (item->itemID == (UINT)-1)
        return;
    HDC dc = item->hDC;
    CString text;
    GetText(item->itemID, text);
    DWORD data = GetItemData(item->itemID);
    UINT slot = HIWORD(data);
    const RECT &r = item->rcItem;
    if (slot < 7 && DriveIconTable[slot]) {
        int height = r.bottom - r.top;
        int offset = (height - 16) / 2;
        DrawIcon(dc, r.left + 2, r.top + (offset > 0 ? offset : 0), DriveIconTable[slot]);
    }
    RECT textArea = r;
    textArea.left += 20;
    if (item->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) {
        int background, foreground;
        if (item->itemState & ODS_DISABLED) {
            background = COLOR_WINDOW;
            foreground = COLOR_GRAYTEXT;
        } else if (item->itemState & ODS_SELECTED) {
            background = COLOR_HIGHLIGHT;
            foreground = COLOR_HIGHLIGHTTEXT;
        } else {
            background = COLOR_WINDOW;
            foreground = COLOR_WINDOWTEXT;
        }
        HBRUSH brush = CreateSolidBrush(GetSysColor(background));
        if (brush) {
            FillRect(dc, &textArea, brush);
            DeleteObject(brush);
        }
        SetBkColor(dc, GetSysColor(background));
        SetTextColor(dc, GetSysColor(foreground));
        INT tabStop = 20;
        TabbedTextOutA(dc, r.left + 22, r.top + 2, text, text.GetLength(), 1, &tabStop, r.left + 22);
    }
    if (item->itemAction & ODA_FOCUS) {
        HGDIOBJ previous = SelectObject(dc, GetStockObject(BLACK_PEN));
        DrawFocusRect(dc, &textArea);
        SelectObject(dc, previous);
    }
}

BEGIN_MESSAGE_MAP(CDrivesDialog, CDialog)
    ON_BN_CLICKED(IDC_BACK, OnBack)
    ON_LBN_SELCHANGE(IDC_DRIVE_LIST, UpdateGroupChecks)
    ON_BN_CLICKED(IDC_ALL_NETWORK, OnAllNetwork)
    ON_BN_CLICKED(IDC_ALL_CDROM, OnAllCdrom)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CDrivesDialog::CDrivesDialog(CWnd *parent)
    : CDialog(IDD_DRIVES, parent), m_picturePanel(IDC_PICTURE_PANEL, CFramePanel::Etched),
      m_linePanel(IDC_LINE_PANEL, CFramePanel::Inset), m_pDriveList(new CDriveListBox)
{
}

CDrivesDialog::~CDrivesDialog() { delete m_pDriveList; }

BOOL CDrivesDialog::OnInitDialog()
{
    m_pDriveList->SubclassDlgItem(IDC_DRIVE_LIST, this);
    m_picturePanel.Attach(this);
    m_linePanel.Attach(this);
    CDialog::OnInitDialog();
    CenterOnScreen();

    m_pDriveList->ResetContent();
    bool windows95 = (GetVersion() & 0x80000000u) != 0;
    for (int visit = 0; visit < 27; ++visit) {
        int n = visit < 26 ? visit + 1 : 0;
        DriveMask bit = 1u << n;
        DriveEntry &entry = m_entries[n];
        if (n == 0) {
            CString line;
            if (!line.LoadString(IDS_NETWORK_NEIGHBORHOOD))
                line = "Network Neighborhood";
            int index = m_pDriveList->AddString(line);
            if (index >= 0) {
                if (m_dwSelected & bit)
                    m_pDriveList->SetSel(index, TRUE);
                m_pDriveList->SetItemData(index, 0x10000);
            }
            entry.kind = 3;
            continue;
        }
        CString name = DriveName(n);
        CString root = name + "\\";
        UINT type = GetDriveTypeA(root);
        int slot;
        if (type == DRIVE_REMOTE) {
            entry.kind = 2;
            slot = 0;
            CString remote;
            if (DriveConnection(n, remote))
                entry.text = remote;
        } else if (type == DRIVE_CDROM && windows95) {
            entry.kind = 1;
            entry.text = "CD-ROM";
            slot = 2;
        } else if (type == DRIVE_REMOVABLE && n >= 3) {
            entry.kind = 4;
            entry.text = "REMOVABLE";
            slot = 2;
        } else {
            continue;
        }
        if (entry.kind == 1 || entry.kind == 4) {
            CString label;
            if (DriveVolumeLabel(root, label)) {
                CString bracketed("[");
                bracketed += label;
                bracketed += "]";
                entry.text = bracketed;
            }
        }
        CString line = name;
        line += '\t';
        line += entry.text;
        int index = m_pDriveList->AddString(line);
        if (index < 0)
            continue;
        if (m_dwSelected & bit)
            m_pDriveList->SetSel(index, TRUE);
        m_pDriveList->SetItemData(index, ((DWORD)slot << 16) + n);
    }
    UpdateGroupChecks();
    return TRUE;
}

void CDrivesDialog::UpdateGroupChecks()
{
    bool anyNet = false, allNet = true, noneNet = true;
    bool anyCd = false, allCd = true, noneCd = true;
    bool windows95 = (GetVersion() & 0x80000000u) != 0;
    int count = m_pDriveList->GetCount();
    for (int i = 0; i < count; ++i) {
        const DriveEntry &entry = m_entries[LOWORD(m_pDriveList->GetItemData(i)) % 27];
        bool selected = m_pDriveList->GetSel(i) > 0;
        if (entry.kind == 2) {
            anyNet = true;
            (selected ? noneNet : allNet) = false;
        } else if (entry.kind == 1 && windows95) {
            anyCd = true;
            (selected ? noneCd : allCd) = false;
        }
    }
    auto show = [](CButton &box, bool any, bool all, bool none, int &state) {
        if (!any) {
            box.EnableWindow(FALSE);
            return;
        }
        box.EnableWindow(TRUE);
        state = all ? 1 : 0;
        box.SetCheck(none ? BST_UNCHECKED : all ? BST_CHECKED : BST_INDETERMINATE);
    };
    show(m_allCdromBox, anyCd, allCd, noneCd, m_nAllCdrom);
    show(m_allNetworkBox, anyNet, allNet, noneNet, m_nAllNetwork);
}

void CDrivesDialog::ToggleGroup(CButton &box, int &state)
{
    int next = box.GetCheck() == BST_CHECKED ? 0 : 1;
    box.SetCheck(next);
    state = next;
}

void CDrivesDialog::SelectKind(int kind, BOOL select)
{
    int count = m_pDriveList->GetCount();
    for (int i = 0; i < count; ++i) {
        if (m_entries[LOWORD(m_pDriveList->GetItemData(i)) % 27].kind == kind)
            m_pDriveList->SetSel(i, select);
    }
}

void CDrivesDialog::OnAllNetwork()
{
    ToggleGroup(m_allNetworkBox, m_nAllNetwork);
    SelectKind(2, m_nAllNetwork);
}

void CDrivesDialog::OnAllCdrom()
{
    ToggleGroup(m_allCdromBox, m_nAllCdrom);
    SelectKind(1, m_nAllCdrom);
}

void CDrivesDialog::DoDataExchange(CDataExchange *dx)
{
    DDX_Control(dx, IDC_ALL_NETWORK, m_allNetworkBox);
    DDX_Control(dx, IDC_ALL_CDROM, m_allCdromBox);
    DDX_Check(dx, IDC_OPTION, m_nOption);
    if (dx->m_bSaveAndValidate) {
        m_dwSelected = 0;
        m_dwCleared = 0;
        int count = m_pDriveList->GetCount();
        for (int i = 0; i < count; ++i) {
            DriveMask bit = 1u << (m_pDriveList->GetItemData(i) & 31);
            if (m_pDriveList->GetSel(i) > 0)
                m_dwSelected |= bit;
            else
                m_dwCleared |= bit;
        }
    }
}

void CDrivesDialog::OnOK()
{
    UpdateData(TRUE);
    CDialog::OnOK();
}

void CDrivesDialog::OnBack()
{
    UpdateData(TRUE);
    EndDialog(IDC_BACK);
}

void CDrivesDialog::OnPaint()
{
    CPaintDC dc(this);
    m_picturePanel.Draw(&dc, IDB_PANEL);
    m_linePanel.Draw(&dc, 0);
}
