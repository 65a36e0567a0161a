#include "app/ui/MainMenu.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>

#include <variant>
#include <vector>

#include "app/CommandIds.h"
#include "app/ui/ToolBarIcons.h"
#include "platform/qt/CommandActions.h"
#include "platform/qt/UiText.h"

namespace zavo {
namespace {

constexpr int kSeparator = 0;

struct Item {
  int id;  // kSeparator draws a line
  const char* text;
};

struct Menu {
  int titleId;  // string id of the menu title (0: the English text only)
  const char* title;
  std::vector<Item> items;
};

// Menu texts are string ids in the language table; the English text stands beside each id.
const Menu kMenus[] = {
    {0, "&File",
     {{cmd::kFileNew, "&New\tCtrl+N"},
      {cmd::kFileOpen, "&Open...\tCtrl+O"},
      {cmd::kFileSave, "&Save\tCtrl+S"},
      {cmd::kFileSaveAs, "Save &As..."},
      {kSeparator, nullptr},
      {cmd::kCopyToDevice, "Copy to &Device"},
      {cmd::kCopyToComputer, "Copy to &Computer"},
      {kSeparator, nullptr},
      {cmd::kPrint, "&Print...\tCtrl+P"},
      {cmd::kPrintPreview, "Print Pre&view"},
      {cmd::kPrintSetup, "P&rint Setup..."},
      {kSeparator, nullptr},
      {cmd::kAppExit, "E&xit"}}},
    {0, "&Communication",
     {{cmd::kPortSet, "&Port Set..."}, {cmd::kConnect, "&Connect..."}, {cmd::kDisconnect, "&Disconnect..."}}},
    {0, "&Parameter",
     {{cmd::kEditParameter, "&Edit Parameter..."},
      {cmd::kOnlineParameter, "Eidt &Online Parameter..."},
      {kSeparator, nullptr},
      {cmd::kDiDoPlanning, "D&I/DO Contact Set Property..."},
      {cmd::kPositionProgramming, "Internal Position Command &Programming..."},
      {cmd::kFullClosedLoop, "&Full-closed Loop Function..."},
      {cmd::kFlyingShear, "F&lying Shear..."},
      {cmd::kChaseShear, "C&hase Shear..."}}},
    {0, "&Monitor",
     {{cmd::kDisplayValues, "&Display Parameters..."},
      {cmd::kDiagnostics, "Dia&gnostic Parameters..."},
      {cmd::kAlarmHistory, "&Alarm Parameters..."},
      {kSeparator, nullptr},
      {cmd::kWaveTrace, "Wave &Trace..."}}},
    {0, "&Test",
     {{cmd::kJog, "&JOG Mode..."},
      {cmd::kAutoGain, "&Auto Gain Adjust..."},
      {cmd::kAutoOffset, "Auto Offset Adjust..."},
      {kSeparator, nullptr},
      {cmd::kMotorSelfTuning, "Off-line &Motor Self-tuning..."},
      {cmd::kMechanicalSelfTuning, "Off-line M&echanical Self-tuning..."},
      {cmd::kInertiaEstimation, "On-line &Inertia Estimation..."},
      {cmd::kGantrySync, "&Gantry Synchronisation..."},
      {cmd::kOnlineNotch, "Online &Notch..."},
      {cmd::kVibrationSuppression, "Low-frequency &Vibration Suppression..."},
      {cmd::kLinearMotor1, "&Linear Motor Set-up..."},
      {cmd::kLinearMotor2, "Linear Motor &Pole Detection..."},
      {kSeparator, nullptr},
      {cmd::kMechanicalAnalysis, "&Mechanical Characteristic Analyse..."}}},
    {0, "&View", {{cmd::kViewToolBar, "&Toolbar"}, {cmd::kViewStatusBar, "&Status Bar"}}},
    {0, "&Window", {{cmd::kWindowCascade, "&Cascade"}, {cmd::kWindowTile, "&Tile"}}},
    {0, "&Help",
     {{cmd::kHelpContent, "&Content"},
      {cmd::kInstallInstructions, "Drive Install Instruciton"},
      {kSeparator, nullptr},
      {cmd::kAppAbout, "&About ZavoServo..."}}},
};

// "&New\tCtrl+N": the text before the tab is the menu text, the rest its shortcut.
void applyText(QAction* a) {
  const QString full = a->text();
  const int tab = full.indexOf(QLatin1Char('\t'));
  if (tab < 0) return;
  a->setText(full.left(tab));
  a->setShortcut(QKeySequence(full.mid(tab + 1)));
}

}  // namespace

void buildMainMenu(QMenuBar* bar, CommandActions& commands) {
  for (const Menu& m : kMenus) {
    QMenu* menu = bar->addMenu(m.titleId ? uiText(m.titleId, m.title) : QString::fromUtf8(m.title));
    for (const Item& item : m.items) {
      if (item.id == kSeparator) {
        menu->addSeparator();
        continue;
      }
      QAction* a = commands.add(item.id, item.text);
      applyText(a);
      menu->addAction(a);
    }
  }
  for (int id : {cmd::kViewToolBar, cmd::kViewStatusBar}) {
    commands.action(id)->setCheckable(true);
    commands.action(id)->setChecked(true);
  }
}

void buildToolBar(QToolBar* bar, CommandActions& commands) {
  QStyle* style = QApplication::style();
  // Each button's picture says what it does: the platform's own where it has one, else ours.
  struct Button {
    int id;
    std::variant<QStyle::StandardPixmap, ToolBarPicture> icon;
  };
  const Button buttons[] = {
      {cmd::kFileNew, QStyle::SP_FileIcon},
      {cmd::kFileOpen, QStyle::SP_DialogOpenButton},
      {cmd::kFileSave, QStyle::SP_DialogSaveButton},
      {0, {}},
      {cmd::kConnect, ToolBarPicture::Connect},
      {cmd::kEditParameter, ToolBarPicture::EditParameter},
      {cmd::kWaveTrace, ToolBarPicture::WaveTrace},
      {0, {}},
      {cmd::kPrint, ToolBarPicture::Print},
      {cmd::kAppAbout, QStyle::SP_MessageBoxInformation},
  };
  for (const Button& b : buttons) {
    if (b.id == 0) {
      bar->addSeparator();
      continue;
    }
    QAction* a = commands.action(b.id);
    if (!a) continue;
    if (a->icon().isNull()) {
      if (const auto* standard = std::get_if<QStyle::StandardPixmap>(&b.icon))
        a->setIcon(style->standardIcon(*standard));
      else
        a->setIcon(toolBarIcon(std::get<ToolBarPicture>(b.icon)));
    }
    bar->addAction(a);
  }
}

}  // namespace zavo
