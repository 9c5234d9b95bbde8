// The two plain ways in which the control tells the user about bad input: the usage message
// and the property-value report.
#pragma once

#include <cstdint>
#include <string_view>

namespace cp {

// A message box with the message alone: OK only, no icon, the host's default caption.
void UsageMessage(std::string_view message);

// A rejected property value: a usage message while the component is started on this thread,
// otherwise run-time error `number` with the message as its description.
void PropertyValueReport(std::int32_t number, std::string_view message);

}  // namespace cp
