#pragma once
// The base of every dialog: bound to its resource id, its controls registered by control id.
// Code, tests and the text table find a control by id (`control<QComboBox>(1410)`); captions
// come from the active table for (resource id, control id), with the English text given at
// registration as the fallback.

#include <QDialog>

#include <map>

class QGroupBox;
class QLabel;
class QPushButton;

namespace zavo {

// The two command ids every dialog shares.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

class ResourceDialog : public QDialog {
  Q_OBJECT
 public:
  ResourceDialog(int resourceId, const char* englishTitle, QWidget* parent = nullptr);

  int resourceId() const { return resourceId_; }
  QWidget* controlWidget(int id) const;
  template <class T>
  T* control(int id) const {
    return qobject_cast<T*>(controlWidget(id));
  }
  // Presses button `id` as a click would (nothing when it is not an enabled button).
  void press(int id);
  // Escape and the close button take the Cancel path, as the Cancel button does.
  void reject() override { onCancel(); }

 protected:
  // Registers `widget` under `id`; when `english` is given, the caption (button, label, check
  // box, group box) is set from the text table.
  template <class T>
  T* addControl(int id, T* widget, const char* english = nullptr) {
    registerControl(id, widget, english);
    return widget;
  }
  // A push button: 1 runs onOk, 2 runs onCancel, any other id only what the caller connects.
  QPushButton* addButton(int id, const char* english);
  // Unnamed static texts and frames, their captions looked up by their English text.
  QLabel* staticText(const char* english);
  QGroupBox* groupBox(const char* english);

  QString text(int controlId, const char* english) const;

  // The classic OK and Cancel handlers; an override ends with the base call to close.
  virtual void onOk() { QDialog::accept(); }
  virtual void onCancel() { QDialog::reject(); }

 private:
  void registerControl(int id, QWidget* widget, const char* english);

  int resourceId_;
  std::map<int, QWidget*> controls_;
};

// Sets the visible caption of a button, label or group box.
void setCaption(QWidget* widget, const QString& caption);

}  // namespace zavo
