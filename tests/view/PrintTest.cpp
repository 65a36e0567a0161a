// Printing the parameter list: `ZavoServo --print-pdf` for every drive type checked with the
// poppler tools, its failures, and the preview of the running program.

#include <gtest/gtest.h>

#include <QApplication>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTimer>

#include "params/catalogue/Catalogue.h"
#include "params/listing/ParameterListPrint.h"
#include "params/ui/ParameterListPrinter.h"
#include "platform/qt/UiText.h"
#include "resources/TextTable.h"
#include "tests/ui/AppFixture.h"

namespace zavo::test {
namespace {

struct ProgramRun {
  int exitCode = -1;
  QString out;
  QString err;
};

ProgramRun run(const QString& program, const QStringList& args, bool withoutDisplay = false) {
  QProcess p;
  if (withoutDisplay) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(QString::fromLatin1(name));
    p.setProcessEnvironment(env);
  }
  p.start(program, args);
  if (!p.waitForFinished(60000)) return {};
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
          QString::fromUtf8(p.readAllStandardError())};
}

class PrintTest : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    ASSERT_TRUE(TextTable::active().loadLibrary(TOLKAR_PATH));
  }
  void TearDown() override {
    AppFixture::TearDown();
    driveContext().reset(2);
  }

  // A file of `type` whose values are not the defaults: each parameter at its minimum, its
  // maximum or halfway, in turn, so that the printed values differ from row to row.
  std::string writeFile(int type) {
    driveContext().reset(type);
    CZavoServoDoc doc;
    doc.OnNewDocument();
    int n = 0;
    for (const catalogue::Entry& e : catalogue::parameters(type)) {
      GroupImage& image = doc.images[e.group];
      if (!image.has(e.slot)) continue;
      const auto s = static_cast<std::size_t>(e.slot);
      const std::int64_t min = image.min[s], max = image.max[s];
      image.value[s] = static_cast<std::int32_t>(n % 3 == 0 ? min : n % 3 == 1 ? max : (min + max) / 2);
      ++n;
    }
    const std::string path = (root / ("type" + std::to_string(type) + ".tec")).string();
    EXPECT_TRUE(doc.OnSaveDocument(path).ok);
    return path;
  }
};

TEST_F(PrintTest, EveryDriveTypePrintsEachParameterWithItsValueToPdf) {
  for (int type = 0; type < catalogue::kDriveTypeCount; ++type) {
    const std::string tec = writeFile(type);
    const QString pdf = QString::fromStdString((root / ("type" + std::to_string(type) + ".pdf")).string());
    const ProgramRun printed = run(QStringLiteral(ZAVO_PROGRAM), {QStringLiteral("--print-pdf"), pdf, QString::fromStdString(tec)}, true);
    ASSERT_EQ(printed.exitCode, 0) << type << ": " << printed.err.toStdString();

    // What the program should have printed: the file as opened under its own drive type.
    driveContext().reset(type);
    CZavoServoDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(tec));
    const PrintContent content = parameterListContent(doc, type);
    QPrinter a4(QPrinter::HighResolution);
    a4.setOutputFormat(QPrinter::PdfFormat);
    a4.setPageSize(QPageSize(QPageSize::A4));
    a4.setFullPage(true);
    const std::size_t pages = layoutFor(a4, content).size();

    const ProgramRun info = run(QStringLiteral("pdfinfo"), {pdf});
    ASSERT_EQ(info.exitCode, 0) << "pdfinfo from poppler-utils: " << info.err.toStdString();
    const QString pagesLine = info.out.split(QLatin1Char('\n')).filter(QRegularExpression(QStringLiteral("^Pages:"))).value(0);
    EXPECT_EQ(pagesLine.mid(6).trimmed().toInt(), static_cast<int>(pages)) << type << "\n" << info.out.toStdString();
    EXPECT_GE(pages, 3u) << type;

    const ProgramRun pdfText = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_EQ(pdfText.exitCode, 0);
    const QStringList lines = pdfText.out.split(QLatin1Char('\n'));
    EXPECT_EQ(lines.filter(QString::fromStdString(content.header)).size(), static_cast<qsizetype>(pages)) << "a header per page";
    std::size_t rows = 0;
    for (const PrintGroup& g : content.groups) {
      EXPECT_TRUE(pdfText.out.contains(QString::fromStdString(g.title))) << g.title;
      for (const PrintRow& r : g.rows) {
        ++rows;
        const QString code = QString::fromStdString(r.code);
        const QString value = QStringLiteral(" ") + QString::fromStdString(r.value) + QStringLiteral(" ");
        const auto line = std::find_if(lines.begin(), lines.end(), [&](const QString& l) { return l.startsWith(code + QLatin1Char(' ')); });
        ASSERT_NE(line, lines.end()) << type << ": " << r.code << " not printed";
        EXPECT_TRUE((*line + QLatin1Char(' ')).contains(value)) << type << ": " << r.code << " without value " << r.value << "\n"
                                                               << line->toStdString();
      }
    }
    EXPECT_GT(rows, 100u) << type;
  }
}

TEST_F(PrintTest, PrintToPdfReportsWhatGoesWrong) {
  const QString tec = QString::fromStdString(writeFile(2));
  const QString program = QStringLiteral(ZAVO_PROGRAM);
  const QString opt = QStringLiteral("--print-pdf");
  struct Case {
    QStringList args;
    int exitCode;
    const char* says;
  };
  const Case cases[] = {
      {{opt, QStringLiteral("/nonexistent-folder/out.pdf"), tec}, 1, "Printer Error!"},
      {{opt, QString::fromStdString((root / "x.pdf").string()), QString::fromStdString((root / "missing.tec").string())}, 1, "no such file"},
      {{opt, QString::fromStdString((root / "x.pdf").string())}, 2, "usage"},
  };
  for (const Case& c : cases) {
    const ProgramRun r = run(program, c.args, true);
    EXPECT_EQ(r.exitCode, c.exitCode) << c.args.join(' ').toStdString();
    EXPECT_TRUE(r.err.contains(QString::fromLatin1(c.says))) << r.err.toStdString();
  }
  EXPECT_FALSE(std::filesystem::exists(root / "x.pdf"));
}

TEST_F(PrintTest, ThePreviewShowsThePagesOfTheLayout) {
  StartupOptions o = options();
  o.loadLanguage = [] {
    setTextLookup([](int id) { return id < 0 ? std::string() : text(static_cast<unsigned>(id)); });
    return true;
  };
  ASSERT_TRUE(start(std::move(o)));
  int shownPages = -1;
  int expectedPages = -2;
  QTimer::singleShot(0, [&] {
    std::function<void()> look = [&] {
      auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
      if (!preview) return QTimer::singleShot(10, look);
      auto* widget = preview->findChild<QPrintPreviewWidget*>();
      shownPages = widget ? widget->pageCount() : -1;
      expectedPages = static_cast<int>(
          layoutFor(*preview->printer(), parameterListContent(view()->document(), driveContext().driveType)).size());
      preview->reject();
    };
    look();
  });
  ASSERT_TRUE(frame()->runCommand(cmd::kPrintPreview));
  EXPECT_EQ(shownPages, expectedPages);
  EXPECT_GE(shownPages, 3);
  EXPECT_TRUE(prompt.shown().empty()) << prompt.texts().front();
}

}  // namespace
}  // namespace zavo::test
