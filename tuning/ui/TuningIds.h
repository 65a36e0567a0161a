#pragma once
// Dialog resources, control ids and window timers of the tuning windows.

namespace zavo::tuning {

// ---- Dialog resources ----------------------------------------------------------------------
inline constexpr int kJogDialog = 141;
inline constexpr int kAutoGainChoiceDialog = 142;
inline constexpr int kOfflineGainDialog = 144;
inline constexpr int kOnlineGainDialog = 6010;
inline constexpr int kLoopGainSetDialog = 1249;
inline constexpr int kLoopGainEndDialog = 1250;
inline constexpr int kLoopGainStartDialog = 1251;
inline constexpr int kMotorTuningDialog = 6004;
inline constexpr int kMotorTuningReducedDialog = 6012;
inline constexpr int kMechanicalTuningDialog = 6005;
inline constexpr int kTuningSetDialog = 6006;
inline constexpr int kTuningCompareDialog = 6015;
inline constexpr int kSelfBuiltMotorDialog = 6011;
inline constexpr int kPoleAlignmentDialog = 6013;

// ---- JOG (141) -------------------------------------------------------------------------------
inline constexpr int kJogSpeedEdit = 1044;
inline constexpr int kJogCwButton = 1001;
inline constexpr int kJogCcwButton = 1002;
inline constexpr int kJogStopButton = 1003;
inline constexpr int kJogSpeedDigits = 4;

// ---- Auto gain (142, 144, 6010, 1249-1251) ---------------------------------------------------
inline constexpr int kChoiceDisable = 1034;
inline constexpr int kChoiceOffline = 1035;
inline constexpr int kChoiceOnline = 1036;
inline constexpr int kChoiceLoopGains = 1037;
// Dialog 144: current value, set value, Write of each item.
inline constexpr int kSpeedCurrent = 1044, kSpeedSet = 1045, kSpeedWrite = 1001;
inline constexpr int kAccelCurrent = 1046, kAccelSet = 1047, kAccelWrite = 1002;
inline constexpr int kTimeCurrent = 1048, kTimeSet = 1049, kTimeWrite = 1003;
inline constexpr int kSpeedHint = 1061;
inline constexpr int kRunWarning = 1062;
inline constexpr int kInertiaShown = 6027;
inline constexpr int kBlinkTimer = 1118;
inline constexpr int kInertiaTimer = 1119;
inline constexpr int kBlinkMs = 400;
// Dialog 6010.
inline constexpr int kDigitWrite[3] = {6047, 6048, 6049};
inline constexpr int kDigitCombo[3] = {6050, 6051, 6052};
inline constexpr int kOnlineSpeedIntegral = 6056, kOnlineSpeedGain = 6057, kOnlinePositionGain = 6058;
inline constexpr int kOnlineTimer = 1;
inline constexpr int kOnlineMs = 1000;
// Dialog 1249: items 1-5 (tn08-tn12): current 1071+, set 1081+, Write 1091+.
inline constexpr int kLoopCurrentFirst = 1071, kLoopSetFirst = 1081, kLoopWriteFirst = 1091;
// Dialog 1251.
inline constexpr int kStartValueFirst = 1201;  // six results
inline constexpr int kStartProgress = 1208;
inline constexpr int kStartNext = 1209;
inline constexpr int kStartTimer = 1116;
inline constexpr int kStartMs = 500;
// Dialog 1250: a check box per result.
inline constexpr int kKeepFirst = 1217;

// ---- Self-tuning (6004/6012, 6005, 6006, 6015) -------------------------------------------
inline constexpr int kFieldFirst = 1301;     // a field's value, then its proposal at +50
inline constexpr int kProposalOffset = 50;
inline constexpr int kSetCurrentFirst = 1401;  // dialog 6006: current value per field
inline constexpr int kSetEditFirst = 1421;     // set value per field
inline constexpr int kSetRangeFirst = 1441;    // "(min-max)"
inline constexpr int kStartCwLimit = 1461, kStartMiddle = 1462, kStartCcwLimit = 1463;
inline constexpr int kCompareBeforeFirst = 1501, kCompareAfterFirst = 1511, kCompareNameFirst = 1521;
inline constexpr int kCompareNfcNote = 1531;

// ---- Linear motor (6011, 6013) ------------------------------------------------------------
inline constexpr int kModelCombo = 1040;
inline constexpr int kDatumEditFirst = 1601;   // the masked edit of each datum
inline constexpr int kDatumShownFirst = 1621;  // the value shown beside it
inline constexpr int kMotorWrite = 1003;
inline constexpr int kOpenReducedTuning = 1001;
inline constexpr int kOpenMechanicalTuning = 1002;
inline constexpr int kPoleOnCurrent = 1044, kPoleOnEdit = 1045, kPoleOnWrite = 6047;
inline constexpr int kPoleCurrentNow = 1046, kPoleCurrentEdit = 1047, kPoleCurrentWrite = 6048;
inline constexpr int kPoleStatus = 6027;
inline constexpr int kPoleTimer = 1;
inline constexpr int kPoleMs = 500;

}  // namespace zavo::tuning
