#include "app/ui/PrintPdfCommand.h"

#include <QFileInfo>

#include <cstdio>
#include <cstring>

#include "params/catalogue/DriveContext.h"
#include "params/document/HeaderProbe.h"
#include "params/listing/ParameterListPrint.h"
#include "params/document/ZavoServoDoc.h"
#include "params/ui/ParameterListPrinter.h"
#include "resources/StringIds.h"
#include "resources/TextTable.h"

namespace zavo {
namespace {

void complain(const QString& what) { std::fprintf(stderr, "ZavoServo: %s\n", what.toLocal8Bit().constData()); }

}  // namespace

bool wantsPrintPdf(const QStringList& arguments) { return arguments.contains(QString::fromLatin1(kPrintPdfOption)); }

bool wantsPrintPdf(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], kPrintPdfOption) == 0) return true;
  return false;
}

int runPrintPdf(const QStringList& arguments, const std::function<bool()>& loadLanguage) {
  const qsizetype at = arguments.indexOf(QString::fromLatin1(kPrintPdfOption));
  if (at < 0 || at + 2 >= arguments.size()) {
    complain(QStringLiteral("usage: ZavoServo --print-pdf OUT.pdf FILE.tec"));
    return kPrintPdfUsage;
  }
  const QString out = arguments[at + 1];
  const QString file = arguments[at + 2];
  if (!loadLanguage()) {
    complain(QStringLiteral("the language library cannot be loaded"));
    return kPrintPdfFailed;
  }
  if (!QFileInfo(file).isFile()) {
    complain(QStringLiteral("%1: no such file").arg(file));
    return kPrintPdfFailed;
  }
  // The file is printed as the drive type it was written for, with that type's power-on
  // motor data, as the program opens it after the launcher chose that type.
  const HeaderProbe probe = probeHeader(file.toStdString(), temporaryDirectory());
  if (probe.outcome == HeaderProbe::Outcome::Read && probe.driveType >= 0 && probe.driveType <= 4)
    driveContext().reset(probe.driveType);
  CZavoServoDoc doc;
  doc.setTemporaryDirectory(temporaryDirectory());
  if (!doc.OnOpenDocument(file.toStdString())) return kPrintPdfFailed;  // the document said why
  if (!printParameterListToPdf(parameterListContent(doc, driveContext().driveType), out)) {
    complain(QStringLiteral("%1: %2").arg(out, QString::fromStdString(text(ids::kPrinterError))));
    return kPrintPdfFailed;
  }
  return kPrintPdfOk;
}

}  // namespace zavo
