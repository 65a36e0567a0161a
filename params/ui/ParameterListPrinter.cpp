#include "params/ui/ParameterListPrinter.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "platform/Prompt.h"
#include "platform/qt/UiText.h"
#include "resources/StringIds.h"

namespace zavo {
namespace {

constexpr double kUnitsPerInch = 100.0;
const QColor kValueColour(0, 0, 255);

struct FontFace {
  const char* family;
  QFont::StyleHint hint;
  bool bold;
};

FontFace faceOf(PrintFont font) {
  switch (font) {
    case PrintFont::Header: return {"Arial", QFont::SansSerif, true};
    case PrintFont::GroupTitle: return {"Courier New", QFont::TypeWriter, true};
    case PrintFont::Heading: return {"Arial", QFont::SansSerif, false};
    case PrintFont::Code: return {"Courier New", QFont::TypeWriter, false};
    case PrintFont::Row: return {"Times New Roman", QFont::Serif, false};
  }
  return {"Times New Roman", QFont::Serif, false};
}

constexpr PrintFont kAllFonts[] = {PrintFont::Header, PrintFont::GroupTitle, PrintFont::Heading, PrintFont::Code,
                                   PrintFont::Row};

// Fonts sized for the painter's device: the painter is scaled to logical units, and a pixel
// size is taken in device pixels before that scale, so a font of N pixels prints N units high.
class FontSet {
 public:
  explicit FontSet(QPaintDevice* device) {
    for (PrintFont f : kAllFonts) {
      const auto i = static_cast<std::size_t>(f);
      fonts_[i] = printFont(f);
      metrics_[i] = std::make_unique<QFontMetricsF>(fonts_[i], device);
    }
  }
  const QFont& font(PrintFont f) const { return fonts_[static_cast<std::size_t>(f)]; }
  const QFontMetricsF& metrics(PrintFont f) const { return *metrics_[static_cast<std::size_t>(f)]; }
  double width(PrintFont f, std::string_view text) const {
    return metrics(f).horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  }

 private:
  std::array<QFont, std::size(kAllFonts)> fonts_;
  std::array<std::unique_ptr<QFontMetricsF>, std::size(kAllFonts)> metrics_;
};

void paintPage(QPainter& painter, const PrintPage& page, const FontSet& fonts) {
  for (const PrintRule& r : page.rules) {
    painter.setPen(QPen(Qt::black, r.width, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(r.x1, r.y + r.width / 2.0), QPointF(r.x2, r.y + r.width / 2.0));
  }
  for (const PrintText& t : page.texts) {
    painter.setFont(fonts.font(t.font));
    painter.setPen(t.blue ? kValueColour : QColor(Qt::black));
    const QString text = QString::fromStdString(t.text);
    const QFontMetricsF& m = fonts.metrics(t.font);
    const double x = t.rightAligned ? t.x - m.horizontalAdvance(text) : t.x;
    painter.drawText(QPointF(x, t.y + m.ascent()), text);
  }
}

void showPrinterError() {
  showMessage(uiText(static_cast<int>(ids::kPrinterError), "Printer Error!").toStdString(), {}, PromptIcon::Stop);
}

}  // namespace

QFont printFont(PrintFont font) {
  const FontFace face = faceOf(font);
  QFont f(QString::fromLatin1(face.family));
  f.setStyleHint(face.hint);
  f.setPixelSize(printFontHeight(font));
  f.setBold(face.bold);
  // Plain glyphs, no ligatures: text copied out of a PDF must read "fi", not one glyph.
  f.setStyleStrategy(QFont::PreferNoShaping);
  return f;
}

PageGeometry pageGeometryOf(const QPrinter& printer) {
  const QRectF paper = printer.pageLayout().fullRect(QPageLayout::Inch);
  PageGeometry g;
  g.width = static_cast<int>(paper.width() * kUnitsPerInch);
  g.height = static_cast<int>(paper.height() * kUnitsPerInch);
  return g;
}

std::vector<PrintPage> layoutFor(QPrinter& printer, const PrintContent& content) {
  const FontSet fonts(&printer);
  return layoutParameterList(content, pageGeometryOf(printer),
                             [&fonts](PrintFont f, std::string_view text) { return fonts.width(f, text); });
}

bool paintParameterList(QPrinter& printer, const PrintContent& content) {
  printer.setFullPage(true);
  const std::vector<PrintPage> pages = layoutFor(printer, content);
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const double scale = printer.resolution() / kUnitsPerInch;
  painter.scale(scale, scale);
  painter.setRenderHint(QPainter::TextAntialiasing);
  const FontSet fonts(&printer);
  for (std::size_t i = 0; i < pages.size(); ++i) {
    if (i > 0 && !printer.newPage()) {
      painter.end();
      return false;
    }
    paintPage(painter, pages[i], fonts);
  }
  painter.end();
  return printer.printerState() != QPrinter::Error;
}

void printParameterList(const PrintContent& content, QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dialog(&printer, parent);
  if (dialog.exec() != QDialog::Accepted) return;
  if (!paintParameterList(printer, content)) showPrinterError();
}

void previewParameterList(const PrintContent& content, QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  QPrintPreviewDialog preview(&printer, parent);
  bool failed = false;
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                   [&content, &failed](QPrinter* p) { failed = !paintParameterList(*p, content) || failed; });
  preview.exec();
  if (failed) showPrinterError();
}

bool printParameterListToPdf(const PrintContent& content, const QString& path) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageOrientation(QPageLayout::Portrait);
  return paintParameterList(printer, content);
}

}  // namespace zavo
