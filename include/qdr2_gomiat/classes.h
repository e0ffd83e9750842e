// The nine public classes, members in interface order. Arguments travel by
// reference, as the host's automation passes them; results come back in them
// and in the public flags.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "qdr2_gomiat/array.h"
#include "qdr2_gomiat/host_objects.h"
#include "qdr2_gomiat/object.h"
#include "qdr2_gomiat/types.h"

namespace qdr2_Gomiat {

using StrArray = Array<std::string>;
using DblArray = Array<double>;
using LngArray = Array<int32_t>;
using IntArray = Array<int16_t>;

class c_NuEntidades : public Object {
 public:
  std::string ProgId() const override;
  // Failures reach the caller (the one tool that does not trap them).
  void A_Show_Entidades(udt_Entidades& iEnt);
};

class c_Puntos : public Object {
 public:
  bool Abortar = false;

  std::string ProgId() const override;
  void A_Editor_Puntos(int32_t& Nopun, DblArray& X, DblArray& Y, DblArray& Z,
                       StrArray& Nombre, StrArray& Código, LngArray& Nivel,
                       IntArray& CapaPuntos, int32_t& noCapas, StrArray& Capas,
                       ProgressBar* prograsbar, bool& ValorO);
  void A_Editor_Puntos(int32_t& Nopun, DblArray& X, DblArray& Y, DblArray& Z,
                       StrArray& Nombre, StrArray& Código, LngArray& Nivel,
                       IntArray& CapaPuntos, int32_t& noCapas, StrArray& Capas,
                       ProgressBar* prograsbar);
  void Actualiza_Valores(int32_t& Nopun, DblArray& X, DblArray& Y, DblArray& Z,
                         StrArray& Nombre, StrArray& Código, LngArray& Nivel,
                         IntArray& CapaPuntos, int32_t& noCapas,
                         StrArray& Capas);
  void Valores_actuales(int32_t& Nopoli, int32_t& Nocurvi, int32_t& NoTri,
                        bool& BorrarTodo);

 private:
  bool excel_mode_ = false;
  std::string lost_items_;
};

class c_Capas : public Object {
 public:
  bool A_vale = false;

  std::string ProgId() const override;
  void A_Editor_Capas(int32_t& NoCap, StrArray& Nombres, StrArray& Estado,
                      LngArray& colorr, int32_t& Principal);
  void A_Editor_Capas1(int32_t& NoCap, StrArray& Nombres, StrArray& Estado,
                       LngArray& colorr, LngArray& Tipolin, int32_t& Principal,
                       LngArray& PunCp, LngArray& PolCp, LngArray& PlVCp);
  void A_Editor_Capas2(int32_t& NoCap, StrArray& Nombres, StrArray& Estado,
                       LngArray& colorr, LngArray& Tipolin, int32_t& Principal,
                       LngArray& PunCp, LngArray& PolCp, LngArray& PlVCp,
                       LngArray& texCp);
  void A_Editor_Capas3(int32_t& NoCap, StrArray& Nombres, StrArray& Estado,
                       LngArray& colorr, LngArray& grosor, LngArray& Tipolin,
                       int32_t& Principal, LngArray& PunCp, LngArray& PolCp,
                       LngArray& PlVCp, LngArray& texCp);
  void Actualiza_Valores(int32_t& NoCap, StrArray& Nombres, StrArray& Estado,
                         LngArray& color, int32_t& Principal);
};

class c_Tipolin : public Object {
 public:
  std::string ProgId() const override;
  void Tipolin(int16_t& estilo, float& grosor, bool& CAMBIA);
};

class c_Area : public Object {
 public:
  std::string ProgId() const override;
  void A_Editor_Puntos(int32_t& Nopun, DblArray& X, DblArray& Y, DblArray& Z,
                       StrArray& Nombre, StrArray& Código, LngArray& Nivel,
                       IntArray& CapaPuntos, int32_t& noCapas, StrArray& Capas,
                       ProgressBar* prograsbar);
  void Actualiza_Valores(int32_t& Nopun, DblArray& X, DblArray& Y, DblArray& Z,
                         StrArray& Nombre, StrArray& Código, LngArray& Nivel,
                         IntArray& CapaPuntos, int32_t& noCapas,
                         StrArray& Capas);
  void Valores_actuales(int32_t& Nopoli, int32_t& Nocurvi, int32_t& NoTri,
                        bool& BorrarTodo);

