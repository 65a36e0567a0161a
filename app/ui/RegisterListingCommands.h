#pragma once
// Copy to Computer (32774) and Copy to Device (32773): the drive's register image saved to and
// written from a `.dat` listing. Both need an open link and do nothing without one.

#include <QString>

namespace zavo {

class CZavoServoView;

// The file dialogs' filter from the classic "text|pattern|text|pattern||" form.
QString fileDialogFilter(const QString& classic);

// Copy to Computer: a file name, the image read from the drive, then the listing written.
void copyToComputer(CZavoServoView& view);
// Copy to Device: a listing, checked and read into the image, then the image written.
void copyToDevice(CZavoServoView& view);

}  // namespace zavo
