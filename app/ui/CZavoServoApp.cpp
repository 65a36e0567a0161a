#include "app/ui/CZavoServoApp.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>

#include "app/CommandIds.h"
#include "app/CurFile.h"
#include "app/DisplaySettings.h"
#include "app/DriveTitles.h"
#include "app/ui/CChildFrame.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/CZavoServoView.h"
#include "app/ui/RecentFiles.h"
#include "app/ui/StatusBarPanes.h"
#include "app/ui/UdevMonitor.h"
#include "app/ui/VirtualDrive.h"
#include "link/LinkPort.h"
#include "link/LinkState.h"
#include "link/PortList.h"
#include "params/catalogue/DriveContext.h"
#include "platform/Prompt.h"
#include "platform/qt/QtPrompt.h"
#include "platform/qt/UiText.h"
#include "resources/TextTable.h"

namespace zavo {
namespace {

const char* const kSettingsFile = "ZavoServo.ini";
const char* const kRegistryRoot = "Local AppWizard-Generated Applications";
const char* const kRegistryApp = "ZavoServo";
const char* const kVirtualDriveOption = "--virtual-drive";

}  // namespace

CZavoServoApp::CZavoServoApp(StartupOptions options) : options_(std::move(options)) {
  if (options_.executableDir.isEmpty()) options_.executableDir = QCoreApplication::applicationDirPath();
  if (options_.configDir.isEmpty())
    options_.configDir = QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
                             .filePath(QStringLiteral("ZavoServo"));
  if (options_.tempDir.isEmpty()) options_.tempDir = QDir::tempPath();
  if (!options_.loadLanguage) options_.loadLanguage = &CZavoServoApp::loadLanguageLibrary;
}

CZavoServoApp::~CZavoServoApp() {
  devices_.reset();
  frame_.reset();
  virtualDrive_.reset();
  if (prompt_) setPrompt(nullptr);
}

bool CZavoServoApp::loadLanguageLibrary() {
  if (!TextTable::active().loadLibrary(kTolkarLibrary)) return false;
  setTextLookup([](int id) { return id < 0 ? std::string() : text(static_cast<unsigned>(id)); });
  return true;
}

QString CZavoServoApp::settingsPath() const { return QString::fromStdString(programDir_.file(kSettingsFile)); }

bool CZavoServoApp::InitInstance() {
  // 1. The program directory, where settings live.
  programDir_ = ProgramDirectory::choose(options_.executableDir.toStdString(), options_.configDir.toStdString());
  if (options_.installPrompt) {
    prompt_ = std::make_unique<QtPrompt>();
    setPrompt(prompt_.get());
  }

  // 2. The recent file list.
  registry_ = std::make_unique<QSettings>(QString::fromLatin1(kRegistryRoot), QString::fromLatin1(kRegistryApp));
  recent_ = std::make_unique<RecentFiles>(*registry_);
  recent_->read();

  // 3. The language library; without it there is nothing to show.
  if (!options_.loadLanguage()) return false;

  // 4. The main window.
  createMainFrame();

  // 5. The brand, by the application title; device changes reach the frame.
  brand_ = brandOf(uiText(kIdsAppTitle, "ZavoServo").toStdString());
  if (options_.watchDevices) watchDevices();

  // 6. The settings of the last run.
  settings_.load(settingsPath().toStdString());
  applySettingsToLink();

  // 7. The command line: a file to open, else a new document.
  QString fileArgument;
  for (const QString& a : options_.arguments)
    if (!a.startsWith(QLatin1String("--"))) fileArgument = a;
  if (!fileArgument.isEmpty()) {
    if (!openDocument(fileArgument)) return false;
  } else {
    frame_->newDocument();
  }

  // 8. Title and catalogue by drive type; the window appears.
  applyDriveType(driveContext().driveType);
  if (options_.show) {
    // Sized to the screen first: without a window manager "maximised" means nothing.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) frame_->resize(screen->availableGeometry().size());
    frame_->showMaximized();
  }

  // 9. The launcher's hand-over.
  bool fileFromLauncher = false;
  const CurFile handOver = CurFile::takeFrom(CurFile::pathIn(options_.tempDir.toStdString()));
  if (handOver.present) {
    if (const auto type = handOver.driveType()) applyDriveType(*type);
    if (handOver.parameterFile) {
      if (!openDocument(QString::fromStdString(*handOver.parameterFile))) {
        showMessage("failed");
        return false;
      }
      fileFromLauncher = true;
    }
  }

  // 10. A first start without a file goes straight to the connect dialog.
  if (!fileFromLauncher) {
    if (CZavoServoView* view = frame_->activeView()) {
      // A trial run on the virtual drive needs no port choice.
      if (options_.arguments.contains(QString::fromLatin1(kVirtualDriveOption)))
        view->connectToVirtualDrive();
      else
        view->connectCommand();
    }
  }
  return true;
}

void CZavoServoApp::createMainFrame() {
  virtualDrive_ = std::make_unique<VirtualDrive>(
      options_.simulatorProgram.isEmpty() ? VirtualDrive::defaultProgram() : options_.simulatorProgram);
  FrameServices fs;
  fs.viewServices = [this] { return viewServices(); };
  fs.saveSettings = [this] { saveSettings(); };
  fs.driveType = [] { return driveContext().driveType; };
  fs.programDir = programDir_.path;
  fs.openFile = [this](const QString& path) { return openDocument(path); };
  fs.recentFiles = [this] { return recent_->paths(); };
  fs.fileSaved = [this](const QString& path) { recent_->add(QFileInfo(path).absoluteFilePath()); };
  frame_ = std::make_unique<CMainFrame>(std::move(fs));
  // A title from the start: a maximised child window adds its name to it.
  frame_->setTitleForDriveType(driveContext().driveType);
}

void CZavoServoApp::watchDevices() {
  devices_ = std::make_unique<UdevMonitor>();
  std::string error;
  if (devices_->start(&error))
    QObject::connect(devices_.get(), &UdevMonitor::deviceChanged, frame_.get(), &CMainFrame::onDeviceEvent);
  else
    showMessage("Can't register device notification: " + error, {}, PromptIcon::Exclamation);
}

void CZavoServoApp::applyDriveType(int driveType) {
  const bool changed = driveContext().driveType != driveType;
  driveContext().driveType = driveType;
  settings_.driveType = driveType;
  frame_->setTitleForDriveType(driveType);
  // A new, untouched document follows the type; an opened file keeps its values.
  CZavoServoView* view = frame_->activeView();
  if (changed && view && view->document().pathName().empty() && !view->document().isModified())
    view->document().rebuildForDriveType();
}

void CZavoServoApp::applySettingsToLink() {
  LinkState& link = linkState();
  link.comPortIndex = settings_.comPort;
  link.baudIndex = settings_.baudIndex;
  link.station = settings_.station;
  link.modbusMode = settings_.modbusMode;
  link.modbusFormat = settings_.modbusFormat;
  link.modbusAscii = settings_.modbusAscii;
}

bool CZavoServoApp::saveSettings() {
  const LinkState& link = linkState();
  settings_.comPort = link.comPortIndex;
  settings_.baudIndex = link.baudIndex;
  settings_.station = link.station;
  settings_.modbusMode = link.modbusMode;
  settings_.modbusFormat = link.modbusFormat;
  settings_.driveType = driveContext().driveType;
  // The window the user worked in last has the word on the display selection, also when its
  // editor changed the selection in place.
  if (CZavoServoView* view = frame_ ? frame_->activeView() : nullptr)
    storeDisplaySelection(view->displaySelection(), settings_);
  if (recent_) recent_->write();
  std::string error;
  if (settings_.save(settingsPath().toStdString(), &error)) return true;
  showMessage("The settings could not be saved to " + settingsPath().toStdString() + ":\n" + error, "ZavoServo",
              PromptIcon::Exclamation);
  return false;
}

bool CZavoServoApp::openDocument(const QString& path) {
  // One document per frame: a file takes the place of the open one, after the save question,
  // in the same window and with the same link.
  CZavoServoView* view = frame_->activeView();
  CChildFrame* child = view ? qobject_cast<CChildFrame*>(view->parentWidget()) : nullptr;
  const bool made = !child;
  if (made)
    child = frame_->addChild(QFileInfo(path).fileName());
  else if (!view->document().SaveModified())
    return false;
  if (!child->view()->document().OnOpenDocument(path.toStdString())) {
    if (made) child->close();
    return false;
  }
  child->setWindowTitle(QFileInfo(path).fileName());
  child->view()->documentOpened();
  recent_->add(QFileInfo(path).absoluteFilePath());
  return true;
}

std::vector<std::string> CZavoServoApp::portEntries() {
  SystemPortSource source;
  std::vector<std::string> entries = buildPortList(source, probePort());
  if (QFileInfo(virtualDrive_->program()).isExecutable()) entries.push_back(kSimulatorEntry);
  return entries;
}

ViewServices CZavoServoApp::viewServices() {
  ViewServices s;
  s.status = frame_ ? frame_->statusPanes() : nullptr;
  s.portEntries = options_.portEntries ? options_.portEntries : [this] { return portEntries(); };
  if (options_.askPort) s.askPort = options_.askPort;
  s.pickSavePath = options_.pickSavePath;
  s.virtualDrive = virtualDrive_.get();
  s.programDir = programDir_.path;
  s.tempDir = options_.tempDir.toStdString();
  s.preferSimulator = options_.arguments.contains(QString::fromLatin1(kVirtualDriveOption));
  s.displaySelection = displaySelectionFrom(settings_);
  s.displaySelectionChanged = [this](const DisplaySelection& selection) { storeDisplaySelection(selection, settings_); };
  return s;
}

}  // namespace zavo
