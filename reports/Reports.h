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

// Watches one put of a property on this thread for a property-value report: in a form the
// rejected value is only a message and the put returns normally, so its caller asks here
// whether the value was taken. Puts nest (an event handler may put another property); a report
// belongs to the innermost watch.
class RefusalWatch {
public:
    RefusalWatch();
    ~RefusalWatch();
    RefusalWatch(const RefusalWatch&) = delete;
    RefusalWatch& operator=(const RefusalWatch&) = delete;

    bool Refused() const { return refused_; }

private:
    friend void PropertyValueReport(std::int32_t number, std::string_view message);

    RefusalWatch* outer_;   // the watch of the put this one runs inside, if any
    bool refused_ = false;  // a property-value report was made during the put
};

}  // namespace cp
