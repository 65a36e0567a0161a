#include "params/document/TecArchive.h"

#include <climits>
#include <span>

#include "params/document/ArchiveReader.h"
#include "params/document/ArchiveWriter.h"
#include "params/document/BoundedFileRead.h"

namespace zavo {
namespace {

// One run of working values in the file: `count` slots of `group` from slot `first`.
struct TecRun {
  int item;  // item number in the short layout; 0 in the long layout
  ParamGroup group;
  int first;
  int count;
};

// Items 7-23 of the short layout. Items 15-23 were appended as the drive grew, which is why
// groups come back in pieces.
constexpr std::array<TecRun, 17> kShortLayout{{
    {7, ParamGroup::Cn, 1, 80},    {8, ParamGroup::Tn, 1, 20},   {9, ParamGroup::Sn, 1, 20},
    {10, ParamGroup::Pn3, 1, 75},  {11, ParamGroup::qn, 1, 20},  {12, ParamGroup::Hn, 1, 20},
    {13, ParamGroup::Pn4, 1, 100}, {14, ParamGroup::ECA, 1, 15}, {15, ParamGroup::Cn, 81, 5},
    {16, ParamGroup::Sn, 21, 1},   {17, ParamGroup::ECA, 16, 3}, {18, ParamGroup::Cn, 86, 9},
    {19, ParamGroup::ECA, 19, 1},  {20, ParamGroup::Cn, 95, 4},  {21, ParamGroup::Sn, 22, 3},
    {22, ParamGroup::ECA, 20, 3},  {23, ParamGroup::Sn, 25, 1},
}};

// Drive type 4 writes each group in one piece. It has no place for Sn221-Sn225.
constexpr std::array<TecRun, 8> kLongLayout{{
    {0, ParamGroup::Cn, 1, 98},  {0, ParamGroup::Tn, 1, 20},  {0, ParamGroup::Sn, 1, 20},
    {0, ParamGroup::Pn3, 1, 75}, {0, ParamGroup::qn, 1, 20},  {0, ParamGroup::Hn, 1, 20},
    {0, ParamGroup::Pn4, 1, 100}, {0, ParamGroup::ECA, 1, 22},
}};

bool isLongLayout(std::int32_t driveType) { return driveType == kTecLongLayoutDriveType; }

std::span<const TecRun> layoutFor(std::int32_t driveType) {
  if (isLongLayout(driveType)) return kLongLayout;
  return kShortLayout;
}

std::int32_t* slotsOfRun(TecFile& file, const TecRun& run) {
  return file[run.group].data() + run.first;
}

const std::int32_t* slotsOfRun(const TecFile& file, const TecRun& run) {
  return file[run.group].data() + run.first;
}

TecReadStatus readHeader(ArchiveReader& in, std::string& versionText, std::int32_t& driveType) {
  if (!in.readString(versionText)) return TecReadStatus::BadString;
  if (!in.readInt32(driveType)) return TecReadStatus::Truncated;
  if (driveType < 0 || driveType > kTecLastDriveType) return TecReadStatus::BadDriveType;
  return TecReadStatus::Ok;
}

bool readBlocks(ArchiveReader& in, TecFile& f) {
  return in.readInt32s(f.monitor.data(), f.monitor.size()) &&
         in.readInt32s(f.diagnostics.data(), f.diagnostics.size()) && in.readInt32(f.statusWord) &&
         in.readInt32s(f.alarmHistory.data(), f.alarmHistory.size());
}

}  // namespace

TecFile::TecFile() {
  for (std::size_t i = 0; i < kParamGroupCount; ++i) values[i].assign(static_cast<std::size_t>(kGroupSlots[i]) + 1, 0);
}

bool TecFile::holds(ParamGroup group, int number) const {
  for (const TecRun& run : layoutFor(driveType)) {
    if (run.group != group || number < run.first || number >= run.first + run.count) continue;
    return isLongLayout(driveType) || run.item <= lastItem;
  }
  return false;
}

int versionNumberOf(std::string_view versionText) {
  const auto dot = versionText.rfind('.');
  std::string_view digits = dot == std::string_view::npos ? versionText : versionText.substr(dot + 1);
  std::size_t i = 0;
  while (i < digits.size() && (digits[i] == ' ' || digits[i] == '\t')) ++i;
  bool negative = false;
  if (i < digits.size() && (digits[i] == '+' || digits[i] == '-')) negative = digits[i++] == '-';
  long long v = 0;
  for (; i < digits.size() && digits[i] >= '0' && digits[i] <= '9'; ++i) {
    v = v * 10 + (digits[i] - '0');
    if (v > INT_MAX) {  // a version beyond any real one; saturate rather than wrap
      v = INT_MAX;
      break;
    }
  }
  return static_cast<int>(negative ? -v : v);
}

TecReadStatus parseTecHeader(std::string_view bytes, std::string& versionText, std::int32_t& driveType) {
  ArchiveReader in(bytes);
  return readHeader(in, versionText, driveType);
}

TecReadStatus parseTec(std::string_view bytes, TecFile& out) {
  ArchiveReader in(bytes);
  TecFile f;
  if (const auto s = readHeader(in, f.versionText, f.driveType); s != TecReadStatus::Ok) return s;
  if (!readBlocks(in, f)) return TecReadStatus::Truncated;
  f.lastItem = isLongLayout(f.driveType) ? kTecLastItem : kTecLastMandatoryItem;
  for (const TecRun& run : layoutFor(f.driveType)) {
    const bool optional = !isLongLayout(f.driveType) && run.item > kTecLastMandatoryItem;
    // A file written before an item existed ends before it; that is not an error.
    if (optional && in.atEnd()) break;
    if (!in.readInt32s(slotsOfRun(f, run), static_cast<std::size_t>(run.count))) return TecReadStatus::Truncated;
    if (optional) f.lastItem = run.item;
  }
  out = std::move(f);
  return TecReadStatus::Ok;
}

TecReadStatus readTecFile(const std::string& path, TecFile& out) {
  std::string bytes;
  switch (readFileBounded(path, kTecMaxFileBytes, bytes)) {
    case FileReadStatus::Ok: return parseTec(bytes, out);
    case FileReadStatus::TooLarge: return TecReadStatus::TooLarge;
    case FileReadStatus::NotRegular: return TecReadStatus::NotRegular;
    default: return TecReadStatus::CannotOpen;
  }
}

std::string formatTec(const TecFile& file) {
  ArchiveWriter w;
  w.writeString(file.versionText);
  w.writeInt32(file.driveType);
  w.writeInt32s(file.monitor.data(), file.monitor.size());
  w.writeInt32s(file.diagnostics.data(), file.diagnostics.size());
  w.writeInt32(file.statusWord);
  w.writeInt32s(file.alarmHistory.data(), file.alarmHistory.size());
  for (const TecRun& run : layoutFor(file.driveType))
    w.writeInt32s(slotsOfRun(file, run), static_cast<std::size_t>(run.count));
  return w.bytes();
}

}  // namespace zavo
