#include "options.h"

#include "line_fields.h"

namespace gomiat {

namespace {

Delimiter ParseDelimiter(const std::string& v) {
  if (v == "auto") return Delimiter::kAuto;
  if (v == "comma") return Delimiter::kComma;
  if (v == "semicolon") return Delimiter::kSemicolon;
  if (v == "tab") return Delimiter::kTab;
  if (v == "space") return Delimiter::kBlanks;
  throw UsageError("--delimiter: " + Shown(v) +
                   " is not one of auto, comma, semicolon, tab, space");
}

Encoding ParseEncoding(const std::string& v) {
  if (v == "auto") return Encoding::kAuto;
  if (v == "utf-8" || v == "utf8") return Encoding::kUtf8;
  if (v == "windows-1252" || v == "cp1252") return Encoding::kWindows1252;
  if (v == "windows-1250" || v == "cp1250") return Encoding::kWindows1250;
  if (v == "windows-1251" || v == "cp1251") return Encoding::kWindows1251;
  if (v == "utf-16" || v == "utf16") return Encoding::kUtf16;
  throw UsageError("--encoding: " + Shown(v) +
                   " is not one of auto, utf-8, utf-16, windows-1250, "
                   "windows-1251, windows-1252");
}

CroquisOptions ParseCroquis(const std::vector<std::string>& args, size_t i,
                            bool& help) {
  CroquisOptions o;
  bool have_input = false;
  auto value = [&](const std::string& name, std::string& inline_value,
                   bool has_inline) -> std::string {
    if (has_inline) return inline_value;
    if (i + 1 >= args.size()) throw UsageError(name + " needs a value");
    return args[++i];
  };
  for (; i < args.size(); ++i) {
    std::string a = args[i];
    std::string inline_value;
    bool has_inline = false;
    if (a.rfind("--", 0) == 0) {
      if (const size_t eq = a.find('='); eq != std::string::npos) {
        inline_value = a.substr(eq + 1);
        a.resize(eq);
        has_inline = true;
      }
    }
    if (a == "-h" || a == "--help") {
      help = true;
      return o;
    } else if (a == "-o" || a == "--output") {
      o.dxf = value(a, inline_value, has_inline);
    } else if (a == "--geojson") {
      o.geojson = value(a, inline_value, has_inline);
    } else if (a == "--codes") {
      o.codes = value(a, inline_value, has_inline);
    } else if (a == "--gpkg") {
      o.gpkg = value(a, inline_value, has_inline);
    } else if (a == "--crs") {
      o.crs = value(a, inline_value, has_inline);
      if (o.crs.empty()) throw UsageError("--crs needs a system (EPSG:CODE)");
    } else if (a == "--report") {
      o.report = value(a, inline_value, has_inline);
    } else if (a == "--convention") {
      o.convention = value(a, inline_value, has_inline);
    } else if (a == "--comment") {
      o.read.comment = value(a, inline_value, has_inline);
    } else if (a == "--save-codes" && !has_inline) {
      o.save_codes = true;
    } else if (a == "--delimiter") {
      o.read.delimiter = ParseDelimiter(value(a, inline_value, has_inline));
    } else if (a == "--columns") {
      try {
        o.read.columns = ParseColumnLayout(value(a, inline_value, has_inline));
      } catch (const std::invalid_argument& e) {
        throw UsageError(std::string("--columns: ") + e.what());
      }
    } else if (a == "--encoding") {
      o.read.encoding = ParseEncoding(value(a, inline_value, has_inline));
    } else if (a == "--interactive" && !has_inline) {
      o.interactive = true;
    } else if ((a == "--quiet" || a == "-q") && !has_inline) {
      o.quiet = true;
    } else if (a == "--") {
      if (i + 1 < args.size()) {
        if (have_input || i + 2 < args.size())
          throw UsageError("one input file only");
        o.input = args[++i];
        have_input = true;
      }
    } else if (a.size() > 1 && a[0] == '-') {
      throw UsageError("unknown option " + Shown(args[i]));
    } else {
      if (have_input) throw UsageError("one input file only");
      o.input = a;
      have_input = true;
    }
  }
  if (!have_input || o.input.empty()) throw UsageError("no input file given");
  if (o.dxf.empty()) throw UsageError("no output drawing given (-o OUT.dxf)");
  if (o.geojson && o.geojson->empty())
    throw UsageError("--geojson needs a file name");
  if (o.codes && o.codes->empty())
    throw UsageError("--codes needs a file name");
  if (o.gpkg && o.gpkg->empty()) throw UsageError("--gpkg needs a file name");
  if (o.report && o.report->empty())
    throw UsageError("--report needs a file name");
  if (o.convention.empty()) throw UsageError("--convention needs a name");
  return o;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine c;
  if (args.empty()) throw UsageError("no command given");
  const std::string& first = args[0];
  if (first == "-h" || first == "--help" || first == "help") {
    c.command = Command::kHelp;
  } else if (first == "-V" || first == "--version") {
    c.command = Command::kVersion;
  } else if (first == "croquis") {
    bool help = false;
    c.croquis = ParseCroquis(args, 1, help);
    c.command = help ? Command::kCroquisHelp : Command::kCroquis;
  } else {
    throw UsageError("unknown command " + Shown(first));
  }
  return c;
}

std::string MainHelp() {
  return "Usage: gomiat COMMAND [OPTIONS]\n"
         "\n"
         "Commands:\n"
         "  croquis INPUT -o OUT.dxf [...]  automatic sketch of a point file:\n"
         "                                  polylines, layers, colours and\n"
         "                                  line types from the point codes\n"
         "\n"
         "  gomiat --help       this text ('gomiat croquis --help' for the\n"
         "                      command's options)\n"
         "  gomiat --version    program and component version\n";
}

std::string CroquisHelp() {
  return "Usage: gomiat croquis INPUT -o OUT.dxf [OPTIONS]\n"
         "\n"
         "Reads a point file (one point a line: name, X, Y, Z, code field),\n"
         "runs the automatic sketch of qdr2_Gomiat on the codes and writes a\n"
         "DXF drawing (R12): one layer per code layer with its colour and\n"
         "line type, a 3D polyline per deduced line, each point with its\n"
         "name.\n"
         "\n"
         "Options:\n"
         "  -o, --output FILE     the DXF drawing to write (required)\n"
         "  --geojson FILE        also write the sketch as GeoJSON\n"
         "                        (coordinates as in the file unless --crs)\n"
         "  --crs EPSG:CODE       the survey's coordinate system: the GeoJSON\n"
         "                        is then in longitude and latitude, and the\n"
         "                        GeoPackage declares it\n"
         "  --gpkg FILE           also write a GeoPackage (points and\n"
         "                        polylines with layer, colour, line type)\n"
         "  --report FILE         also write a quality report (per code its\n"
         "                        points, lines and longest segment; doubtful\n"
         "                        joins, duplicate names, unknown codes)\n"
         "  --convention C        how the codes mark lines: gomiat (default:\n"
         "                        CT I starts, CT A closes), begin-end (TB B,\n"
         "                        TB E), plus-dot (SW1+, SW1.), st-co-cl\n"
         "                        (EP_st, EP_co, EP_cl), or a convention FILE\n"
         "  --codes FILE          code table to use instead of the one in the\n"
         "                        component's folder\n"
         "  --save-codes          save the code table as the run leaves it\n"
         "                        (otherwise it is only read; --interactive\n"
         "                        saves what the window accepted)\n"
         "  --delimiter D         auto (default), comma, semicolon, tab, "
         "space\n"
         "  --columns LIST        column order, default P,E,N,Z,D\n"
         "                        (P name, E easting/X, N northing/Y,\n"
         "                        Z elevation, D code, - a column to skip,\n"
         "                        +NAME a column kept as an attribute; D last\n"
         "                        takes the rest of the line)\n"
         "  --comment CHARS       lines starting with one of CHARS are\n"
         "                        comments (e.g. --comment '#;')\n"
         "  --encoding E          auto (default: UTF-16 by its byte order\n"
         "                        mark, UTF-8 when valid, else Windows-1252),\n"
         "                        utf-8, utf-16, windows-1250, windows-1251,\n"
         "                        windows-1252\n"
         "  --interactive         show the code table window to edit it\n"
         "                        (otherwise it is accepted as it comes)\n"
         "  -q, --quiet           no progress and no summary\n"
         "  -h, --help            this text\n"
         "\n"
         "The code table is autocroquis.txt in the component's folder\n"
         "($QDR2_GOMIAT_HOME when set). A run only reads it, unless\n"
         "--save-codes or --interactive, and a failed run never saves it.\n"
         "\n"
         "Exit status: 0 done, 1 the sketch or the output failed, 2 bad\n"
         "command line or input file (nothing written), 3 the code table\n"
         "window was cancelled.\n";
}

}  // namespace gomiat
