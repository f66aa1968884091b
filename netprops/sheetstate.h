// What the six pages of the NFS client sheet share during one run.
#ifndef ZORVPROP_SHEETSTATE_H
#define ZORVPROP_SHEETSTATE_H

#include <windows.h>

struct SheetState {
    BOOL advancedDefaultsPending;
    HWND advancedPage;
    BOOL cachingDefaultsPending;
    HWND cachingPage;
    BOOL filesFoldersDefaultsPending;
    HWND filesFoldersPage;
    HWND generalPage;
    BOOL securityDefaultsPending;
    HWND securityPage;
    BOOL tuningDefaultsPending;
    HWND tuningPage;
};

// Created by the General page, released when the sheet frame is destroyed.
extern SheetState *CurrentSheetState;

// Each page of the NFS client sheet: its add operation and the operations
// the Defaults button and the General page's apply use.
void AddGeneralPage();
void AddSecurityPage();
void AddCachingPage();
void AddTuningPage();
void AddFilesFoldersPage();
void AddAdvancedPage();

void AdvancedShowDefaults();
void AdvancedWriteDefaults();
void CachingShowDefaults();
void CachingWriteDefaults();
void FilesFoldersShowDefaults();
void FilesFoldersWriteDefaults();
void SecurityShowDefaults();
void SecurityWriteDefaults();
void TuningShowDefaults();
void TuningWriteDefaults();

#endif
