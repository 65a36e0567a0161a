#pragma once
// The main window: menus and tool bar, the work area with one child window per document, and
// the eight-pane status bar. Commands of the frame itself (New, help, About, windows) run
// here; every other command goes to the active view. A command nobody serves is disabled.

#include <QMainWindow>
#include <QStringList>

#include <functional>
#include <string>

#include "app/CommandTable.h"
#include "app/DeviceEvent.h"
#include "app/ui/ViewServices.h"
#include "platform/qt/CommandActions.h"

class QMdiArea;
class QToolBar;
class QUrl;

namespace zavo {

class CChildFrame;
class CZavoServoView;
class StatusBarPanes;

struct FrameServices {
  std::function<ViewServices()> viewServices;  // for each new view
  std::function<void()> saveSettings;          // on close
  std::function<bool(const QUrl&)> openUrl;    // the desktop's "open"
  std::function<int()> driveType;
  std::function<bool(const QString&)> openFile;  // a parameter file into a new child window
  std::function<QStringList()> recentFiles;
  std::function<void(const QString&)> fileSaved;  // for the recent file list
  std::string programDir;
};

class CMainFrame final : public QMainWindow {
  Q_OBJECT
 public:
  explicit CMainFrame(FrameServices services, QWidget* parent = nullptr);
  ~CMainFrame() override;

  CommandActions& commands() { return actions_; }
  StatusBarPanes* statusPanes() const { return status_; }
  QToolBar* toolBar() const { return toolBar_; }
  QMdiArea* mdiArea() const { return mdi_; }
  CZavoServoView* activeView() const;

  // Runs a menu command as the menu does; false when it is disabled.
  bool runCommand(int commandId);
  // New: a new document in its own child window titled "New Project".
  CChildFrame* newDocument();
  // A child window with a new document.
  CChildFrame* addChild(const QString& title);
  void setTitleForDriveType(int driveType);
  // A device came or went; the removal of the drive's interface takes the link down.
  void onDeviceEvent(const DeviceEvent& e);
  // Enables exactly the commands that the frame or the active view serves.
  void updateCommandStates();
  void setUrlOpener(std::function<bool(const QUrl&)> open) { services_.openUrl = std::move(open); }

  // The trace settings file pickers: an existing file to open, or a file to save (with the
  // overwrite question). The chosen path is kept; false when the user cancels.
  bool pickTraceSettingsFile(bool forSave);
  const QString& pickedPath() const { return pickedPath_; }
  // The file-name part of the kept path.
  QString pickedFileName() const;
  // Files dropped on the window: each local one opens as a document.
  void openDropped(const QList<QUrl>& urls);

 protected:
  void closeEvent(QCloseEvent* e) override;
  // Parameter files dropped on the window open as documents.
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dropEvent(QDropEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  void route(int commandId);
  void openHelp();
  void openInstallInstructions();
  void openProgramFile(const QString& name);
  void showAbout();
  void openCommand();
  void saveCommand(bool askPath);
  void openRecent(int slot);
  void updateRecentMenu();

  FrameServices services_;
  CommandActions actions_{this};
  CommandTable frameCommands_;
  QMdiArea* mdi_;
  StatusBarPanes* status_;
  QToolBar* toolBar_;
  QString pickedPath_;
};

}  // namespace zavo
