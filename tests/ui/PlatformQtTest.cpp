// The framework every window is built from: posted messages, dialogs by control id, the
// message-box mapping, progress with Cancel, texts by id.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <thread>

#include "platform/qt/MessageMap.h"
#include "platform/qt/PostedMessage.h"
#include "platform/qt/QtProgress.h"
#include "platform/qt/QtPrompt.h"
#include "platform/qt/ResourceDialog.h"
#include "platform/qt/UiText.h"
#include "tests/ui/QtApp.h"

namespace zavo {
namespace {

class Receiver : public QObject {
 public:
  MessageMap map;
  bool event(QEvent* e) override { return map.dispatch(e) || QObject::event(e); }
};

TEST(PostedMessageTest, ArrivesLaterWithItsParametersAlsoFromAnotherThread) {
  test::qtApp();
  Receiver r;
  std::vector<std::tuple<unsigned, quintptr, qintptr>> got;
  r.map.on(0x720, [&](quintptr w, qintptr l) { got.emplace_back(0x720, w, l); });
  r.map.on(0x784, [&](quintptr w, qintptr l) { got.emplace_back(0x784, w, l); });

  postMessage(&r, 0x720, 3, -5);
  std::thread worker([&] { postMessage(&r, 0x784, 7, 9); });
  worker.join();
  postMessage(&r, 0x999, 1, 1);  // nobody answers it: must not reach a handler
  EXPECT_TRUE(got.empty()) << "a posted message is delivered by the event loop, not at once";
  QCoreApplication::sendPostedEvents(&r);
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0], std::make_tuple(0x720u, quintptr{3}, qintptr{-5}));
  EXPECT_EQ(got[1], std::make_tuple(0x784u, quintptr{7}, qintptr{9}));
  EXPECT_FALSE(postMessage(nullptr, 0x720));
}

class SampleDialog : public ResourceDialog {
 public:
  static constexpr int kResource = 4242;
  explicit SampleDialog() : ResourceDialog(kResource, "Sample") {
    addControl(1410, new QComboBox(this));
    addButton(kIdOk, "OK");
    addButton(kIdCancel, "Cancel");
    addButton(1500, "Other");
  }
  int oks = 0, cancels = 0;
  void onOk() override {
    ++oks;
    ResourceDialog::onOk();
  }
  void onCancel() override {
    ++cancels;
    ResourceDialog::onCancel();
  }
};

TEST(ResourceDialogTest, FindsControlsByIdAndRunsOkAndCancelOnce) {
  test::qtApp();
  SampleDialog d;
  EXPECT_NE(d.control<QComboBox>(1410), nullptr);
  EXPECT_EQ(d.control<QPushButton>(1410), nullptr) << "wrong type gives nothing";
  EXPECT_EQ(d.controlWidget(9999), nullptr);
  EXPECT_EQ(d.control<QPushButton>(kIdOk)->text(), "OK");

  d.press(kIdCancel);
  EXPECT_EQ(d.cancels, 1);
  EXPECT_EQ(d.result(), QDialog::Rejected);
  d.reject();  // Escape / close button
  EXPECT_EQ(d.cancels, 2);
  d.control<QPushButton>(kIdOk)->setEnabled(false);
  d.press(kIdOk);
  EXPECT_EQ(d.oks, 0) << "a disabled button cannot be pressed";
  d.control<QPushButton>(kIdOk)->setEnabled(true);
  d.press(kIdOk);
  EXPECT_EQ(d.oks, 1);
  EXPECT_EQ(d.result(), QDialog::Accepted);
}

TEST(ResourceDialogTest, CaptionsComeFromTheTableWhenItHasThem) {
  test::qtApp();
  setDialogTextLookup([](int res, int control, const std::string& english) -> std::string {
    if (res == SampleDialog::kResource && control == kIdOk) return "Go";
    if (res == SampleDialog::kResource && control == 0 && english == "Sample") return "Beispiel";
    return {};
  });
  setTextLookup([](int id) -> std::string { return id == 61681 ? "Communicate Error!" : ""; });
  SampleDialog d;
  EXPECT_EQ(d.windowTitle(), "Beispiel");
  EXPECT_EQ(d.control<QPushButton>(kIdOk)->text(), "Go");
  EXPECT_EQ(d.control<QPushButton>(kIdCancel)->text(), "Cancel") << "fallback where the table has nothing";
  EXPECT_EQ(uiText(61681, "x"), "Communicate Error!");
  EXPECT_EQ(uiText(1, "fallback"), "fallback");
  setDialogTextLookup({});
  setTextLookup({});
}

