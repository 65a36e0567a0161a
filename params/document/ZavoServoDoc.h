#pragma once
// The document: one drive's parameter images (minimum, maximum, working value and default of
// every stored parameter), the last monitor, diagnostics and alarm readings, the drive's
// register image, and the facts the connection learns about the drive. It persists itself
// in the `.tec` file and offers the `.dat` listing of the register image. It never talks to
// the drive: the transfer operations fill and read its arrays.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "params/document/AtomicFile.h"
#include "params/document/ParameterImages.h"
#include "params/document/TecArchive.h"

namespace zavo {

class DocumentHost;

// The version text this program writes; its number (after the last '.') is the newest file
// version it reads.
inline constexpr std::string_view kDocumentVersionText = "M7 Servo Ver:0.1.161013";
// Files older than this carry Tn111, Tn112 and Sn222-Sn224 in a meaning since changed; they
// are taken from the defaults instead.
inline constexpr int kFirstVersionWithCurrentTuning = 161012;

inline constexpr int kMonitorWords = kTecMonitorWords;
inline constexpr int kDiagnosticsWords = kTecDiagnosticsWords;
inline constexpr int kAlarmHistoryWords = kTecAlarmWords;
inline constexpr int kContactCopyWords = 20;
inline constexpr int kAuxiliaryWordsA = 85;
inline constexpr int kAuxiliaryWordsB = 14;
inline constexpr int kRamImageWords = 512;

class CZavoServoDoc {
 public:
  explicit CZavoServoDoc(DocumentHost* host = nullptr);

  // ---- Lifecycle (the framework's entry points) ------------------------------------------
  // Fills the images for the current drive type and motor data; always true.
  bool OnNewDocument();
  // Probes the header (unless the current drive type is -1), then reads the file. On a refused
  // or unreadable file shows the message and returns false with the document unchanged.
  bool OnOpenDocument(const std::string& path);
  // Saves the `.tec` file through a temporary file. A failure is returned, not shown, and
  // leaves the old file, the path and the modified flag as they were.
  SaveResult OnSaveDocument(const std::string& path);
  // The save-before-discard question: true when the caller may go on (saved, or the user
  // chose not to save, or nothing changed), false when the command is abandoned.
  bool SaveModified();

  // ---- The `.tec` contents, without files ---------------------------------------------------
  // Applies a parsed file as an open does after its probe (drive type, values, version rules,
  // refill of defaults and limits, missing items from defaults).
  void load(const TecFile& file);
  // The file this document saves now (current drive type, this program's version text).
  TecFile toTecFile() const;

  // ---- Rebuilding the tables -------------------------------------------------------------
  // After the drive's software version changed: limits and defaults for the motor data as it
  // now stands; working values stay.
  void rebuildForNewVersion();
  // After the current drive type changed: limits and defaults for it, and every working value
  // back to its default.
  void rebuildForDriveType();

  // ---- The `.dat` listing of the register image -------------------------------------------
  // Writes the image words of the current drive type.
  SaveResult exportRamListing(const std::string& path) const;
  // Reads a listing into the register image; a refused listing shows the invalid-file message
  // and leaves the image as it was.
  bool importRamListing(const std::string& path);

  // ---- Working values --------------------------------------------------------------------
  std::int32_t value(ParamGroup group, int number) const;
  // Sets a working value and marks the document modified (false for a slot the group lacks).
  bool setValue(ParamGroup group, int number, std::int32_t v);

  // The parameters a file of the current drive type stores whose working value lies outside
  // their limits (a file edited by hand or damaged): such values are never written to a drive.
  std::vector<std::string> valuesOutOfRange() const;

  bool isModified() const { return modified_; }
  void setModifiedFlag(bool modified = true) { modified_ = modified; }
  const std::string& pathName() const { return pathName_; }
  // True once a file of another drive type than the current one was opened; New then starts
  // from the power-on motor data.
  bool foreignFileOpened() const { return foreignFileOpened_; }
  void setHost(DocumentHost* host) { host_ = host; }
  void setTemporaryDirectory(std::string dir) { tempDir_ = std::move(dir); }

  // ---- Data (read and filled by the transfer operations and the windows) ------------------
  std::string versionText{kDocumentVersionText};
  std::int32_t statusWord = 0;
  std::int32_t speedScaleFactor = 0;  // 0: none; else speed limits scale by factor / 600 while linked
  bool initialised = false;
  ParameterImages images;
  std::array<std::int32_t, kMonitorWords> monitor{};
  std::array<std::int32_t, kDiagnosticsWords> diagnostics{};
  std::array<std::int32_t, kAlarmHistoryWords> alarmHistory{};
  // The contact (Hn) values of the DI/DO planning, DI first, then DO.
  std::array<std::int32_t, kContactCopyWords> contactCopy{};
  std::array<std::int32_t, kAuxiliaryWordsA> auxiliaryA{}, auxiliaryDefaultsA{};
  std::array<std::int32_t, kAuxiliaryWordsB> auxiliaryB{}, auxiliaryDefaultsB{};
  std::array<std::int32_t, kRamImageWords> ramImage{};

  // What the connection learns about the drive.
  std::int32_t driveSoftwareVersion = 0;
  std::int32_t inputTerminals = 0;
  std::int32_t controlMode = 0;
  std::int32_t motorCode = 0;
  std::int32_t modelCode = 0;
  std::int32_t auxiliaryModelWord = 0;

 private:
  void refillTables();

  DocumentHost* host_ = nullptr;
  std::string pathName_;
  std::string tempDir_;
  bool modified_ = false;
  bool foreignFileOpened_ = false;
};

}  // namespace zavo
