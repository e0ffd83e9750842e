// The error log: report lines of trapped failures, shown and/or kept in the
// settings store's short history.
#pragma once

#include <string>
#include <string_view>

#include "qdr2_gomiat/failure.h"

namespace qdr2_Gomiat {

// Context literal + number + ":" + description.
std::string ReportLine(std::string_view context, const Failure& f);

// Shows the report when due and records it in the error history (at most 11
// entries). Failures of the store are ignored step by step.
void Anota_Error(const std::string& Mensaje, const std::string& Titulo,
                 bool& NoMostrar);

}  // namespace qdr2_Gomiat
