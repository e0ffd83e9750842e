#include "picture_run.h"

#include <stdlib.h>

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>

#include "autosketch/f_autocroq.h"
#include "cli_session.h"
#include "cli_settings.h"
#include "croquis_run.h"
#include "frame/environment.h"
#include "platform/platform.h"
#include "platform/qt/qt_backend.h"
#include "point_file.h"
#include "point_tools/f_editp.h"
#include "qdr2_gomiat/qdr2_gomiat.h"
#include "qdr2_gomiat/testing.h"
#include "recording_ui.h"
#include "window_frame.h"

namespace screenshots {

namespace q = qdr2_Gomiat;
namespace fs = std::filesystem;

namespace {

class TempFolder {
 public:
  TempFolder() {
    std::string pattern =
        (fs::temp_directory_path() / "gomiat-screenshots-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
      throw std::runtime_error("cannot make a temporary folder");
    path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  std::string operator/(const std::string& name) const {
    return path_ + "/" + name;
  }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// Puts an environment in force for the run and the previous one back.
class EnvironmentScope {
 public:
  explicit EnvironmentScope(std::shared_ptr<q::Environment> env)
      : previous_(q::Environment::Install(std::move(env))) {}
  ~EnvironmentScope() { q::Environment::Install(previous_); }
  EnvironmentScope(const EnvironmentScope&) = delete;
  EnvironmentScope& operator=(const EnvironmentScope&) = delete;

 private:
  std::shared_ptr<q::Environment> previous_;
};

std::shared_ptr<q::Environment> PictureEnvironment(
    const TempFolder& temp, const std::string& shots,
    std::shared_ptr<std::vector<Picture>> pictures,
    std::shared_ptr<gomiat::SessionLog> log) {
  q::Environment::Factories f;
  // Watched as the command-line program watches it: every failure the
  // component reports is counted and shown, so it cannot pass unseen.
  f.settings = [log, path = temp / "settings.sqlite"] {
    return gomiat::MakeWatchedSettings(
        [path] { return q::MakeSqliteSettings(path); }, log);
  };
  f.numbers = q::MakeNumberTextService;
  f.colours = q::MakeColourService;
  f.sort = q::MakeSortService;
  f.files = q::MakeFileService;
  f.grid = q::MakeGridModel;
  f.clock = q::MakeSystemClock;
  f.ui = [shots, pictures]() -> std::unique_ptr<q::ui::UiBackend> {
    auto backend = q::qt::MakeQtBackend({.screenshot_folder = shots});
    if (!backend) throw std::runtime_error("no windows can be shown");
    return std::make_unique<RecordingUi>(std::move(backend), shots, pictures);
  };
  return std::make_shared<q::Environment>(std::move(f), temp.Path());
}

// The single picture a step took, checked to be of what was expected.
Picture OnlyPicture(std::vector<Picture>& pictures, Picture::Kind kind,
                    const std::string& name, const std::string& step) {
  if (pictures.size() != 1) {
    std::string seen;
    for (const Picture& p : pictures)
      seen += " [" + p.title + ": " + p.name + "]";
    throw std::runtime_error(step + " showed " +
                             std::to_string(pictures.size()) +
                             " windows instead of one:" + seen);
  }
  Picture p = pictures.front();
  pictures.clear();
  if (p.kind != kind || p.name != name)
    throw std::runtime_error(step + " showed [" + p.title + ": " + p.name +
                             "] instead of " + name);
  if (p.file.empty())
    throw std::runtime_error(step + ": the picture of " + name +
                             " was not saved");
  return p;
}

// The code table window as a host opens it: the automatic sketch on the
// survey's codes. Picture mode closes it with its close box, so the host
// hears it was cancelled and the code table file is left as it was.
Picture CodeTableWindow(std::vector<Picture>& pictures,
                        const std::string& survey) {
  const gomiat::PointFile file = gomiat::ReadPointFile(survey, {});
  const gomiat::CroquisResult result = gomiat::RunCroquis(file.points);
  Picture p = OnlyPicture(pictures, Picture::Kind::kForm, "f_Autocroq",
                          "the automatic sketch");
  if (!result.cancelled || result.codes < 1)
    throw std::runtime_error("the automatic sketch did not run as expected");
  return p;
}

// The help message as the window's help button shows it.
Picture HelpMessage(std::vector<Picture>& pictures) {
  q::f_Autocroq window;
  window.Load();
  window.cmdAyuda.UserClick();
  window.Unload();
  return OnlyPicture(pictures, Picture::Kind::kMessage,
                     q::f_Autocroq::HelpText(), "the help button");
}

class NoBar final : public q::ProgressBar {
 public:
  void SetMin(float) override {}
  void SetMax(float) override {}
  void SetValue(float) override {}
  void SetVisible(bool) override {}
};

// The points editor as a host opens it on the survey's points, each on the
// layer named after the first word of its code. Picture mode closes it
// with its close box: nothing is written back.
Picture PointsWindow(std::vector<Picture>& pictures, const std::string& survey,
                     bool excel) {
  const gomiat::PointFile file = gomiat::ReadPointFile(survey, {});
  auto n = static_cast<int32_t>(file.points.size());
  q::DblArray X(0, n), Y(0, n), Z(0, n);
  q::StrArray Nombre(0, n), Codigo(0, n);
  q::LngArray Nivel(0, n);
  q::IntArray CapaPuntos(0, n);
  std::vector<std::string> layers;
  for (int32_t i = 1; i <= n; ++i) {
    const gomiat::SurveyPoint& pt = file.points[static_cast<size_t>(i - 1)];
    X(i) = pt.x, Y(i) = pt.y, Z(i) = pt.z;
    Nombre(i) = pt.name, Codigo(i) = pt.code;
    std::string layer = pt.code.substr(0, pt.code.find_first_of(" ,"));
    if (layer.empty()) layer = "Puntos";
    auto at = std::find(layers.begin(), layers.end(), layer);
    if (at == layers.end()) at = layers.insert(layers.end(), layer);
    CapaPuntos(i) = static_cast<int16_t>(at - layers.begin() + 1);
  }
  q::StrArray Capas = q::StrArray::FromItems(layers);
  int32_t noCapas = static_cast<int32_t>(layers.size());
  auto puntos = q::CreateObjectAs<q::c_Puntos>("qdr2_Gomiat.c_Puntos");
  if (excel) {
    int32_t none = 0;
    bool borrar = false;
    puntos->Valores_actuales(none, none, none, borrar);
  }
  NoBar bar;
  puntos->A_Editor_Puntos(n, X, Y, Z, Nombre, Codigo, Nivel, CapaPuntos,
                          noCapas, Capas, &bar);
  return OnlyPicture(pictures, Picture::Kind::kForm, "f_Puntos",
                     excel ? "the Excel points editor" : "the points editor");
}

// An entry method the host no longer uses.
Picture ObsoleteMessage(std::vector<Picture>& pictures) {
  auto croquis =
      q::CreateObjectAs<q::c_Autocroquis>("qdr2_Gomiat.c_Autocroquis");
  int32_t nPolis = 0, nCapas = 1;
  q::Array<q::T_ConexAutocro> Polis;
  q::StrArray codigos(0, 1), Capas(0, 1);
  Capas(1) = "0";
  croquis->A_Autocroquis(nPolis, Polis, codigos, nCapas, Capas);
  return OnlyPicture(pictures, Picture::Kind::kMessage, "obsoleto",
                     "an obsolete entry method");
}

// The survey's points as a host hands them to the point tools, on the
// layers its codes would give them.
struct HostPoints {
  int32_t n = 0, nCapas = 3;
  q::DblArray X, Y, Z;
  q::StrArray Nombre, Codigo,
      Capas = q::StrArray::FromItems({"Puntos", "Bordillo", "Eje"});
  q::IntArray CapaPuntos;
  explicit HostPoints(const std::vector<gomiat::SurveyPoint>& points)
      : n(static_cast<int32_t>(points.size())) {
    for (auto* a : {&X, &Y, &Z}) a->Redim(0, n);
    Nombre.Redim(0, n);
    Codigo.Redim(0, n);
    CapaPuntos.Redim(0, n);
    for (int32_t i = 1; i <= n; ++i) {
      const gomiat::SurveyPoint& p = points[static_cast<size_t>(i - 1)];
      X(i) = p.x;
      Y(i) = p.y;
      Z(i) = p.z;
      Nombre(i) = p.name;
      Codigo(i) = p.code;
      CapaPuntos(i) = static_cast<int16_t>(1 + i % 3);
    }
  }
};

struct PictureHost : q::HostWindow {};

// The navigation bar as a host opens it; with the search panel open it is
// the window itself, the panel opened before the call shows it.
Picture NavigationBar(std::vector<Picture>& pictures, HostPoints& h,
                      bool search) {
  if (!search) {
    q::c_editP nav;
    PictureHost frm;
    nav.CargaBarraDibujo(&frm, h.n, h.X, h.Y, h.Z, h.Nombre, h.Codigo,
                         h.CapaPuntos, h.nCapas, h.Capas);
  } else {
    q::f_editP bar;
    bar.Load();
    bar.cmdBusca.UserClick();
    bar.txtBucaNom.SetText(h.Nombre(1));
    bar.CargaBarra(nullptr, h.n, h.X, h.Y, h.Z, h.Nombre, h.Codigo,
                   h.CapaPuntos, h.nCapas, h.Capas);
  }
  return OnlyPicture(pictures, Picture::Kind::kForm, "f_editP",
                     "the navigation bar");
}

Picture PointEditor(std::vector<Picture>& pictures, HostPoints& h) {
  q::c_EditorPun editor;
  int32_t punto = std::min<int32_t>(3, h.n);
  bool redibuja = false;
  editor.A_Editor_Punto(punto, h.n, h.X, h.Y, h.Z, h.Nombre, h.Codigo,
                        h.CapaPuntos, h.nCapas, h.Capas, redibuja);
  return OnlyPicture(pictures, Picture::Kind::kForm, "f_Edit_Punt",
                     "the point editor");
}

Picture EntityCounts(std::vector<Picture>& pictures, int32_t points) {
  q::c_NuEntidades counts;
  q::udt_Entidades e{.Ptos = points,
                     .Poli = 14,
                     .PoliVx = 162,
                     .Curv = 0,
                     .CurvVx = 0,
                     .Tria = 96,
                     .Rotu = 3};
  counts.A_Show_Entidades(e);
  return OnlyPicture(pictures, Picture::Kind::kForm, "f_NuEntidades",
                     "the entity counts");
}

// The survey's layers as a host keeps them after the automatic sketch,
// with the points, polylines and vertices on each.
struct HostLayers {
  int32_t NoCap = 0, Principal = 1;
  q::StrArray Nombres, Estado;
  q::LngArray colorr, grosor, Tipolin, PunCp, PolCp, PlVCp, texCp;
  int32_t points = 0, polylines = 0;
};

HostLayers SurveyLayers(const std::string& survey) {
  const gomiat::PointFile file = gomiat::ReadPointFile(survey, {});
  const auto n = static_cast<int32_t>(file.points.size());
  // The code table accepted as it stands, by a scripted user in a session
  // of its own: the picture run closes every window unaccepted.
  q::testing::HeadlessSession session;
  session.User().Click("cmdAceptar");
  q::c_Autocroquis croquis;
  croquis.A_Ver_Codigos = true;
  q::StrArray codigos(0, n);
  for (int32_t i = 1; i <= n; ++i) codigos(i) = file.points[i - 1].code;
  int32_t nPolis = 0, NoCodig = 0, nCapas = 1;
  q::StrArray Capas = q::StrArray::FromItems({"0"});
  q::IntArray CapaP(0, n), TpLin;
  q::Array<q::T_ConexAutocro> Polis;
  q::LngArray Colo;
  bool Cancela = false;
  croquis.A_Autocroquis5(nPolis, CapaP, Polis, NoCodig, codigos, nCapas, Capas,
                         Colo, TpLin, Cancela);
  if (Cancela || nCapas < 2)
    throw std::runtime_error("the automatic sketch gave no layers");
  HostLayers h;
  h.NoCap = nCapas;
  h.Nombres = Capas;
  h.Estado = q::StrArray(0, nCapas);
  h.colorr = q::LngArray(0, nCapas);
  h.grosor = q::LngArray(0, nCapas);
  h.Tipolin = q::LngArray(0, nCapas);
  for (auto* a : {&h.PunCp, &h.PolCp, &h.PlVCp, &h.texCp})
    *a = q::LngArray(0, nCapas);
  for (int32_t k = 1; k <= nCapas; ++k) {
    h.Estado(k) = k == 2 ? "No" : "Si";
    h.colorr(k) = Colo(k);
    h.Tipolin(k) = TpLin(k);
    h.grosor(k) = k % 3 == 0 ? 2 : 1;
  }
  for (int32_t i = 1; i <= n; ++i) ++h.PunCp(CapaP(i));
  for (int32_t p = 1; p <= nPolis; ++p) {
    ++h.PolCp(Polis(p).Capa);
    h.PlVCp(Polis(p).Capa) += Polis(p).nVer;
  }
  h.points = n;
  h.polylines = nPolis;
  return h;
}

// The layer editor on the survey's layers, as the host opens it.
Picture LayerEditor(std::vector<Picture>& pictures, HostLayers h) {
  q::c_Capas capas;
  capas.A_Editor_Capas3(h.NoCap, h.Nombres, h.Estado, h.colorr, h.grosor,
                        h.Tipolin, h.Principal, h.PunCp, h.PolCp, h.PlVCp,
                        h.texCp);
  return OnlyPicture(pictures, Picture::Kind::kForm, "F_Capas",
                     "the layer editor");
}

// The drawings editor on a few drawings made of the survey.
Picture DrawingsEditor(std::vector<Picture>& pictures, const HostLayers& h) {
  q::c_dibujos dibujos;
  int32_t NoCap = 4;
  q::StrArray Nombres = q::StrArray::FromItems(
      {"Planta general", "Eje 1", "Perfiles eje 1", "Firme tipo"});
  q::StrArray Carpeta = q::StrArray::FromItems(
      {"Planta", "Longitudinal", "Perfil Trasver.", "Sección Tipo "});
  q::LngArray Ptos = q::LngArray::FromItems({h.points, 24, 96, 0});
  q::LngArray Poli = q::LngArray::FromItems({h.polylines, 2, 12, 6});
  q::LngArray Tri = q::LngArray::FromItems({0, 0, 0, 0});
  q::LngArray Tex = q::LngArray::FromItems({h.points, 8, 40, 5});
  q::LngArray Foto = q::LngArray::FromItems({0, 0, 0, 0});
  q::LngArray Bloq = q::LngArray::FromItems({1, 2, 3, 4});
  dibujos.A_Dibujos(NoCap, Nombres, Carpeta, Ptos, Poli, Tri, Tex, Foto, Bloq);
  return OnlyPicture(pictures, Picture::Kind::kForm, "f_Dibujos",
                     "the drawings editor");
}

// The line style picker on the dash-and-dot style.
Picture LineStylePicker(std::vector<Picture>& pictures) {
  q::c_Tipolin picker;
  int16_t estilo = 3;
  float grosor = 0;
  bool cambia = false;
  picker.Tipolin(estilo, grosor, cambia);
  return OnlyPicture(pictures, Picture::Kind::kForm, "f_tipolin",
                     "the line style picker");
}

QtMessageHandler previous_handler = nullptr;

// What the offscreen platform says of every window and of a session
// without a runtime folder is expected here; anything else is passed on.
void QuietenOffscreenNotes() {
  previous_handler = qInstallMessageHandler(
      [](QtMsgType type, const QMessageLogContext& context,
         const QString& message) {
        if (message.startsWith(QLatin1String("This plugin does not support")) ||
            message.startsWith(
                QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
          return;
        if (previous_handler != nullptr)
          previous_handler(type, context, message);
      });
}

}  // namespace

void UseOffscreenScreen(const std::string& config_file, int dpi) {
  std::ofstream out(config_file);
  out << R"({"screens": [{"name": "shots", "x": 0, "y": 0, "width": 1920, )"
      << R"("height": 1080, "logicalDpi": )" << dpi
      << R"(, "logicalBaseDpi": 96, "dpr": 1}]})" << '\n';
  out.close();
  if (!out) throw std::runtime_error("cannot write " + config_file);
  setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config_file).c_str(), 1);
  // The screen alone decides the scale.
  for (const char* v :
       {"QT_FONT_DPI", "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS",
        "QT_SCALE_FACTOR_ROUNDING_POLICY"})
    unsetenv(v);
}

std::vector<std::string> TakePictures(const std::string& out_folder,
                                      const std::string& survey, int dpi) {
  TempFolder temp;
  UseOffscreenScreen(temp / "screen.json", dpi);
  QuietenOffscreenNotes();
  const std::string shots = temp / "shots";
  fs::create_directories(shots);
  auto pictures = std::make_shared<std::vector<Picture>>();
  auto log = std::make_shared<gomiat::SessionLog>();
  EnvironmentScope scope(PictureEnvironment(temp, shots, pictures, log));
  q::Environment::Current().Ui();  // the application and its screen

  std::vector<std::pair<std::string, Picture>> taken;
  taken.emplace_back("f_Autocroq", CodeTableWindow(*pictures, survey));
  taken.emplace_back("f_Autocroq_ayuda", HelpMessage(*pictures));
  taken.emplace_back("obsoleto", ObsoleteMessage(*pictures));
  HostPoints points(gomiat::ReadPointFile(survey, {}).points);
  taken.emplace_back("f_editP", NavigationBar(*pictures, points, false));
  taken.emplace_back("f_editP_buscar", NavigationBar(*pictures, points, true));
  taken.emplace_back("f_Edit_Punt", PointEditor(*pictures, points));
  taken.emplace_back("f_NuEntidades", EntityCounts(*pictures, points.n));
  const HostLayers layers = SurveyLayers(survey);
  taken.emplace_back("F_Capas", LayerEditor(*pictures, layers));
  taken.emplace_back("f_Dibujos", DrawingsEditor(*pictures, layers));
  taken.emplace_back("f_tipolin", LineStylePicker(*pictures));
  taken.emplace_back("f_Puntos", PointsWindow(*pictures, survey, false));
  taken.emplace_back("f_Puntos_Excel", PointsWindow(*pictures, survey, true));
  if (log->failures != 0)
    throw std::runtime_error("the component reported " +
                             std::to_string(log->failures) + " failures");

  const double ratio = QGuiApplication::primaryScreen()->devicePixelRatio();
  std::vector<std::string> written;
  for (const auto& [stem, p] : taken) {
    const std::string to =
        out_folder + "/" + stem + "_" + std::to_string(dpi) + "dpi.png";
    if (!SaveFramedPicture(p.file, to, p.title, p.sizable, ratio))
      throw std::runtime_error("cannot write " + to);
    written.push_back(to);
  }
  return written;
}

}  // namespace screenshots
