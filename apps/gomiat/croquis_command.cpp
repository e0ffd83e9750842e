#include "croquis_command.h"

#include <cstdlib>
#include <filesystem>
#include <future>
#include <map>
#include <memory>

#include "autosketch/code_table.h"
#include "autosketch/code_table_file.h"
#include "cli_session.h"
#include "code_table_place.h"
#include "convention.h"
#include "croquis_run.h"
#include "dxf_writer.h"
#include "frame/atomic_file.h"
#include "frame/environment.h"
#include "geojson_writer.h"
#include "gis_output.h"
#include "output_file.h"
#include "progress.h"
#include "qdr2_gomiat/failure.h"
#include "quality_report.h"

namespace gomiat {

namespace {

// Above this many points a run is long: progress even off a terminal.
constexpr size_t kLongRun = 100000;

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  return std::filesystem::equivalent(a, b, ec);
}

// Whether two names, existing or not, name one place.
bool SamePlace(const std::string& a, const std::string& b) {
  std::error_code ec1, ec2;
  const auto pa = std::filesystem::weakly_canonical(a, ec1);
  const auto pb = std::filesystem::weakly_canonical(b, ec2);
  return SameFile(a, b) || (!ec1 && !ec2 && pa == pb);
}

bool HasDisplay() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"})
    if (const char* v = std::getenv(name); v != nullptr && *v != '\0')
      return true;
  return false;
}

size_t VertexCount(const Sketch& s) {
  size_t n = 0;
  for (const SketchPolyline& p : s.polylines) n += p.vertices.size();
  return n;
}

void Summary(std::ostream& out, const CroquisOptions& o, const PointFile& f,
             const CroquisResult& r, const QualityReport& report) {
  // The points went into the sketch.
  out << "gomiat croquis: " << o.input << "\n"
      << "  points     " << r.sketch.points.size() << "  ("
      << DelimiterName(f.delimiter) << "-separated, "
      << EncodingName(f.encoding)
      << (f.header_skipped ? ", header skipped" : "") << ")\n"
      << "  codes      " << r.codes << "\n"
      << "  polylines  " << r.sketch.polylines.size() << "  ("
      << VertexCount(r.sketch) << " vertices)\n"
      << "  layers     " << r.sketch.layers.size() << "\n";
  WriteReportSummary(report, out);
  out << "  written    " << o.dxf << "\n";
  if (o.geojson) out << "             " << *o.geojson << "\n";
  if (o.gpkg) out << "             " << *o.gpkg << "\n";
  if (o.report) out << "             " << *o.report << "\n";
  out.flush();
}

// The joining type of every code in a table file; empty when unreadable.
std::map<std::string, std::string> JoiningOf(const std::string& table) {
  std::map<std::string, std::string> joining;
  try {
    for (const auto& f :
         qdr2_Gomiat::ParseCodeTableFile(qdr2_Gomiat::ReadFileBytes(table)))
      joining.emplace(f[0], f[2]);  // the first entry of a code wins
  } catch (const std::exception&) {
  }
  return joining;
}

bool OnlyTableSaveFailed(const SessionLog& log) {
  for (const std::string& m : log.messages)
    if (m.rfind("*Graba config", 0) != 0) return false;
  return !log.messages.empty();
}

}  // namespace

