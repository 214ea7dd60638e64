// Dialog and control ids of the program's forms. Each control keeps the name
// it has in the program (IDC_ + name).
#pragma once

#define IDD_FRMMAIN 200
#define IDD_FRMALLGEMEIN 201
#define IDD_FRMFENSTERLISTE 202
#define IDD_FRMOPTIONS 203
#define IDD_FRMINFO 204
#define IDD_FRMLANGUAGE 205

// frmMain
#define IDC_tbsMain 1001
#define IDC_cmdOK 1   // IDOK: Enter
#define IDC_cmdCancel 2  // IDCANCEL: Esc
#define IDC_cmdHelp 1002

// frmAllgemein
#define IDC_frIdent 1101
#define IDC_lblSubstring 1102
#define IDC_edParent 1103
#define IDC_lblMandantLabel 1104
#define IDC_lblMandantName 1105
#define IDC_frOptions 1106
#define IDC_chkAlarm 1107
#define IDC_lblIntervall 1108
#define IDC_edIntervall 1109
#define IDC_lblIntervall2 1110
#define IDC_frLog 1111
#define IDC_chkLogging 1112
#define IDC_edLogFilename 1113
#define IDC_cmdLogBrowse 1114
#define IDC_lblLogView 1115
#define IDC_cmdLogView 1116
#define IDC_frPos 1117
#define IDC_chkGlueObjDes 1118
#define IDC_chkGlueProperties 1119
#define IDC_chkGlueHauptmenu 1120
#define IDC_chkGlueFensterliste 1121
#define IDC_chkGlueToolbox 1122
#define IDC_chkGlueFieldMenu 1123

// frmFensterliste
#define IDC_frCol 1201
#define IDC_lblPreview1 1202
#define IDC_lblPreview2 1203
#define IDC_lblPreview3 1204
#define IDC_cmdColorNormal 1205
#define IDC_cmdColorAlarm 1206
#define IDC_frZeichensatz 1207
#define IDC_lblFont 1208
#define IDC_cbFont 1209
#define IDC_chkDynamicFonts 1210
#define IDC_edDyn1 1211
#define IDC_lbl5 1212
#define IDC_edDyn2 1213
#define IDC_lbl6 1214
#define IDC_frAnzeige 1215
#define IDC_chkShowParents 1216
#define IDC_lblParents 1217
#define IDC_chkShowClients 1218
#define IDC_lblClients 1219
#define IDC_chkShortNames 1220

// frmOptions
#define IDC_frFormDesigner 1301
#define IDC_lblFormDesigner 1302
#define IDC_optFormDesigner 1303
#define IDC_optFormularDesigner 1304

// frmInfo
#define IDC_frProductInfo 1401
#define IDC_img1 1402
#define IDC_lblAppName 1403
#define IDC_lblProductName 1404
#define IDC_lblVersion 1405
#define IDC_lblCopyright 1406
#define IDC_lbl1 1407
#define IDC_edEMail 1408
#define IDC_edWWW 1409
#define IDC_lblInfoHeadline 1410
#define IDC_lblInformation 1411

// frmLanguage
#define IDC_lbl2 1501
#define IDC_lbl3 1502
#define IDC_cmdLangEng 1503
#define IDC_cmdLangGer 1504
