#pragma once
// What must hold after every action: the window shows what the model says,
// and every message box it showed is one the program is known to show.

#include <cstddef>
#include <string>

#include "SoakSession.h"

namespace soak {

// The first difference between the window and the model, "" for none.
// boxesBefore: how many message boxes had been shown at the last check.
std::string CheckInvariants(SoakSession& session, std::size_t boxesBefore);

}  // namespace soak
