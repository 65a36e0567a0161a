#pragma once
// Menu command ids. Those of the view double as the string ids of their menu texts; the
// framework's own commands (file, window, help) keep the framework's usual numbers.

namespace zavo::cmd {

// Commands of the parameter view.
inline constexpr int kPortSet = 32771;
inline constexpr int kEditParameter = 32772;
inline constexpr int kCopyToDevice = 32773;
inline constexpr int kCopyToComputer = 32774;
inline constexpr int kMotorSelfTuning = 32775;
inline constexpr int kConnect = 32776;
inline constexpr int kDisconnect = 32777;
inline constexpr int kOnlineParameter = 32778;
inline constexpr int kDiDoPlanning = 32779;
inline constexpr int kPositionProgramming = 32780;
inline constexpr int kMechanicalAnalysis = 32781;
inline constexpr int kDisplayValues = 32782;
inline constexpr int kDiagnostics = 32783;
inline constexpr int kAlarmHistory = 32784;
inline constexpr int kWaveTrace = 32785;
inline constexpr int kJog = 32786;
inline constexpr int kAutoGain = 32787;
inline constexpr int kAutoOffset = 32788;
inline constexpr int kMechanicalSelfTuning = 32790;
inline constexpr int kInertiaEstimation = 32791;
inline constexpr int kGantrySync = 32792;
inline constexpr int kFullClosedLoop = 32793;
inline constexpr int kLinearMotor1 = 32794;
inline constexpr int kLinearMotor2 = 32795;
inline constexpr int kOnlineNotch = 32796;
inline constexpr int kVibrationSuppression = 32797;
inline constexpr int kInstallInstructions = 32798;
inline constexpr int kFlyingShear = 32804;
inline constexpr int kChaseShear = 32805;

// The framework's commands.
inline constexpr int kFileNew = 57600;
inline constexpr int kFileOpen = 57601;
inline constexpr int kFileSave = 57603;
inline constexpr int kFileSaveAs = 57604;
inline constexpr int kPrintSetup = 57606;
inline constexpr int kPrint = 57607;
inline constexpr int kPrintPreview = 57609;
inline constexpr int kRecentFileFirst = 57616;  // four in a row
inline constexpr int kRecentFileCount = 4;
inline constexpr int kWindowCascade = 57650;
inline constexpr int kWindowTile = 57651;
inline constexpr int kAppAbout = 57664;
inline constexpr int kAppExit = 57665;
inline constexpr int kHelpContent = 57666;
inline constexpr int kViewToolBar = 59392;
inline constexpr int kViewStatusBar = 59393;

}  // namespace zavo::cmd
