// The close guard and error rules every saver host shares.

#include "platform/saver_form_gate.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace tarvex::platform {
namespace {

// Form_Unload asks to close once more, as a password prompt's loop may, then
// answers `cancel` or raises.
struct UnloadForm final : SaverWindowEvents {
  UnloadForm(std::int16_t c, bool r, SaverFormGate* g) : cancel(c), raise(r), gate(g) {}
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

struct GateCase {
  const char* name;
  std::int16_t cancel;
  bool raise;
  bool mayClose;
  std::vector<bool> ended;  // the `failed` argument of each end of the show
};

class SaverFormGateTest : public testing::TestWithParam<GateCase> {};

TEST_P(SaverFormGateTest, VerdictNestedRequestAndEnds) {
  const GateCase& c = GetParam();
  std::vector<bool> ended;
  SaverFormGate gate([&](bool failed) { ended.push_back(failed); });
  UnloadForm form(c.cancel, c.raise, &gate);
  gate.Attach(form);
  const bool verdict = gate.MayClose();
  if (verdict) gate.Closed();
  EXPECT_EQ(verdict, c.mayClose);
  EXPECT_EQ(form.nested, std::vector<bool>{false}) << "asked while deciding: refused";
  EXPECT_EQ(ended, c.ended);
  EXPECT_EQ(gate.IsClosed() && gate.MayClose(), c.mayClose) << "closed, it closes unasked";
}

INSTANTIATE_TEST_SUITE_P(Unload, SaverFormGateTest,
                         testing::Values(GateCase{"Allowed", 0, false, true, {false}},
                                         GateCase{"Cancelled", -1, false, false, {}},
                                         GateCase{
                                             "ErrorClosesAsFailed", 0, true, true, {true, false}}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarvex::platform
