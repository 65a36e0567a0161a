#pragma once
// The printed parameter list on Qt Print Support: the pages of the layout model painted on a
// QPrinter (paper, PDF file or the preview), in logical units of 1/100 inch from the paper's
// edge.

#include <QFont>
#include <QString>

#include "params/listing/PrintLayout.h"

class QPrinter;
class QWidget;

namespace zavo {

// The font of a role; the families are those of the classic printout, with a style hint so
// that a system without them takes the nearest face.
QFont printFont(PrintFont font);

// The paper of `printer` in logical units (its whole sheet: the layout keeps its own margins).
PageGeometry pageGeometryOf(const QPrinter& printer);

// The pages `content` takes on `printer`, measured with the printer's fonts.
std::vector<PrintPage> layoutFor(QPrinter& printer, const PrintContent& content);

// Paints the list on `printer`; false when the printer cannot be opened or fails on the way.
bool paintParameterList(QPrinter& printer, const PrintContent& content);

// The Print command: the print dialog, then the list; "Printer Error!" when printing fails.
void printParameterList(const PrintContent& content, QWidget* parent);
// The Print Preview command.
void previewParameterList(const PrintContent& content, QWidget* parent);
// Prints straight to a PDF file on A4; false (without a message) when that fails.
bool printParameterListToPdf(const PrintContent& content, const QString& path);

}  // namespace zavo
