#include "shell/frmAbout.h"

#include "control/ColumnPick.h"
#include "shell/AboutPictures.h"

namespace cp {
namespace {

constexpr float kClientWidth = 5865;
constexpr float kClientHeight = 3630;
constexpr std::string_view kAddress = "https://columnpick.example/";

constexpr OLE_COLOR kSilver = 0xC0C0C0;
constexpr OLE_COLOR kBlue = 0xFF0000;
constexpr OLE_COLOR kRed = 0x0000FF;
constexpr OLE_COLOR kPaleBlue = 0xFFC0C0;
constexpr OLE_COLOR kPaleYellow = 0xC0FFFF;

constexpr FormChildKind kPicture = FormChildKind::Picture;
constexpr FormChildKind kTextBox = FormChildKind::TextBox;
constexpr FormChildKind kLabel = FormChildKind::Label;

const FormChild kChildren[] = {
    {"Image1", kPicture, 240, 240, 2415, 1245, "", 0, 0, &AboutBanner},
    {"Image4", kPicture, 240, 1800, 2415, 315, "", 0, 0, &AboutStripe},
    {"Image5", kPicture, 240, 2400, 2415, 1020, "", 0, 0, &AboutColumns},
    {"Image6", kPicture, 2850, 135, 2835, 3045, "", 0, 0, &AboutPortrait},
    {"Text1", kTextBox, 2880, 3240, 2760, 315, kAddress, kSilver, kBlue, nullptr},
    {"Label1(0)", kLabel, 870, 1260, 1410, 210, kAboutVersion, kPaleBlue, kBlue, nullptr},
    {"Label1(1)", kLabel, 3900, 1380, 1380, 210, kAboutVersion, kPaleYellow, kRed, nullptr},
    {"Label1(2)", kLabel, 3900, 2940, 1350, 210, kAboutVersion, kPaleYellow, kRed, nullptr},
};

const FormDesign kDesign{"frmAbout", kAboutCaption, kClientWidth, kClientHeight, kChildren};

}  // namespace

const FormDesign& AboutBoxDesign() {
    return kDesign;
}

void ShowAboutBox() {
    host::ShowModalForm(kDesign);
}

// The box has no error handler of its own: a failure to show it reaches the caller.
void ColumnPick::About() {
    ShowAboutBox();
}

}  // namespace cp
