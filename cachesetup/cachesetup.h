// The disk-cache setup library: application object, drive queries, the
// framed panel and the two dialogs.
#ifndef ZORV_CACHESETUP_H
#define ZORV_CACHESETUP_H

#include "classlib.h"

class CCacheSetupApp : public CWinApp {
public:
    CCacheSetupApp();
    ~CCacheSetupApp() override;
    const AFX_MSGMAP *GetMessageMap() const override;
    BOOL InitInstance() override;
    int ExitInstance() override;

    HINSTANCE LoadResourceLibrary(const char *directory);
    BOOL FreeResourceLibrary();

    HINSTANCE m_hResourceLib;
};

extern CCacheSetupApp TheApp;
extern HICON DriveIconTable[7];
extern char AppTitleBuffer[256];

// ---- Drive queries -----------------------------------------------------------------
typedef DWORD DriveMask;
CString DriveName(int drive);
CString DriveRoot(int drive);
UINT DriveTypeOf(int drive);
BOOL DriveFreeSpace(int drive, DWORD *sectorsPerCluster, DWORD *bytesPerSector, DWORD *freeClusters,
                    DWORD *totalClusters);
BOOL DriveConnection(int drive, CString &remoteName);
BOOL ComputeCacheSize(int drive, double *totalMB, double *freeMB, double *recommendedMB);
// The volume label of a root path; FALSE when there is none.
BOOL DriveVolumeLabel(const char *root, CString &label);
inline int RoundSize(double mb) { return (int)(mb + 0.5); }

// ---- Framed panel --------------------------------------------------------------------
class CFramePanel {
public:
    enum { Etched = 1, Inset = 2 };
    CFramePanel(int controlId, int style);
    virtual ~CFramePanel() {}
    virtual void Attach(CWnd *dialog);
    virtual void Draw(CDC *dc, UINT bitmapId);

    int m_nControlId;
    int m_nStyle;
    RECT m_rect;
};

// ---- Drive selection dialog ------------------------------------------------------------
class CDriveListBox : public CListBox {
public:
    DECLARE_MESSAGE_MAP(CDriveListBox)
    void DrawItem(LPDRAWITEMSTRUCT item) override;
    void MeasureItem(LPMEASUREITEMSTRUCT item) override;
};

struct DriveEntry {
    int kind = 0;  // 0 not listed, 1 CD-ROM, 2 network, 3 Network Neighborhood, 4 removable
    CString text;
};

class CDrivesDialog : public CDialog {
public:
    explicit CDrivesDialog(CWnd *parent);
    ~CDrivesDialog() override;
    DECLARE_MESSAGE_MAP(CDrivesDialog)
    void DoDataExchange(CDataExchange *dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    void OnBack();
    void UpdateGroupChecks();
    void OnAllNetwork();
    void OnAllCdrom();
    void OnPaint();

    CButton m_allNetworkBox;
    CButton m_allCdromBox;
    int m_nOption = 0;
    int m_nAllNetwork = 0;
    int m_nAllCdrom = 0;
    DriveMask m_dwSelected = 0xFFFFFFFF;
    DriveMask m_dwCleared = 0;
    CFramePanel m_picturePanel;
    CFramePanel m_linePanel;
    CDriveListBox *m_pDriveList;
    DriveEntry m_entries[27];

private:
    void SelectKind(int kind, BOOL select);
    static void ToggleGroup(CButton &box, int &state);
};

// ---- Cache size dialog ---------------------------------------------------------------------
class CNumberEdit : public CEdit {
public:
    DECLARE_MESSAGE_MAP(CNumberEdit)
    void OnChar(UINT ch, UINT repeat, UINT flags);
    void OnVScroll(UINT code, UINT pos, HWND scrollBar);
    virtual void SignalReject();
};

class CCacheDialog : public CDialog {
public:
    explicit CCacheDialog(CWnd *parent);
    ~CCacheDialog() override;
    DECLARE_MESSAGE_MAP(CCacheDialog)
    void DoDataExchange(CDataExchange *dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    void OnSelChangeDrive();
    void OnBack();
    void OnPaint();
    void RefreshDriveFigures();

    CComboBox m_driveList;
    CString m_strFree;
    CString m_strRecommended;
    int m_nCacheSize = 0;
    CNumberEdit *m_pSizeField;
    CFramePanel m_picturePanel;
    CFramePanel m_linePanel;
    int m_nDrive = 0;
    int m_nFreeMB = 0;  // no limit before a drive's free space is known
    int m_itemDrives[26] = {};

private:
    BOOL SizeInRange() const { return m_nCacheSize >= 1 && m_nCacheSize <= m_nFreeMB; }
    void RefuseSize();
};

#endif
