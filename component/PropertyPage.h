// The control's own property page: the list's settings of one or more controls, shown in a
// frame's page (PageWindow) and applied through each control's IDispatch, so that the controls
// check each value as they check a script's and tell their property-notify sinks of each change.
// A value a control refuses is not applied and keeps the page dirty: the control shows its own
// message for a value out of range, the page shows the control's error for any other failure.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "component/Com.h"
#include "component/Module.h"

namespace ocx {

// {EB4D7EC8-576B-4DD5-A863-43EE8E071504}
inline constexpr GUID kPropertyPageClass = {
    0xEB4D7EC8, 0x576B, 0x4DD5, {0xA8, 0x63, 0x43, 0xEE, 0x8E, 0x07, 0x15, 0x04}};
inline constexpr const wchar_t* kPropertyPageClassText = L"{EB4D7EC8-576B-4DD5-A863-43EE8E071504}";

// The system's pages for colours and fonts (msstkppg.h's CLSID_StockColorPage and
// CLSID_StockFontPage, which no import library defines).
inline constexpr GUID kStockColorPage = {
    0x7EBDAAE1, 0x8120, 0x11CF, {0x89, 0x9F, 0x00, 0xAA, 0x00, 0x68, 0x8B, 0x10}};
inline constexpr GUID kStockFontPage = {
    0x7EBDAAE0, 0x8120, 0x11CF, {0x89, 0x9F, 0x00, 0xAA, 0x00, 0x68, 0x8B, 0x10}};

class AutomationObject;
class PageWindow;
class SheetApplyWatch;

class PropertyPage final : public IPropertyPage2 {
public:
    // A new page with one reference, for the class factory.
    static HRESULT Create(REFIID iid, void** out);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE SetPageSite(IPropertyPageSite* site) override;
    HRESULT STDMETHODCALLTYPE Activate(HWND parent, LPCRECT place, BOOL modal) override;
    HRESULT STDMETHODCALLTYPE Deactivate() override;
    HRESULT STDMETHODCALLTYPE GetPageInfo(PROPPAGEINFO* info) override;
    HRESULT STDMETHODCALLTYPE SetObjects(ULONG count, IUnknown** objects) override;
    HRESULT STDMETHODCALLTYPE Show(UINT command) override;
    HRESULT STDMETHODCALLTYPE Move(LPCRECT place) override;
    HRESULT STDMETHODCALLTYPE IsPageDirty() override;
    HRESULT STDMETHODCALLTYPE Apply() override;
    HRESULT STDMETHODCALLTYPE Help(LPCOLESTR helpFolder) override;
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG* msg) override;
    HRESULT STDMETHODCALLTYPE EditProperty(DISPID dispid) override;

private:
    PropertyPage();
    ~PropertyPage();

    // The values of the first object, shown in the fields.
    void ReadObjects();
    // The fields' values as the window shows them now.
    void TakeWindowValues();
    bool Dirty() const;
    void Edited(std::size_t field);
    // Puts the field's value into every object; false when one of them refuses it.
    bool ApplyField(std::size_t field);
    bool ApplyAll();

    ObjectLife life_;             // counts this object for DllCanUnloadNow
    std::atomic<ULONG> refs_{1};  // references
    IPropertyPageSite* site_ = nullptr;
    // The controls whose settings the page shows, called by name as a script calls them.
    std::vector<std::shared_ptr<AutomationObject>> objects_;
    // Each field's value as shown ("1"/"0" for a check box, a named value's number), and as the
    // objects last held it: a field whose two differ is changed.
    std::vector<std::wstring> shown_;
    std::vector<std::wstring> held_;
    std::unique_ptr<PageWindow> window_;  // while active
    std::unique_ptr<SheetApplyWatch> sheet_;
};

}  // namespace ocx
