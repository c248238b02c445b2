#pragma once
// Resource and control ids of rtln.exe. The numbers are fixed by the product: never renumber.

// Dialogs
#define IDD_MAIN            103
#define IDD_PLAYER_SETTINGS 159
#define IDD_SESSIONS        160
#define IDD_ABOUT           201
#define IDD_ABOUT_GENERAL   202
#define IDD_ABOUT_LICENSE   203

// Menus
#define IDR_MAIN_MENU 109

// Main window controls
#define IDC_PASTE              1001
#define IDC_FIND               1002
#define IDC_TICKET             1003
#define IDC_SKIP_SITE          1004
#define IDC_COUNT              1005
#define IDC_TICKETS            1027
#define IDC_ERRORS             1028
#define IDC_SITE_ID            1029
#define IDC_LOTTO_CREDITS      1031
#define IDC_FREE_BANNERS       1032
#define IDC_VOTE_RESULTS       1033
#define IDC_TRAFFIC_CREDITS    1034
#define IDC_BANNER_LIST        1035
#define IDC_SITE_NUMBER        1036
#define IDC_RATING_PICTURE     1037
#define IDC_LOTTO_LIST         1039
#define IDC_BANNER             1040
#define IDC_TRAFFIC_LIST       1041
#define IDC_RATING_POOR        1042
#define IDC_RATING_FAIR        1043
#define IDC_RATING_AVERAGE     1044
#define IDC_RATING_GOOD        1045
#define IDC_RATING_GREAT       1046
#define IDC_TICKET_PROGRESS    1047
#define IDC_SITE_ID_GROUP      1052
#define IDC_WON_GROUP          1062
#define IDC_MISMATCH_GROUP     1064
#define IDC_RATING_BUTTON_BASE 1041  // button IDC_RATING_BUTTON_BASE + r stands for rating r

// Player Settings dialog controls
#define IDC_PLAYER_MEMBER_ID   1053
#define IDC_PLAYER_MAX_TICKETS 1054
#define IDC_PLAYER_SITE_ID     1055
#define IDC_PLAYER_PASSWORD    1056
#define IDC_PLAYER_CONFIRM     1057
#define IDC_PLAYER_SAVE        1062
#define IDC_PLAYER_PATH        1066

// Player Sessions dialog controls
#define IDC_SESSION_LIST 1066

// About box (dialog 201) and its pages (202 General, 203 License)
#define IDC_ABOUT_HEADER        401
#define IDC_ABOUT_TABS          402
#define IDC_ABOUT_HELP          403
#define IDC_ABOUT_CANCEL        404
#define IDC_ABOUT_WEB_SITE      501
#define IDC_ABOUT_EMAIL         502
#define IDC_ABOUT_PRODUCT       506
#define IDC_ABOUT_VERSION_LABEL 507
#define IDC_ABOUT_DESCRIPTION   509
#define IDC_ABOUT_BUILD_LABEL   510
#define IDC_ABOUT_VERSION       515
#define IDC_ABOUT_BUILD_DATE    516
#define IDC_ABOUT_ICON          530
#define IDC_ABOUT_LICENSE_TEXT  801

// Menu commands
#define IDM_ABOUT            104
#define IDM_EXIT             105
#define IDM_BANNER           32792
#define IDM_STOP             32794
#define IDM_CONTINUE         32797
#define IDM_PLAYER_OPTIONS   32800
#define IDM_CLICKS4U         32803
#define IDM_STATISTICS       32804
#define IDM_HELP             32805
#define IDM_INTERNET_OPTIONS 32808
#define IDM_LOCKED_FIELDS    32809
#define IDM_FILL_MEMBER_ID   32811
#define IDM_SAVE             32813

// Icons
#define IDI_APP_SMALL    175
#define IDI_APP_LARGE    176
#define IDI_ABOUT_HEADER 179
#define IDI_STATUS_DATE  180
#define IDI_STATUS_START 181
#define IDI_STATUS_CLOCK 182
#define IDI_STATUS_SITES 183

// Bitmaps
#define IDB_BACKGROUND_TILE 129
#define IDB_RATING_GRID     130
#define IDB_RATING_MARKS    138
#define IDB_BANNER          144

// Other resources
#define IDR_LICENSE_TEXT 107
#define IDR_ABOUT_SOUND  112
