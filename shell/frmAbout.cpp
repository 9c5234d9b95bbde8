#include "shell/frmAbout.h"

#include <string>

#include "control/ColumnPick.h"
#include "control/PublicInterface.h"
#include "platform/Host.h"

namespace cp {

void ShowAboutBox() {
    const std::string text = std::string("ColumnPick ") + kAboutVersion + "\r\n\r\n" +
                             std::string(iface::Ids().typeLibraryHelp);
    host::MsgBox(text, vbOKOnly, kAboutCaption);
}

// The box has no error handler of its own: a failure to show it reaches the caller.
void ColumnPick::About() {
    ShowAboutBox();
}

}  // namespace cp
