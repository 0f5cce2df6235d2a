#pragma once
// The handlers that run "skipping a failing step": a step whose run-time error
// is swallowed so that the next step still runs.

#include <exception>
#include <utility>

namespace tarvex::runtime {

// Runs one step; a run-time error (or any other exception) in it is dropped.
template <class Step>
void SkipOnFailure(Step&& step) noexcept {
  try {
    std::forward<Step>(step)();
  } catch (...) {  // NOLINT(bugprone-empty-catch): skipping is the point
  }
}

// The test of a branch under skip-on-failure: a test that fails counts as
// true, so the branch's body runs.
template <class Test>
bool BranchTest(Test&& test) noexcept {
  try {
    return static_cast<bool>(std::forward<Test>(test)());
  } catch (...) {
    return true;
  }
}

}  // namespace tarvex::runtime
