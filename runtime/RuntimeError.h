// Run-time errors of the host runtime: a number and a description. A procedure with an error
// trap catches RuntimeError (and any other exception, which it reports as such an error) and
// hands it to the error report; a procedure without one lets it reach its caller.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

namespace cp {

// Error numbers that the control raises or reports.
namespace vberr {
inline constexpr std::int32_t InvalidProcedureCall = 5;
inline constexpr std::int32_t Overflow = 6;
inline constexpr std::int32_t OutOfMemory = 7;
inline constexpr std::int32_t SubscriptOutOfRange = 9;
inline constexpr std::int32_t DivisionByZero = 11;
inline constexpr std::int32_t TypeMismatch = 13;
inline constexpr std::int32_t ObjectNotSet = 91;
inline constexpr std::int32_t InvalidUseOfNull = 94;
inline constexpr std::int32_t ResourceNotFound = 326;
inline constexpr std::int32_t InvalidPropertyValue = 380;
inline constexpr std::int32_t WriteOnlyProperty = 394;
inline constexpr std::int32_t ObjectRequired = 424;
inline constexpr std::int32_t NoSuchMember = 438;
inline constexpr std::int32_t AutomationError = 440;
inline constexpr std::int32_t NamedArgumentsUnsupported = 446;
inline constexpr std::int32_t ArgumentNotOptional = 449;
inline constexpr std::int32_t WrongArgumentCount = 450;
}  // namespace vberr

class RuntimeError : public std::exception {
public:
    // An error with the runtime's standard description of its number.
    explicit RuntimeError(std::int32_t number);
    RuntimeError(std::int32_t number, std::string description);

    std::int32_t Number() const noexcept { return number_; }
    const std::string& Description() const noexcept { return description_; }
    const char* what() const noexcept override { return description_.c_str(); }

private:
    std::int32_t number_;
    std::string description_;
};

// The runtime's standard description of an error number ("Application-defined or
// object-defined error" for numbers it does not know).
std::string StandardDescription(std::int32_t number);

// Raises run-time error `number` with its standard description.
[[noreturn]] void Raise(std::int32_t number);
[[noreturn]] void Raise(std::int32_t number, std::string description);

// Turns whatever a trapped procedure caught into a run-time error: RuntimeError as it is, an
// allocation failure as error 7, anything else as error 5 with its message. Call it only from
// inside a catch block.
RuntimeError CurrentError();

}  // namespace cp
