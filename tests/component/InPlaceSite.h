// A container's site of the test's own making, for what ATL's host does not do: it activates the
// control in place in a window of its own, answers the ambient user mode it is given, records
// the control's calls ("OnInPlaceActivate", "OnUIActivate", ...), runs a handler of the test
// inside the control's deactivation, offers a control site with accelerators of its own when
// asked to, and lives on the test's stack (its references are counted, not owned).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tests/component/ComponentFixture.h"

namespace cp::test {

// How a container answers the control's ambient properties.
using AmbientAnswer = std::function<HRESULT(DISPID id, VARIANT* result)>;

class InPlaceSite final : public ClientSite<IOleInPlaceSite, IDispatch, IOleControlSite> {
public:
    InPlaceSite();
    ~InPlaceSite();
    InPlaceSite(const InPlaceSite&) = delete;
    InPlaceSite& operator=(const InPlaceSite&) = delete;

    // Gives the control this site and activates it in place, with the focus in it.
    HRESULT Activate(IUnknown* control);
    // The edit field of the control active in the site's window.
    HWND Edit() const;

    HWND window = nullptr;  // the container's window, shown
    bool userMode = true;   // Ambient.UserMode
    // Answers the other ambient properties; none when empty.
    AmbientAnswer ambient;
    std::vector<std::string> log;               // the control's calls of the site, in order
    std::function<void()> onInPlaceDeactivate;  // runs inside OnInPlaceDeactivate
    std::function<void()> onUIDeactivate;       // runs inside OnUIDeactivate
    // Offers IOleControlSite, whose TranslateAccelerator takes Tab ("TranslateAccelerator(9)").
    bool controlSite = false;

    // IUnknown: IOleWindow is the in-place site's, IOleControlSite only when offered.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    // IOleWindow, IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* out) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return Logged("OnInPlaceActivate"); }
    HRESULT STDMETHODCALLTYPE OnUIActivate() override { return Logged("OnUIActivate"); }
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame,
                                               IOleInPlaceUIWindow** document, LPRECT position,
                                               LPRECT clip, LPOLEINPLACEFRAMEINFO info) override;
    HRESULT STDMETHODCALLTYPE Scroll(::SIZE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override;
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override;
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override { return S_OK; }
    // IDispatch: the ambient properties
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result,
                                     EXCEPINFO*, UINT*) override;

    // IOleControlSite
    HRESULT STDMETHODCALLTYPE OnControlInfoChanged() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE LockInPlaceActive(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetExtendedControl(IDispatch** out) override;
    HRESULT STDMETHODCALLTYPE TransformCoords(POINTL*, POINTF*, ::DWORD) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG* msg, ::DWORD modifiers) override;
    HRESULT STDMETHODCALLTYPE OnFocus(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ShowPropertyFrame() override { return E_NOTIMPL; }

private:
    // Logs the control's call of the site and answers it.
    HRESULT Logged(const char* call);
};

// A new control on `site`, started afresh, with one column of `rows` and active in place.
ComPtr<IDispatch> ActiveControl(InPlaceSite& site, const wchar_t* rows);
// Closes the control and takes its site away, as a container that removes it.
void Close(IDispatch* control);

// A container that has the ambients `ids` and no other, each answered with what `value` writes
// at the time the control asks.
AmbientAnswer Ambients(std::vector<DISPID> ids, std::function<void(DISPID id, VARIANT*)> value);

}  // namespace cp::test
