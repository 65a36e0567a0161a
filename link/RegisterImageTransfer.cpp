#include "link/RegisterImageTransfer.h"

#include <cstdio>

#include "link/LinkState.h"
#include "link/OperationTexts.h"
#include "link/Protocol.h"
#include "params/DriveContext.h"
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

int RegisterImageTransfer::read(CZavoServoDoc& doc) {
  if (!linkState().isConnected()) return 0;
  LinkBusyScope busy(ops_.flags());
  const int type = driveContext().driveType;
  const int words = protocol::imageWordsOf(type);
  const auto& w = protocol::windowOf(type);
  progress_.open("", 0, kStepsPerWord * (words - 1) + kStepsPerWord);
  for (int i = 0; i < words; ++i) {
    const std::string text = wordText(optext::kReadingImage, i);
    progress_.setText(text);
    if (stepAndCheck()) return cancelled();
    if (!ops_.writeAck(protocol::kPage5, w.readAddress, i)) return fail(text);
    if (stepAndCheck()) return cancelled();
    if (!ops_.writeAck(protocol::kPage5, w.command, protocol::kWindowFetch)) return fail(text);
    if (stepAndCheck()) return cancelled();
    int word = 0;
    if (!ops_.readWord(protocol::kPage5, w.readData, word)) return fail(text);
    doc.ramImage[static_cast<std::size_t>(i)] = word & 0xFFFF;
  }
  progress_.close();
  return 1;
}

int RegisterImageTransfer::write(const CZavoServoDoc& doc) {
  if (!linkState().isConnected()) return 0;
  LinkBusyScope busy(ops_.flags());
  const int type = driveContext().driveType;
  const int words = protocol::imageWordsOf(type);
  const auto& w = protocol::windowOf(type);
  progress_.open("", 0, kStepsPerWord * (words - 1) + kStepsPerWord);
  for (int i = 0; i < words; ++i) {
    const std::string text = wordText(optext::kWritingImage, i);
    progress_.setText(text);
    if (stepAndCheck()) return cancelled();
    if (!ops_.writeAck(protocol::kPage5, w.writeAddress, i)) return fail(text);
    if (stepAndCheck()) return cancelled();
    if (!ops_.writeAck(protocol::kPage5, w.writeData, doc.ramImage[static_cast<std::size_t>(i)] & 0xFFFF))
      return fail(text);
    if (stepAndCheck()) return cancelled();
    if (!ops_.writeAck(protocol::kPage5, w.command, protocol::kWindowStore)) return fail(text);
  }
  progress_.close();
  prompt().ask({optext::writeSuccess() + "\n\n" + optext::restartServo(), optext::writeDataTitle(),
                PromptIcon::Exclamation, PromptButtons::Ok});
  return 1;
}

}  // namespace zavo
