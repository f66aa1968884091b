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

// The fields of one page in SheetState.
typedef HWND SheetState::*PageField;
typedef BOOL SheetState::*PendingField;

// For a page's initialisation: records the page in the state and answers
// whether the Defaults button was pressed before it opened.
BOOL NotePageOpened(HWND page, PageField pageField, PendingField pendingField);
// For a page's show-defaults: the page, or NULL when it has not opened yet
// (its defaults are then marked pending, shown when it opens) or there is
// no sheet state.
HWND PageToShowDefaults(PageField pageField, PendingField pendingField);

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