int RunCroquisCommand(const CroquisOptions& o, Terminal& t) {
  Progress progress(t.err, !o.quiet && t.err_is_terminal, t.err_is_terminal);
  const bool save = o.save_codes || o.interactive;

  Convention convention;
  PointFile file;
  std::unique_ptr<LonLat> lon_lat;
  try {
    convention = LoadConvention(o.convention, ConventionFolders());
    if (!o.crs.empty()) lon_lat = std::make_unique<LonLat>(o.crs);
    progress.Begin("reading " + o.input, 100);
    file = ReadPointFile(o.input, o.read, [&](size_t done, size_t total) {
      progress.Update(done * 100 / (total ? total : 1));
    });
    progress.End();
  } catch (const std::exception& e) {
    progress.End();
    t.err << "gomiat: " << e.what() << "\n";
    return kExitBadInput;
  }
  if (!o.quiet && file.points.size() > kLongRun) progress.SetEnabled(true);

  // Our words for the component, unless the file is in them already.
  TranslatedCodes translated;
  if (!convention.verbatim) {
    std::vector<std::string> fields;
    fields.reserve(file.points.size());
    for (const SurveyPoint& p : file.points) fields.push_back(p.code);
    translated = TranslateCodes(fields, convention);
  }
  const std::vector<std::string>* handed =
      convention.verbatim ? nullptr : &translated.fields;

  std::unique_ptr<CodeTablePlace> codes;
  try {
    std::vector<const std::string*> outputs = {&o.dxf};
    if (o.geojson) outputs.push_back(&*o.geojson);
    if (o.report) outputs.push_back(&*o.report);
    if (o.gpkg) outputs.push_back(&*o.gpkg);
    for (size_t i = 0; i < outputs.size(); ++i) {
      if (SameFile(*outputs[i], o.input))
        throw std::invalid_argument(*outputs[i] + ": is the input file");
      for (size_t k = 0; k < i; ++k)
        if (SamePlace(*outputs[k], *outputs[i]))
          throw std::invalid_argument(*outputs[i] + ": given for two outputs");
      OutputFile::Check(*outputs[i]);
    }
    codes = std::make_unique<CodeTablePlace>(
        o.codes, qdr2_Gomiat::DetectComponentFolder(), save);
  } catch (const std::exception& e) {
    t.err << "gomiat: " << e.what() << "\n";
    return kExitBadInput;
  }

  CroquisResult result;
  ReportInput report_input;
  std::string failure;
  bool failed = false;
  bool table_trouble = false;  // reading or saving the code table failed
  {
    CliSession session(
        {codes->Folder(), o.interactive, &t.err, [&] { progress.End(); }});
    progress.Begin("deducing polylines");
    try {
      qdr2_Gomiat::CodeTable table;
      qdr2_Gomiat::LoadCodeTable(table);
      for (int32_t k = 1; k <= table.count; ++k)
        report_input.known_codes.insert(table.codes(k));
      AddNumberedCodes(translated.numbered);
      result = RunCroquis(std::move(file.points), {"0"}, handed);
    } catch (const qdr2_Gomiat::Failure& f) {
      failure = f.description();
    } catch (const std::exception& e) {
      failure = e.what();
    }
    progress.End();
    const SessionLog& log = session.Log();
    for (const std::string& m : log.messages)
      if (m.rfind("*BaseDatos", 0) == 0 || m.rfind("*Graba config", 0) == 0)
        table_trouble = true;
    failed = log.failures > 0;
    if (failed && !save && OnlyTableSaveFailed(log)) {
      // The run's table is thrown away anyway: the drawing is still right.
      t.err << "gomiat: (the code table is not saved by this run, so the "
               "failure to update it changes nothing)\n";
      failed = false;
    }
  }
  if (failed) {
    t.err << "gomiat: the automatic sketch reported a failure (above); "
             "nothing written\n";
    if (table_trouble)
      t.err << "gomiat: (the code table is " << codes->Table()
            << "; --codes FILE or QDR2_GOMIAT_HOME choose another)\n";
    return kExitFailed;
  }
  if (!failure.empty()) {
    t.err << "gomiat: " << failure << "; nothing written\n";
    return kExitFailed;
  }
  if (result.cancelled) {
    t.err << "gomiat: the code table was not accepted; nothing written\n";
    if (o.interactive && !HasDisplay())
      t.err << "gomiat: (no display for the window: set DISPLAY, or leave "
               "out --interactive to accept the code table as it is)\n";
    return kExitCancelled;
  }

  result.sketch.extra_names = file.extra_names;
  report_input.fields = handed;
  report_input.sketch = &result.sketch;
  report_input.joining = JoiningOf(codes->Folder() + "/" + kCodeTableName);
  report_input.point_codes.insert(convention.point_codes.begin(),
                                  convention.point_codes.end());
  QualityReport report;

  try {
    // Ctrl-C from here on drops the files being written, then ends the run.
    InterruptGuard guard;
    // The quality figures are made on another thread while the drawing is
    // being written (started after the guard, it holds the signals too).
    std::future<QualityReport> figures;
    if (o.report || !o.quiet)
      figures = std::async(std::launch::async,
                           [&] { return MakeQualityReport(report_input); });
    progress.Begin("writing " + o.dxf);
    // Every file is written before any replaces its old self.
    OutputFile dxf(o.dxf);
    std::unique_ptr<OutputFile> geojson, text;
    if (o.geojson) geojson = std::make_unique<OutputFile>(*o.geojson);
    if (o.report) text = std::make_unique<OutputFile>(*o.report);
    WriteDxf(result.sketch, dxf.Stream());
    if (geojson) {
      const auto positions = lon_lat ? lon_lat->Of(result.sketch)
                                     : std::vector<std::array<double, 2>>();
      WriteGeoJson(result.sketch, geojson->Stream(),
                   lon_lat ? &positions : nullptr);
    }
    if (figures.valid()) report = figures.get();
    if (text) WriteQualityReport(report, report_input, o.input, text->Stream());
    dxf.Commit();
    if (geojson) geojson->Commit();
    if (text) text->Commit();
    // Last: GDAL writes it whole beside its place and renames it there.
    if (o.gpkg) WriteGeoPackage(result.sketch, o.crs, *o.gpkg);
    progress.End();
    codes->Finish();
  } catch (const std::exception& e) {
    progress.End();
    t.err << "gomiat: " << e.what() << "\n";
    return kExitFailed;
  }
  if (!o.quiet) Summary(t.out, o, file, result, report);
  return kExitOk;
}

}  // namespace gomiat
