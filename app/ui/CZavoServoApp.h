#pragma once
// The application object: start-up in its fixed order (program directory, recent files,
// language library, main window, brand, settings, command line, title, the launcher's
// hand-over, the first connect) and the settings written when the main window closes.

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

#include "app/AppIds.h"
#include "app/AppSettings.h"
#include "app/ProgramDirectory.h"
#include "app/ui/ViewServices.h"

class QSettings;

namespace zavo {

class CMainFrame;
class QtPrompt;
class RecentFiles;
class UdevMonitor;
class VirtualDrive;

struct StartupOptions {
  QStringList arguments;  // the command line after the program name
  QString executableDir;  // default: the folder of the running program
  QString configDir;      // default: the user's configuration folder for ZavoServo
  QString tempDir;        // default: the system's temporary folder
  // Step 3: load the language library; false ends the start-up without a word.
  std::function<bool()> loadLanguage;
  // Replacements for the port list and the port dialog (tests).
  ViewServices::PortEntries portEntries;
  ViewServices::AskPort askPort;
  std::function<QString(QWidget*)> pickSavePath;  // the save dialog for parameter files
  QString simulatorProgram;  // default: zavodrive-sim beside the program
  bool show = true;
  bool installPrompt = true;  // message boxes as QMessageBox (tests keep their recording one)
  bool watchDevices = true;
};

class CZavoServoApp {
 public:
  explicit CZavoServoApp(StartupOptions options);
  ~CZavoServoApp();

  // The start-up; false means the program ends.
  bool InitInstance();

  CMainFrame* mainFrame() const { return frame_.get(); }
  AppSettings& settings() { return settings_; }
  const ProgramDirectory& programDirectory() const { return programDir_; }
  Brand brand() const { return brand_; }
  QString settingsPath() const;
  // Writes ZavoServo.ini from the current link settings; tells the user when it cannot.
  bool saveSettings();

  static bool loadLanguageLibrary();

 private:
  void createMainFrame();
  void watchDevices();
  void applySettingsToLink();
  void applyDriveType(int driveType);
  bool openDocument(const QString& path);
  ViewServices viewServices();
  std::vector<std::string> portEntries();

  StartupOptions options_;
  ProgramDirectory programDir_;
  AppSettings settings_;
  Brand brand_ = Brand::Zavo;
  std::unique_ptr<QtPrompt> prompt_;
  std::unique_ptr<QSettings> registry_;
  std::unique_ptr<RecentFiles> recent_;
  std::unique_ptr<VirtualDrive> virtualDrive_;
  std::unique_ptr<CMainFrame> frame_;
  std::unique_ptr<UdevMonitor> devices_;
};

}  // namespace zavo
