// The value editor's window: its controls by id, the arrows, and OK with each kind of text.

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "editors/ui/SpinArrows.h"
#include "editors/ui/ValueEditorDialog.h"
#include "params/catalogue/Catalogue.h"
#include "params/catalogue/DriveContext.h"
#include "resources/TextTable.h"
#include "tests/editor/UiHelpers.h"
#include "tests/support/RecordingPrompt.h"
#include "tests/ui/QtApp.h"

namespace zavo::test {
namespace {

class ValueEditorDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qtApp();
    saved_ = driveContext();
    ASSERT_TRUE(TextTable::active().loadLibrary(TOLKAR_PATH));
    driveContext().reset(2);
  }
  void TearDown() override { driveContext() = saved_; }

  static ValueEditorRequest request(const char* code, std::int32_t value) {
    catalogue::Limits lim;
    EXPECT_TRUE(catalogue::limitsOf(code, lim)) << code;
    ValueEditorRequest r;
    r.subject = {code, lim.min, lim.max, driveContext().driveType};
    r.title = catalogue::titleOf(code);
    r.unit = catalogue::unitOf(code);
    r.value = value;
    return r;
  }
  static QString label(const ValueEditorDialog& d, int id) { return d.control<QLabel>(id)->text(); }

  RecordingPrompt prompt;

 private:
  DriveContext saved_;
};

TEST_F(ValueEditorDialogTest, ShowsTheParameterByControlId) {
  ValueEditorDialog d(request("Pn354", 100), nullptr);
  EXPECT_EQ(d.windowTitle(), "Edit");
  EXPECT_EQ(d.resourceId(), 1247);
  EXPECT_EQ(label(d, kIdcEditCode), "Pn354");
  EXPECT_EQ(label(d, kIdcEditTitle), "Absolute Position Home Offset");
  EXPECT_EQ(label(d, kIdcEditRange), "(0,64~8388608)");
  EXPECT_EQ(label(d, kIdcEditUnit), "pulse");
  ASSERT_NE(d.control<QLineEdit>(kIdcEditDecimal), nullptr);
  EXPECT_EQ(d.control<QLineEdit>(kIdcEditHex), nullptr);
  EXPECT_EQ(d.entry()->text(), "100");
  EXPECT_TRUE(d.control<QPushButton>(kIdcEditSetModel)->isHidden()) << "only for Cn030";
  saveScreenshot(&d, QStringLiteral("value-editor"));

  ValueEditorDialog hex(request("Cn002", 0x0100), nullptr);
  ASSERT_NE(hex.control<QLineEdit>(kIdcEditHex), nullptr);
  EXPECT_EQ(hex.entry(), hex.control<QLineEdit>(kIdcEditHex));
  EXPECT_EQ(hex.entry()->text(), "0100");
  EXPECT_EQ(label(hex, kIdcEditRange), "(0000~1011)");

  ValueEditorDialog model(request("Cn030", 0x1121), nullptr);
  EXPECT_FALSE(model.control<QPushButton>(kIdcEditSetModel)->isHidden());
}

TEST_F(ValueEditorDialogTest, OkKeepsTheDialogOpenUntilTheValueIsOneTheParameterTakes) {
  ValueEditorDialog d(request("Pn354", 100), nullptr);
  const struct {
    const char* text;
    bool accepted;
    std::size_t messages;
  } steps[] = {{"12a", false, 1}, {"63", false, 2}, {"8388609", false, 3}, {"64", true, 3}};
  for (const auto& s : steps) {
    d.entry()->setText(QString::fromLatin1(s.text));
    d.press(kIdOk);
    EXPECT_EQ(d.result() == QDialog::Accepted, s.accepted) << s.text;
    ASSERT_EQ(prompt.shown().size(), s.messages) << s.text;
    if (!s.accepted) {
      EXPECT_EQ(d.entry()->selectedText(), QString::fromLatin1(s.text)) << "left selected for correction";
    }
  }
  EXPECT_EQ(prompt.shown()[0].text, "Out of range!");
  EXPECT_EQ(prompt.shown()[0].icon, PromptIcon::Exclamation);
  EXPECT_EQ(d.value(), 64);
}

TEST_F(ValueEditorDialogTest, ArrowsStepWithinTheLimits) {
  ValueEditorDialog d(request("Cn003", 1999), nullptr);
  auto* arrows = d.control<SpinArrows>(kIdcEditSpin);
  ASSERT_NE(arrows, nullptr);
  Q_EMIT arrows->stepped(1);
  EXPECT_EQ(d.entry()->text(), "2000");
  Q_EMIT arrows->stepped(1);
  EXPECT_EQ(d.entry()->text(), "2000") << "held at the maximum";
  d.entry()->setText(QStringLiteral("-2000"));
  Q_EMIT arrows->stepped(-1);
  EXPECT_EQ(d.entry()->text(), "-2000");
  d.entry()->setText(QStringLiteral("junk"));
  Q_EMIT arrows->stepped(-1);
  EXPECT_EQ(d.entry()->text(), "1998") << "from the first value when the text is no number";
}

TEST_F(ValueEditorDialogTest, CancelReturnsNothing) {
  whenModal<ValueEditorDialog>([](ValueEditorDialog* d) {
    d->entry()->setText(QStringLiteral("5"));
    d->press(kIdCancel);
  });
  EXPECT_FALSE(ValueEditorDialog::edit(request("Cn003", 1), nullptr).has_value());
  whenModal<ValueEditorDialog>([](ValueEditorDialog* d) {
    d->entry()->setText(QStringLiteral("5"));
    d->press(kIdOk);
  });
  EXPECT_EQ(ValueEditorDialog::edit(request("Cn003", 1), nullptr), 5);
}

}  // namespace
}  // namespace zavo::test
