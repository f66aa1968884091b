// Resource ids of the network configuration property library.
// Strings first, then one range per page: its template id and its controls.
#ifndef ZORVPROP_RESOURCE_H
#define ZORVPROP_RESOURCE_H

// ---- String table ------------------------------------------------------
#define IDS_FIELD_TOO_LONG        8    // "This field has a limit of %d characters."
#define IDS_FIELD_EMPTY           9    // "This field cannot be empty."
#define IDS_AUTOMATIC             11
#define IDS_FOREVER               14
#define IDS_WHATS_THIS            22
#define IDS_WINDOWS_DEFAULT       26
#define IDS_BAD_NIS_DOMAIN        27
#define IDS_IP_FIELD_RANGE        30   // shared with the address control
#define IDS_IP_FIELD_CAPTION      31
#define IDS_CAPTION_NFS_CLIENT    34
#define IDS_CAPTION_FILE_SHARING  35
#define IDS_CAPTION_NIS           36
#define IDS_NIS_NEED_SERVER       37

// ---- Page templates ----------------------------------------------------
#define IDD_NFS_SERVER            104
#define IDD_LOGGING               106
#define IDD_GENERAL               107
#define IDD_SECURITY              109
#define IDD_CACHING               111
#define IDD_TUNING                112
#define IDD_FILES_FOLDERS         113
#define IDD_ADVANCED              114
#define IDD_NIS                   115

// Control ids of each page live beside the page's own code in this file's
// page sections, added with the page.

#endif
