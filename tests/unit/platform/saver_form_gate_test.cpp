// The close guard and error rules every saver host shares.

#include "platform/saver_form_gate.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <tuple>
#include <vector>

namespace tarvex::platform {
namespace {

// Form_Unload asks to close once more, as a password prompt's loop may, then
// answers `cancel` or raises.
struct UnloadForm final : SaverWindowEvents {
  std::int16_t cancel;
  bool raise;
  SaverFormGate* gate;
  std::vector<bool> nested;
  void Form_Unload(std::int16_t& Cancel) override {
    nested.push_back(gate->MayClose());
    if (raise) throw std::runtime_error("unload");
    Cancel = cancel;
  }
  void tmrStr_Timer() override {}
  void Form_Activate() override {}
  void Form_KeyDown(std::int16_t, std::int16_t) override {}
  void Form_MouseMove(std::int16_t, std::int16_t, float, float) override {}
  void picTARVEX_Click(std::int16_t) override {}
  void picTARVEX_KeyDown(std::int16_t, std::int16_t, std::int16_t) override {}
  void picTARVEX_MouseMove(std::int16_t, std::int16_t, std::int16_t, float, float) override {}
};

// The form's cancel, whether it raises, the verdict, and the `failed`
// argument of each end of the show.
using GateCase = std::tuple<std::int16_t, bool, bool, std::vector<bool>>;

class SaverFormGateTest : public testing::TestWithParam<GateCase> {};

TEST_P(SaverFormGateTest, VerdictNestedRequestAndEnds) {
  const auto& [cancel, raise, mayClose, ends] = GetParam();
  std::vector<bool> ended;
  SaverFormGate gate([&](bool failed) { ended.push_back(failed); });
  UnloadForm form;
  form.cancel = cancel, form.raise = raise, form.gate = &gate;
  gate.Attach(form);
  const bool verdict = gate.MayClose();
  if (verdict) gate.Closed();
  EXPECT_EQ(verdict, mayClose);
  EXPECT_EQ(form.nested, std::vector<bool>{false}) << "asked while deciding: refused";
  EXPECT_EQ(ended, ends);
  EXPECT_EQ(gate.IsClosed() && gate.MayClose(), mayClose) << "closed, it closes unasked";
}

INSTANTIATE_TEST_SUITE_P(Unload, SaverFormGateTest,
                         testing::Values(GateCase{0, false, true, {false}},
                                         GateCase{-1, false, false, {}},
                                         GateCase{0, true, true, {true, false}}));

}  // namespace
}  // namespace tarvex::platform
