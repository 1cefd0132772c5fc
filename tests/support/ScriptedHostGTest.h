#pragma once

// For test programs only (needs GoogleTest): makes every unexpected message box, file dialog or
// modal dialog of a ScriptedHost a failure of the running test.

#include "ui/ScriptedHost.h"

#include <gtest/gtest.h>

#include <string>

namespace qm::ui {

inline void InstallGTestFailures(ScriptedHost& host) {
    host.SetFailureHandler([](const std::string& what) { ADD_FAILURE() << what; });
}

} // namespace qm::ui
