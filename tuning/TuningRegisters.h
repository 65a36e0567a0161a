#pragma once
// The drive registers of JOG, auto gain, off-line self-tuning and the linear-motor set-up, in
// one place for the program and the virtual drive. A register is named as the drive names it:
// page character and address (536 is page '5', address 0x36).

#include "link/Protocol.h"

namespace zavo::tuning {

using protocol::RegisterRef;

// ---- JOG -----------------------------------------------------------------------------------
inline constexpr RegisterRef kJogSpeed{'5', 0x36};        // Sn201's live register: +CW, -CCW, 0 stop
inline constexpr RegisterRef kJogSpeedSetting{'6', 0x0B};
inline constexpr RegisterRef kJogMode{'6', 0x19};         // 1 in JOG mode, 0 out
inline constexpr int kJogModeOn = 1;
inline constexpr int kJogModeOff = 0;
inline constexpr RegisterRef kSpeedMonitor{'6', 0xE4};    // Un-01
inline constexpr int kServoOnBit = 0x0001;                // of protocol::kServoOnRegister

// ---- Auto gain -----------------------------------------------------------------------------
inline constexpr RegisterRef kControlWord{'5', 0x1D};     // bits 8-11: the auto-gain mode
inline constexpr int kAutoGainModeMask = 0x0F00;
inline constexpr int kAutoGainModeOffline = 0x0100;
inline constexpr RegisterRef kProgress{'8', 0x44};        // 0-100 while an adjustment runs
inline constexpr RegisterRef kTotalInertia{'C', 0xF8};    // 0.01 kg·cm²
inline constexpr int kAdjustStart = 1;
inline constexpr int kAdjustIdle = 0;
inline constexpr int kProgressDone = 100;

// The profile and mode registers differ between the families.
struct AutoGainRegisters {
  RegisterRef maxSpeed;       // rpm
  RegisterRef acceleration;   // rpm/s
  RegisterRef constantTime;   // 0.1 ms
  RegisterRef mode;           // start flag of the off-line adjustment
};
inline constexpr AutoGainRegisters kAutoGainM7{{'C', 0x36}, {'C', 0x35}, {'C', 0x34}, {'C', 0x3E}};
inline constexpr AutoGainRegisters kAutoGainOlder{{'5', 0xD4}, {'5', 0xD3}, {'5', 0xD2}, {'5', 0xDC}};
constexpr const AutoGainRegisters& autoGainRegisters(int driveType) {
  return driveType >= protocol::kFirstM7DriveType ? kAutoGainM7 : kAutoGainOlder;
}

// The results of the adjustment with loop gains (and the working registers of the gains).
inline constexpr RegisterRef kInertiaRatio{'5', 0xFB};    // Cn025, 0.1 units
inline constexpr RegisterRef kSpeedGain{'5', 0x30};       // Sn211, Hz
inline constexpr RegisterRef kSpeedIntegral{'5', 0x31};   // Sn212, 0.2 ms
inline constexpr RegisterRef kPositionGain{'5', 0x5A};    // Pn310, 1/s
inline constexpr RegisterRef kCurrentPeriod{'C', 0x9B};   // current-loop period, 10 µs
inline constexpr RegisterRef kCurrentGain{'C', 0x9C};     // ACRKp, 1/16384
inline constexpr RegisterRef kCurrentIntegral{'C', 0x9D}; // ACRKiT, 10 µs
inline constexpr int kCurrentGainScale = 16384;
inline constexpr int kCurrentKiScale = 131072;

// ---- Off-line self-tuning ------------------------------------------------------------------
inline constexpr RegisterRef kTuneMode{'B', 0x55};        // 0 idle / stop, 1 motor, 2 mechanical
inline constexpr RegisterRef kTuneSelector{'B', 0x58};
inline constexpr RegisterRef kTuneState{'8', 0x49};       // 16: finished
inline constexpr RegisterRef kTuneAdopt{'9', 0x64};       // 1 adopt, 2 discard
inline constexpr int kTuneIdle = 0;
inline constexpr int kTuneMotor = 1;
inline constexpr int kTuneMechanical = 2;
inline constexpr int kTuneFinished = 16;
inline constexpr int kAdoptNew = 1;
inline constexpr int kDiscardNew = 2;
// tn08 .. tn21 live at page 'B', 0x54 + NN.
inline constexpr int kTuningPage = 'B';
inline constexpr int kTuningAddressBase = 0x54;
constexpr RegisterRef tuningRegister(int tn) { return {kTuningPage, kTuningAddressBase + tn}; }

// Motor identification results.
inline constexpr RegisterRef kBackEmf{'C', 0x97};         // Ke, 0.1 mV/rpm
inline constexpr RegisterRef kInductanceD{'C', 0x98};     // Lsd, 0.01 mH
inline constexpr RegisterRef kInductanceQ{'C', 0x99};     // Lsq, 0.01 mH
inline constexpr RegisterRef kResistance{'C', 0x9E};      // Rs, mΩ
inline constexpr RegisterRef kDeadTimeFirst{'C', 0xB3};   // CB3 .. CBD, mV
inline constexpr int kDeadTimeCount = 11;
inline constexpr RegisterRef kViscous{'C', 0xA3};         // 0.01 % rated torque per 1000 rpm
inline constexpr RegisterRef kFrictionFirst{'C', 0xA4};   // CA4 .. CAB, 0.1 % rated torque
inline constexpr int kFrictionCount = 8;

// Mechanical tuning: current values and the drive's proposals.
inline constexpr RegisterRef kGainSwitchKp{'C', 0xFD};    // ACRKpGain1, %
inline constexpr RegisterRef kGainSwitchKi{'D', 0x16};    // ACRKiGain1, %
inline constexpr RegisterRef kCurrentPhaseLag{'B', 0x25}; // signed
inline constexpr RegisterRef kResonance{'8', 0x53};       // Un-54, Hz
inline constexpr RegisterRef kResonance2{'8', 0x55};      // Un-80
inline constexpr RegisterRef kResonance3{'8', 0x56};      // Un-81
inline constexpr RegisterRef kProposedCurrentGain{'9', 0x65};
inline constexpr RegisterRef kProposedInertiaRatio{'9', 0x68};
inline constexpr RegisterRef kProposedSpeedGain{'9', 0x69};
inline constexpr RegisterRef kProposedSpeedIntegral{'9', 0x6A};
inline constexpr RegisterRef kProposedPositionGain{'9', 0x6B};
inline constexpr RegisterRef kProposedGainSwitchKp{'9', 0x6C};
inline constexpr RegisterRef kProposedGainSwitchKi{'9', 0x6D};

// ---- Linear motor: pole alignment ----------------------------------------------------------
inline constexpr RegisterRef kPoleAlignOn{'6', 0x68};     // OnF39
inline constexpr RegisterRef kPoleAlignCurrent{'D', 0xBD};// OnF44, n/8192 of rated current
inline constexpr RegisterRef kPoleAlignStatus{'6', 0x6B};
inline constexpr int kPoleAlignCurrentUnit = 8192;
inline constexpr int kPoleIdle = 0;
inline constexpr int kPoleTuning = 1;
inline constexpr int kPoleOk = 2;
inline constexpr int kPoleAlarm = 3;

}  // namespace zavo::tuning
