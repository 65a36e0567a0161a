#include "tuning/SelfTuningTests.h"

namespace zavo::tuning {
namespace {

constexpr RegisterRef kNone{};
constexpr int kTuningItemSn201 = 0;  // no tn item: the JOG speed register

// ---- Fields ------------------------------------------------------------------------------
constexpr TuningField kAcrKp{"ACRKp", kCurrentGain, kProposedCurrentGain};
constexpr TuningField kAcrKiT{"ACRKiT", kCurrentIntegral};
constexpr TuningField kRsQ{"RsQ", kResistance};
constexpr TuningField kDtTab{"DtTab", kDeadTimeFirst, kNone, kDeadTimeCount};
constexpr TuningField kLsd{"Lsd", kInductanceD};
constexpr TuningField kLsq{"Lsq", kInductanceQ};
constexpr TuningField kKe{"Ke", kBackEmf};
constexpr TuningField kViscousField{"Viscous", kViscous};
constexpr TuningField kNfc{"NFC", kFrictionFirst, kNone, kFrictionCount};
constexpr TuningField kJ{"J", kTotalInertia};
constexpr TuningField kGainKp{"ACRKpGain1,%", kGainSwitchKp, kProposedGainSwitchKp};
constexpr TuningField kGainKi{"ACRKiGain1,%", kGainSwitchKi, kProposedGainSwitchKi};
constexpr TuningField kRatio{"JLMRatio", kInertiaRatio, kProposedInertiaRatio};
constexpr TuningField kAsrKp{"ASRKpBW", kSpeedGain, kProposedSpeedGain};
constexpr TuningField kAsrKi{"ASRKiTm", kSpeedIntegral, kProposedSpeedIntegral};
constexpr TuningField kAprKp{"APRKpBW", kPositionGain, kProposedPositionGain};
constexpr TuningField kUn54{"Un-54", kResonance};
constexpr TuningField kUn80{"Un-80", kResonance2};
constexpr TuningField kUn81{"Un-81", kResonance3};
constexpr TuningField kPhaseLag{"ACRPhsLag", kCurrentPhaseLag, kNone, 1, true};

// ---- Motor identification ---------------------------------------------------------------
constexpr const TuningField* kMotorAll[] = {&kAcrKp, &kAcrKiT, &kRsQ, &kDtTab, &kLsd, &kLsq, &kKe, &kViscousField, &kNfc, &kJ};
constexpr const TuningField* kMotorAcr[] = {&kAcrKp, &kAcrKiT};
constexpr const TuningField* kMotorRs[] = {&kRsQ};
constexpr const TuningField* kMotorDt[] = {&kDtTab};
constexpr const TuningField* kMotorLs[] = {&kLsd, &kLsq};
constexpr const TuningField* kMotorKe[] = {&kKe};
constexpr const TuningField* kMotorNfc[] = {&kViscousField, &kNfc};
constexpr const TuningField* kMotorJ[] = {&kJ};

constexpr SelfTuningTest kMotor[] = {
    {"all", "ACR+Rs+Deadtime+Ls+Ke+NFCm+Jm Tune", kButtonFullSet, 0, kFullSetTimer, {}, kMotorAll},
    {"acr", "ACRTune", kButtonTest1, 1, 1, {}, kMotorAcr},
    {"rs", "RsTune", kButtonTest2, 2, 2, {}, kMotorRs},
    {"deadtime", "DeadtimeTune", kButtonTest3, 3, 3, {}, kMotorDt},
    {"ls", "LsTune", kButtonTest4, 4, 4, {}, kMotorLs},
    {"ke", "KeTune", kButtonTest5, 5, 5, {}, kMotorKe},
    {"nfcm", "NFCmTune", kButtonTest6, 6, 6, {}, kMotorNfc},
    {"jm", "JmTune", kButtonTest7, 7, 7, {}, kMotorJ},
};

// ---- Mechanical tuning --------------------------------------------------------------------
constexpr SetField kWriteAll[] = {kSn201, kTn08, kTn09, kTn12, kTn17, kTn18, kTn19, kTn20};
constexpr SetField kWriteNfc[] = {kSn201, kTn08, kTn09, kTn18};
constexpr SetField kWriteJ[] = {kSn201, kTn08, kTn09, kTn12, kTn18};
constexpr SetField kWriteAcrBw[] = {kSn201, kTn08, kTn09, kTn18, kTn21};
constexpr SetField kWriteAsr[] = {kSn201, kTn08, kTn09, kTn17, kTn18};
constexpr SetField kWriteApr[] = {kSn201, kTn08, kTn09, kTn17, kTn18, kTn19, kTn20};
constexpr SetField kWriteNotch[] = {kSn201, kTn08, kTn09, kTn11, kTn18};

constexpr const TuningField* kShowAll[] = {&kNfc, &kRatio, &kAsrKp, &kAsrKi, &kAprKp};
constexpr const TuningField* kShowNfc[] = {&kNfc};
constexpr const TuningField* kShowJ[] = {&kRatio};
constexpr const TuningField* kShowAcrBw[] = {&kAcrKp, &kPhaseLag};
constexpr const TuningField* kShowAcrGsw[] = {&kGainKp, &kGainKi};
constexpr const TuningField* kShowAsr[] = {&kAsrKp, &kAsrKi};
constexpr const TuningField* kShowApr[] = {&kAsrKp, &kAsrKi, &kAprKp};
constexpr const TuningField* kShowNotch[] = {&kUn54, &kUn80, &kUn81};

constexpr SelfTuningTest kMechanical[] = {
    {"all", "NFC+J+APSRG Tune", kButtonFullSet, 0, kFullSetTimer, kWriteAll, kShowAll},
    {"nfc", "NFCTune", kButtonTest1, 1, 1, kWriteNfc, kShowNfc},
    {"j", "JTune", kButtonTest2, 2, 2, kWriteJ, kShowJ},
    {"acrbw", "ACRBWTune", kButtonTest3, 3, 3, kWriteAcrBw, kShowAcrBw},
    {"acrgsw", "ACRGSWTune", kButtonTest4, 4, 4, kWriteNfc, kShowAcrGsw},
    {"asr", "ASRGTune", kButtonTest5, 5, 5, kWriteAsr, kShowAsr},
    {"apr", "APRGTune", kButtonTest6, 6, 6, kWriteApr, kShowApr},
    {"notch", "NotchTune", kButtonTest7, 7, 7, kWriteNotch, kShowNotch},
};

constexpr const TuningField* kMechanicalFields[] = {&kNfc,  &kGainKp, &kGainKi, &kRatio, &kAsrKp,   &kAsrKi,
                                                    &kAprKp, &kUn54,  &kUn80,   &kUn81,  &kAcrKp, &kPhaseLag};

constexpr std::string_view kSetCodes[kSetFieldCount] = {"Sn201", "tn08", "tn09", "tn11", "tn12",
                                                         "tn17",  "tn18", "tn19", "tn20", "tn21"};
constexpr int kSetTn[kSetFieldCount] = {kTuningItemSn201, 8, 9, 11, 12, 17, 18, 19, 20, 21};

}  // namespace

std::string_view setFieldCode(SetField f) { return kSetCodes[f]; }

RegisterRef setFieldRegister(SetField f) { return f == kSn201 ? kJogSpeed : tuningRegister(kSetTn[f]); }

std::span<const SelfTuningTest> motorTests() { return kMotor; }
std::span<const SelfTuningTest> mechanicalTests() { return kMechanical; }
std::span<const TuningField* const> mechanicalFields() { return kMechanicalFields; }
std::span<const TuningField* const> motorFields() { return kMotorAll; }

const SelfTuningTest* findTest(std::span<const SelfTuningTest> tests, std::string_view name) {
  for (const SelfTuningTest& t : tests)
    if (t.name == name) return &t;
  return nullptr;
}

const SelfTuningTest* testOfButton(std::span<const SelfTuningTest> tests, int button) {
  for (const SelfTuningTest& t : tests)
    if (t.button == button) return &t;
  return nullptr;
}

}  // namespace zavo::tuning
