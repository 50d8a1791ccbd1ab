#pragma once

// Numbers of every resource of the program: dialogs, menus, controls,
// commands, icons, bitmaps and strings. Windows, menus and string look-ups
// address everything by these numbers.
//
// Naming: kDlg dialog templates, kMenu menus, kCtl controls, kCmd commands,
// kIcon icons, kBmp bitmaps, kStr strings. kIdOk, kIdCancel and kIdValidate
// are both control IDs and commands.

namespace vellanor::res {

// A control of a template that has no ID of its own (static texts, frames).
inline constexpr int kNoId = -1;

// Standard commands.
inline constexpr int kIdOk = 1;          // Enter when a dialog has no default button
inline constexpr int kIdCancel = 2;      // Escape and the close box
inline constexpr int kIdValidate = 3;    // "Valider" of the grade-entry window
inline constexpr int kSysCmdAbout = 16;  // about entry added to the system menu

// Dialog templates.
inline constexpr int kDlgAbout = 100;
inline constexpr int kDlgMain = 102;
inline constexpr int kDlgNewClass = 141;
inline constexpr int kDlgNewStudent = 150;
inline constexpr int kDlgDelete = 152;
inline constexpr int kDlgModifyInfo = 159;
inline constexpr int kDlgGradeEntry = 164;
inline constexpr int kDlgCalendar = 161;
inline constexpr int kDlgReports = 163;
inline constexpr int kDlgImportExport = 192;
inline constexpr int kDlgStatistics = 200;

// Menus.
inline constexpr int kMenuMain = 139;
inline constexpr int kMenuGradeEntry = 170;
inline constexpr int kMenuTree = 182;  // popup 0 is the tree's context menu

// Main window (102).
inline constexpr int kCtlTree = 1001;
inline constexpr int kCtlInfoPanel = 1043;
inline constexpr int kCtlChartGroup = 1126;
inline constexpr int kCtlChartFrame = 1054;
inline constexpr int kCtlChartTrimester1 = 1055;
inline constexpr int kCtlChartTrimester2 = 1056;
inline constexpr int kCtlChartTrimester3 = 1057;
inline constexpr int kCtlChartComparison = 1076;

// New class (141).
inline constexpr int kCtlClassName = 1002;
inline constexpr int kCtlClassInfo = 1003;
inline constexpr int kCtlClassFirstYear = 1006;
inline constexpr int kCtlClassSecondYear = 1007;

// New student (150).
inline constexpr int kCtlStudentPicture = 1019;
inline constexpr int kCtlStudentClass = 1010;
inline constexpr int kCtlStudentName = 1011;
inline constexpr int kCtlStudentFirstName = 1012;
inline constexpr int kCtlStudentSex = 1013;
inline constexpr int kCtlStudentBirthDate = 1014;
inline constexpr int kCtlStudentBirthPlace = 1015;
inline constexpr int kCtlStudentInfo = 1016;

// Delete (152).
inline constexpr int kCtlDeletePicture = 1078;
inline constexpr int kCtlDeleteClassRadio = 1021;
inline constexpr int kCtlDeleteStudentRadio = 1022;
inline constexpr int kCtlDeleteClassList = 1023;
inline constexpr int kCtlDeleteStudentList = 1024;

// Modify information (159).
inline constexpr int kCtlModifyQuit = 1135;
inline constexpr int kCtlModifyEnter = 1134;   // hidden default button
inline constexpr int kCtlModifyEditor = 1041;  // hidden; the in-place editor takes this ID
inline constexpr int kCtlModifyClassRadio = 1029;
inline constexpr int kCtlModifyStudentRadio = 1030;
inline constexpr int kCtlModifyClassList = 1034;
inline constexpr int kCtlModifyStudentList = 1035;
inline constexpr int kCtlModifyLines = 1036;

// Grade entry (164).
inline constexpr int kCtlGradeEnter = 1083;   // hidden default button
inline constexpr int kCtlGradeEditor = 1109;  // hidden; the in-place editor takes this ID
inline constexpr int kCtlGradeClassList = 1096;
inline constexpr int kCtlGradeStudentList = 1097;
inline constexpr int kCtlViewClass = 1099;
inline constexpr int kCtlViewStudent = 1102;
inline constexpr int kCtlViewAllStudents = 1101;
inline constexpr int kCtlTrimester1 = 1128;
inline constexpr int kCtlTrimester2 = 1129;
inline constexpr int kCtlTrimester3 = 1130;
inline constexpr int kCtlWritten = 1131;
inline constexpr int kCtlOral = 1132;
inline constexpr int kCtlCoefficient = 1138;
inline constexpr int kCtlGradeInfo = 1139;
inline constexpr int kCtlGradeGrid = 1084;

// About box (100).
inline constexpr int kCtlAboutIcon = 1000;
inline constexpr int kCtlAboutLink = 1133;

// Calendar (161).
inline constexpr int kCtlCalendar = 1058;

// Reports (163).
inline constexpr int kCtlReportTemplate = 1066;
inline constexpr int kCtlReportChooseTemplate = 1067;
inline constexpr int kCtlReportCharts = 1112;
inline constexpr int kCtlReportSave = 1117;
inline constexpr int kCtlReportDirectory = 1114;
inline constexpr int kCtlReportChooseDirectory = 1115;
inline constexpr int kCtlReportPrint = 1118;
inline constexpr int kCtlReportProduce = 1075;
inline constexpr int kCtlReportClassMode = 1073;
inline constexpr int kCtlReportStudentMode = 1074;
inline constexpr int kCtlReportClassList = 1072;
inline constexpr int kCtlReportStudentList = 1071;
inline constexpr int kCtlReportFormatRtf = 1160;
inline constexpr int kCtlReportFormatPdf = 1161;
inline constexpr int kCtlReportSingleDocument = 1162;

// Import/export (192). The execute button is kIdOk, "Quitter" kIdCancel.
inline constexpr int kCtlExchangeExport = 1151;
inline constexpr int kCtlExchangeImport = 1152;
inline constexpr int kCtlExchangeExcelFormat = 1150;  // disabled, shown checked
inline constexpr int kCtlExchangeNotesOnly = 1153;    // disabled, shown checked
inline constexpr int kCtlExchangeDocument = 1142;
inline constexpr int kCtlExchangeChooseDocument = 1141;
inline constexpr int kCtlExchangeOneClass = 1146;
inline constexpr int kCtlExchangeOneStudent = 1147;
inline constexpr int kCtlExchangeClassList = 1148;
inline constexpr int kCtlExchangeStudentList = 1149;

// Statistics (200). "Quitter" is kIdCancel.
inline constexpr int kCtlStatsClassList = 1160;
inline constexpr int kCtlStatsTrimester1 = 1161;
inline constexpr int kCtlStatsTrimester2 = 1162;
inline constexpr int kCtlStatsTrimester3 = 1163;
inline constexpr int kCtlStatsWritten = 1164;
inline constexpr int kCtlStatsOral = 1165;
inline constexpr int kCtlStatsTable = 1166;
inline constexpr int kCtlStatsHistogram = 1167;

// Main menu commands (menu 139).
inline constexpr int kCmdHelp = 32773;
inline constexpr int kCmdAbout = 32774;
inline constexpr int kCmdNewClass = 32775;
inline constexpr int kCmdNewStudent = 32776;
inline constexpr int kCmdDelete = 32777;
inline constexpr int kCmdModifyInfo = 32779;
inline constexpr int kCmdReport = 32780;
inline constexpr int kCmdCalendar = 32783;
inline constexpr int kCmdCalculator = 32785;
inline constexpr int kCmdGrading = 32797;
inline constexpr int kCmdImportExport = 32819;
inline constexpr int kCmdStatistics = 32821;

// Tree context menu commands (menu 182).
inline constexpr int kCmdTreeDuplicateClass = 32812;
inline constexpr int kCmdTreeDelete = 32813;
inline constexpr int kCmdTreeModifyInfo = 32815;
inline constexpr int kCmdTreeNewClass = 32816;
inline constexpr int kCmdTreeNewStudent = 32817;
inline constexpr int kCmdTreeDuplicateStudent = 32818;

// Grade-entry commands (menu 170, and two that no menu item carries).
inline constexpr int kCmdNewGrade = 32791;
inline constexpr int kCmdDeleteGrades = 32792;
inline constexpr int kCmdModifyGrades = 32793;
inline constexpr int kCmdSaveGrades = 32794;
inline constexpr int kCmdQuitWithoutSaving = 32795;
inline constexpr int kCmdCompareStudents = 32820;

// Icons.
inline constexpr int kIconApp = 135;    // the grade book
inline constexpr int kIconClass = 136;  // a class in the tree, new-class decoration
inline constexpr int kIconGirl = 137;
inline constexpr int kIconBoy = 138;
inline constexpr int kIconGroup = 140;     // in the tree's image list, not shown by it
inline constexpr int kIconVellanor = 149;  // the tree's root, the about box
inline constexpr int kIconDelete = 155;
inline constexpr int kIconModify = 158;
inline constexpr int kIconGrading = 169;
inline constexpr int kIconValidate = 183;
inline constexpr int kIconCancel = 185;  // "Annuler" and "Retour"
inline constexpr int kIconFolder = 188;  // choosing a file or a folder
inline constexpr int kIconQuit = 189;
inline constexpr int kIconProduce = 190;
inline constexpr int kIconDocument = 191;
inline constexpr int kIconExchange = 193;  // import/export decoration
inline constexpr int kIconExecute = 194;

// Bitmaps.
inline constexpr int kBmpSplash = 196;  // 400 x 300

// Strings.
inline constexpr int kStrAboutBox = 101;

}  // namespace vellanor::res
