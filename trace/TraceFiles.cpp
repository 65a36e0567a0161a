#include "trace/TraceFiles.h"

#include <algorithm>
#include <cctype>

#include "params/document/BoundedFileRead.h"
#include "params/document/DocumentTexts.h"
#include "resources/StringIds.h"
#include "resources/TextTable.h"
#include "trace/TraceCsv.h"

namespace zavo::trace {
namespace {

// Two header lines and 4 × 30000 samples stay well below this.
constexpr std::size_t kMaxTraceFileBytes = 1024 * 1024;
constexpr std::size_t kShortestName = 3;

std::string lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

std::string fileNameOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string extensionOf(const std::string& path) {
  const std::string name = fileNameOf(path);
  const auto dot = name.find_last_of('.');
  return dot == std::string::npos ? std::string() : lower(name.substr(dot + 1));
}

}  // namespace

TraceOpen openTraceFile(const std::string& path, int driveType, int modeWithoutWord) {
  TraceOpen o;
  if (extensionOf(path) != "trd") return o;
  std::string bytes;
  if (readFileBounded(path, kMaxTraceFileBytes, bytes) != FileReadStatus::Ok) return o;
  auto f = parseTraceFile(bytes, modeWithoutWord);
  if (!f) return o;
  if (f->driveType != driveType) {
    o.result = TraceOpenResult::OtherDriveType;
    return o;
  }
  clampDrawingState(*f, TraceSources(f->driveType, f->terminals));
  o.result = TraceOpenResult::Ok;
  o.file = std::move(*f);
  return o;
}

std::string traceOpenMessage(TraceOpenResult r) {
  if (r == TraceOpenResult::OtherDriveType) {
    const std::string t = text(ids::kSerialError);
    return t.empty() ? "Serial error" : t;
  }
  return doctext::text(doctext::kInvalidFile);
}

TraceFormat traceFormatOf(const std::string& path) {
  if (fileNameOf(path).size() < kShortestName) return TraceFormat::None;
  const std::string ext = extensionOf(path);
  if (ext == "trd") return TraceFormat::Binary;
  if (ext == "csv") return TraceFormat::Text;
  return TraceFormat::None;
}

std::string traceFileText(const TraceRecordFile& f, TraceFormat format) {
  switch (format) {
    case TraceFormat::Binary: return traceFileBytes(f);
    case TraceFormat::Text: return traceCsvText(f);
    case TraceFormat::None: break;
  }
  return {};
}

TraceSave saveTraceFile(const std::string& path, const TraceRecordFile& f) {
  TraceSave s;
  const TraceFormat format = traceFormatOf(path);
  if (format == TraceFormat::None) return s;
  const SaveResult r = saveFileAtomically(path, traceFileText(f, format));
  s.outcome = r ? TraceSave::Outcome::Written : TraceSave::Outcome::Failed;
  s.error = r.error;
  return s;
}

}  // namespace zavo::trace
