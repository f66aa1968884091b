// Ids of the disk-cache setup library and of its resource library.
#ifndef ZORV_CACHESETUP_RESOURCE_H
#define ZORV_CACHESETUP_RESOURCE_H

// Own string table.
#define IDS_NO_RESOURCE_LIBRARY 1

// Resource library.
#define IDD_CACHE_SIZE 201
#define IDD_DRIVES 202
#define IDB_PANEL 140
#define IDI_DRIVE_FIRST 101
#define IDS_DRIVE_NAME_BASE 10200
#define IDS_NETWORK_NEIGHBORHOOD 10282
#define IDS_SIZE_OUT_OF_RANGE 10300
#define IDS_APP_TITLE 57344
#define IDS_PARSE_INT 61712

// Controls.
#define IDC_BACK 4
#define IDC_CACHE_DRIVE 1206
#define IDC_FREE_MB 1208
#define IDC_RECOMMENDED_MB 1211
#define IDC_CACHE_SIZE 1214
#define IDC_DRIVE_LIST 1218
#define IDC_ALL_CDROM 1219
#define IDC_ALL_NETWORK 1220
#define IDC_OPTION 1222
#define IDC_PICTURE_PANEL 1600
#define IDC_LINE_PANEL 1601

#endif
