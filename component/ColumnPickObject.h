// One ColumnPick control as a COM object: the dual interface `_ColumnPick` over the same
// control core and interface table that the C++ API uses, its events, its settings through the
// container's stream or property bag, and in-place activation in an OLE container, whose
// window holds the control's own window (edit field, button and list).
//
// The control's windows exist from creation on, parked in a hidden window of the object's own
// until a container activates the control in place. The control starts (UserControl_Initialize
// and UserControl_InitProperties or UserControl_ReadProperties) at InitNew or Load, or at the
// first call of a host that does neither (a script).
#pragma once

#include <atomic>
#include <memory>
#include <string_view>
#include <vector>

#include "component/Com.h"
#include "component/EventSource.h"
#include "component/Module.h"
#include "control/ColumnPick.h"
#include "control/PublicInterface.h"
#include "platform/win32/Container.h"
#include "platform/win32/ControlHost.h"

namespace ocx {

class ColumnPickObject final : public _ColumnPick,
                               public IProvideClassInfo2,
                               public IConnectionPointContainer,
                               public ISupportErrorInfo,
                               public IOleObject,
                               public IOleInPlaceObject,
                               public IOleInPlaceActiveObject,
                               public IOleControl,
                               public IViewObject2,
                               public IPersistStreamInit,
                               public IPersistPropertyBag,
                               private win32::Container {
public:
    // A new object with one reference, for the class factory.
    static HRESULT Create(REFIID iid, void** out);

    // --- IUnknown ----------------------------------------------------------------------------
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // --- IDispatch ---------------------------------------------------------------------------
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** out) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID iid, LCID lcid, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argError) override;

    // --- _ColumnPick (DualInterface.cpp) ----------------------------------------------------
    HRESULT STDMETHODCALLTYPE About() override;
    HRESULT STDMETHODCALLTYPE AddItem(BSTR strItem) override;
    HRESULT STDMETHODCALLTYPE AddList(BSTR strItem) override;
    HRESULT STDMETHODCALLTYPE get_Appearance(::typAppearance* value) override;
    HRESULT STDMETHODCALLTYPE put_Appearance(::typAppearance value) override;
    HRESULT STDMETHODCALLTYPE get_ArrayWithItems(VARIANT* value) override;
    HRESULT STDMETHODCALLTYPE get_BackColorNormal(OLE_COLOR* value) override;
    HRESULT STDMETHODCALLTYPE put_BackColorNormal(OLE_COLOR value) override;
    HRESULT STDMETHODCALLTYPE get_BackColorSelected(OLE_COLOR* value) override;
    HRESULT STDMETHODCALLTYPE put_BackColorSelected(OLE_COLOR value) override;
    HRESULT STDMETHODCALLTYPE get_BoundColumn(short* value) override;
    HRESULT STDMETHODCALLTYPE put_BoundColumn(short* value) override;
    HRESULT STDMETHODCALLTYPE Clear() override;
    HRESULT STDMETHODCALLTYPE get_Column(short intColumn, VARIANT* value) override;
    HRESULT STDMETHODCALLTYPE get_ColumnCount(short* value) override;
    HRESULT STDMETHODCALLTYPE put_ColumnCount(short* value) override;
    HRESULT STDMETHODCALLTYPE put_ColumnLineForeColor(OLE_COLOR value) override;
    HRESULT STDMETHODCALLTYPE put_ColumnWidths(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_ComboBoxIsOpen(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE get_Enabled(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_Enabled(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE FillComboBoxMultiColumn(IDispatch* dbDatabase,
                                                      BSTR strSelectQuery) override;
    HRESULT STDMETHODCALLTYPE FillComboBoxMultiColumnRecordset(VARIANT rec) override;
    HRESULT STDMETHODCALLTYPE get_ForeColorNormal(OLE_COLOR* value) override;
    HRESULT STDMETHODCALLTYPE put_ForeColorNormal(OLE_COLOR value) override;
    HRESULT STDMETHODCALLTYPE get_ForeColorSelected(OLE_COLOR* value) override;
    HRESULT STDMETHODCALLTYPE put_ForeColorSelected(OLE_COLOR value) override;
    HRESULT STDMETHODCALLTYPE get_ListCount(LONG* value) override;
    HRESULT STDMETHODCALLTYPE get_ListIndex(LONG* value) override;
    HRESULT STDMETHODCALLTYPE put_ListIndex(LONG value) override;
    HRESULT STDMETHODCALLTYPE get_ListWidth(short* value) override;
    HRESULT STDMETHODCALLTYPE put_ListWidth(short* value) override;
    HRESULT STDMETHODCALLTYPE get_ListRows(short* value) override;
    HRESULT STDMETHODCALLTYPE put_ListRows(short* value) override;
    HRESULT STDMETHODCALLTYPE get_Locked(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_Locked(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE RemoveItem(LONG* lngIndex) override;
    HRESULT STDMETHODCALLTYPE SelectAllTextInTextBox() override;
    HRESULT STDMETHODCALLTYPE ShowDropDown() override;
    HRESULT STDMETHODCALLTYPE put_Text(BSTR value) override;
    HRESULT STDMETHODCALLTYPE get_Text(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_Value(VARIANT* value) override;
    HRESULT STDMETHODCALLTYPE put_Value(VARIANT value) override;
    HRESULT STDMETHODCALLTYPE get_ColumnHeads(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_ColumnHeads(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE get_ColumnCaptions(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE put_ColumnCaptions(BSTR value) override;
    HRESULT STDMETHODCALLTYPE get_ColumnAlignments(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE put_ColumnAlignments(BSTR value) override;
    HRESULT STDMETHODCALLTYPE FitColumnWidths(BSTR* widths) override;

    // --- IProvideClassInfo2 ------------------------------------------------------------------
    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** out) override;
    HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* guid) override;

    // --- IConnectionPointContainer -----------------------------------------------------------
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** out) override;
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** out) override;

    // --- ISupportErrorInfo -------------------------------------------------------------------
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override;

    // --- IOleObject (OleObject.cpp) ----------------------------------------------------------
    HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override;
    HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) override;
    HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR app, LPCOLESTR object) override;
    HRESULT STDMETHODCALLTYPE Close(DWORD saveOption) override;
    HRESULT STDMETHODCALLTYPE SetMoniker(DWORD which, IMoniker* moniker) override;
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD assign, DWORD which, IMoniker** out) override;
    HRESULT STDMETHODCALLTYPE InitFromData(IDataObject* data, BOOL creation,
                                           DWORD reserved) override;
    HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD reserved, IDataObject** out) override;
    HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG msg, IOleClientSite* site, LONG index,
                                     HWND parent, LPCRECT rect) override;
    HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB** out) override;
    HRESULT STDMETHODCALLTYPE Update() override;
    HRESULT STDMETHODCALLTYPE IsUpToDate() override;
    HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* clsid) override;
    HRESULT STDMETHODCALLTYPE GetUserType(DWORD form, LPOLESTR* type) override;
    HRESULT STDMETHODCALLTYPE SetExtent(DWORD aspect, SIZEL* size) override;
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, SIZEL* size) override;
    HRESULT STDMETHODCALLTYPE Advise(IAdviseSink* sink, DWORD* connection) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD connection) override;
    HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA** out) override;
    HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD aspect, DWORD* status) override;
    HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE* palette) override;

    // --- IOleWindow, IOleInPlaceObject, IOleInPlaceActiveObject (InPlace.cpp) --------------
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enter) override;
    HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override;
    HRESULT STDMETHODCALLTYPE UIDeactivate() override;
    HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT position, LPCRECT clip) override;
    HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override;
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG msg) override;
    HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL activate) override;
    HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL activate) override;
    HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window,
                                           BOOL frame) override;
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL enable) override;

    // --- IOleControl -------------------------------------------------------------------------
    HRESULT STDMETHODCALLTYPE GetControlInfo(CONTROLINFO* info) override;
    HRESULT STDMETHODCALLTYPE OnMnemonic(MSG* msg) override;
    HRESULT STDMETHODCALLTYPE OnAmbientPropertyChange(DISPID dispid) override;
    HRESULT STDMETHODCALLTYPE FreezeEvents(BOOL freeze) override;

    // --- IViewObject2 ------------------------------------------------------------------------
    HRESULT STDMETHODCALLTYPE Draw(DWORD aspect, LONG index, void* aspectInfo,
                                   DVTARGETDEVICE* device, HDC targetDC, HDC drawDC,
                                   LPCRECTL bounds, LPCRECTL wBounds,
                                   BOOL(STDMETHODCALLTYPE* cont)(ULONG_PTR),
                                   ULONG_PTR contArg) override;
    HRESULT STDMETHODCALLTYPE GetColorSet(DWORD aspect, LONG index, void* aspectInfo,
                                          DVTARGETDEVICE* device, HDC targetDC,
                                          LOGPALETTE** colors) override;
    HRESULT STDMETHODCALLTYPE Freeze(DWORD aspect, LONG index, void* aspectInfo,
                                     DWORD* freeze) override;
    HRESULT STDMETHODCALLTYPE Unfreeze(DWORD freeze) override;
    HRESULT STDMETHODCALLTYPE SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
    HRESULT STDMETHODCALLTYPE GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override;
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, LONG index, DVTARGETDEVICE* device,
                                        LPSIZEL size) override;

    // --- IPersist, IPersistStreamInit, IPersistPropertyBag (Persist.cpp) -------------------
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* clsid) override;
    HRESULT STDMETHODCALLTYPE IsDirty() override;
    HRESULT STDMETHODCALLTYPE Load(LPSTREAM stream) override;
    HRESULT STDMETHODCALLTYPE Save(LPSTREAM stream, BOOL clearDirty) override;
    HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER* size) override;
    HRESULT STDMETHODCALLTYPE InitNew() override;
    HRESULT STDMETHODCALLTYPE Load(IPropertyBag* bag, IErrorLog* log) override;
    HRESULT STDMETHODCALLTYPE Save(IPropertyBag* bag, BOOL clearDirty,
                                   BOOL saveAllProperties) override;

