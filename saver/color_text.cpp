#include "saver/color_text.h"

#include "runtime/decimal_text.h"
#include "runtime/numeric.h"
#include "runtime/runtime_error.h"

namespace tarvex::saver {

platform::OleColor ColorFromText(std::string_view text) {
  const auto value = runtime::WholeDecimalValue(text);
  if (!value) throw runtime::RuntimeError(runtime::kTypeMismatch);
  return static_cast<platform::OleColor>(runtime::ToInt32(*value));
}

}  // namespace tarvex::saver
