#include "planning/DioPlan.h"

#include "planning/PlanningTexts.h"

namespace zavo::planning {
namespace {

constexpr int kStateLevel1 = 1;
constexpr int kStateLevel0 = 2;
constexpr int kClicksBeforeWrap = 2;

DioColumn decode(Side side, std::int32_t v) {
  DioColumn c;
  c.read = v;
  if (v < 0 || v >= kValueLimit) return c;
  const bool high = v >= kLevelWeight;
  const int code = high ? v - kLevelWeight : v;
  const int row = DioLayout::rowOfCode(side, code);
  if (row < 0 || row >= DioLayout::rows(side)) return c;
  c.known = true;
  c.row = row;
  c.state = high ? kStateLevel1 : kStateLevel0;
  return c;
}

}  // namespace

DioPlan::DioPlan(int driveType, std::span<const std::int32_t> group) : layout_(DioLayout::of(driveType)) {
  read_.assign(layout_.names().size(), 0);
  for (std::size_t i = 0; i < read_.size() && i < group.size(); ++i) read_[i] = group[i];
  for (const Side side : {Side::In, Side::Out})
    for (int t = 0; t < layout_.terminals(side); ++t)
      columns(side).push_back(decode(side, read_[static_cast<std::size_t>(layout_.index(side, t))]));
}

const DioColumn& DioPlan::column(Side side, int terminal) const {
  return columns(side)[static_cast<std::size_t>(terminal)];
}

bool DioPlan::click(Side side, int terminal, int row) {
  if (terminal < 0 || terminal >= layout_.terminals(side) || !layout_.offers(side, row)) return false;
  DioColumn& c = columns(side)[static_cast<std::size_t>(terminal)];
  if (row != c.lastClicked) c.clicks = 0;
  c.lastClicked = row;
  if (++c.clicks > kClicksBeforeWrap) c.clicks = 1;
  c.row = row;
  c.state = c.clicks;
  c.known = true;
  c.touched = true;
  return true;
}

bool DioPlan::assign(Side side, int terminal, int code, int level) {
  const int row = DioLayout::rowOfCode(side, code);
  if (terminal < 0 || terminal >= layout_.terminals(side) || !layout_.offers(side, row) || level < 0 || level > 1)
    return false;
  DioColumn& c = columns(side)[static_cast<std::size_t>(terminal)];
  c.row = row;
  c.state = level == 1 ? kStateLevel1 : kStateLevel0;
  c.known = true;
  c.touched = true;
  return true;
}

std::int32_t DioPlan::encode(Side side, int row, int state) {
  return DioLayout::codeOfRow(side, row) + (state == kStateLevel1 ? kLevelWeight : 0);
}

std::vector<std::int32_t> DioPlan::values() const {
  std::vector<std::int32_t> out = read_;
  for (const Side side : {Side::In, Side::Out})
    for (int t = 0; t < layout_.terminals(side); ++t) {
      const DioColumn& c = column(side, t);
      if (c.touched) out[static_cast<std::size_t>(layout_.index(side, t))] = encode(side, c.row, c.state);
    }
  return out;
}

std::vector<int> DioPlan::conflicts(Side side) const {
  const auto& cols = columns(side);
  std::vector<int> out;
  for (std::size_t i = 0; i < cols.size(); ++i) {
    if (!cols[i].known) continue;
    for (std::size_t j = 0; j < cols.size(); ++j) {
      if (i == j || !cols[j].known || cols[i].row != cols[j].row) continue;
      // Several inputs may share a function when they agree on its level; outputs never.
      if (side == Side::Out || cols[i].state != cols[j].state) {
        out.push_back(static_cast<int>(i));
        break;
      }
    }
  }
  return out;
}

std::optional<DioNote> DioPlan::conflictNote() const {
  if (const auto in = conflicts(Side::In); !in.empty()) {
    std::string text = texts::diConflict() + "\n\n";
    for (const int t : in) text += layout_.parameter(Side::In, t);
    return DioNote{texts::setInputContactSignal(), text};
  }
  if (const auto out = conflicts(Side::Out); !out.empty()) {
    std::string text = texts::doConflict() + "\n\n";
    for (const int t : out) text += layout_.parameter(Side::Out, t) + " ";
    return DioNote{texts::setOutputContactSignal(), text};
  }
  return std::nullopt;
}

}  // namespace zavo::planning