private:
    ColumnPickObject();
    ~ColumnPickObject() override;

    // --- win32::Container --------------------------------------------------------------------
    bool AmbientUserMode() override;
    void PropertyChanged(std::string_view key) override;
    void FocusChanged(bool gotFocus) override;

    // The control, started as a new instance if nothing has started it yet.
    ColumnPick& Control();
    // Starts the control: from `saved`, or as a new instance. Errors of the start-up handlers
    // come back to the caller.
    void Start(PropertyBag* saved);
    // Calls a member of the interface table on the control; errors are thrown.
    Variant CallMember(std::int32_t dispid, iface::Kind kind, std::vector<Variant>& args);
    // The same for the dual interface's methods, by name; errors become the HRESULT.
    HRESULT CallByName(std::string_view name, iface::Kind kind, std::vector<Variant> args,
                       Variant* result = nullptr);
    template <class Out>
    HRESULT GetByName(std::string_view name, Out* out, std::vector<Variant> args = {});

    // Activation (OleObject.cpp, InPlace.cpp).
    HRESULT ActivateInPlace();
    HRESULT ActivateUI();
    void SizeWindowToExtent();
    void SaveTo(win32::PropertyStore& store);
    ITypeInfo* TypeInfoOf(REFGUID guid);

    ObjectLife life_;             // counts this object for DllCanUnloadNow
    std::atomic<ULONG> refs_{1};  // references
    HWND parking_ = nullptr;      // hidden window that holds the control while inactive
    std::unique_ptr<win32::ControlHost> host_;  // the control's windows and the control
    ColumnPick* control_ = nullptr;             // the control, owned by host_
    bool started_ = false;                      // the control's start-up has run
    EventSource events_;                        // the connection point of the events
    ITypeLib* typeLibrary_ = nullptr;           // the component's type library
    IOleClientSite* site_ = nullptr;            // the container's site
    IOleInPlaceSite* inPlaceSite_ = nullptr;    // while active in place
    IOleInPlaceFrame* frame_ = nullptr;         // while active in place
    IOleInPlaceUIWindow* document_ = nullptr;   // while active in place (may stay nullptr)
    IOleAdviseHolder* adviseHolder_ = nullptr;  // IOleObject::Advise sinks
    IAdviseSink* viewSink_ = nullptr;           // IViewObject::SetAdvise
    bool inPlaceActive_ = false;
    bool uiActive_ = false;
    bool dirty_ = false;  // a persisted property changed since the last save
    SIZEL extent_{};      // HIMETRIC, as the container last set it
};

}  // namespace ocx
