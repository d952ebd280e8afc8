#pragma once
// The process-wide list of live spreadsheet applications, which "attach" and the global quit
// reach. It holds weak references only: an application lives as long as its handles do.

#include <memory>
#include <vector>

#include "workbook_state.h"

namespace kelvorad::detail {

void registerApplication(const std::shared_ptr<ApplicationState>& application);
// Every registered application still alive and not quit, oldest first.
std::vector<std::shared_ptr<ApplicationState>> liveApplications();

}  // namespace kelvorad::detail
