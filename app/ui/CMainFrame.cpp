#include "app/ui/CMainFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMdiArea>
#include <QMenuBar>
#include <QScreen>
#include <QToolBar>
#include <QUrl>

#include "app/AppIds.h"
#include "app/CommandIds.h"
#include "app/DriveTitles.h"
#include "app/ui/AboutDialog.h"
#include "app/ui/CChildFrame.h"
#include "app/ui/CZavoServoView.h"
#include "app/ui/MainMenu.h"
#include "app/ui/RecentFiles.h"
#include "app/ui/StatusBarPanes.h"
#include "link/LinkPort.h"
#include "link/LinkState.h"
#include "platform/Prompt.h"
#include "platform/qt/UiText.h"

namespace zavo {
namespace {

const char* const kInstallInstructionsName = "PDXM7 PDXM7-R Tuvaro";
const char* const kNewDocumentTitle = "New Project";
const char* const kTraceSettingsSuffix = "tse";

}  // namespace

CMainFrame::CMainFrame(FrameServices services, QWidget* parent)
    : QMainWindow(parent), services_(std::move(services)), mdi_(new QMdiArea(this)),
      status_(new StatusBarPanes(this)), toolBar_(new QToolBar(this)) {
  setObjectName(QStringLiteral("CMainFrame"));
  if (!services_.openUrl) services_.openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
  setCentralWidget(mdi_);
  setStatusBar(status_);
  buildMainMenu(menuBar(), actions_);
  toolBar_->setObjectName(QStringLiteral("toolBar%1").arg(kIdrMainFrame));
  toolBar_->setMovable(true);
  buildToolBar(toolBar_, actions_);
  addToolBar(Qt::TopToolBarArea, toolBar_);
  setAcceptDrops(true);

  frameCommands_.on(cmd::kFileNew, [this] { newDocument(); });
  frameCommands_.on(cmd::kFileOpen, [this] { openCommand(); });
  frameCommands_.on(cmd::kFileSave, [this] { saveCommand(false); });
  frameCommands_.on(cmd::kFileSaveAs, [this] { saveCommand(true); });
  // The recent files sit above Exit, refreshed whenever the File menu opens.
  QAction* exitAction = actions_.action(cmd::kAppExit);
  QAction* fileTitle = menuBar()->actions().value(0);
  if (QMenu* fileMenu = fileTitle ? fileTitle->menu() : nullptr) {
    for (int slot = 0; slot < cmd::kRecentFileCount; ++slot) {
      QAction* a = actions_.add(cmd::kRecentFileFirst + slot, "");
      a->setVisible(false);
      fileMenu->insertAction(exitAction, a);
      frameCommands_.on(cmd::kRecentFileFirst + slot, [this, slot] { openRecent(slot); });
    }
    fileMenu->insertSeparator(exitAction);
    connect(fileMenu, &QMenu::aboutToShow, this, &CMainFrame::updateRecentMenu);
  }
  frameCommands_.on(cmd::kAppExit, [this] { close(); });
  frameCommands_.on(cmd::kAppAbout, [this] { showAbout(); });
  frameCommands_.on(cmd::kHelpContent, [this] { openHelp(); });
  frameCommands_.on(cmd::kInstallInstructions, [this] { openInstallInstructions(); });
  frameCommands_.on(cmd::kWindowCascade, [this] { mdi_->cascadeSubWindows(); });
  frameCommands_.on(cmd::kWindowTile, [this] { mdi_->tileSubWindows(); });
  frameCommands_.on(cmd::kViewToolBar, [this] { toolBar_->setVisible(actions_.action(cmd::kViewToolBar)->isChecked()); });
  frameCommands_.on(cmd::kViewStatusBar,
                    [this] { status_->setVisible(actions_.action(cmd::kViewStatusBar)->isChecked()); });
  actions_.setRouter([this](int id) { route(id); });
  connect(mdi_, &QMdiArea::subWindowActivated, this, &CMainFrame::updateCommandStates);
  // Some commands depend on more than the link (the tuning commands on the windows open):
  // a menu shows them as they are the moment it opens.
  for (QAction* title : menuBar()->actions())
    if (QMenu* menu = title->menu()) connect(menu, &QMenu::aboutToShow, this, &CMainFrame::updateCommandStates);
  updateCommandStates();
}

CMainFrame::~CMainFrame() {
  // The child windows go down with the work area after this frame's members; none of their
  // signals may reach the frame then.
  // (Closed windows not yet deleted are no longer in the area's list, but still children.)
  disconnect(mdi_, nullptr, this, nullptr);
  for (QObject* child : mdi_->findChildren<QObject*>()) disconnect(child, nullptr, this, nullptr);
  // The port goes down with the main window, so the drive does not keep a half-open line.
  if (linkState().isConnected()) mainPort().Close();
}

CZavoServoView* CMainFrame::activeView() const {
  QMdiSubWindow* sub = mdi_->currentSubWindow();
  if (!sub) sub = mdi_->activeSubWindow();
  if (!sub && !mdi_->subWindowList().isEmpty()) sub = mdi_->subWindowList().last();
  auto* child = qobject_cast<CChildFrame*>(sub);
  return child ? child->view() : nullptr;
}

void CMainFrame::route(int commandId) {
  if (frameCommands_.run(commandId)) return;
  if (CZavoServoView* view = activeView()) view->runCommand(commandId);
}

bool CMainFrame::runCommand(int commandId) {
  updateCommandStates();
  return actions_.trigger(commandId);
}

void CMainFrame::updateCommandStates() {
  CZavoServoView* view = activeView();
  for (int id : actions_.ids())
    actions_.action(id)->setEnabled(frameCommands_.handles(id) || (view && view->commandEnabled(id)));
}

CChildFrame* CMainFrame::newDocument() {
  auto* current = qobject_cast<CChildFrame*>(mdi_->activeSubWindow() ? mdi_->activeSubWindow() : mdi_->currentSubWindow());
  if (current) {
    // The save-before-discard question; Cancel ends the command and keeps the document.
    CZavoServoDoc& doc = current->view()->document();
    if (!doc.SaveModified()) return nullptr;
    doc.OnNewDocument();
    current->setWindowTitle(QString::fromUtf8(kNewDocumentTitle));
    current->view()->documentRenewed();
    current->view()->refreshStatus();
    return current;
  }
  CChildFrame* child = addChild(QString::fromUtf8(kNewDocumentTitle));
  child->view()->documentRenewed();
  return child;
}

CChildFrame* CMainFrame::addChild(const QString& title) {
  auto* view = new CZavoServoView(services_.viewServices ? services_.viewServices() : ViewServices{});
  auto* child = new CChildFrame(view);
  child->setWindowTitle(title);
  mdi_->addSubWindow(child);
  connect(view, &CZavoServoView::linkChanged, this, &CMainFrame::updateCommandStates);
  connect(view, &CZavoServoView::driveTypeChanged, this, &CMainFrame::setTitleForDriveType);
  connect(child, &QObject::destroyed, this, [this] {
    updateCommandStates();
    // The view took its link with it: without a view nothing says so but the frame.
    if (!activeView()) {
      StatusSnapshot offline;
      offline.driveType = services_.driveType ? services_.driveType() : offline.driveType;
      status_->refreshAll(offline);
    }
  });
  child->showMaximized();
  mdi_->setActiveSubWindow(child);
  updateCommandStates();
  view->refreshStatus();
  return child;
}

void CMainFrame::openCommand() {
  const QString path = QFileDialog::getOpenFileName(this, QString(), QString(), tecFileFilter());
  if (!path.isEmpty() && services_.openFile) services_.openFile(path);
}

void CMainFrame::saveCommand(bool askPath) {
  CZavoServoView* view = activeView();
  if (!view) return;
  CZavoServoDoc& doc = view->document();
  std::optional<std::string> path;
  if (!askPath && !doc.pathName().empty()) path = doc.pathName();
  if (!path) path = view->askSavePath();
  if (!path) return;
  const SaveResult r = doc.OnSaveDocument(*path);
  if (!r) {
    showMessage(r.error, {}, PromptIcon::Stop);
    return;
  }
  const QString saved = QString::fromStdString(*path);
  if (auto* child = qobject_cast<CChildFrame*>(view->parentWidget())) child->setWindowTitle(QFileInfo(saved).fileName());
  if (services_.fileSaved) services_.fileSaved(saved);
}

void CMainFrame::openRecent(int slot) {
  const QStringList recent = services_.recentFiles ? services_.recentFiles() : QStringList();
  if (slot < recent.size() && services_.openFile) services_.openFile(recent[slot]);
}

void CMainFrame::updateRecentMenu() {
  const QStringList recent = services_.recentFiles ? services_.recentFiles() : QStringList();
  for (int slot = 0; slot < cmd::kRecentFileCount; ++slot) {
    QAction* a = actions_.action(cmd::kRecentFileFirst + slot);
    a->setVisible(slot < recent.size());
    if (slot < recent.size()) a->setText(QStringLiteral("&%1 %2").arg(slot + 1).arg(RecentFiles::shortened(recent[slot])));
  }
}

void CMainFrame::setTitleForDriveType(int driveType) {
  const TextRef t = titleText(driveType);
  setWindowTitle(uiText(t.id, t.english));
}

void CMainFrame::onDeviceEvent(const DeviceEvent& e) {
  if (!isDriveRemoval(e) || !linkState().isConnected()) return;
  if (CZavoServoView* view = activeView())
    view->linkLostByRemoval();
  else {
    mainPort().Close();
    linkState().connected = 0;
  }
  const std::string text = uiText(kIdsCommunicateError, "Communicate Error!").toStdString() + "\n\n" + "Disconnect" + " !!";
  showMessage(text, "Communication Message", PromptIcon::Stop, true);
  updateCommandStates();
}

void CMainFrame::openProgramFile(const QString& name) {
  const QString path = QDir(QString::fromStdString(services_.programDir)).filePath(name);
  // The desktop says nothing when a file is missing; say it here, or the command looks dead.
  if (!QFileInfo::exists(path) || !services_.openUrl(QUrl::fromLocalFile(path)))
    showMessage("Cannot open " + path.toStdString(), "ZavoServo", PromptIcon::Exclamation);
}

void CMainFrame::openHelp() {
  const int type = services_.driveType ? services_.driveType() : 2;
  const TextRef name = helpNameText(type);
  openProgramFile(uiText(name.id, name.english) + QStringLiteral(".chm"));
}

void CMainFrame::openInstallInstructions() { openProgramFile(QString::fromUtf8(kInstallInstructionsName)); }

void CMainFrame::showAbout() {
  AboutDialog about(services_.driveType ? services_.driveType() : 2, this);
  about.exec();
}

bool CMainFrame::pickTraceSettingsFile(bool forSave) {
  QFileDialog dialog(this);
  dialog.setNameFilter(tecFileFilter());
  dialog.setDefaultSuffix(QString::fromLatin1(kTraceSettingsSuffix));
  dialog.setOption(QFileDialog::ReadOnly, false);
  if (forSave) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  pickedPath_ = dialog.selectedFiles().first();
  return true;
}

QString CMainFrame::pickedFileName() const { return QFileInfo(pickedPath_).fileName(); }

void CMainFrame::dragEnterEvent(QDragEnterEvent* e) {
  if (e->mimeData()->hasUrls()) e->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* e) {
  openDropped(e->mimeData()->urls());
  e->acceptProposedAction();
}

void CMainFrame::openDropped(const QList<QUrl>& urls) {
  for (const QUrl& url : urls)
    if (url.isLocalFile() && services_.openFile) services_.openFile(url.toLocalFile());
}

void CMainFrame::closeEvent(QCloseEvent* e) {
  // Every changed document is offered for saving first; Cancel keeps the program open.
  for (QMdiSubWindow* sub : mdi_->subWindowList()) {
    auto* child = qobject_cast<CChildFrame*>(sub);
    if (child && !child->view()->document().SaveModified()) {
      e->ignore();
      return;
    }
  }
  if (services_.saveSettings) services_.saveSettings();
  QMainWindow::closeEvent(e);
}

void CMainFrame::resizeEvent(QResizeEvent* e) {
  QMainWindow::resizeEvent(e);
  const QScreen* s = screen();
  status_->applyWidths(s ? s->geometry().width() : width());
}

}  // namespace zavo