TEST(QtPromptTest, MapsIconsButtonsAndAnswers) {
  test::qtApp();
  struct Row {
    PromptButtons buttons;
    QMessageBox::StandardButtons expected;
  };
  for (const Row& r : {Row{PromptButtons::Ok, QMessageBox::Ok},
                       Row{PromptButtons::OkCancel, QMessageBox::Ok | QMessageBox::Cancel},
                       Row{PromptButtons::YesNo, QMessageBox::Yes | QMessageBox::No},
                       Row{PromptButtons::YesNoCancel, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel},
                       Row{PromptButtons::RetryCancel, QMessageBox::Retry | QMessageBox::Cancel}})
    EXPECT_EQ(QtPrompt::buttonsOf(r.buttons), r.expected);
  EXPECT_EQ(QtPrompt::iconOf(PromptIcon::Stop), QMessageBox::Critical);
  EXPECT_EQ(QtPrompt::iconOf(PromptIcon::Exclamation), QMessageBox::Warning);
  EXPECT_EQ(QtPrompt::iconOf(PromptIcon::Question), QMessageBox::Question);
  EXPECT_EQ(QtPrompt::iconOf(PromptIcon::Information), QMessageBox::Information);
  EXPECT_EQ(QtPrompt::answerOf(QMessageBox::Yes), PromptAnswer::Yes);
  EXPECT_EQ(QtPrompt::answerOf(QMessageBox::No), PromptAnswer::No);
  EXPECT_EQ(QtPrompt::answerOf(QMessageBox::Retry), PromptAnswer::Retry);
  EXPECT_EQ(QtPrompt::answerOf(QMessageBox::Escape), PromptAnswer::Cancel);

  std::unique_ptr<QMessageBox> box(QtPrompt::makeBox(
      {"Communicate Error!\n\nDisconnect !!", "Communication Message", PromptIcon::Stop, PromptButtons::Ok, true}));
  EXPECT_EQ(box->text(), "Communicate Error!\n\nDisconnect !!");
  EXPECT_EQ(box->windowTitle(), "Communication Message");
  EXPECT_TRUE(box->windowFlags() & Qt::WindowStaysOnTopHint);
  std::unique_ptr<QMessageBox> question(QtPrompt::makeBox({"Save?", "", PromptIcon::Question, PromptButtons::YesNo, false}));
  EXPECT_EQ(question->escapeButton(), question->button(QMessageBox::No)) << "Escape on a Yes/No box must mean No";
}

TEST(QtPromptTest, AnswersTheBoxTheUserClicked) {
  test::qtApp();
  QtPrompt p;
  QTimer::singleShot(0, [] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) box->button(QMessageBox::No)->click();
  });
  EXPECT_EQ(p.ask({"Parameter is changed, do you want to save it?", "", PromptIcon::Question,
                   PromptButtons::YesNoCancel, false}),
            PromptAnswer::No);
}

TEST(QtProgressTest, PumpReportsTheUsersCancelAndTheBarStopsAtItsEnd) {
  test::qtApp();
  QtProgress p;
  p.open("Read", 0, 3);
  p.setText("Reading parameters...");
  for (int i = 0; i < 5; ++i) p.step();
  EXPECT_EQ(p.window()->bar()->value(), 3);
  EXPECT_FALSE(p.pump());
  QTimer::singleShot(0, [&] { p.window()->cancelButton()->click(); });
  EXPECT_TRUE(p.pump());
  p.close();
  p.open("Write", 0, 10);
  EXPECT_FALSE(p.pump()) << "a new run starts uncancelled";
  p.window()->reject();  // the close button
  EXPECT_TRUE(p.pump());
}

}  // namespace
}  // namespace zavo
