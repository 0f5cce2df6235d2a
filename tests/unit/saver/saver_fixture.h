#pragma once
// A frmKORVAN on the fake desktop and the fake window host.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "saver/frmKORVAN.h"
#include "startup/shared_state.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/fake_saver_host.h"

namespace tarvex::saver::test {

class SaverFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    desktop.saver_host_factory = [this] {
      auto made = std::make_unique<testing::FakeSaverWindowHost>(screenWidth, screenHeight);
      host = made.get();
      host->SetJournal(&desktop.calls);
      return made;
    };
  }

  void SetMessage(const std::vector<std::string>& lines) {
    state.LineCount = static_cast<std::int16_t>(lines.size());
    state.MessageLines.assign(1, "");
    state.MessageLines.insert(state.MessageLines.end(), lines.begin(), lines.end());
  }

  // What Main does before the modal show: the interval's first use loads.
  void Load(std::int32_t interval = 25) {
    form = std::make_unique<frmKORVAN>(state, desktop);
    form->SetTimerInterval(interval);
  }

  // Loaded and composed, as after the first activation.
  void Activate() {
    Load();
    form->Form_Activate();
  }

  testing::FakePictureSurface& Page() { return host->pictures[2]; }
  testing::FakePictureSurface& Display() { return host->pictures[1]; }
  testing::FakePictureSurface& Copy() { return host->pictures[0]; }

  float screenWidth = 1024;
  float screenHeight = 768;
  testing::FakeDesktop desktop;
  basKORVAN::SharedState state;
  testing::FakeSaverWindowHost* host = nullptr;
  std::unique_ptr<frmKORVAN> form;
};

}  // namespace tarvex::saver::test
