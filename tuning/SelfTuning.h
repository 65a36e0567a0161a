#pragma once
// Off-line self-tuning with the drive: starting a test (with the parameters a mechanical test
// takes), watching for its end, reading what it found, and deciding on the gains it proposes.
// Failures are told as the drive's operator knows them ("Write B55 0 failed!", "tn18 write
// error!", "Write 0x964 1 failed!").

#include <array>
#include <cstdint>
#include <vector>

#include "link/DriveOperations.h"
#include "params/document/ZavoServoDoc.h"
#include "tuning/SelfTuningTests.h"

namespace zavo::tuning {

// The profile of SelfTuningSetDialog: Sn201 in rpm, tn08 .. tn21 as they stand.
using SetValues = std::array<int, kSetFieldCount>;

// The values as the dialog opens: from the drive when connected (Sn201 read from 536 and
// shown in rpm), else from the document.
bool readSetValues(DriveOperations& ops, SetValues& v);
SetValues documentSetValues(const CZavoServoDoc& doc);
// The catalogue's minimum and maximum of a field.
struct Limits {
  int min = 0, max = 0;
};
Limits setFieldLimits(SetField f);
// The first field out of its limits in the order checked (tn18, a choice, never is), or -1.
int firstOutOfRange(const SetValues& v);
// Sn201, tn08, tn09, tn11, tn12, tn17 and tn18 into the document's images.
void storeSetValues(CZavoServoDoc& doc, const SetValues& v);

// B55 = 0, the test's parameters, B58 = selector, B55 = 2. False (after telling why) when any
// write failed; the drive runs the test when true.
bool startMechanical(DriveOperations& ops, const SelfTuningTest& test, const SetValues& v);
// B55 = 0, B58 = selector, B55 = 1.
bool startMotor(DriveOperations& ops, const SelfTuningTest& test);
// 849 read 16.
bool finished(DriveOperations& ops);
// B55 = 0 ("Stop", and after a test).
bool stopTuning(DriveOperations& ops);
// 964 = 1 (adopt) or 2 (discard).
bool decide(DriveOperations& ops, bool adopt);

// A field's value(s); false when a read failed (the values read so far are kept).
bool readField(DriveOperations& ops, const TuningField& f, std::vector<int>& values);
bool readProposal(DriveOperations& ops, const TuningField& f, int& value);

}  // namespace zavo::tuning
