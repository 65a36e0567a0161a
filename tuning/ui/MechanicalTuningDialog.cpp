#include "tuning/ui/MechanicalTuningDialog.h"

#include "link/LinkState.h"
#include "tuning/SelfTuning.h"
#include "tuning/ui/TuningIds.h"
#include "tuning/ui/TuningSetDialog.h"

namespace zavo::tuning {

MechanicalTuningDialog::MechanicalTuningDialog(DriveOperations& ops, CZavoServoDoc& doc, QWidget* parent)
    : SelfTuningWindow(kMechanicalTuningDialog, "Off-line Mechanical Self-tuning", ops, mechanicalTests(),
                       mechanicalFields(), true, false, parent),
      doc_(doc), refresh_(kRefreshTimer, this) {
  answerWith(
      [this](SetValues& v) {
        TuningSetDialog d(v, this);
        if (d.exec() != QDialog::Accepted) return false;
        v = d.values();
        return true;
      },
      [this](const std::vector<CompareRow>& rows, bool note) {
        return TuningCompareDialog(rows, note, this).exec() == QDialog::Accepted;
      });
  refreshAll();
  connect(&refresh_, &QTimer::timeout, this, &MechanicalTuningDialog::refreshAll);
  refresh_.start(kPollMs);
}

void MechanicalTuningDialog::answerWith(AskProfile profile, AskAdoption adoption) {
  askProfile_ = std::move(profile);
  askAdoption_ = std::move(adoption);
}

bool MechanicalTuningDialog::startTest(const SelfTuningTest& test) {
  SetValues v{};
  const bool connected = linkState().isConnected();
  if (!connected || !readSetValues(ops(), v)) v = documentSetValues(doc_);
  if (!askProfile_(v) || !connected) return false;
  storeSetValues(doc_, v);
  return startMechanical(ops(), test, v);
}

void MechanicalTuningDialog::decideProposals(const SelfTuningTest& test) {
  std::vector<CompareRow> rows;
  for (const TuningField* f : test.shows) {
    if (!f->hasProposal()) continue;
    std::vector<int> before;
    int after = 0;
    if (!readField(ops(), *f, before) || !readProposal(ops(), *f, after)) return;
    rows.push_back({std::string(f->label), before.front(), after});
  }
  if (rows.empty()) return;
  decide(ops(), askAdoption_(rows, test.button == kButtonFullSet));
}

void MechanicalTuningDialog::onCancel() {
  refresh_.stop();
  SelfTuningWindow::onCancel();
}

}  // namespace zavo::tuning
