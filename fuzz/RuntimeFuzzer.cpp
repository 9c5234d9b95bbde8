// The runtime's conversions and UTF-8 decoding: texts to numbers and back under several
// locales, every Variant through every conversion, Variant equality, and UTF-8 / UTF-16 texts
// whatever their bytes.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>

#include "fuzz/FuzzedValues.h"
#include "fuzz/Outcome.h"
#include "platform/sim/UpperCase.h"
#include "runtime/Conversions.h"
#include "runtime/Locale.h"
#include "runtime/Utf8.h"

namespace cp::fuzz {
namespace {

constexpr const char* kSeparators[] = {".", ",", "\xd9\xab"};  // the last: U+066B

// Runs a conversion; only the run-time errors listed may come out of it.
template <class F>
bool Converts(std::string_view what, std::initializer_list<std::int32_t> named, F&& f) {
    try {
        f();
        return true;
    } catch (const RuntimeError& e) {
        for (std::int32_t n : named)
            if (n == e.Number()) return false;
        Fail(what, "raised error " + std::to_string(e.Number()));
    } catch (const std::exception& e) {
        Fail(what, std::string("threw ") + e.what());
    }
}

// The text form keeps `digits` significant digits; reading it back gives the value again
// within them.
void CheckReadsBack(std::string_view what, double value, const std::string& text, int digits) {
    if (!std::isfinite(value)) return;
    double back = 0;
    if (!Converts(what, {vberr::Overflow}, [&] { back = CDbl(text); })) {
        // Only a value at the very top of the range may round up beyond it.
        if (std::fabs(value) < 1e308) Fail(what, "\"" + text + "\" does not read back");
        return;
    }
    const double tolerance = std::fabs(value) * std::pow(10.0, 1 - digits) + 1e-300;
    if (std::fabs(back - value) > tolerance) {
        Fail(what, "\"" + text + "\" reads back as " + std::to_string(back));
    }
}

void CheckNumberText(const Variant& v) {
    std::string text;
    if (!Converts("CStr", {vberr::Overflow, vberr::TypeMismatch, vberr::InvalidUseOfNull},
                  [&] { text = CStr(v); })) {
        return;
    }
    if (const auto* d = v.Get<double>()) CheckReadsBack("CStr of a Double", *d, text, 15);
    if (const auto* f = v.Get<float>()) CheckReadsBack("CStr of a Single", *f, text, 7);
    if (v.Get<Currency>()) CheckReadsBack("CStr of a Currency", v.Number(), text, 15);
    if (v.Get<Date>() && text.empty()) Fail("CStr of a Date", "gave no text");
}

void CheckConversions(const Variant& v) {
    const std::initializer_list<std::int32_t> named = {vberr::Overflow, vberr::TypeMismatch,
                                                       vberr::InvalidUseOfNull};
    double d = 0;
    if (!Converts("CDbl", named, [&] { d = CDbl(v); })) return;
    // Only a value that holds an infinity or NaN already gives one back.
    if (!std::isfinite(d) && !v.Get<double>() && !v.Get<float>() && !v.Get<Date>()) {
        Fail("CDbl", "made a non-finite number");
    }
    std::int16_t i = 0;
    if (Converts("CInt", named, [&] { i = CInt(v); }) && i != RoundHalfEven(d)) {
        Fail("CInt", "does not round " + std::to_string(d) + " to " + std::to_string(i));
    }
    Converts("CLng", named, [&] { CLng(v); });
    Converts("CByte", named, [&] { CByte(v); });
    Converts("CBool", named, [&] { CBool(v); });
}

void CheckEquality(const Variant& a, const Variant& b) {
    bool ab = false, ba = false;
    const bool compared = Converts("VariantEquals", {vberr::TypeMismatch}, [&] {
        ab = VariantEquals(a, b);
        ba = VariantEquals(b, a);
    });
    if (compared && ab != ba) Fail("VariantEquals", "is not symmetric");
}

void CheckUtf8(const std::string& text) {
    std::string canonical;
    std::size_t characters = 0;
    for (std::size_t offset = 0; offset < text.size(); ++characters) {
        const std::size_t at = offset;
        utf8::Append(canonical, utf8::Next(text, offset));
        if (offset <= at || offset > text.size()) Fail("utf8::Next", "did not advance");
        if (utf8::OffsetOf(text, characters) != at) Fail("utf8::OffsetOf", "disagrees with Next");
    }
    if (utf8::Length(text) != characters) Fail("utf8::Length", "disagrees with Next");
    if (utf8::Length(utf8::Left(text, characters / 2)) != characters / 2) {
        Fail("utf8::Left", "cut the wrong number of characters");
    }
    const std::u16string wide = utf8::ToUtf16(text);
    if (utf8::FromUtf16(wide) != canonical) Fail("utf8::ToUtf16", "does not convert back");
    if (utf8::ToUtf16(utf8::FromUtf16(wide)) != wide) Fail("utf8::FromUtf16", "is not stable");
    if (utf8::Length(UpperCase(text)) != characters) Fail("UpperCase", "changed the length");
}

void CheckUtf16(FuzzedDataProvider& in) {
    const std::string bytes = in.ConsumeRandomLengthString(64);
    const std::u16string wide(reinterpret_cast<const char16_t*>(bytes.data()), bytes.size() / 2);
    const std::string narrow = utf8::FromUtf16(wide);
    if (utf8::FromUtf16(utf8::ToUtf16(narrow)) != narrow) {
        Fail("utf8::FromUtf16", "made a text that does not convert back");
    }
}

}  // namespace
}  // namespace cp::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace cp;
    using namespace cp::fuzz;
    FuzzedDataProvider in(data, size);
    LocaleFacts facts;
    facts.decimalSeparator = in.PickValueInArray(kSeparators);
    if (in.ConsumeBool()) facts.upperCase = &sim::UpperCaseChar;
    SetLocale(facts);
    while (in.remaining_bytes() > 0) {
        switch (in.ConsumeIntegralInRange(0, 4)) {
            case 0: {
                const std::string text = ConsumeText(in);
                double value = 0;
                if (Converts("CDbl of a text", {vberr::TypeMismatch, vberr::Overflow},
                             [&] { value = CDbl(text); })) {
                    if (!std::isfinite(value)) Fail("CDbl of a text", "gave " + text);
                    CheckReadsBack("FormatDouble", value, FormatDouble(value), 15);
                }
                break;
            }
            case 1: {
                const Variant v = ConsumeVariant(in);
                CheckNumberText(v);
                CheckConversions(v);
                break;
            }
            case 2:
                CheckEquality(ConsumeVariant(in), ConsumeVariant(in));
                break;
            case 3:
                CheckUtf8(ConsumeText(in, 128));
                break;
            default:
                CheckUtf16(in);
                break;
        }
    }
    SetLocale(LocaleFacts{});
    return 0;
}
