#include "platform/qt/ResourceDialog.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "platform/qt/UiText.h"

namespace zavo {

void setCaption(QWidget* widget, const QString& caption) {
  if (auto* b = qobject_cast<QAbstractButton*>(widget))
    b->setText(caption);
  else if (auto* l = qobject_cast<QLabel*>(widget))
    l->setText(caption);
  else if (auto* g = qobject_cast<QGroupBox*>(widget))
    g->setTitle(caption);
}

ResourceDialog::ResourceDialog(int resourceId, const char* englishTitle, QWidget* parent)
    : QDialog(parent), resourceId_(resourceId) {
  setObjectName(QStringLiteral("dialog%1").arg(resourceId));
  setWindowTitle(text(0, englishTitle));
}

QWidget* ResourceDialog::controlWidget(int id) const {
  const auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : it->second;
}

void ResourceDialog::press(int id) {
  auto* b = qobject_cast<QAbstractButton*>(controlWidget(id));
  if (b && b->isEnabled()) b->click();
}

QString ResourceDialog::text(int controlId, const char* english) const {
  return dialogText(resourceId_, controlId, english);
}

void ResourceDialog::registerControl(int id, QWidget* widget, const char* english) {
  controls_[id] = widget;
  widget->setObjectName(QStringLiteral("control%1").arg(id));
  if (english) setCaption(widget, text(id, english));
}

QPushButton* ResourceDialog::addButton(int id, const char* english) {
  auto* b = addControl(id, new QPushButton(this), english);
  b->setAutoDefault(id == kIdOk);
  if (id == kIdOk) {
    b->setDefault(true);
    connect(b, &QPushButton::clicked, this, [this] { onOk(); });
  } else if (id == kIdCancel) {
    connect(b, &QPushButton::clicked, this, [this] { onCancel(); });
  }
  return b;
}

QLabel* ResourceDialog::staticText(const char* english) { return new QLabel(text(0, english), this); }

QGroupBox* ResourceDialog::groupBox(const char* english) { return new QGroupBox(text(0, english), this); }

}  // namespace zavo
