// zavoctl cam / fcl / notch: the electronic cam pages, the full-closed-loop page and the
// resonance notch filter page, as their windows do them.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "cli/DriveSession.h"
#include "cli/Json.h"
#include "editors/CamPage.h"
#include "editors/FieldTexts.h"
#include "editors/FullClosedLoopPage.h"
#include "editors/NotchFilterPage.h"
#include "link/LinkPort.h"
#include "params/document/TecArchive.h"

namespace zavo::cli {
namespace {

constexpr const char* kCamUsage =
    "Usage: zavoctl cam show flying|chase [--json] [--file F.tec] [options]\n"
    "       zavoctl cam write flying|chase ROW=V... [--file F.tec] [options]\n"
    "show prints the page's rows as 'ROW VALUE' (ECA01, ECA02.0, ... Pn349), read from the drive,\n"
    "or from the parameter file with --file. write types each ROW=V into the page as its field\n"
    "would take it (a list row of the chase page takes 0 or 1), then writes every row to the\n"
    "drive; with --file the rows go into the file instead (OK), which is saved. Exit 2 for a row\n"
    "the page refuses or \"overrange\" (nothing written), 1 when a row was not written.";

constexpr const char* kFclUsage =
    "Usage: zavoctl fcl show [--json] [options]\n"
    "       zavoctl fcl write ROW=V [options]\n"
    "show prints the full-closed-loop page's present values (Pn346.0, Pn346.1, Pn347, Pn348,\n"
    "Pn349); write sets one row as its Write button does, the other field of Pn346 as the drive\n"
    "holds it. Exit 2 for a value the row refuses (nothing written).";

constexpr const char* kNotchUsage =
    "Usage: zavoctl notch write FREQ Q [options]\n"
    "Writes the first notch filter: frequency FREQ (0-1000 Hz, Cn013) and quality factor Q (0-100,\n"
    "Cn014), each stored through the drive's window and written directly. Exit 2 for a value out\n"
    "of range (nothing written), 1 when the drive does not acknowledge a frame.";

struct Assignment {
  std::string row;
  std::string value;
};

std::optional<Assignment> assignmentOf(const std::string& a) {
  const auto eq = a.find('=');
  if (eq == std::string::npos || eq == 0) return std::nullopt;
  return Assignment{a.substr(0, eq), a.substr(eq + 1)};
}

std::optional<CamKind> camKindOf(const std::string& name) {
  if (name == "flying") return CamKind::Flying;
  if (name == "chase") return CamKind::Chase;
  return std::nullopt;
}

// The row assignments as the page's fields and lists would take them; nothing refused.
bool checkRows(CamKind kind, const std::vector<Assignment>& rows) {
  for (const auto& a : rows) {
    const int r = CamPage::rowOf(kind, a.row);
    if (r < 0) return usageError("cam: the page has no row '" + a.row + "'"), false;
    const CamRowSpec& spec = CamPage::specsOf(kind)[static_cast<std::size_t>(r)];
    if (spec.role == CamRowRole::Fixed) return usageError("cam: " + a.row + " is the page's own and is not typed"), false;
    if (!checkedEntry(a.value, spec.range)) return usageError("cam: " + a.row + " refuses '" + a.value + "'"), false;
  }
  return true;
}

void typeRows(CamPage& page, const std::vector<Assignment>& rows) {
  for (const auto& a : rows) {
    const int r = page.rowOf(a.row);
    if (page.specs()[static_cast<std::size_t>(r)].role == CamRowRole::List)
      page.choose(r, *checkedEntry(a.value, {0, 1}));
    else
      page.type(r, a.value);
  }
}

void showCam(const CamPage& page, bool json) {
  std::string out = "{";
  for (int r = 0; r < page.size(); ++r) {
    const std::string& name = page.specs()[static_cast<std::size_t>(r)].name;
    const CamRow& row = page.row(r);
    if (json)
      out += (r ? ", " : "") + jsonString(name) + ": " + (row.text.empty() ? "null" : std::to_string(row.value));
    else
      std::printf("%s %s\n", name.c_str(), row.text.c_str());
  }
  if (json) std::printf("%s}\n", out.c_str());
}

int runCam(Args args) {
  int rc = kExitOk;
  auto o = commandOptions(args, kCamUsage, rc);
  if (!o) return rc;
  std::string file;
  std::vector<std::string> rest;
  for (std::size_t i = 0; i < o->rest.size(); ++i) {
    if (o->rest[i] == "--file" && i + 1 < o->rest.size()) file = o->rest[++i];
    else rest.push_back(o->rest[i]);
  }
  if (rest.size() < 2) return usageError("cam needs show or write and flying or chase (see --help)");
  const bool write = rest[0] == "write";
  if (!write && rest[0] != "show") return usageError("cam: unknown action '" + rest[0] + "'");
  const auto kind = camKindOf(rest[1]);
  if (!kind) return usageError("cam: the pages are flying and chase, not '" + rest[1] + "'");
  std::vector<Assignment> rows;
  for (std::size_t i = 2; i < rest.size(); ++i) {
    const auto a = assignmentOf(rest[i]);
    if (!a) return usageError("cam: expected ROW=V, got '" + rest[i] + "'");
    rows.push_back(*a);
  }
  if (write ? rows.empty() : !rows.empty()) return usageError(write ? "cam write needs ROW=V" : "cam show takes no rows");
  if (!checkRows(*kind, rows)) return kExitUsage;

  if (!file.empty()) {
    // The page without a link: filled from the file, OK into it, the file saved.
    TecFile header;
    if (readTecFile(file, header) != TecReadStatus::Ok) return usageError("cam: '" + file + "' is not a readable parameter file");
    applyDriveType(header.driveType);
    CZavoServoDoc doc;
    doc.OnNewDocument();
    if (!doc.OnOpenDocument(file)) return kExitLinkFailure;
    LinkFlags flags;
    DriveOperations offline(mainPort(), flags);
    CamPage page(*kind, offline, doc);
    page.open();
    if (!write) return showCam(page, o->json), kExitOk;
    typeRows(page, rows);
    page.ok();
    const SaveResult saved = doc.OnSaveDocument(file);
    if (!saved) std::fprintf(stderr, "zavoctl: %s\n", saved.error.c_str());
    return saved ? kExitOk : kExitLinkFailure;
  }
  DriveSession drive(*o);
  if (!drive.connect()) return kExitLinkFailure;
  CamPage page(*kind, drive.ops(), drive.doc());
  if (!page.open()) return kExitLinkFailure;
  if (!write) return showCam(page, o->json), kExitOk;
  typeRows(page, rows);
  switch (page.write()) {
    case CamPage::Outcome::Done: return kExitOk;
    case CamPage::Outcome::Refused: return kExitUsage;
    default: return kExitLinkFailure;
  }
}

int runFcl(Args args) {
  int rc = kExitOk;
  auto o = commandOptions(args, kFclUsage, rc);
  if (!o) return rc;
  if (o->rest.empty()) return usageError("fcl needs show or write (see --help)");
  const bool write = o->rest[0] == "write";
  if (!write && o->rest[0] != "show") return usageError("fcl: unknown action '" + o->rest[0] + "'");
  if (o->rest.size() != (write ? 2u : 1u)) return usageError(write ? "fcl write takes one ROW=V" : "fcl show takes no rows");
  int row = -1;
  std::string value;
  if (write) {
    const auto a = assignmentOf(o->rest[1]);
    row = a ? FullClosedLoopPage::rowOf(a->row) : -1;
    if (row < 0) return usageError("fcl: no row '" + o->rest[1] + "'");
    value = a->value;
    if (!checkedEntry(value, FullClosedLoopPage::specs()[static_cast<std::size_t>(row)].range))
      return usageError("fcl: " + a->row + " refuses '" + value + "'");
  }
  applyDriveType(o->driveType);
  DriveSession drive(*o);
  if (!drive.connect()) return kExitLinkFailure;
  FullClosedLoopPage page(drive.ops());
  if (!page.readPresent()) return kExitLinkFailure;
  if (write) {
    page.startFromPresent();
    page.type(row, value);
    return page.write(row) == FullClosedLoopPage::Outcome::Written ? kExitOk : kExitLinkFailure;
  }
  std::string json = "{";
  for (int r = 0; r < kFullClosedLoopRows; ++r) {
    const char* name = FullClosedLoopPage::specs()[static_cast<std::size_t>(r)].name;
    if (o->json)
      json += (r ? ", " : "") + jsonString(name) + ": " + std::to_string(*page.present(r));
    else
      std::printf("%s %d\n", name, *page.present(r));
  }
  if (o->json) std::printf("%s}\n", json.c_str());
  return kExitOk;
}

int runNotch(Args args) {
  int rc = kExitOk;
  auto o = commandOptions(args, kNotchUsage, rc);
  if (!o) return rc;
  if (o->rest.size() != 3 || o->rest[0] != "write") return usageError("notch needs write FREQ Q");
  const std::string& frequency = o->rest[1];
  const std::string& quality = o->rest[2];
  if (const auto refused = NotchFilterPage::refusal(frequency, quality)) {
    const bool badFrequency = *refused == NotchFilterPage::Outcome::FrequencyOutOfRange;
    std::fprintf(stderr, "%s\n",
                 (badFrequency ? fieldtext::filterFrequencyOutOfRange() : fieldtext::filterQualityOutOfRange()).c_str());
    return kExitUsage;
  }
  applyDriveType(o->driveType);
  DriveSession drive(*o);
  if (!drive.connect()) return kExitLinkFailure;
  NotchFilterPage page(drive.ops(), drive.doc());
  return page.write(frequency, quality) == NotchFilterPage::Outcome::Written ? kExitOk : kExitLinkFailure;
}

const CommandRegistrar r1("cam", "the flying-shear and chase-shear pages of the electronic cam", runCam);
const CommandRegistrar r2("fcl", "the full-closed-loop page: present values, one row written", runFcl);
const CommandRegistrar r3("notch", "write the first notch filter (frequency and quality factor)", runNotch);

}  // namespace
}  // namespace zavo::cli