 private:
  bool excel_mode_ = false;
  bool continue_ = false;
  std::string lost_items_;
};

// Events of c_editP; they arrive while CargaBarraDibujo is still running.
class c_editP_Events {
 public:
  virtual ~c_editP_Events() = default;
  virtual void EnfocaPunto(int32_t& Name, int32_t& nPtos, DblArray& X,
                           DblArray& Y, DblArray& Z, StrArray& Nombre,
                           StrArray& Código, IntArray& CapaPuntos) {
    (void)Name, (void)nPtos, (void)X, (void)Y, (void)Z, (void)Nombre,
        (void)Código, (void)CapaPuntos;
  }
  virtual void Zoom(bool& amplia, int32_t& punto) { (void)amplia, (void)punto; }
};

class f_editP;  // the navigation window the object keeps for life

class c_editP : public Object {
 public:
  c_editP();
  ~c_editP() override;
  c_editP(const c_editP&) = delete;
  c_editP& operator=(const c_editP&) = delete;

  std::string ProgId() const override;
  void CargaBarraDibujo(HostWindow* frm1, int32_t& Nuput, DblArray& X,
                        DblArray& Y, DblArray& Z, StrArray& Nombre,
                        StrArray& Código, IntArray& CapaPuntos,
                        int32_t& noCapas, StrArray& Capas);
  // A flag no operation sets: it reads False.
  bool Visible() const { return visible_; }

  // The host registers where the events go (nullptr: nowhere).
  void SetEventSink(c_editP_Events* sink) { sink_ = sink; }
  c_editP_Events* EventSink() const { return sink_; }

 private:
  std::unique_ptr<f_editP> window_;
  c_editP_Events* sink_ = nullptr;
  bool visible_ = false;
};

class c_EditorPun_Events {
 public:
  virtual ~c_EditorPun_Events() = default;
  virtual void DibujaPunto(int32_t& punto) { (void)punto; }
};

class c_EditorPun : public Object {
 public:
  bool Abortar = false;

  std::string ProgId() const override;
  void A_Editor_Punto(int32_t& punto, int32_t Nopun, DblArray& X, DblArray& Y,
                      DblArray& Z, StrArray& Nombre, StrArray& Código,
                      IntArray& CapaPuntos, int32_t& noCapas, StrArray& Capas,
                      bool& redibuja);

  void SetEventSink(c_EditorPun_Events* sink) { sink_ = sink; }
  c_EditorPun_Events* EventSink() const { return sink_; }

 private:
  c_EditorPun_Events* sink_ = nullptr;
};

struct AutocroquisState;  // working state kept between calls

class c_Autocroquis : public Object {
 public:
  bool A_Ver_Codigos = false;

  c_Autocroquis();
  ~c_Autocroquis() override;
  c_Autocroquis(const c_Autocroquis&) = delete;
  c_Autocroquis& operator=(const c_Autocroquis&) = delete;

  std::string ProgId() const override;
  void A_Autocroquis(int32_t& nPolis, Array<T_ConexAutocro>& Polis,
                     StrArray& codigos, int32_t& nCapas, StrArray& Capas);
  void A_Autocroquis1(int32_t& nPolis, Array<T_ConexAutocro>& Polis,
                      int32_t& NoCodig, StrArray& codigos, int32_t& nCapas,
                      StrArray& Capas);
  void A_Autocroquis2(int32_t& nPolis, IntArray& CapaP,
                      Array<T_ConexAutocro>& Polis, int32_t& NoCodig,
                      StrArray& codigos, int32_t& nCapas, StrArray& Capas);
  void A_Autocroquis3(int32_t& nPolis, IntArray& CapaP,
                      Array<T_ConexAutocro>& Polis, int32_t& NoCodig,
                      StrArray& codigos, int32_t& nCapas, StrArray& Capas,
                      bool& Cancela);
  void A_Autocroquis4(int32_t& nPolis, IntArray& CapaP,
                      Array<T_ConexAutocro>& Polis, int32_t& NoCodig,
                      StrArray& codigos, int32_t& nCapas, StrArray& Capas,
                      LngArray& Colo, bool& Cancela);
  void A_Autocroquis5(int32_t& nPolis, IntArray& CapaP,
                      Array<T_ConexAutocro>& Polis, int32_t& NoCodig,
                      StrArray& codigos, int32_t& nCapas, StrArray& Capas,
                      LngArray& Colo, IntArray& TpLin, bool& Cancela);

 private:
  std::unique_ptr<AutocroquisState> state_;
};

class c_dibujos : public Object {
 public:
  bool A_vale = false;

  std::string ProgId() const override;
  void A_Dibujos(int32_t& NoCap, StrArray& Nombres, StrArray& Carpeta,
                 LngArray& Ptos, LngArray& Poli, LngArray& Tri, LngArray& Tex,
                 LngArray& Foto, LngArray& Bloq);
};

}  // namespace qdr2_Gomiat
