// Bindings of the two table controls: the grid and the flex grid.
#pragma once

#include <memory>

#include "frame/ui/controls.h"
#include "platform/qt/control_binding.h"

namespace qdr2_Gomiat::qt {

std::unique_ptr<ControlBinding> MakeGridBinding(ui::GridControl& grid,
                                                QWidget* parent);
std::unique_ptr<ControlBinding> MakeFlexGridBinding(ui::FlexGrid& flex,
                                                    QWidget* parent);

}  // namespace qdr2_Gomiat::qt
