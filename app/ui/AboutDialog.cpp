#include "app/ui/AboutDialog.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "app/AppIds.h"
#include "app/DriveTitles.h"
#include "platform/qt/UiText.h"

namespace zavo {

AboutDialog::AboutDialog(int driveType, QWidget* parent) : ResourceDialog(kIddAbout, "About ZavoServo", parent) {
  auto* icon = new QLabel(this);
  const QIcon appIcon = QApplication::windowIcon().isNull()
                            ? QApplication::style()->standardIcon(QStyle::SP_ComputerIcon)
                            : QApplication::windowIcon();
  icon->setPixmap(appIcon.pixmap(48, 48));
  const TextRef title = titleText(driveType);
  auto* version = addControl(kIdcAboutVersion, new QLabel(uiText(title.id, title.english), this));
  QFont bold = version->font();
  bold.setBold(true);
  version->setFont(bold);
  QLabel* rights = staticText("Commissioning tool for AC servo drives");
  QPushButton* ok = addButton(kIdOk, "OK");

  auto* layout = new QGridLayout(this);
  layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
  layout->addWidget(version, 0, 1);
  layout->addWidget(rights, 1, 1);
  layout->addWidget(ok, 0, 2, Qt::AlignTop);
  layout->setColumnStretch(1, 1);
  layout->setHorizontalSpacing(16);
  setFixedSize(sizeHint().expandedTo(QSize(380, 0)));
}

}  // namespace zavo
