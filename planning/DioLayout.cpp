#include "planning/DioLayout.h"

#include <cctype>
#include <cstdio>

#include "link/PlanningTransfer.h"
#include "params/catalogue/Catalogue.h"

namespace zavo::planning {
namespace {

struct TypeRow {
  int di, dout, doOffered, doLabelled;
};
// By drive type 0-4. DO rows offered: codes 01-08 on the older types, 01-11 on type 3 (less
// the Tool Turret outputs, blocked), 01-14 on types 2 and 4.
constexpr TypeRow kTypes[] = {{13, 4, 8, 17}, {6, 3, 8, 0}, {12, 4, 20, 20}, {12, 3, 17, 17}, {12, 4, 20, 20}};
constexpr int kToolTurretType = 3;
// What type 3 shows as "----": MDC2 and POS6 among the inputs, P1-P6 among the outputs.
constexpr int kBlockedDiCodes[] = {0x1D, 0x1F};
constexpr int kFirstBlockedDoCode = 0x09;
constexpr int kLastBlockedDoCode = 0x0E;
constexpr const char* kBlockedLabel = "----";
constexpr const char* kDiNullName = "NULL";
// On the older types DI-2, DI-4 and DI-6 sit on pins 14-16 rather than on their own number.
constexpr int kOlderPinOfDi[] = {0, 1, 14, 3, 15, 5, 16};
constexpr int kFirstDoPin = 18;

int typeIndex(int driveType) { return driveType >= 0 && driveType <= 4 ? driveType : 2; }

}  // namespace

DioLayout DioLayout::of(int driveType) {
  DioLayout l;
  l.driveType_ = typeIndex(driveType);
  const TypeRow& t = kTypes[l.driveType_];
  l.diCount_ = t.di;
  l.doCount_ = t.dout;
  l.doRowsOffered_ = t.doOffered;
  l.doRowsLabelled_ = t.doLabelled;
  l.names_ = PlanningTransfer::diDoNames(l.driveType_);
  return l;
}

const std::string& DioLayout::parameter(Side side, int terminal) const {
  return names_[static_cast<std::size_t>(index(side, terminal))];
}

std::string DioLayout::terminalName(Side side, int terminal) {
  return (side == Side::In ? "DI-" : "DO-") + std::to_string(terminal + 1);
}

std::string DioLayout::terminalLabel(Side side, int terminal) const {
  const int k = terminal + 1;
  int pin = side == Side::Out ? kFirstDoPin + terminal : k;
  if (side == Side::In && driveType_ < 2 && k < static_cast<int>(std::size(kOlderPinOfDi))) pin = kOlderPinOfDi[k];
  return " " + terminalName(side, terminal) + "\n (CN1-" + std::to_string(pin) + ")";
}

bool DioLayout::blocked(Side side, int row) const {
  if (driveType_ != kToolTurretType) return false;
  const int code = codeOfRow(side, row);
  if (side == Side::Out) return code >= kFirstBlockedDoCode && code <= kLastBlockedDoCode;
  for (const int c : kBlockedDiCodes)
    if (c == code) return true;
  return false;
}

bool DioLayout::offers(Side side, int row) const {
  const int limit = side == Side::In ? kDiRows : doRowsOffered_;
  return row >= 0 && row < limit && !blocked(side, row);
}

std::string DioLayout::rowLabel(Side side, int row) const {
  if (row < 0 || row >= rows(side)) return {};
  if (side == Side::Out && row >= doRowsLabelled_) return {};
  if (blocked(side, row)) return kBlockedLabel;
  char code[8];
  std::snprintf(code, sizeof code, "%02X ", codeOfRow(side, row));
  return code + functionName(side, codeOfRow(side, row));
}

std::string functionName(Side side, int code) {
  if (side == Side::In) {
    if (code < 0 || code >= kDiRows) return {};
    return code == 0 ? kDiNullName : std::string(catalogue::diName(code - 1));
  }
  if (code < 1 || code > kDoRows) return {};
  return std::string(catalogue::doName(code - 1));
}

int functionCode(Side side, std::string_view text) {
  const int rows = DioLayout::rows(side);
  for (int row = 0; row < rows; ++row) {
    const int code = DioLayout::codeOfRow(side, row);
    const std::string name = functionName(side, code);
    if (name.size() != text.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < name.size() && same; ++i)
      same = std::toupper(static_cast<unsigned char>(name[i])) == std::toupper(static_cast<unsigned char>(text[i]));
    if (same) return code;
  }
  // A code as the grid and `dio show` write it: hexadecimal, "0x" optional.
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.remove_prefix(2);
  constexpr std::size_t kMaxDigits = 2;
  if (text.empty() || text.size() > kMaxDigits) return -1;
  int code = 0;
  for (const char c : text) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return -1;
    code = code * 16 + (std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : std::toupper(static_cast<unsigned char>(c)) - 'A' + 10);
  }
  const int row = DioLayout::rowOfCode(side, code);
  return row >= 0 && row < rows ? code : -1;
}

}  // namespace zavo::planning
