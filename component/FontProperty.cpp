#include "component/FontProperty.h"

#include <string>
#include <utility>

#include "platform/win32/ScreenDensity.h"
#include "platform/win32/Wide.h"
#include "runtime/Conversions.h"

namespace ocx {
namespace {

constexpr LONGLONG kCyPerPoint = 10000;
constexpr int kPointsPerInch = 72;

// The system's font of the controls, described as a font object.
IFont* SystemFont() {
    ::LOGFONTW logFont{};
    ::GetObjectW(cp::win32::ControlFont(), sizeof logFont, &logFont);
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    FONTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.lpstrName = logFont.lfFaceName;
    const LONG pixels = logFont.lfHeight < 0 ? -logFont.lfHeight : logFont.lfHeight;
    desc.cySize.int64 = pixels * kPointsPerInch * kCyPerPoint / (dpi > 0 ? dpi : 96);
    desc.sWeight = static_cast<SHORT>(logFont.lfWeight != 0 ? logFont.lfWeight : FW_NORMAL);
    desc.sCharset = logFont.lfCharSet;
    desc.fItalic = logFont.lfItalic != 0;
    desc.fUnderline = logFont.lfUnderline != 0;
    desc.fStrikethrough = logFont.lfStrikeOut != 0;
    IFont* font = nullptr;
    ::OleCreateFontIndirect(&desc, IID_IFont, reinterpret_cast<void**>(&font));
    return font;
}

// A copy of the container's ambient font; nullptr when it has none, fails or answers with
// something else.
IFont* AmbientFont(IDispatch* ambients) {
    if (ambients == nullptr) return nullptr;
    VARIANT answer;
    ::VariantInit(&answer);
    DISPPARAMS none{};
    IFont* copy = nullptr;
    if (SUCCEEDED(ambients->Invoke(DISPID_AMBIENT_FONT, IID_NULL, LOCALE_USER_DEFAULT,
                                   DISPATCH_PROPERTYGET, &none, &answer, nullptr, nullptr)) &&
        (V_VT(&answer) == VT_DISPATCH || V_VT(&answer) == VT_UNKNOWN) &&
        V_UNKNOWN(&answer) != nullptr) {
        IFont* font = nullptr;
        if (SUCCEEDED(
                V_UNKNOWN(&answer)->QueryInterface(IID_IFont, reinterpret_cast<void**>(&font)))) {
            if (FAILED(font->Clone(&copy))) copy = nullptr;
            font->Release();
        }
    }
    ::VariantClear(&answer);
    return copy;
}

std::string Narrowed(BSTR text) {
    return text != nullptr ? cp::win32::Narrow(text) : std::string();
}

}  // namespace

// The font's sink, an object of its own: the font holds it while it tells its sinks of a change,
// and a host that lets go of the control meanwhile must leave the font a sink that is still
// there. The property cuts the link when it lets go of the font.
class FontSink final : public IPropertyNotifySink {
public:
    explicit FontSink(FontProperty& property) : property_(&property) {}
    void Cut() { property_ = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr) return E_POINTER;
        *out = iid == IID_IUnknown || iid == IID_IPropertyNotifySink
                   ? static_cast<IPropertyNotifySink*>(this)
                   : nullptr;
        if (*out == nullptr) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE OnChanged(DISPID) override {
        if (property_ != nullptr) property_->ObjectChanged();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID) override { return S_OK; }

private:
    FontProperty* property_;  // nullptr once the property let go of the font
    ULONG references_ = 1;
};

FontProperty::FontProperty(std::function<void()> changed, Entry enter)
    : changed_(std::move(changed)), enter_(std::move(enter)) {}

FontProperty::~FontProperty() {
    Drop();
    for (::HFONT old : retired_)
        ::DeleteObject(old);
    if (handle_ != nullptr) ::DeleteObject(handle_);
}

IFontDisp* FontProperty::Get() const {
    IFontDisp* font = nullptr;
    if (font_ != nullptr) font_->QueryInterface(IID_IFontDisp, reinterpret_cast<void**>(&font));
    return font;
}

HRESULT FontProperty::Put(IUnknown* given, Taking taking) {
    if (given == nullptr) return E_INVALIDARG;
    IFont* font = nullptr;
    if (FAILED(given->QueryInterface(IID_IFont, reinterpret_cast<void**>(&font)))) {
        return E_INVALIDARG;
    }
    if (taking == Taking::Copy) {
        IFont* copy = nullptr;
        const HRESULT hr = font->Clone(&copy);
        font->Release();
        if (FAILED(hr) || copy == nullptr) return FAILED(hr) ? hr : E_OUTOFMEMORY;
        font = copy;
    }
    Hold(font);
    changed_();
    for (::HFONT old : std::exchange(retired_, {}))
        ::DeleteObject(old);
    return S_OK;
}

void FontProperty::TakeStartFont(IDispatch* ambients) {
    IFont* font = AmbientFont(ambients);
    Hold(font != nullptr ? font : SystemFont());
    fromContainer_ = true;
}

void FontProperty::Follow(IDispatch* ambients) {
    TakeStartFont(ambients);
    changed_();
    for (::HFONT old : std::exchange(retired_, {}))
        ::DeleteObject(old);
}

void FontProperty::Read(PropertyBag& bag, IDispatch* ambients) {
    const Variant name = bag.ReadProperty("FontName", Variant::Null());
    IFont* font = AmbientFont(ambients);
    if (font == nullptr) font = SystemFont();
    if (name.IsNull() || font == nullptr) {
        Hold(font);
        fromContainer_ = true;
        return;
    }
    // The font is made whole before the control holds it: a stored value of the wrong type
    // leaves the control without it.
    try {
        const std::wstring face = cp::win32::Widen(CStr(name));
        BSTR faceText = ::SysAllocStringLen(face.data(), static_cast<UINT>(face.size()));
        font->put_Name(faceText);
        ::SysFreeString(faceText);
        CY size{};
        size.int64 = CLng(bag.ReadProperty("FontSize", Variant(std::int32_t{82500})));
        if (size.int64 > 0) font->put_Size(size);
        font->put_Weight(CInt(bag.ReadProperty("FontWeight", Variant(std::int16_t{FW_NORMAL}))));
        font->put_Italic(CBool(bag.ReadProperty("FontItalic", Variant(false))));
        font->put_Underline(CBool(bag.ReadProperty("FontUnderline", Variant(false))));
        font->put_Strikethrough(CBool(bag.ReadProperty("FontStrikethrough", Variant(false))));
        font->put_Charset(CInt(bag.ReadProperty("FontCharset", Variant(std::int16_t{0}))));
    } catch (...) {
        font->Release();
        throw;
    }
    Hold(font);
}

void FontProperty::Write(PropertyBag& bag) const {
    // The container's font is the default: a control loaded without a font takes it again.
    if (font_ == nullptr || fromContainer_) return;
    BSTR face = nullptr;
    CY size{};
    SHORT weight = FW_NORMAL;
    SHORT charset = 0;
    BOOL italic = FALSE;
    BOOL underline = FALSE;
    BOOL strikethrough = FALSE;
    font_->get_Name(&face);
    font_->get_Size(&size);
    font_->get_Weight(&weight);
    font_->get_Charset(&charset);
    font_->get_Italic(&italic);
    font_->get_Underline(&underline);
    font_->get_Strikethrough(&strikethrough);
    const std::string name = Narrowed(face);
    ::SysFreeString(face);
    // A font of its own is stored whole: the container that loads it may have another font.
    const Variant none = Variant::Null();
    bag.WriteProperty("FontName", Variant(name), none);
    bag.WriteProperty("FontSize", Variant(static_cast<std::int32_t>(size.int64)), none);
    bag.WriteProperty("FontWeight", Variant(static_cast<std::int16_t>(weight)), none);
    bag.WriteProperty("FontItalic", Variant(italic != FALSE), none);
    bag.WriteProperty("FontUnderline", Variant(underline != FALSE), none);
    bag.WriteProperty("FontStrikethrough", Variant(strikethrough != FALSE), none);
    bag.WriteProperty("FontCharset", Variant(static_cast<std::int16_t>(charset)), none);
}

void FontProperty::ObjectChanged() {
    // The host may let go of the control in a handler of the change: the control ends once
    // the new handle is in place.
    enter_([this] {
        fromContainer_ = false;
        Renew();
    });
}

void FontProperty::Hold(IFont* font) {
    Drop();
    fromContainer_ = false;
    font_ = font;
    if (font_ == nullptr) return;
    IConnectionPointContainer* points = nullptr;
    if (SUCCEEDED(font_->QueryInterface(IID_IConnectionPointContainer,
                                        reinterpret_cast<void**>(&points)))) {
        IConnectionPoint* point = nullptr;
        if (SUCCEEDED(points->FindConnectionPoint(IID_IPropertyNotifySink, &point))) {
            sink_ = new FontSink(*this);
            if (FAILED(point->Advise(sink_, &cookie_))) cookie_ = 0;
            point->Release();
        }
        points->Release();
    }
    MakeHandle();
}

void FontProperty::Drop() {
    if (font_ == nullptr) return;
    if (cookie_ != 0) {
        IConnectionPointContainer* points = nullptr;
        if (SUCCEEDED(font_->QueryInterface(IID_IConnectionPointContainer,
                                            reinterpret_cast<void**>(&points)))) {
            IConnectionPoint* point = nullptr;
            if (SUCCEEDED(points->FindConnectionPoint(IID_IPropertyNotifySink, &point))) {
                point->Unadvise(cookie_);
                point->Release();
            }
            points->Release();
        }
        cookie_ = 0;
    }
    if (sink_ != nullptr) {
        sink_->Cut();
        std::exchange(sink_, nullptr)->Release();
    }
    std::exchange(font_, nullptr)->Release();
}

void FontProperty::MakeHandle() {
    ::HFONT shared = nullptr;
    ::LOGFONTW logFont{};
    if (font_ == nullptr || FAILED(font_->get_hFont(&shared)) || shared == nullptr ||
        ::GetObjectW(shared, sizeof logFont, &logFont) == 0) {
        return;
    }
    ::HFONT made = ::CreateFontIndirectW(&logFont);
    if (made == nullptr) return;
    // The windows take the new handle (in `changed_`) before the old one goes.
    if (handle_ != nullptr) retired_.push_back(handle_);
    handle_ = made;
}

void FontProperty::Renew() {
    MakeHandle();
    changed_();
    for (::HFONT old : std::exchange(retired_, {}))
        ::DeleteObject(old);
}

}  // namespace ocx
