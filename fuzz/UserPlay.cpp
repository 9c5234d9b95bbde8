#include "fuzz/UserPlay.h"

#include "fuzz/FuzzedValues.h"

namespace cp::fuzz {
namespace {

// Where the user points, in twips: the button at the right end of the default 2250-twip
// control, and the rows of the list, 225 twips each.
constexpr float kButtonX = 2150;
constexpr float kButtonY = 150;
constexpr float kRowTwips = 225;
constexpr float kListX = 300;
constexpr int kRowsReached = 18;  // a few rows past the longest list

constexpr std::int16_t kKeys[] = {vbKeyDown, vbKeyUp,     vbKeyPageDown, vbKeyPageUp,
                                  vbKeyHome, vbKeyEnd,    vbKeyReturn,   vbKeyEscape,
                                  vbKeyBack, vbKeyDelete, vbKeyF4,       vbKeyLeft};

float RowY(FuzzedDataProvider& in) {
    return kRowTwips * static_cast<float>(in.ConsumeIntegralInRange(-1, kRowsReached)) +
           kRowTwips / 2;
}

}  // namespace

void PlayUser(Session& s, FuzzedDataProvider& in, const Outcome& allowed) {
    sim::User& user = s.user();
    const HWND edit = s.host().EditHwnd();
    const HWND list = s.host().ListHwnd();
    const HWND window = s.host().Hwnd();
    switch (in.ConsumeIntegralInRange(0, 9)) {
        case 0: {
            const std::string text = ConsumeText(in, 8);
            return Step(s, Named("typing", text), allowed, [&] {
                user.Focus(edit);
                user.TypeText(text);
            });
        }
        case 1: {
            const std::int16_t key = in.PickValueInArray(kKeys);
            const std::int16_t shift = in.ConsumeBool() ? vbAltMask : 0;
            return Step(s, Named("a key", std::to_string(key) + "/" + std::to_string(shift)),
                        allowed, [&] {
                            user.Focus(edit);
                            user.PressKey(key, shift);
                        });
        }
        case 2:
            return Step(s, "the button", allowed, [&] { user.Click(window, kButtonX, kButtonY); });
        case 3: {
            const float y = RowY(in);
            return Step(s, Named("hovering over the list", std::to_string(y)), allowed,
                        [&] { user.MouseMove(list, kListX, y); });
        }
        case 4: {
            const float y = RowY(in);
            return Step(s, Named("a click in the list", std::to_string(y)), allowed,
                        [&] { user.Click(list, kListX, y); });
        }
        case 5:
            return Step(s, "the focus leaving", allowed, [&] { user.MoveFocusAway(s.form()); });
        case 6:
            return Step(s, "a click on the form", allowed,
                        [&] { user.ClickOnForm(s.form(), 10, 4000); });
        case 7: {
            // The host hears of a focus that the field cannot take (a disabled control).
            Outcome opening = allowed;
            opening.errors.push_back(vberr::InvalidProcedureCall);
            return Step(s, "ShowDropDown", opening, [&] { s.control().ShowDropDown(); });
        }
        case 8: {
            // The host switches what typing finds, whether the list is open or not; a column
            // beyond the count is refused (error 380) and changes nothing.
            const auto mode = static_cast<std::int16_t>(in.ConsumeIntegralInRange(0, 2));
            const bool filter = in.ConsumeBool();
            const std::string columns = in.ConsumeBool() ? "0" : "1;0";
            Outcome setting = allowed;
            setting.errors.push_back(vberr::InvalidPropertyValue);
            return Step(s, Named("the search", std::to_string(mode) + "/" + columns), setting, [&] {
                s.control().MatchMode(mode);
                s.control().FilterList(filter);
                s.control().SearchColumns(columns);
            });
        }
        default:
            return Step(s, "a double click in the text", allowed, [&] {
                user.Focus(edit);
                user.DoubleClick(edit, 30, 30);
            });
    }
}

}  // namespace cp::fuzz
