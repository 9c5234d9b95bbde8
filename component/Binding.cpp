// Data binding and property browsers: the IPropertyNotifySink connection point hears of every
// change of a published property, and a bound field may refuse a change of Value or Text before
// it happens. A put that the field refuses fails with run-time error 383 ("The bound field
// refused the change"), and the control keeps its value; a commit of the user's that it refuses
// returns the text to the row committed before.
#include <algorithm>

#include "component/ColumnPickObject.h"

namespace ocx {
namespace {

constexpr std::int32_t kEditRefused = 383;
constexpr const char* kEditRefusedText = "The bound field refused the change";

bool IsBindable(std::int32_t dispid) {
    return dispid == iface::DISPID_VALUE || dispid == iface::dispid::Text;
}

// A put of these changes the row shown, and with it Value and Text.
bool ChangesTheRow(std::int32_t dispid) {
    return IsBindable(dispid) || dispid == iface::dispid::ListIndex;
}

DISPID IdOfKey(std::string_view key) {
    for (const iface::Member& m : iface::Members()) {
        if (m.name == key) return m.dispid;
    }
    return DISPID_UNKNOWN;
}

}  // namespace

void ColumnPickObject::PropertyChanged(std::string_view key) {
    // The container's colours are no change of the host's: nothing is dirty, nobody is told.
    if (takingAmbientColor_) return;
    if (key == "BackColorNormal") followBackColor_ = false;
    if (key == "ForeColorNormal") followForeColor_ = false;
    dirty_ = true;
    const DISPID dispid = IdOfKey(key);
    changed_.push_back(dispid);
    notify_.Changed(dispid);
}

void ColumnPickObject::RequestEdit(std::int32_t dispid, iface::Kind kind) {
    if (kind != iface::Kind::PropertyLet || !IsBindable(dispid)) return;
    if (!notify_.MayEdit(dispid)) Raise(kEditRefused, kEditRefusedText);
}

void ColumnPickObject::NotifyPut(std::int32_t dispid, iface::Kind kind) {
    if (kind != iface::Kind::PropertyLet) return;
    auto tell = [this](DISPID id) {
        if (std::find(changed_.begin(), changed_.end(), id) != changed_.end()) return;
        changed_.push_back(id);
        notify_.Changed(id);
    };
    tell(dispid);
    if (!ChangesTheRow(dispid)) return;
    RememberCommitted();
    tell(iface::DISPID_VALUE);
    tell(iface::dispid::Text);
}

void ColumnPickObject::RememberCommitted() {
    try {
        committed_ = control_->Value();
    } catch (...) {
        // The designer has no Value to remember: a refused commit there has nothing to undo.
        committed_ = Variant::Null();
    }
}

bool ColumnPickObject::NotifyCommit() {
    if (!notify_.MayEdit(iface::DISPID_VALUE)) {
        // The row committed before comes back, and with it its text.
        host_->Put([&] { control_->Value(committed_); });
        return false;
    }
    RememberCommitted();
    notify_.Changed(iface::DISPID_VALUE);
    notify_.Changed(iface::dispid::Text);
    return true;
}

}  // namespace ocx
