// Resource and control ids. Ids only: shared by the .rc scripts and the code.
#pragma once

// Strings
#define IDS_CREDIT_LINE      106
#define IDS_NOTICE           107
#define IDS_PRODUCT_NAME     117
#define IDS_VERSION          118
#define IDS_CLASS_NAME       119

// Icon, bitmaps
#define IDI_TARNWICK         199
#define IDB_PRODUCT_PICTURE  135
#define IDB_FONT_PREVIEW     131  // named by the font chooser's preview area; deliberately not a resource

// Dialog templates
#define IDD_SETTINGS         154
#define IDD_FONT_CHOOSER     130
#define IDD_ABOUT            133
#define IDD_WORLD_CLOCKS     160

// Settings dialog controls
#define IDC_MARKER_SWATCH    1043
#define IDC_SECONDS_OFF      1023
#define IDC_SECONDS_NORMAL   1024
#define IDC_SECONDS_FULLBACK 1025
#define IDC_LOGO_OFF         1033
#define IDC_LOGO_DATE        1034
#define IDC_LOGO_TEXT        1035
#define IDC_LOGO_EDIT        1013
#define IDC_SELECT_FONT      4
#define IDC_SET_DEFAULT      8
#define IDC_ABOUT            7
#define IDC_HOME_PAGE        10
#define IDC_FONT_NAME        1005
#define IDC_FACE             1061
#define IDC_NIGHT_STARTS     1062
#define IDC_NIGHT_ENDS       1063
#define IDC_MONITORS         1064
#define IDC_DRIFT            1065
#define IDC_CLOCK_SIZE       1066
#define IDC_CLOCK_SIZE_TEXT  1067
#define IDC_PLACE            1068
#define IDC_NUMERALS         1069
#define IDC_FACE_SWATCH      1070
#define IDC_NUMERALS_SWATCH  1071
#define IDC_HANDS_SWATCH     1072
#define IDC_GROUND_SWATCH    1073
#define IDC_GLIDE            1074
#define IDC_WORLD_CLOCKS     1075

// World clocks controls: row N's zone list is IDC_WORLD_ZONE_1 + N - 1, its caption edit
// IDC_WORLD_LABEL_1 + N - 1.
#define IDC_WORLD_ZONE_1     1101
#define IDC_WORLD_ZONE_2     1102
#define IDC_WORLD_ZONE_3     1103
#define IDC_WORLD_ZONE_4     1104
#define IDC_WORLD_LABEL_1    1111
#define IDC_WORLD_LABEL_2    1112
#define IDC_WORLD_LABEL_3    1113
#define IDC_WORLD_LABEL_4    1114

// Font chooser controls
#define IDC_FONT_LIST        1006
#define IDC_FONT_PREVIEW     1008

// About box controls
#define IDC_ABOUT_TITLE      1009
#define IDC_ABOUT_CREDIT     1010
#define IDC_ABOUT_NOTICE     1011
#define IDC_ABOUT_PICTURE    1014
