#pragma once
// A frmKORVAN on the fake desktop and the fake window host.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "runtime/runtime_error.h"
#include "saver/frmKORVAN.h"
#include "startup/shared_state.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/fake_saver_host.h"

namespace tarvex::saver::test {

class SaverFixture : public ::testing::Test {
 protected:
  // What Main does before the modal show: the interval's first use loads.
  void Load(std::vector<std::string> lines = {}, std::int32_t interval = 25, float width = 1024,
            float height = 768) {
    state.LineCount = static_cast<std::int16_t>(lines.size());
    lines.insert(lines.begin(), "");
    state.MessageLines = std::move(lines);
    desktop.saver_host_factory = [this, width, height] {
      auto made = std::make_unique<testing::FakeSaverWindowHost>(width, height);
      host = made.get();
      host->SetJournal(&desktop.calls);
      return made;
    };
    form = std::make_unique<frmKORVAN>(state, desktop);
    form->SetTimerInterval(interval);
  }
  void Activate(std::vector<std::string> lines = {"line"}, float width = 1024, float height = 768) {
    Load(std::move(lines), 25, width, height);
    form->Form_Activate();
  }
  static void ExpectError(const std::function<void()>& action, std::int32_t number) {
    EXPECT_THAT(action, ::testing::Throws<runtime::RuntimeError>(
                            ::testing::Property(&runtime::RuntimeError::number, number)));
  }

  testing::FakePictureSurface& Copy() { return host->pictures[0]; }
  testing::FakePictureSurface& Display() { return host->pictures[1]; }
  testing::FakePictureSurface& Page() { return host->pictures[2]; }

  testing::FakeDesktop desktop;
  basKORVAN::SharedState state;
  testing::FakeSaverWindowHost* host = nullptr;
  std::unique_ptr<frmKORVAN> form;
};

template <class Case>
class SaverCaseTest : public SaverFixture, public ::testing::WithParamInterface<Case> {};

}  // namespace tarvex::saver::test
