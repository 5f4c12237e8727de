#pragma once
// Control ids of the main window and the picker, shared with the UI driver of
// the end-to-end tests. Numbers are stable: tests and tools depend on them.

namespace fw::ids {

// Main window: start panel and frame.
inline constexpr int kVGAButton = 1001;
inline constexpr int kCPUButton = 1002;
inline constexpr int kSpeedButton1 = 1003;    // Exit
inline constexpr int kSpeedButton2 = 1004;    // Minimize
inline constexpr int kRzShapeButton1 = 1005;  // Check for newer version
inline constexpr int kRzShapeButton3 = 1006;  // Visit our site
inline constexpr int kRzShapeButton4 = 1007;  // Open the help file
inline constexpr int kBenchButton = 1008;
inline constexpr int kMessageLabel = 1009;
inline constexpr int kPanel1 = 1010;  // start panel
inline constexpr int kPageControl = 1011;
inline constexpr int kPanel2 = 1012;  // run progress
inline constexpr int kLabel20 = 1013;
inline constexpr int kLabel21 = 1014;
inline constexpr int kRzURLLabel1 = 1015;

// Group bar items: Benchmark group 0..4, Other group 0, 3, 4 as in the design.
inline constexpr int kRzGroup1Items0 = 1100;
inline constexpr int kRzGroup1Items1 = 1101;
inline constexpr int kRzGroup1Items2 = 1102;
inline constexpr int kRzGroup1Items3 = 1103;
inline constexpr int kRzGroup1Items4 = 1104;  // Debug
inline constexpr int kRzGroup3Items0 = 1110;  // Crysis Tweakguide
inline constexpr int kRzGroup3Items3 = 1113;  // Homepage
inline constexpr int kRzGroup3Items4 = 1114;  // About...

// Path & information page.
inline constexpr int kCrysisPathEdit = 1201;
inline constexpr int kRzToolButton2 = 1202;
inline constexpr int kLabel17 = 1203;
inline constexpr int kLabel11 = 1204;
inline constexpr int kResEdit = 1205;
inline constexpr int kOpenResFolder = 1206;
inline constexpr int kRzToolButton5 = 1207;
inline constexpr int kAutoUpdateBox = 1208;
inline constexpr int kRandomBox = 1209;
inline constexpr int kRzToolButton3 = 1210;

// Resolution & screen page: rows 0..7 of `res` are kResRow0 + position.
inline constexpr int kResGroup = 1300;
inline constexpr int kResRow0 = 1301;
inline constexpr int kCusResBox = 1310;
inline constexpr int kCusWidth = 1311;
inline constexpr int kCusHeight = 1312;
inline constexpr int kCusPossibilities = 1313;
inline constexpr int kMultiGPUBox = 1314;
inline constexpr int kScreenBox = 1315;
inline constexpr int kFrameEdit = 1316;
inline constexpr int kFrameLabel = 1317;
inline constexpr int kQualityGroup = 1320;
inline constexpr int kQualityItem0 = 1321;  // + index 0..3

// Filters & demos, graphics card.
inline constexpr int kAFBox = 1401;
inline constexpr int kAABox = 1402;
inline constexpr int kDemoGroup = 1410;
inline constexpr int kDemoItem0 = 1411;  // + index 0..2
inline constexpr int kDemoEdit = 1415;
inline constexpr int kDemoEditButton = 1416;
inline constexpr int kMapNameBox = 1417;
inline constexpr int kRendererBox = 1418;
inline constexpr int kRunNumberBox = 1419;  // the spin's edit
inline constexpr int kSkipFirstBox = 1420;

// Filters & demos, processor.
inline constexpr int kDemoCPUGroup = 1500;
inline constexpr int kDemoCPUItem0 = 1501;  // + index 0..1
inline constexpr int kRunNumberBoxCPU = 1505;

// Customization.
inline constexpr int kNoteEdit = 1601;
inline constexpr int kUseCustomConfigBox = 1602;
inline constexpr int kConfigEdit = 1603;
inline constexpr int kRzToolButton1 = 1604;
inline constexpr int kBoostBox = 1605;

// Debug.
inline constexpr int kDebugMemo = 1701;
inline constexpr int kButton1 = 1702;  // Save To C
inline constexpr int kButton2 = 1703;  // Chart

// Display mode picker (window title "Display modes").
inline constexpr int kPickerClose = 1801;
inline constexpr int kPickerList = 1802;
inline constexpr int kPickerAdd = 1803;

}  // namespace fw::ids
