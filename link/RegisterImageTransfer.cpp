#include "link/RegisterImageTransfer.h"

#include <cstdio>
#include <functional>

#include "link/LinkState.h"
#include "link/OperationTexts.h"
#include "link/Protocol.h"
#include "params/catalogue/DriveContext.h"
#include "platform/Prompt.h"

namespace zavo {
namespace {

constexpr int kStepsPerWord = 3;

std::string wordText(const char* format, int i) {
  char buf[64];
  std::snprintf(buf, sizeof buf, format, static_cast<unsigned>(i));
  return buf;
}

}  // namespace

// One bar step, one pending event; true when the user has cancelled.
bool RegisterImageTransfer::stepAndCheck() {
  progress_.step();
  return progress_.pump();
}

int RegisterImageTransfer::cancelled() {
  progress_.close();
  return 0;
}

int RegisterImageTransfer::fail(const std::string& progressText) {
  progress_.close();
  prompt().ask({optext::error() + ":\n\n" + progressText, optext::communicationTitle(), PromptIcon::Stop,
                PromptButtons::Ok});
  return 0;
}

// Three frames per word, with a progress step and a look at Cancel before each; `frame(i, k)`
// sends frame k of word i. 1 when every word went through, 0 on a failure or a cancel.
int RegisterImageTransfer::eachWord(const char* format, const std::function<bool(int, int)>& frame) {
  if (!linkState().isConnected()) return 0;
  LinkBusyScope busy(ops_.flags());
  const int words = protocol::imageWordsOf(driveContext().driveType);
  progress_.open("", 0, kStepsPerWord * (words - 1) + kStepsPerWord);
  for (int i = 0; i < words; ++i) {
    const std::string text = wordText(format, i);
    progress_.setText(text);
    for (int k = 0; k < kStepsPerWord; ++k) {
      if (stepAndCheck()) return cancelled();
      if (!frame(i, k)) return fail(text);
    }
  }
  progress_.close();
  return 1;
}

int RegisterImageTransfer::read(CZavoServoDoc& doc) {
  const auto& w = protocol::windowOf(driveContext().driveType);
  return eachWord(optext::kReadingImage, [&](int i, int k) {
    switch (k) {
      case 0: return ops_.writeAck(protocol::kPage5, w.readAddress, i);
      case 1: return ops_.writeAck(protocol::kPage5, w.command, protocol::kWindowFetch);
      default: {
        int word = 0;
        if (!ops_.readWord(protocol::kPage5, w.readData, word)) return false;
        doc.ramImage[static_cast<std::size_t>(i)] = word & 0xFFFF;
        return true;
      }
    }
  });
}

int RegisterImageTransfer::write(const CZavoServoDoc& doc) {
  const auto& w = protocol::windowOf(driveContext().driveType);
  const int ok = eachWord(optext::kWritingImage, [&](int i, int k) {
    switch (k) {
      case 0: return ops_.writeAck(protocol::kPage5, w.writeAddress, i);
      case 1: return ops_.writeAck(protocol::kPage5, w.writeData, doc.ramImage[static_cast<std::size_t>(i)] & 0xFFFF);
      default: return ops_.writeAck(protocol::kPage5, w.command, protocol::kWindowStore);
    }
  });
  if (ok)
    prompt().ask({optext::writeSuccess() + "\n\n" + optext::restartServo(), optext::writeDataTitle(),
                  PromptIcon::Exclamation, PromptButtons::Ok});
  return ok;
}

}  // namespace zavo
