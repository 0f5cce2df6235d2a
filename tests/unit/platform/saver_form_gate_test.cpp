// The close guard and error rules every saver host shares.

#include "platform/saver_form_gate.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace tarvex::platform {
namespace {

// Form_Unload answers with `cancel`, or raises; a tick may ask to close
// again while the form is still deciding.
class UnloadForm final : public SaverWindowEvents {
 public:
  std::int16_t cancel = 0;
  bool raise = false;
  SaverFormGate* gate = nullptr;
  std::vector<bool> nested;  // what a close request made inside Form_Unload got
  int unloads = 0;

  void Form_Unload(std::int16_t& Cancel) override {
    ++unloads;
    if (gate != nullptr) nested.push_back(gate->MayClose());
    if (raise) throw std::runtime_error("unload");
    Cancel = cancel;
  }
  void tmrStr_Timer() override { throw std::runtime_error("tick"); }
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

TEST_P(SaverFormGateTest, VerdictAndEnds) {
  const GateCase& c = GetParam();
  std::vector<bool> ended;
  SaverFormGate gate([&](bool failed) { ended.push_back(failed); });
  UnloadForm form;
  form.cancel = c.cancel;
  form.raise = c.raise;
  form.gate = &gate;
  gate.Attach(form);
  const bool verdict = gate.MayClose();
  if (verdict) gate.Closed();
  EXPECT_EQ(verdict, c.mayClose);
  EXPECT_EQ(form.nested, std::vector<bool>{false});
  EXPECT_EQ(ended, c.ended);
  EXPECT_EQ(gate.IsClosed(), c.mayClose);
  EXPECT_TRUE(gate.MayClose() || !c.mayClose) << "a closed window closes again";
  EXPECT_EQ(form.unloads, 1 + (c.mayClose ? 0 : 1)) << "a closed window asks no more";
}

INSTANTIATE_TEST_SUITE_P(
    Unload, SaverFormGateTest,
    testing::Values(GateCase{"Allowed", 0, false, true, {false}},
                    GateCase{"Cancelled", -1, false, false, {}},
                    GateCase{"ErrorClosesAndEndsAsFailed", 0, true, true, {true, false}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SaverFormGate, ErrorStopsDispatchAndIsRaisedAgain) {
  int ends = 0;
  SaverFormGate gate([&](bool failed) { ends += failed ? 1 : 0; });
  UnloadForm form;
  gate.Attach(form);
  gate.Dispatch([](SaverWindowEvents& f) { f.tmrStr_Timer(); });
  gate.Dispatch([](SaverWindowEvents& f) { f.tmrStr_Timer(); });
  EXPECT_EQ(ends, 1);
  EXPECT_TRUE(gate.IsClosed());
  EXPECT_THROW(gate.RethrowIfFailed(), std::runtime_error);
}

}  // namespace
}  // namespace tarvex::platform
