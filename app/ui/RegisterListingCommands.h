#pragma once
// Copy to Computer (32774) and Copy to Device (32773): the drive's register image saved to and
// written from a `.dat` listing. Both need an open link and do nothing without one.

#include <QString>

#include <string>

namespace zavo {

class CZavoServoView;

// The file dialogs' filter from the classic "text|pattern|text|pattern||" form.
QString fileDialogFilter(const QString& classic);

// Copy to Computer: a file name, the image read from the drive, then the listing written.
void copyToComputer(CZavoServoView& view);
// Copy to Device: a listing, checked and read into the image, then the image written.
void copyToDevice(CZavoServoView& view);

// The transfers behind the two commands for a file already chosen; true when the whole image
// went across. Failures have been reported to the user.
bool copyDriveToListing(CZavoServoView& view, const std::string& path);
bool copyListingToDrive(CZavoServoView& view, const std::string& path);

}  // namespace zavo
