#include "control/FillReport.h"

#include "data/Database.h"

namespace cp {
namespace {

constexpr const char* kParagraph = "\r\n\r\n";

constexpr const char* kParameterAdvice =
    "In some cases, this message is generated when unknown field names or expressions are "
    "interpreted as query parameters. Be sure to enclose field names containing spaces or "
    "punctuation with square brackets [ ].";

constexpr const char* kCursorTypeAdvice = "Did you set the CursorType of the recordset?";

}  // namespace

std::string QueryFailureDescription(const RuntimeError& error, Database& dbDatabase) {
    const std::int32_t number = error.Number();
    if (number != kErrTooFewParameters && number != kErrInputTableNotFound) {
        return error.Description();
    }
    std::string text = "In database: " + dbDatabase.Name() +
                       " the following error occured: " + kParagraph + error.Description();
    if (number == kErrTooFewParameters) text += kParagraph + std::string(kParameterAdvice);
    return text;
}

std::string RecordsetFailureDescription(const RuntimeError& error) {
    const char* advice =
        error.Number() == kErrTooFewParameters ? kParameterAdvice : kCursorTypeAdvice;
    return std::string("The following error occured: ") + kParagraph + error.Description() +
           kParagraph + advice;
}

}  // namespace cp
