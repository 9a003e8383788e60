#pragma once
// Every settings page of the tool, created once per session in a fixed
// order; the main window and the CLI attach them to their session.
#include <memory>
#include <vector>

#include "pages/Page.h"

namespace orlan {

std::vector<std::unique_ptr<CPage>> CreateAllPages();

} // namespace orlan
