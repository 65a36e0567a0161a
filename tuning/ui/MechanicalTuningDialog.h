#pragma once
// Off-line mechanical self-tuning (dialog 6005): each test asks for its profile first (dialog
// 6006), writes it and starts; a test that proposes gains shows them against the drive's own
// for the operator to adopt or not. Every value is refreshed every 500 ms (timer 100).

#include <functional>

#include "params/document/ZavoServoDoc.h"
#include "tuning/SelfTuning.h"
#include "tuning/ui/SelfTuningWindow.h"
#include "tuning/ui/TuningCompareDialog.h"

namespace zavo::tuning {

class MechanicalTuningDialog final : public SelfTuningWindow {
  Q_OBJECT
 public:
  // How the windows of the test's profile and of the proposals are answered (the program
  // shows them; tests answer them).
  using AskProfile = std::function<bool(SetValues&)>;
  using AskAdoption = std::function<bool(const std::vector<CompareRow>&, bool withFrictionNote)>;

  MechanicalTuningDialog(DriveOperations& ops, CZavoServoDoc& doc, QWidget* parent = nullptr);
  void answerWith(AskProfile profile, AskAdoption adoption);
  void refreshAll() { readFields(mechanicalFields()); }

 protected:
  bool startTest(const SelfTuningTest& test) override;
  void decideProposals(const SelfTuningTest& test) override;
  void onCancel() override;

 private:
  CZavoServoDoc& doc_;
  AskProfile askProfile_;
  AskAdoption askAdoption_;
  WindowTimer refresh_;
};

}  // namespace zavo::tuning
