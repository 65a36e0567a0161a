#include "sim/AccessWindow.h"

#include <algorithm>

#include "sim/SimConstants.h"

namespace zavo::sim {
namespace {
enum Slot { kCommand, kWriteAddress, kWriteData, kReadAddress, kReadData };
}  // namespace

AccessWindow::AccessWindow(ParameterMemory& memory, const protocol::WindowLayout& layout)
    : memory_(memory), layout_(layout) {}

int AccessWindow::indexOf(RegisterRef r) const {
  if (pageIndexOf(r.page) != pageIndexOf(protocol::kPage5)) return -1;
  const int at[kRegisters] = {layout_.command, layout_.writeAddress, layout_.writeData, layout_.readAddress,
                     layout_.readData};
  for (int i = 0; i < kRegisters; ++i)
    if (at[i] == r.address) return i;
  return -1;
}

bool AccessWindow::claims(RegisterRef r) const { return indexOf(r) >= 0; }

std::optional<std::uint16_t> AccessWindow::read(RegisterRef r) {
  const int i = indexOf(r);
  if (i < 0) return std::nullopt;
  return words_[i];
}

bool AccessWindow::accepts(RegisterRef r, std::uint16_t value) const {
  const int i = indexOf(r);
  if (i < 0) return false;
  if (i == kReadData) return false;  // the drive fills it; the program only reads it
  if (i != kCommand) return true;
  // A command is taken only when it can be carried out: the drive refuses to store to or
  // fetch from a word its memory does not have rather than pretend it did.
  if (value == protocol::kWindowStore) {
    const int linear = words_[kWriteAddress];
    return memory_.contains(linear) &&
           std::find(refusedStores_.begin(), refusedStores_.end(), linear) == refusedStores_.end();
  }
  if (value == protocol::kWindowFetch) return memory_.contains(words_[kReadAddress]);
  return value == kWindowIdle;
}

void AccessWindow::write(RegisterRef r, std::uint16_t value) {
  if (!accepts(r, value)) return;
  const int i = indexOf(r);
  if (i != kCommand) {
    words_[i] = value;
    return;
  }
  if (value == protocol::kWindowStore) {
    memory_.store(words_[kWriteAddress], words_[kWriteData]);
    ++stores_;
  } else if (value == protocol::kWindowFetch) {
    words_[kReadData] = memory_.word(words_[kReadAddress]);
    ++fetches_;
  }
  words_[kCommand] = kWindowIdle;
}

void AccessWindow::poke(RegisterRef r, std::uint16_t value) {
  const int i = indexOf(r);
  if (i >= 0) words_[i] = value;
}

}  // namespace zavo::sim
