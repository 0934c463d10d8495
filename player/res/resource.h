// Resource ids of the player program.
#pragma once

// Dialog templates.
#define IDD_ZEMOVISTA_DIALOG   102
#define IDD_DLG_PLAYCTRL       103
#define IDD_DLG_LEFTAD         107
#define IDD_DLG_MIDDLEAD       109
#define IDD_DLG_WEB            111
#define IDD_DLG_PLAY           130
#define IDD_DLG_PLAYSIZE       133
#define IDD_DLG_LOGIN          134
#define IDD_DLG_SETTING        135
#define IDD_DLG_DELETECONFIRM  139
#define IDD_DLG_MESSAGE        140
#define IDD_DLG_ABOUT          141
#define IDD_DLG_AGESELECT      142
#define IDD_DLG_VIDEOPROGRESS  143
#define IDD_DLG_SCROLLINGPANEL 145

// The placeholder page of the HTML panels (the panels' other page ids, 108 and 110, name
// no resource).
#define IDR_HTML_PANEL 112

// Icon, menus and version.
#define IDR_MAINFRAME          128
#define IDR_MENU_PLAY          131
#define IDR_MENU_TRAY          144
#define IDR_MENU_HELP          146
#define IDR_MENU_FILE          147
#define IDR_MENU_PLAYLIST      148
#define IDR_MENU_PLAYLIST_ITEM 149
#define IDR_MENU_DOWNLOADED    150

// Controls.
#define IDC_SLIDER                1000
#define IDC_VIDEO_SURFACE         1001
#define IDC_BTN_REWIND            1002
#define IDC_BTN_FORWARD           1004
#define IDC_BTN_FULLSCREEN        1005
#define IDC_BTN_FIT               1006
#define IDC_BTN_QUICK_FULLSCREEN  1007
#define IDC_BTN_DOUBLE            1008
#define IDC_BTN_NATIVE            1009
#define IDC_COMBO_USER            1008
#define IDC_EDIT_PASSWORD         1009
#define IDC_CHECK_REMEMBER        1010
#define IDC_CHECK_AUTOLOGIN       1011
#define IDC_BTN_CLOSE             1012
#define IDC_EDIT_FOLDER           1013
#define IDC_EDIT_DESCRIPTION      1013
#define IDC_BTN_BROWSE            1014
#define IDC_EDIT_DOWNLOADS        1015
#define IDC_BTN_DEFAULT_DOWNLOADS 1016
#define IDC_CHECK_AUTODOWNLOAD    1017
#define IDC_EDIT_RETRIES          1018
#define IDC_BTN_DEFAULT_RETRIES   1019
#define IDC_CHECK_DELETE_FILE     1019
#define IDC_BTN_BACK              1020
#define IDC_BTN_PIN               1020
#define IDC_BTN_FORE              1021
#define IDC_RADIO_UNDER12         1021
#define IDC_BTN_REFRESH           1022
#define IDC_RADIO_OVER12          1022
#define IDC_BTN_HOME              1023
#define IDC_EDIT_PARENT_MAIL      1023
#define IDC_CHECK_AUTOADD         1027

// Menu commands.
#define ID_PLAY_PAUSE    32771
#define ID_PLAY_STOP     32773
#define ID_SIZE_NATIVE   32774
#define ID_SIZE_DOUBLE   32775
#define ID_SIZE_FIT      32776
#define ID_FULLSCREEN    32777
#define ID_VIEW_COMPACT  32778
#define ID_VIEW_SIMPLEST 32779
#define ID_VIEW_ALL      32780
#define ID_TRAY_SHOW     32800
#define ID_TRAY_EXIT     32802
#define ID_HELP_ONLINE   32804
#define ID_HELP_FEEDBACK 32806
#define ID_HELP_ABOUT    32808
#define ID_FILE_OPEN     32810
#define ID_FILE_CLOSE    32812
#define ID_FILE_EXIT     32814
#define ID_LIST_ADD      32816
#define ID_ITEM_PLAY     32818
#define ID_ITEM_DELETE   32820
#define ID_ITEM_UP       32823
#define ID_ITEM_DOWN     32824
#define ID_OPEN_FOLDER   32826
