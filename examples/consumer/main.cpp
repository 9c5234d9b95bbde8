// Fills a control with countries and their codes, picks a country and reads its code, the
// value of the bound column. Exits 0 when everything reads back as it should.
#include <cstdio>
#include <string>

#include "Scene.h"
#include "runtime/Conversions.h"

namespace {

int Check(bool ok, const char* what) {
    std::printf("%s: %s\n", ok ? "ok" : "FAILED", what);
    return ok ? 0 : 1;
}

}  // namespace

int main() {
    Scene scene;
    cp::ColumnPick& control = scene.Control();
    control.ColumnCount(2);
    control.BoundColumn(1);  // zero-based: the code
    control.ColumnWidths("1500;600");
    control.AddList("Germany;DE;France;FR;Italy;IT");

    int failures = Check(control.ListCount() == 3, "three rows");
    control.ListIndex(1);
    failures += Check(control.Text() == "France", "the picked row's text");
    failures += Check(cp::CStr(control.Value()) == "FR", "the picked row's value");
    control.Value(cp::Variant("IT"));
    failures += Check(control.Text() == "Italy", "a value picks its row");
    for (const std::string& prompt : scene.MessageBoxes())
        failures += Check(false, ("no message box: " + prompt).c_str());
    std::printf("%s\n", failures == 0 ? "ColumnPick works." : "ColumnPick failed.");
    return failures == 0 ? 0 : 1;
}
