// One ColumnPick control as a COM object: the dual interface `_ColumnPick` over the same
// control core and interface table that the C++ API uses, its events, its settings through the
// container's stream or property bag, and in-place activation in an OLE container, whose
// window holds the control's own window (edit field, button and list).
//
// The control's windows exist from creation on, parked in a hidden window of the object's own
// until a container activates the control in place. The control starts (UserControl_Initialize
// and UserControl_InitProperties or UserControl_ReadProperties) at InitNew or Load, or at the
// first call of a host that does neither (a script).
//
// A host may let go of the object inside any of its calls or events. Every interface method
// that reaches the control or the container, every window procedure of the control and every
// event raised opens a frame of the object's calls (platform/CallFrames.h): the last Release
// ends the object only once the outermost frame has closed. The host that let go of the object
// hears from it no more (its sinks are let go of at once), and references that come and go
// during the end end nothing more.
#pragma once

#include <array>
#include <atomic>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "component/Com.h"
#include "component/ComError.h"
#include "component/EventSource.h"
#include "component/FontProperty.h"
#include "component/Module.h"
#include "component/ObjectSafety.h"
#include "component/PropertyNotifySource.h"
#include "component/QuickAmbients.h"
#include "control/ColumnPick.h"
#include "control/PublicInterface.h"
#include "platform/win32/Container.h"
#include "platform/win32/ControlHost.h"
#include "reports/Reports.h"

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
                               public IPersistStorage,
                               public IQuickActivate,
                               public ISpecifyPropertyPages,
                               public IPerPropertyBrowsing,
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
    HRESULT STDMETHODCALLTYPE get_MatchMode(short* value) override;
    HRESULT STDMETHODCALLTYPE put_MatchMode(short value) override;
    HRESULT STDMETHODCALLTYPE get_SearchColumns(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE put_SearchColumns(BSTR value) override;
    HRESULT STDMETHODCALLTYPE get_FilterList(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_FilterList(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE get_ColumnHeads(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_ColumnHeads(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE get_ColumnCaptions(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE put_ColumnCaptions(BSTR value) override;
    HRESULT STDMETHODCALLTYPE get_ColumnAlignments(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE put_ColumnAlignments(BSTR value) override;
    HRESULT STDMETHODCALLTYPE FitColumnWidths(BSTR* widths) override;
    HRESULT STDMETHODCALLTYPE ConnectComboBoxMultiColumn(IDispatch* dbDatabase, BSTR strSource,
                                                         BSTR strKeyField) override;
    // The component's own members, outside the control's interface table (Font.cpp).
    HRESULT STDMETHODCALLTYPE get_Font(IFontDisp** value) override;
    HRESULT STDMETHODCALLTYPE put_Font(IFontDisp* value) override;
    HRESULT STDMETHODCALLTYPE putref_Font(IFontDisp* value) override;

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

    // --- IPersistStorage (Storage.cpp): the stream's settings in a stream of the storage -------
    HRESULT STDMETHODCALLTYPE InitNew(IStorage* storage) override;
    HRESULT STDMETHODCALLTYPE Load(IStorage* storage) override;
    HRESULT STDMETHODCALLTYPE Save(IStorage* storage, BOOL sameAsLoad) override;
    HRESULT STDMETHODCALLTYPE SaveCompleted(IStorage* storage) override;
    HRESULT STDMETHODCALLTYPE HandsOffStorage() override;

    // --- IQuickActivate (QuickActivate.cpp) --------------------------------------------------
    HRESULT STDMETHODCALLTYPE QuickActivate(QACONTAINER* container, QACONTROL* control) override;
    HRESULT STDMETHODCALLTYPE SetContentExtent(LPSIZEL size) override;
    HRESULT STDMETHODCALLTYPE GetContentExtent(LPSIZEL size) override;

    // --- ISpecifyPropertyPages, IPerPropertyBrowsing (PropertyBrowsing.cpp) -----------------
    HRESULT STDMETHODCALLTYPE GetPages(CAUUID* pages) override;
    HRESULT STDMETHODCALLTYPE GetDisplayString(DISPID dispid, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE MapPropertyToPage(DISPID dispid, CLSID* page) override;
    HRESULT STDMETHODCALLTYPE GetPredefinedStrings(DISPID dispid, CALPOLESTR* strings,
                                                   CADWORD* cookies) override;
    HRESULT STDMETHODCALLTYPE GetPredefinedValue(DISPID dispid, DWORD cookie,
                                                 VARIANT* value) override;

private:
    // The hidden window that holds the control's windows while no container does; destroyed
    // with the object, also when the object could not be made whole.
    struct ParkingWindow {
        ParkingWindow();
        ~ParkingWindow();
        ParkingWindow(const ParkingWindow&) = delete;
        ParkingWindow& operator=(const ParkingWindow&) = delete;
        HWND hWnd = nullptr;
    };

    ColumnPickObject();
    ~ColumnPickObject() override;

    // The last reference has gone and no call of the object's runs: the control leaves its
    // container (no commit on the way out reaches the host, whose sinks are gone already) and
    // ends, and the object goes.
    void End() noexcept;
    // Runs an interface method's body inside a frame of the object's calls (see CallFrames.h):
    // a handler that lets go of the object meanwhile ends it only when the method returns.
    // Nothing that the body throws leaves the method.
    template <class Body>
    HRESULT Entered(REFIID iid, Body&& body) noexcept {
        const cp::CallFrames::Frame frame(host_->Frames());
        return Boundary(iid, std::forward<Body>(body));
    }

    // The container's ambient properties (its site's IDispatch, or else those that quick
    // activation handed over), with a reference; nullptr when it offers none.
    IDispatch* Ambients();
    // The container's answer for a Boolean ambient; `fallback` when it has none, fails or
    // answers with something that is no Boolean.
    bool AmbientFlag(DISPID dispid, bool fallback);
    // The answer for `dispid` converted to `type` in `answer`; false when there is none.
    bool AmbientValue(DISPID dispid, VARTYPE type, VARIANT& answer);
    // Reads the ambients other than UserMode and Font: `dispid` or, for DISPID_UNKNOWN, all.
    void ReadAmbients(DISPID dispid);
    void ReadUIDead();
    // The container's BackColor and ForeColor become the control's BackColorNormal and
    // ForeColorNormal while the control follows them (Ambients.cpp).
    void FollowAmbientColors(DISPID dispid);
    // Shows `color` as the container's BackColor or ForeColor (`which`) where the control
    // follows it, as no change of the host's.
    void ShowAmbientColor(DISPID which, cp::OLE_COLOR color);
    // The control's own colours where it follows the container's, for the time of a save, so
    // that a stored control goes on following them.
    class OwnColors {
    public:
        explicit OwnColors(ColumnPickObject& object);
        ~OwnColors();
        OwnColors(const OwnColors&) = delete;
        OwnColors& operator=(const OwnColors&) = delete;

    private:
        ColumnPickObject& object_;
    };
    // Whether the store being loaded holds the key.
    static bool Stored(PropertyBag* saved, std::string_view key);
    static constexpr cp::OLE_COLOR kOwnBackColor = 0xFFFFFF;  // the control's defaults
    static constexpr cp::OLE_COLOR kOwnForeColor = 0x000000;
    // The Font through late binding, which the interface table does not hold: the result of
    // Invoke, or nothing (false) for another member.
    bool InvokeFont(DISPID dispid, WORD flags, DISPPARAMS* params, VARIANT* result, UINT* argError,
                    HRESULT* hr);
    HRESULT PutFont(IFontDisp* value, FontProperty::Taking taking);
    // The font changed, whichever way: the windows take it and the sinks hear of it.
    void FontChanged();
    // Runs a change of the font object that the host made on it, as one call of the control's.
    void InFontCall(const std::function<void()>& body);

    // --- win32::Container --------------------------------------------------------------------
    bool AmbientUserMode() override;
    bool AmbientUIDead() override { return uiDead_; }
    std::string AmbientDisplayName() override;
    void PropertyChanged(std::string_view key) override;
    void FocusChanged(bool gotFocus) override;

    // The object's connection points, in the order EnumConnectionPoints lists them.
    using ConnectionPoints = std::array<IConnectionPoint*, 2>;
    ConnectionPoints Points();

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
    // The same with arguments made by `make` inside the call, where a failure to make them (a
    // text too long for the memory left) is the call's error and leaves no method.
    template <class Make>
    HRESULT CallWith(std::string_view name, iface::Kind kind, Make&& make) {
        return Entered(IID__ColumnPick, [&] { return CallByName(name, kind, make()); });
    }
    template <class Out>
    HRESULT GetByName(std::string_view name, Out* out, std::vector<Variant> args = {});

    // Activation (OleObject.cpp, InPlace.cpp).
    HRESULT ActivateInPlace();
    HRESULT ActivateUI();
    // The focus leaves the control and its list closes, before its window is hidden.
    void LeaveTheScreen(HWND window);
    void SizeWindowToExtent();
    // The settings as a save stores them: the control's, then the font of its own.
    void SaveTo(PropertyBag& store);
    // Data binding (Binding.cpp). A put of a bindable property asks the bound field first and
    // raises a run-time error when it refuses; a put that went through tells the sinks each
    // published property that it changed, once. A value that the control refused with its own
    // message left the property as it was: nobody hears of it.
    template <class Call>
    void BoundPut(std::int32_t dispid, iface::Kind kind, Call&& call) {
        RequestEdit(dispid, kind);
        const ChangeRecord record(changed_);
        const cp::RefusalWatch refusal;
        call();
        if (!refusal.Refused()) NotifyPut(dispid, kind);
    }
    void RequestEdit(std::int32_t dispid, iface::Kind kind);
    void NotifyPut(std::int32_t dispid, iface::Kind kind);
    // The user committed a row: Value and Text changed, unless the bound field refuses (false),
    // when the row committed before comes back.
    bool NotifyCommit();
    void RememberCommitted();
    // The changes that the control reports during one put, the enclosing put's set aside.
    struct ChangeRecord {
        explicit ChangeRecord(std::vector<DISPID>& changed)
            : changed(changed), outer(std::exchange(changed, {})) {}
        ~ChangeRecord() { changed.swap(outer); }
        ChangeRecord(const ChangeRecord&) = delete;
        ChangeRecord& operator=(const ChangeRecord&) = delete;
        std::vector<DISPID>& changed;
        std::vector<DISPID> outer;
    };
    ITypeInfo* TypeInfoOf(REFGUID guid);

    // Counts the controls of the thread; the thread's own forms (the About box) go with the
    // last of them, while their window procedure is surely still loaded.
    struct ThreadControl {
        ThreadControl();
        ~ThreadControl();
        ThreadControl(const ThreadControl&) = delete;
        ThreadControl& operator=(const ThreadControl&) = delete;
    };

    ObjectLife life_;             // counts this object for DllCanUnloadNow
    ThreadControl thread_;        // counts it among the thread's controls
    std::atomic<ULONG> refs_{1};  // references
    // The last reference has gone: references that come and go from now on (a container's
    // callback during the end) end nothing more.
    bool ending_ = false;
    ParkingWindow parking_;                     // holds the control while inactive
    std::unique_ptr<win32::ControlHost> host_;  // the control's windows and the control
    ColumnPick* control_ = nullptr;             // the control, owned by host_
    bool started_ = false;                      // the control's start-up has run
    EventSource events_;                        // the connection point of the events
    PropertyNotifySource notify_;               // the connection point of property changes
    ObjectSafety safety_;                       // safe for scripting and initialization
    ITypeLib* typeLibrary_ = nullptr;           // the component's type library
    IOleClientSite* site_ = nullptr;            // the container's site
    IOleInPlaceSite* inPlaceSite_ = nullptr;    // while active in place
    IOleInPlaceFrame* frame_ = nullptr;         // while active in place
    IOleInPlaceUIWindow* document_ = nullptr;   // while active in place (may stay nullptr)
    IOleAdviseHolder* adviseHolder_ = nullptr;  // IOleObject::Advise sinks
    IAdviseSink* viewSink_ = nullptr;           // IViewObject::SetAdvise

    // Font, told of its own changes by the host's font object inside a call of the control's.
    FontProperty font_{[this] { FontChanged(); }, [this](auto& body) { InFontCall(body); }};
    bool inPlaceActive_ = false;
    bool uiActive_ = false;
    bool dirty_ = false;  // a persisted property changed since the last save
    SIZEL extent_{};      // HIMETRIC, as the container last set it
    // The storage of IPersistStorage between a Save and its SaveCompleted, or since a load:
    // none after HandsOffStorage.
    IStorage* storage_ = nullptr;
    std::vector<DISPID> changed_;  // changes the control reported during the current put
    // The ambients that quick activation handed over, asked when the site has none.
    QuickAmbients* quickAmbients_ = nullptr;
    // Ambient.UserMode as quick activation handed it over, for a site without ambients.
    bool quickUserMode_ = true;
    // Ambient.UIDead as last read (at the start, at activation, at its change); quickUIDead_ as
    // quick activation handed it over, for a site without ambients.
    bool uiDead_ = false;
    bool quickUIDead_ = false;
    // Kept as the container gives them, acted on by nothing yet: the control's case folding and
    // conversions follow the thread's user locale, and its windows read left to right.
    LCID ambientLocale_ = LOCALE_USER_DEFAULT;
    // Whether BackColorNormal and ForeColorNormal follow the container: they do while they hold
    // the control's defaults, as in a new control or one stored so, until a host sets them.
    bool followBackColor_ = true;
    bool followForeColor_ = true;
    bool takingAmbientColor_ = false;  // the change under way is the container's, not a host's
    bool ambientRightToLeft_ = false;
    Variant committed_ = Variant::Null();  // Value as the bound field last agreed to it
};

}  // namespace ocx
