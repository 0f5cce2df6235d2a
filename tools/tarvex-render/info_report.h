#pragma once
// The --info report: what the saver would load, as one JSON object.

#include <optional>
#include <string>

#include "runtime/runtime_error.h"
#include "startup/shared_state.h"

namespace tarvex::render {

// Loads as the saver mode does (settings, then the message file) with
// `programDirectory` as the program directory, without the single-instance
// test. On a run-time error the state holds what was loaded before it.
// Returns the error, if any.
std::optional<runtime::RuntimeError> LoadAsSaver(basKORVAN::SharedState& state,
                                                 const std::string& programDirectory);

// The JSON object: the six settings (MessageFile after its default),
// UsePassword, LineCount, MessageLines 1 to LineCount, and Error when set.
std::string InfoJson(const basKORVAN::SharedState& state,
                     const std::optional<runtime::RuntimeError>& error);

}  // namespace tarvex::render
