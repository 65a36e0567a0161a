// The editor in the program: it comes up with New and with an opened file, and Edit Parameter
// brings it back.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QUrl>

#include "params/listing/ListedParameters.h"
#include "params/ui/DisplaySetDialog.h"
#include "params/ui/ParameterList.h"
#include "params/ui/ParameterSetDialog.h"
#include "resources/TextTable.h"
#include "tests/editor/UiHelpers.h"
#include "tests/ui/AppFixture.h"

namespace zavo::test {
namespace {

class EditorViewTest : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    ASSERT_TRUE(TextTable::active().loadLibrary(TOLKAR_PATH));
  }
  static void processDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

TEST_F(EditorViewTest, NewBringsUpTheEditorAndEditParameterBringsItBack) {
  StartupOptions o = options();
  o.show = true;
  ASSERT_TRUE(start(std::move(o)));
  QPointer<ParameterSetDialog> editor = view()->parameterEditor();
  ASSERT_NE(editor, nullptr) << "the start's New opens it";
  EXPECT_TRUE(editor->isVisible()) << "with the main window";
  EXPECT_GT(editor->list()->topLevelItemCount(), 0);
  EXPECT_EQ(editor->windowType(), Qt::Tool);
  EXPECT_EQ(editor->parentWidget()->window(), frame()) << "a tool window of the main window, kept above it";
  EXPECT_EQ(editor->windowTitle(), "Parameter Set");

  frame()->runCommand(cmd::kEditParameter);
  EXPECT_EQ(view()->parameterEditor(), editor.data()) << "one editor per view";

  editor->press(kIdCancel);
  processDeletes();
  EXPECT_EQ(editor, nullptr) << "Close ends the window";
  EXPECT_EQ(view()->parameterEditor(), nullptr);
  frame()->runCommand(cmd::kEditParameter);
  ASSERT_NE(view()->parameterEditor(), nullptr);

  // New: the editor of the old values goes, a new one shows the new document.
  QPointer<ParameterSetDialog> old = view()->parameterEditor();
  const int r = old->model().rowOf("Cn003");
  old->model().store(r, 77);
  view()->document().setModifiedFlag(false);
  frame()->runCommand(cmd::kFileNew);
  processDeletes();
  EXPECT_EQ(old, nullptr);
  ASSERT_NE(view()->parameterEditor(), nullptr);
  EXPECT_TRUE(view()->parameterEditor()->isVisible());
  EXPECT_EQ(view()->parameterEditor()->model().value(r), 0);
}

TEST_F(EditorViewTest, TheEditorWaitsForTheWindowItBelongsTo) {
  ASSERT_TRUE(start(options()));  // the main window is not shown
  ParameterSetDialog* editor = view()->parameterEditor();
  ASSERT_NE(editor, nullptr);
  EXPECT_FALSE(editor->isVisible());
  frame()->showMaximized();
  EXPECT_TRUE(editor->isVisible());
}

TEST_F(EditorViewTest, AnOpenedFileIsShownInTheEditor) {
  const std::string file = (root / "exe" / "brake.tec").string();
  {
    CZavoServoDoc doc;
    doc.OnNewDocument();
    doc.setValue(ParamGroup::Cn, 3, -321);
    doc.setValue(ParamGroup::Cn, 10, 999);  // as a hand-edited file brings it
    ASSERT_TRUE(doc.OnSaveDocument(file).ok);
  }
  ASSERT_TRUE(start(options({QString::fromStdString(file)})));
  ASSERT_FALSE(prompt.texts().empty());
  EXPECT_EQ(prompt.texts()[0], "The file holds values out of range, which are not written to a drive: Cn010");
  ParameterSetDialog* editor = view()->parameterEditor();
  ASSERT_NE(editor, nullptr);
  const int r = editor->model().rowOf("Cn003");
  ASSERT_GE(r, 0);
  EXPECT_EQ(editor->list()->topLevelItem(r)->text(ParameterList::kValueColumn), "-321");
  EXPECT_EQ(editor->windowTitle(), "Parameter Set - brake.tec");
  EXPECT_EQ(&editor->model().document(), &view()->document());
}

TEST_F(EditorViewTest, ChangeOpensDisplaySetAndTheViewKeepsTheNewSelection) {
  ASSERT_TRUE(start(options()));
  ParameterSetDialog* editor = view()->parameterEditor();
  ASSERT_NE(editor, nullptr);
  whenModal<DisplaySetDialog>([](DisplaySetDialog* d) {
    d->control<QRadioButton>(kIdcModeControlMode)->click();
    for (int id : {kIdcModeSpeed, kIdcModePositionInternal, kIdcModePositionExternal, kIdcModePt})
      d->control<QCheckBox>(id)->setChecked(false);
    d->control<QCheckBox>(kIdcModeTorque)->setChecked(true);
    d->press(kIdOk);
  });
  editor->press(kIdcDisplayChange);
  const DisplaySelection& s = view()->displaySelection();
  EXPECT_EQ(s.mode, DisplayMode::ControlMode);
  EXPECT_TRUE(s.controlMode(DisplayControlMode::Torque));
  EXPECT_FALSE(s.controlMode(DisplayControlMode::Speed));
  EXPECT_EQ(editor->list()->topLevelItemCount(), static_cast<int>(listedParameters(s, 2).size()));
  EXPECT_EQ(editor->control<QLabel>(kIdcDisplayDescription)->text(), "Torque Control Mode");
}

}  // namespace
}  // namespace zavo::test
