#include <memory>

#include "frame/trap.h"
#include "qdr2_gomiat/classes.h"
#include "table_editors/f_dibujos.h"

namespace qdr2_Gomiat {

std::string c_dibujos::ProgId() const { return "qdr2_Gomiat.c_dibujos"; }

void c_dibujos::A_Dibujos(int32_t& NoCap, StrArray& Nombres, StrArray& Carpeta,
                          LngArray& Ptos, LngArray& Poli, LngArray& Tri,
                          LngArray& Tex, LngArray& Foto, LngArray& Bloq) {
  Trapped("*Editor Dibujos 1 - Error nº ", [&] {
    auto window = std::make_unique<f_Dibujos>();
    window->A_Dibujos(NoCap, Nombres, Carpeta, Ptos, Poli, Tri, Tex, Foto,
                      Bloq);
    window->ShowModal();
    if (window->Accepted()) {
      window->A_Actualiza(NoCap, Bloq, Nombres, Carpeta);
      A_vale = true;
    }
    window->Unload();
  });
}

}  // namespace qdr2_Gomiat
