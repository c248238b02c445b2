#pragma once
// Resource and control ids of uni_rtln.exe. The numbers are fixed; never renumber.

// Dialogs
#define IDD_UNINSTALL 101

// Controls
#define IDC_STEP1_LABEL  1000
#define IDC_UNINSTALL    1001
#define IDC_CLOSE        1002 /* "&Cancel", then "&OK" */
#define IDC_STEP2_LABEL  1003
#define IDC_STEP3_LABEL  1004
#define IDC_SIDE_PICTURE 1006
#define IDC_FOOTER_LINE  1007
#define IDC_SMALL_MARK   1008
#define IDC_STEP1_ICON   1009
#define IDC_STEP2_ICON   1010
#define IDC_STEP3_ICON   1011
#define IDC_MAKER        1014
#define IDC_COMPLETE     1015
#define IDC_FOOTER       1026

// Icons
#define IDI_WINDOW    120
#define IDI_STEP_DONE 121
#define IDI_STEP_BUSY 122
#define IDI_STEP_TODO 123

// Bitmaps
#define IDB_SIDE_PICTURE 108
#define IDB_SMALL_MARK   113
