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
#define IDS_DEFAULTS_BUTTON       23   // "Def&aults"
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

// The Defaults button on the NFS client sheet's frame (and its hidden
// twin on the General page, which answers help for it).
#define IDC_DEFAULTS              1118

// ---- general page (template IDD_GENERAL) ----
#define IDC_GENERAL_READ_ONLY              1041
#define IDC_GENERAL_LOCKING                1042
#define IDC_GENERAL_MAPPING_LABEL          1129
#define IDC_GENERAL_MAPPING                1043
#define IDC_GENERAL_READ_SIZE_LABEL        1130
#define IDC_GENERAL_READ_SIZE              1045
#define IDC_GENERAL_WRITE_SIZE_LABEL       1131
#define IDC_GENERAL_WRITE_SIZE             1046

// ---- security page (template IDD_SECURITY) ----
#define IDC_SECURITY_USER_READ              2000
#define IDC_SECURITY_USER_WRITE             2001
#define IDC_SECURITY_USER_EXECUTE           2002
#define IDC_SECURITY_GROUP_READ             2003
#define IDC_SECURITY_GROUP_WRITE            2004
#define IDC_SECURITY_GROUP_EXECUTE          2005
#define IDC_SECURITY_OTHER_READ             2006
#define IDC_SECURITY_OTHER_WRITE            2007
#define IDC_SECURITY_OTHER_EXECUTE          2008
#define IDC_SECURITY_AUTH_TEXT              1151
#define IDC_SECURITY_BROADCAST              1047
#define IDC_SECURITY_SPECIFIC_SERVER        1048
#define IDC_SECURITY_SERVER_LABEL           1051
#define IDC_SECURITY_SERVER                 1049
#define IDC_SECURITY_AUTH_GROUP             1149

// ---- caching page (template IDD_CACHING) ----
#define IDC_CACHING_ATTRIBUTE_CACHE        1058
#define IDC_CACHING_FOLDER_LABEL           1064
#define IDC_CACHING_MINIMUM_LABEL          1066
#define IDC_CACHING_MAXIMUM_LABEL          1067
#define IDC_CACHING_FOLDER_MIN             1059
#define IDC_CACHING_FOLDER_MAX             1060
#define IDC_CACHING_FILE_LABEL             1065
#define IDC_CACHING_FILE_MIN               1061
#define IDC_CACHING_FILE_MAX               1062
#define IDC_CACHING_CACHE_SIZE_LABEL       1126
#define IDC_CACHING_CACHE_SIZE             1057
#define IDC_CACHING_NAME_CACHE_TEXT        1148
#define IDC_CACHING_MAPPINGS_LABEL         1125
#define IDC_CACHING_MAPPINGS               1063
#define IDC_CACHING_DATA_CACHE             1154
#define IDC_CACHING_DATA_GROUP             1146
#define IDC_CACHING_NAME_CACHE_GROUP       1147

// ---- tuning page (template IDD_TUNING) ----
#define IDC_TUNING_TIMEOUT_LABEL          1132
#define IDC_TUNING_TIMEOUT                1068
#define IDC_TUNING_BACKOFF_LABEL          1133
#define IDC_TUNING_BACKOFF                1069
#define IDC_TUNING_RETRIES_LABEL          1134
#define IDC_TUNING_RETRIES                1070
#define IDC_TUNING_READAHEAD              1071
#define IDC_TUNING_IDLE_LABEL             1135
#define IDC_TUNING_IDLE_TIMEOUT           1073
#define IDC_TUNING_ASYNC_GROUP            1153
#define IDC_TUNING_AUTOMOUNTER_GROUP      1150

// ---- filesfolders page (template IDD_FILES_FOLDERS) ----
#define IDC_FILES_FOLDERS_ARCHIVE                1074
#define IDC_FILES_FOLDERS_LOWERCASE              1121
#define IDC_FILES_FOLDERS_UPPERCASE              1122
#define IDC_FILES_FOLDERS_PREFERRED_CASE         1120
#define IDC_FILES_FOLDERS_CASE_SENSITIVE         1078
#define IDC_FILES_FOLDERS_SYSTEM_V               1079
#define IDC_FILES_FOLDERS_BSD                    1080
#define IDC_FILES_FOLDERS_CASE_GROUP             1128
#define IDC_FILES_FOLDERS_PREFERRED_GROUP        1127

// ---- advanced page (template IDD_ADVANCED) ----
#define IDC_ADVANCED_TRANSPORT_AUTO         2100
#define IDC_ADVANCED_TCP_ONLY               2101
#define IDC_ADVANCED_UDP_ONLY               2102
#define IDC_ADVANCED_VERSION_AUTO           2110
#define IDC_ADVANCED_V3_ONLY                2111
#define IDC_ADVANCED_V2_ONLY                2112
#define IDC_ADVANCED_PORTMAPPER             1085
#define IDC_ADVANCED_SPECIFIC_PORT          1086
#define IDC_ADVANCED_PORT_LABEL             1087
#define IDC_ADVANCED_PORT                   1088
#define IDC_ADVANCED_PORT_GROUP             1124

// ---- NIS/NIS+ page (template IDD_NIS) ----
#define IDC_NIS_ENABLE_NIS             1106
#define IDC_NIS_NIS_LABEL              1103
#define IDC_NIS_NIS_ADDRESS            1091
#define IDC_NIS_NIS_ADD                1092
#define IDC_NIS_NIS_LIST               1093
#define IDC_NIS_NIS_REMOVE             1094
#define IDC_NIS_ENABLE_NISPLUS         1107
#define IDC_NIS_NISPLUS_LABEL          1105
#define IDC_NIS_NISPLUS_ADDRESS        1095
#define IDC_NIS_NISPLUS_ADD            1096
#define IDC_NIS_NISPLUS_LIST           1097
#define IDC_NIS_NISPLUS_REMOVE         1098
#define IDC_NIS_DOMAIN_LABEL           1104
#define IDC_NIS_DOMAIN                 1089
#define IDC_NIS_UP                     1156
#define IDC_NIS_DOWN                   1157
#define IDC_NIS_ORDER_LABEL            1108
#define IDC_NIS_ORDER                  1099

// ---- nfs server page (template IDD_NFS_SERVER) ----
#define IDC_NFS_SERVER_ENABLE              1016
#define IDC_NFS_SERVER_LOGGING             1017
// Shared folders and the computers that may use them: kept hidden.
#define IDC_NFS_SERVER_FOLDERS             1018
#define IDC_NFS_SERVER_READ_ONLY           1019
#define IDC_NFS_SERVER_OPEN_TO_ALL         1020
#define IDC_NFS_SERVER_OPEN_TO_LISTED      1021
#define IDC_NFS_SERVER_COMPUTERS           1022
#define IDC_NFS_SERVER_ADD_FOLDER          1023
#define IDC_NFS_SERVER_ADD_COMPUTER        1024
#define IDC_NFS_SERVER_REMOVE_FOLDER       1025
#define IDC_NFS_SERVER_REMOVE_COMPUTER     1026

// ---- logging page (template IDD_LOGGING) ----
#define IDC_LOGGING_ENABLE                 1038
#define IDC_LOGGING_SAVE                   1039
#define IDC_LOGGING_FILE                   1040

#endif
