#include "component/EventSource.h"

namespace ocx {
namespace {

// A by-reference VARIANT for a 16-bit Integer or a Boolean that a sink may change.
VARIANT ByRef(std::int16_t& value) {
    VARIANT v;
    ::VariantInit(&v);
    V_VT(&v) = VT_BYREF | VT_I2;
    V_I2REF(&v) = &value;
    return v;
}

VARIANT BooleanByRef(VARIANT_BOOL& value) {
    VARIANT v;
    ::VariantInit(&v);
    V_VT(&v) = VT_BYREF | VT_BOOL;
    V_BOOLREF(&v) = &value;
    return v;
}

}  // namespace

void EventSource::Freeze(bool freeze) {
    if (freeze) {
        ++frozen_;
    } else if (frozen_ > 0) {
        --frozen_;
    }
}

void EventSource::Raise(EventId id, VARIANT* args, UINT count) {
    if (frozen_ > 0 || !Connected()) return;
    const Moment now = Now();
    DISPPARAMS params{args, nullptr, count, 0};
    for (const ComPtr<IDispatch>& target : now.sinks) {
        EXCEPINFO exception{};
        UINT argError = 0;
        // What a sink answers is its own affair: a failing sink does not stop the others.
        target->Invoke(static_cast<DISPID>(id), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                       &params, nullptr, &exception, &argError);
        ::SysFreeString(exception.bstrSource);
        ::SysFreeString(exception.bstrDescription);
        ::SysFreeString(exception.bstrHelpFile);
    }
}

void EventSource::AfterUpdate() {
    if (commit_ && !commit_()) return;
    Raise(EventId::AfterUpdate, nullptr, 0);
}

void EventSource::KeyDown(std::int16_t& KeyCode, std::int16_t& Shift) {
    VARIANT args[] = {ByRef(Shift), ByRef(KeyCode)};
    Raise(EventId::KeyDown, args, 2);
}

void EventSource::KeyPress(std::int16_t& KeyAscii) {
    VARIANT args[] = {ByRef(KeyAscii)};
    Raise(EventId::KeyPress, args, 1);
}

void EventSource::KeyUp(std::int16_t& KeyCode, std::int16_t& Shift) {
    VARIANT args[] = {ByRef(Shift), ByRef(KeyCode)};
    Raise(EventId::KeyUp, args, 2);
}

void EventSource::Change() {
    Raise(EventId::Change, nullptr, 0);
}

void EventSource::NotInList(bool& Cancel) {
    VARIANT_BOOL cancel = Cancel ? VARIANT_TRUE : VARIANT_FALSE;
    VARIANT args[] = {BooleanByRef(cancel)};
    Raise(EventId::NotInList, args, 1);
    Cancel = cancel != VARIANT_FALSE;
}

}  // namespace ocx
