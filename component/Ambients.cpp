// The container's ambient properties other than the font: each is asked through the site's
// IDispatch, and an ambient the container lacks, fails or answers with the wrong type leaves the
// control as it would be without one.
#include "component/ColumnPickObject.h"
#include "platform/win32/Wide.h"

namespace ocx {

bool ColumnPickObject::AmbientValue(DISPID dispid, VARTYPE type, VARIANT& answer) {
    IDispatch* ambients = Ambients();
    if (ambients == nullptr) return false;
    DISPPARAMS none{};
    const HRESULT hr = ambients->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                                        &none, &answer, nullptr, nullptr);
    ambients->Release();
    return SUCCEEDED(hr) && SUCCEEDED(::VariantChangeType(&answer, &answer, 0, type));
}

bool ColumnPickObject::AmbientFlag(DISPID dispid, bool fallback) {
    VARIANT answer;
    ::VariantInit(&answer);
    bool flag = fallback;
    if (AmbientValue(dispid, VT_BOOL, answer)) flag = V_BOOL(&answer) != VARIANT_FALSE;
    ::VariantClear(&answer);
    return flag;
}

void ColumnPickObject::ReadAmbients(DISPID dispid) {
    const bool all = dispid == DISPID_UNKNOWN;
    if (all || dispid == DISPID_AMBIENT_UIDEAD) ReadUIDead();
    FollowAmbientColors(dispid);
    if (all || dispid == DISPID_AMBIENT_RIGHTTOLEFT) {
        ambientRightToLeft_ = AmbientFlag(DISPID_AMBIENT_RIGHTTOLEFT, ambientRightToLeft_);
    }
    if (all || dispid == DISPID_AMBIENT_LOCALEID) {
        VARIANT answer;
        ::VariantInit(&answer);
        if (AmbientValue(DISPID_AMBIENT_LOCALEID, VT_I4, answer)) {
            ambientLocale_ = static_cast<LCID>(V_I4(&answer));
        }
        ::VariantClear(&answer);
    }
}

std::string ColumnPickObject::AmbientDisplayName() {
    try {
        VARIANT answer;
        ::VariantInit(&answer);
        std::string name;
        if (AmbientValue(DISPID_AMBIENT_DISPLAYNAME, VT_BSTR, answer) && V_BSTR(&answer)) {
            name = win32::Narrow(V_BSTR(&answer));
        }
        ::VariantClear(&answer);
        return name;
    } catch (...) {
        // A screen reader asked: without the container's name it reads the control's own.
        return {};
    }
}

void ColumnPickObject::ReadUIDead() {
    uiDead_ = AmbientFlag(DISPID_AMBIENT_UIDEAD, quickUIDead_);
    if (!uiDead_) return;
    // A press under way would keep the pointer captured: its release no longer comes.
    HWND captured = ::GetCapture();
    if (captured != nullptr && host_->Contains(captured)) ::ReleaseCapture();
    // A list the user opened before the container went dead closes: nothing could close it now.
    if (started_ && control_ != nullptr && control_->ComboBoxIsOpen()) {
        host_->Put([&] { control_->HideListBox(cp::AfterHide::LeaveFocus); });
    }
}

void ColumnPickObject::FollowAmbientColors(DISPID dispid) {
    const bool all = dispid == DISPID_UNKNOWN;
    // A container that has no colour, or answers with no number, leaves the control's own.
    const auto color = [&](DISPID which, cp::OLE_COLOR own) {
        VARIANT answer;
        ::VariantInit(&answer);
        const cp::OLE_COLOR shown =
            AmbientValue(which, VT_I4, answer) ? static_cast<cp::OLE_COLOR>(V_I4(&answer)) : own;
        ::VariantClear(&answer);
        ShowAmbientColor(which, shown);
    };
    if (all || dispid == DISPID_AMBIENT_BACKCOLOR) color(DISPID_AMBIENT_BACKCOLOR, kOwnBackColor);
    if (all || dispid == DISPID_AMBIENT_FORECOLOR) color(DISPID_AMBIENT_FORECOLOR, kOwnForeColor);
}

void ColumnPickObject::ShowAmbientColor(DISPID which, cp::OLE_COLOR color) {
    if (!started_ || control_ == nullptr) return;
    const bool back = which == DISPID_AMBIENT_BACKCOLOR;
    if (!(back ? followBackColor_ : followForeColor_)) return;
    if ((back ? control_->BackColorNormal() : control_->ForeColorNormal()) == color) return;
    struct Taking {
        bool& flag;
        explicit Taking(bool& f) : flag(f) { flag = true; }
        ~Taking() { flag = false; }
    } const taking(takingAmbientColor_);
    host_->Put([&] {
        if (back) {
            control_->BackColorNormal(color);
        } else {
            control_->ForeColorNormal(color);
        }
    });
}

ColumnPickObject::OwnColors::OwnColors(ColumnPickObject& object) : object_(object) {
    object_.ShowAmbientColor(DISPID_AMBIENT_BACKCOLOR, kOwnBackColor);
    object_.ShowAmbientColor(DISPID_AMBIENT_FORECOLOR, kOwnForeColor);
}

ColumnPickObject::OwnColors::~OwnColors() {
    try {
        object_.FollowAmbientColors(DISPID_UNKNOWN);
    } catch (...) {
        // The save is over either way; the colours come back at the container's next change.
    }
}

}  // namespace ocx
