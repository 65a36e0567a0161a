#include "params/document/ZavoServoDoc.h"

#include <algorithm>

#include "link/Protocol.h"
#include "params/catalogue/Catalogue.h"
#include "params/document/DatListing.h"
#include "params/document/DocumentHost.h"
#include "params/document/DocumentTexts.h"
#include "params/catalogue/DriveContext.h"
#include "params/document/HeaderProbe.h"
#include "platform/Prompt.h"

namespace zavo {
namespace {

// Cn030, the drive model code, from which a file's defaults are derived when no drive is
// there to ask.
constexpr int kModelCodeSlot = 30;

// Parameters an older file carries in a meaning since changed: Tn111, Tn112, Sn222-Sn224.
struct SlotRun {
  ParamGroup group;
  int first;
  int last;
};
constexpr std::array<SlotRun, 2> kRetunedSlots{{{ParamGroup::Tn, 11, 12}, {ParamGroup::Sn, 22, 24}}};

// The groups and slots some `.tec` layout stores; a file that lacks one of them gets its
// default. The other groups are never stored, so an open leaves them alone.
bool storedInSomeLayout(ParamGroup group, int number) {
  static const TecFile shortLayout = [] {
    TecFile f;
    f.driveType = 2;
    return f;
  }();
  static const TecFile longLayout = [] {
    TecFile f;
    f.driveType = kTecLongLayoutDriveType;
    return f;
  }();
  return shortLayout.holds(group, number) || longLayout.holds(group, number);
}

void showInvalidFile() { showMessage(doctext::text(doctext::kInvalidFile)); }

}  // namespace

CZavoServoDoc::CZavoServoDoc(DocumentHost* host) : host_(host), tempDir_(temporaryDirectory()) { refillTables(); }

void CZavoServoDoc::refillTables() {
  DriveContext& ctx = driveContext();
  ctx.gearScale = speedScaleFactor;
  catalogue::fillDefaults(images);
  catalogue::fillLimits(images);
}

bool CZavoServoDoc::OnNewDocument() {
  pathName_.clear();
  modified_ = false;
  monitor.fill(0);
  diagnostics.fill(0);
  alarmHistory.fill(0);
  if (foreignFileOpened_) driveContext().resetMotorData();
  refillTables();
  // Every group, the never-saved extended ones included, so that after New each working value
  // is its default.
  for (auto& g : images.groups) g.copyDefaultsToValues();
  const auto& hn = images[ParamGroup::Hn].def;
  std::copy_n(hn.begin() + 1, std::min<std::size_t>(contactCopy.size(), hn.size() - 1), contactCopy.begin());
  auxiliaryA = auxiliaryDefaultsA;
  auxiliaryB = auxiliaryDefaultsB;
  statusWord = 0;
  ramImage.fill(0);
  initialised = true;
  return true;
}

bool CZavoServoDoc::OnOpenDocument(const std::string& path) {
  DriveContext& ctx = driveContext();
  if (ctx.driveType != kProbeSkippedDriveType) {
    const HeaderProbe probe = probeHeader(path, tempDir_);
    if (!headerAllowsOpen(probe, ctx.driveType)) {
      showMessage(doctext::text(doctext::kSerialMismatch));
      return false;
    }
  }
  // Read into a scratch file first, so a damaged file leaves the document as it was.
  TecFile file;
  if (readTecFile(path, file) != TecReadStatus::Ok) {
    showInvalidFile();
    return false;
  }
  load(file);
  pathName_ = path;
  modified_ = false;
  return true;
}

void CZavoServoDoc::load(const TecFile& file) {
  DriveContext& ctx = driveContext();
  const int typeBefore = ctx.driveType;
  // The file's own drive type becomes current, so a file reopens under the type it was
  // written with and its limits and defaults are that type's.
  ctx.driveType = file.driveType;

  versionText = file.versionText;
  monitor = file.monitor;
  diagnostics = file.diagnostics;
  statusWord = file.statusWord;
  alarmHistory = file.alarmHistory;
  for (std::size_t gi = 0; gi < kParamGroupCount; ++gi) {
    const auto g = static_cast<ParamGroup>(gi);
    for (int n = 1; n <= images.groups[gi].slots(); ++n)
      if (file.holds(g, n)) images.groups[gi].value[static_cast<std::size_t>(n)] = file.values[gi][static_cast<std::size_t>(n)];
  }

  const bool foreign = file.driveType != typeBefore;
  if (foreign) {
    foreignFileOpened_ = true;
    if (host_) host_->foreignFileOpened(file.driveType);
  }
  if (!ctx.linkOpen || foreign) {
    // Without a drive to ask, the file's own model code decides the model-dependent defaults.
    if (!ctx.linkOpen) ctx.modelCode = images[ParamGroup::Cn].value[kModelCodeSlot];
    refillTables();
  }

  // What the file does not carry comes from the defaults, not from whatever file was open
  // before.
  for (std::size_t gi = 0; gi < kParamGroupCount; ++gi) {
    const auto g = static_cast<ParamGroup>(gi);
    auto& img = images.groups[gi];
    for (int n = 1; n <= img.slots(); ++n)
      if (storedInSomeLayout(g, n) && !file.holds(g, n)) img.value[static_cast<std::size_t>(n)] = img.def[static_cast<std::size_t>(n)];
  }
  if (versionNumberOf(file.versionText) < kFirstVersionWithCurrentTuning) {
    for (const auto& run : kRetunedSlots) {
      auto& img = images[run.group];
      for (int n = run.first; n <= run.last; ++n) img.value[static_cast<std::size_t>(n)] = img.def[static_cast<std::size_t>(n)];
    }
  }
}

TecFile CZavoServoDoc::toTecFile() const {
  TecFile f;
  f.versionText = std::string(kDocumentVersionText);
  f.driveType = driveContext().driveType;
  f.monitor = monitor;
  f.diagnostics = diagnostics;
  f.statusWord = statusWord;
  f.alarmHistory = alarmHistory;
  for (std::size_t gi = 0; gi < kParamGroupCount; ++gi) f.values[gi] = images.groups[gi].value;
  return f;
}

SaveResult CZavoServoDoc::OnSaveDocument(const std::string& path) {
  const TecFile file = toTecFile();
  if (file.driveType < 0 || file.driveType > kTecLastDriveType)
    return {false, "Cannot save " + path + ": no drive type is chosen"};
  SaveResult r = saveFileAtomically(path, formatTec(file));
  if (!r) return r;
  // What is on disk now is this program's layout, so it carries this program's version: an
  // older file saved again must not have its tuning values reset when it is reopened.
  versionText = file.versionText;
  pathName_ = path;
  modified_ = false;
  return r;
}

bool CZavoServoDoc::SaveModified() {
  if (!modified_) return true;
  const PromptAnswer answer = prompt().ask({doctext::text(doctext::kSaveChangesQuestion), {}, PromptIcon::Question,
                                            PromptButtons::YesNoCancel});
  if (answer == PromptAnswer::No) return true;
  if (answer != PromptAnswer::Yes) return false;
  std::string path = pathName_;
  if (path.empty()) {
    const auto chosen = host_ ? host_->askSavePath() : std::nullopt;
    if (!chosen) return false;
    path = *chosen;
  }
  const SaveResult r = OnSaveDocument(path);
  if (!r) showMessage(r.error, {}, PromptIcon::Stop);
  return r.ok;
}

void CZavoServoDoc::rebuildForNewVersion() { refillTables(); }

void CZavoServoDoc::rebuildForDriveType() {
  refillTables();
  for (auto& g : images.groups) g.copyDefaultsToValues();
}

SaveResult CZavoServoDoc::exportRamListing(const std::string& path) const {
  const int words = protocol::imageWordsOf(driveContext().driveType);
  return saveFileAtomically(path, formatRamListing(ramImage, words));
}

bool CZavoServoDoc::importRamListing(const std::string& path) {
  std::vector<std::int32_t> words;
  if (readRamListingFile(path, protocol::imageWordsOf(driveContext().driveType), words) != DatImportStatus::Ok) {
    showInvalidFile();
    return false;
  }
  std::copy(words.begin(), words.end(), ramImage.begin());
  return true;
}

std::vector<std::string> CZavoServoDoc::valuesOutOfRange() const {
  const int type = driveContext().driveType;
  std::vector<std::string> codes;
  if (type < 0 || type >= catalogue::kDriveTypeCount) return codes;
  TecFile layout;
  layout.driveType = type;
  for (const auto& e : catalogue::parameters(type)) {
    if (!layout.holds(e.group, e.slot)) continue;
    const auto& img = images[e.group];
    const auto n = static_cast<std::size_t>(e.slot);
    if (img.value[n] < img.min[n] || img.value[n] > img.max[n]) codes.push_back(e.code);
  }
  return codes;
}

std::int32_t CZavoServoDoc::value(ParamGroup group, int number) const {
  const auto& img = images[group];
  return img.has(number) ? img.value[static_cast<std::size_t>(number)] : 0;
}

bool CZavoServoDoc::setValue(ParamGroup group, int number, std::int32_t v) {
  auto& img = images[group];
  if (!img.has(number)) return false;
  if (img.value[static_cast<std::size_t>(number)] != v) modified_ = true;
  img.value[static_cast<std::size_t>(number)] = v;
  return true;
}

}  // namespace zavo
