#include "croquis_command.h"

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "cli_session.h"
#include "code_table_place.h"
#include "croquis_run.h"
#include "dxf_writer.h"
#include "frame/environment.h"
#include "geojson_writer.h"
#include "output_file.h"
#include "progress.h"
#include "qdr2_gomiat/failure.h"

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
             const CroquisResult& r) {
  out << "gomiat croquis: " << o.input << "\n"
      << "  points     " << f.points.size() << "  ("
      << DelimiterName(f.delimiter) << "-separated, "
      << EncodingName(f.encoding)
      << (f.header_skipped ? ", header skipped" : "") << ")\n"
      << "  codes      " << r.codes << "\n"
      << "  polylines  " << r.sketch.polylines.size() << "  ("
      << VertexCount(r.sketch) << " vertices)\n"
      << "  layers     " << r.sketch.layers.size() << "\n"
      << "  written    " << o.dxf << "\n";
  if (o.geojson) out << "             " << *o.geojson << "\n";
  out.flush();
}

}  // namespace

int RunCroquisCommand(const CroquisOptions& o, Terminal& t) {
  Progress progress(t.err, !o.quiet && t.err_is_terminal, t.err_is_terminal);

  PointFile file;
  try {
    progress.Begin("reading " + o.input, 100);
    file = ReadPointFile(o.input, o.read, [&](size_t done, size_t total) {
      progress.Update(done * 100 / (total ? total : 1));
    });
    progress.End();
  } catch (const InputError& e) {
    progress.End();
    t.err << "gomiat: " << e.what() << "\n";
    return kExitBadInput;
  }
  if (!o.quiet && file.points.size() > kLongRun) progress.SetEnabled(true);

  std::unique_ptr<OutputFile> dxf, geojson;
  std::unique_ptr<CodeTablePlace> codes;
  try {
    for (const std::string* out : {&o.dxf, o.geojson ? &*o.geojson : nullptr})
      if (out != nullptr && SameFile(*out, o.input))
        throw std::invalid_argument(*out + ": is the input file");
    if (o.geojson && SamePlace(o.dxf, *o.geojson))
      throw std::invalid_argument(o.dxf + ": given for both outputs");
    dxf = std::make_unique<OutputFile>(o.dxf);
    if (o.geojson) geojson = std::make_unique<OutputFile>(*o.geojson);
    codes = std::make_unique<CodeTablePlace>(
        o.codes, qdr2_Gomiat::DetectComponentFolder());
  } catch (const std::exception& e) {
    t.err << "gomiat: " << e.what() << "\n";
    return kExitBadInput;
  }

  CroquisResult result;
  std::string failure;
  int32_t reported = 0;
  bool table_trouble = false;  // reading or saving the code table failed
  {
    CliSession session(
        {codes->Folder(), o.interactive, &t.err, [&] { progress.End(); }});
    progress.Begin("deducing polylines");
    try {
      result = RunCroquis(file.points);
    } catch (const qdr2_Gomiat::Failure& f) {
      failure = f.description();
    } catch (const std::exception& e) {
      failure = e.what();
    }
    progress.End();
    reported = session.Log().failures;
    for (const std::string& m : session.Log().messages)
      if (m.rfind("*BaseDatos", 0) == 0 || m.rfind("*Graba config", 0) == 0)
        table_trouble = true;
  }
  try {
    codes->Finish();
  } catch (const std::exception& e) {
    t.err << "gomiat: " << e.what() << "\n";
    return kExitFailed;
  }
  if (reported > 0) {
    t.err << "gomiat: the automatic sketch reported a failure (above); "
             "nothing written\n";
    if (table_trouble)
      t.err << "gomiat: (the code table is " << codes->Folder() << "/"
            << kCodeTableName
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

  try {
    progress.Begin("writing " + o.dxf);
    WriteDxf(result.sketch, dxf->Stream());
    if (geojson) WriteGeoJson(result.sketch, geojson->Stream());
    dxf->Commit();
    if (geojson) geojson->Commit();
    progress.End();
  } catch (const std::exception& e) {
    progress.End();
    t.err << "gomiat: " << e.what() << "\n";
    return kExitFailed;
  }
  if (!o.quiet) Summary(t.out, o, file, result);
  return kExitOk;
}

}  // namespace gomiat
