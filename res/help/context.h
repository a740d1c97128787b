/* Context numbers of the help topics. The programmers pass a menu command's
   id, or the control id of the focused field, as the context number; the
   [ALIAS] sections of enHelp.hhp and chHelp.hhp give each one its topic.
   The HTML Help compiler maps one context number to each topic file, so
   every number has a file of its own. */

/* Menu commands */
#define IDH_FILE_NEW            57600
#define IDH_FILE_OPEN           57601
#define IDH_FILE_CLOSE          57602
#define IDH_FILE_SAVE           57603
#define IDH_FILE_SAVE_AS        57604
#define IDH_FILE_PRINT_SETUP    57606
#define IDH_FILE_PRINT          57607
#define IDH_FILE_PRINT_PREVIEW  57609
#define IDH_APP_ABOUT           57664
#define IDH_APP_EXIT            57665
#define IDH_HELP                57670
#define IDH_VIEW_TOOLBAR        59392
#define IDH_VIEW_STATUS_BAR     59393
#define IDH_READ                32773
#define IDH_WRITE               32774
#define IDH_COM_SETUP           32777
#define IDH_CONTROL_BAR         32780
#define IDH_SCAN_INFO           32782
#define IDH_PRODUCT_INFO        32786
#define IDH_CHANNEL_INFO        32787
#define IDH_OPTIONAL_FEATURES   32788
#define IDH_LANGUAGE            32799
#define IDH_FILE_EXPORT_PDF     32800
#define IDH_COPY_CHANNELS_FROM  32801
#define IDH_WRITE_SEVERAL       32802

/* Channel table: the grid and its cell editors */
#define IDH_GRID                1000
#define IDH_RX_FREQUENCY        2127
#define IDH_TX_FREQUENCY        2128
#define IDH_DECODE_TONE         2132
#define IDH_ENCODE_TONE         2133
#define IDH_SCAN_ADD            1134
#define IDH_BUSY_LOCK           1139

/* Product Information dialog (OK and Cancel of the other dialogs too) */
#define IDH_OK                  1
#define IDH_CANCEL              2
#define IDH_PRODUCT_TYPE        1013
#define IDH_PRODUCT_BAND        1014

/* Optional Features dialog; 1126 to 1129 are also cell editors of the
   channel table, so their topics explain both. */
#define IDH_BATTERY_SAVER_BOX   1005
#define IDH_BEEP                1016
#define IDH_SQUELCH_LEVEL       1116
#define IDH_1117                1117
#define IDH_TIME_OUT_TIMER      1118
#define IDH_LED                 1119
#define IDH_BATTERY_SAVER       1120
#define IDH_1121                1121
#define IDH_VOX_GAIN_LEVEL      1122
#define IDH_1123                1123
#define IDH_CHANNEL_DISPLAY     1124
#define IDH_PRI_SCANNING_TIME   1125
#define IDH_1126                1126
#define IDH_1127                1127
#define IDH_1128                1128
#define IDH_1129                1129
#define IDH_1130                1130
