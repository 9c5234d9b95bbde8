// The control's Font as hosts meet it: taken from the container's ambient font when the control
// is new, shown by the edit field and the list (whose rows grow with it), changed in place or
// replaced, kept in the stream and the property bag, and never in the way of a control whose
// container answers badly.
#include <string>
#include <vector>

#include "tests/component/EventSink.h"
#include "tests/component/InPlaceSite.h"
#include "tests/component/MemoryBag.h"

namespace cp::test {
namespace {

constexpr LONGLONG kCyPerPoint = 10000;

ComPtr<IFontDisp> MakeFont(const wchar_t* name, int points, bool bold) {
    FONTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.lpstrName = const_cast<LPOLESTR>(name);
    desc.cySize.int64 = points * kCyPerPoint;
    desc.sWeight = static_cast<SHORT>(bold ? FW_BOLD : FW_NORMAL);
    ComPtr<IFontDisp> font;
    EXPECT_EQ(::OleCreateFontIndirect(&desc, IID_IFontDisp,
                                      reinterpret_cast<void**>(font.GetAddressOf())),
              S_OK);
    return font;
}

// A font as the window system realizes it, which may name and size it otherwise than asked
// (Wine gives a font it lacks one of its own).
std::string Realized(const wchar_t* name, int points, bool bold) {
    ComPtr<IFontDisp> font = MakeFont(name, points, bold);
    ::HFONT handle = nullptr;
    As<IFont>(font.Get())->get_hFont(&handle);
    return DescribeFont(font.Get());
}

ComPtr<IFont> FontObjectOf(IDispatch* control) {
    Var font;
    EXPECT_EQ(Get(control, L"Font", font), S_OK);
    return V_VT(&font.v) == VT_DISPATCH ? As<IFont>(V_DISPATCH(&font.v)) : nullptr;
}

// A container whose ambient Font is `font`.
AmbientAnswer AmbientFont(IFontDisp* font) {
    return Ambients({DISPID_AMBIENT_FONT}, [font](DISPID, VARIANT* r) { Var(font).CopyTo(r); });
}

int TextHeight(HWND window) {
    ::HDC dc = ::GetDC(window);
    HGDIOBJ old =
        ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(window, WM_GETFONT, 0, 0)));
    ::TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    ::SelectObject(dc, old);
    ::ReleaseDC(window, dc);
    return metrics.tmHeight;
}

// What the user sees of the font: the edit field's text height, the list's row height and the
// height of the open list.
struct Shown {
    int text = 0;
    int row = 0;
    int list = 0;
};

Shown Open(IDispatch* control, InPlaceSite& form) {
    CallOk(control, L"ShowDropDown");
    Pump();
    Shown shown;
    HWND list = ::FindWindowW(L"ThunderRT6ListBox", nullptr);
    EXPECT_TRUE(list && ::IsWindowVisible(list));
    if (!list) return shown;
    ::RECT box{};
    ::GetWindowRect(list, &box);
    HWND edit = form.Edit();
    shown.text = TextHeight(edit);
    shown.row = static_cast<int>(::SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    shown.list = box.bottom - box.top;
    // And closed again, as the user closes it.
    ::SendMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 0);
    ::SendMessageW(edit, WM_KEYUP, VK_ESCAPE, 0);
    Pump();
    EXPECT_EQ(GetText(control, L"ComboBoxIsOpen"), "False");
    return shown;
}

TEST(Font, ABiggerFontGivesTallerRowsAndTextAndTheHostHearsOfIt) {
    InPlaceSite form;
    ComPtr<IDispatch> control = ActiveControl(form, L"one;two;three;four");
    NotifySink browser(control.Get());
    ASSERT_TRUE(browser.Connect());
    const Shown before = Open(control.Get(), form);
    EXPECT_EQ(before.row, 15) << "the system's font keeps the rows as they were";
    EXPECT_EQ(As<IPersistStreamInit>(control.Get())->IsDirty(), S_FALSE);

    // The host changes the control's own font object in place, as `picker.Font.Size = 20`.
    ComPtr<IFont> font = FontObjectOf(control.Get());
    ASSERT_TRUE(font);
    ASSERT_EQ(font->put_Size(CY{.int64 = 20 * kCyPerPoint}), S_OK);
    const Shown bigger = Open(control.Get(), form);
    EXPECT_GT(bigger.text, before.text);
    EXPECT_GE(bigger.row, bigger.text) << "a row holds its text";
    EXPECT_EQ(bigger.list - before.list, 4 * (bigger.row - before.row)) << "four rows shown";
    EXPECT_EQ(As<IPersistStreamInit>(control.Get())->IsDirty(), S_OK);
    EXPECT_EQ(browser.log, Texts{"Changed(Font)"});

    // A smaller font than the system's keeps the rows of the screen.
    PutOk(control.Get(), L"Font", Var(MakeFont(L"Arial", 6, false).Get()).v);
    EXPECT_EQ(Open(control.Get(), form).row, 15);
    EXPECT_EQ(browser.log, (Texts{"Changed(Font)", "Changed(Font)"}));
    browser.Disconnect();
    Close(control.Get());
}

// A put takes a copy of the host's font; a put by reference shares it, so that later changes
// of the host's object show.
TEST(Font, APutCopiesTheFontAndAPutByReferenceSharesIt) {
    ComPtr<IDispatch> control = CreateControl();
    ComPtr<IFontDisp> hosts = MakeFont(L"Tahoma", 10, false);
    PutOk(control.Get(), L"Font", Var(hosts.Get()).v);
    As<IFont>(hosts.Get())->put_Bold(TRUE);
    EXPECT_EQ(FontOf(control.Get()), Realized(L"Tahoma", 10, false));

    Var shared(hosts.Get());
    EXPECT_EQ(InvokeId(control.Get(), DISPID_FONT, DISPATCH_PROPERTYPUTREF, {shared.v}).hr, S_OK);
    As<IFont>(hosts.Get())->put_Italic(TRUE);
    As<IFont>(hosts.Get())->put_Bold(FALSE);
    EXPECT_EQ(FontOf(control.Get()), Realized(L"Tahoma", 10, false));
    ComPtr<IFont> held = FontObjectOf(control.Get());
    BOOL italic = FALSE;
    held->get_Italic(&italic);
    EXPECT_TRUE(italic);

    // Something that is not a font is refused and changes nothing.
    Var text(L"Arial");
    EXPECT_EQ(InvokeId(control.Get(), DISPID_FONT, DISPATCH_PROPERTYPUT, {text.v}).hr,
              DISP_E_TYPEMISMATCH);
    EXPECT_EQ(FontOf(control.Get()), Realized(L"Tahoma", 10, false));
}

// A new control takes a copy of the container's font and follows it until it has its own.
TEST(Font, ANewControlTakesTheContainersFontAndEveryStoreKeepsIt) {
    ComPtr<IFontDisp> ambient = MakeFont(L"Tahoma", 12, true);
    InPlaceSite form;
    form.ambient = AmbientFont(ambient.Get());
    ComPtr<IDispatch> control = CreateControl(&form);
    ASSERT_EQ(As<IPersistStreamInit>(control.Get())->InitNew(), S_OK);
    EXPECT_EQ(FontOf(control.Get()), Realized(L"Tahoma", 12, true));
    // The container's font is not stored: following it leaves nothing to save.
    As<IOleControl>(control.Get())->OnAmbientPropertyChange(DISPID_UNKNOWN);
    EXPECT_EQ(As<IPersistStreamInit>(control.Get())->IsDirty(), S_FALSE);
    As<IFont>(ambient.Get())->put_Bold(FALSE);
    EXPECT_EQ(FontOf(control.Get()), Realized(L"Tahoma", 12, true)) << "a copy of the ambient font";
    // The designer makes it the control's own.
    FontObjectOf(control.Get())->put_Size(CY{.int64 = 16 * kCyPerPoint});
    const std::string own = Realized(L"Tahoma", 16, true);

    ComPtr<IStream> stream;
    ASSERT_EQ(::CreateStreamOnHGlobal(nullptr, TRUE, stream.GetAddressOf()), S_OK);
    ASSERT_EQ(As<IPersistStreamInit>(control.Get())->Save(stream.Get(), TRUE), S_OK);
    MemoryBag bag;
    ASSERT_EQ(As<IPersistPropertyBag>(control.Get())->Save(&bag, TRUE, FALSE), S_OK);
    As<IOleObject>(control.Get())->SetClientSite(nullptr);

    // Loaded into a container with another ambient font, each store gives its own back.
    ComPtr<IFontDisp> other = MakeFont(L"Tahoma", 9, false);
    InPlaceSite elsewhere;
    elsewhere.ambient = AmbientFont(other.Get());
    ComPtr<IDispatch> fromStream = CreateControl(&elsewhere);
    stream->Seek({}, STREAM_SEEK_SET, nullptr);
    ASSERT_EQ(As<IPersistStreamInit>(fromStream.Get())->Load(stream.Get()), S_OK);
    EXPECT_EQ(FontOf(fromStream.Get()), own);
    ComPtr<IDispatch> fromBag = CreateControl(&elsewhere);
    ASSERT_EQ(As<IPersistPropertyBag>(fromBag.Get())->Load(&bag, &bag), S_OK);
    EXPECT_EQ(FontOf(fromBag.Get()), own);
    // A control that kept the container's font stores none, and takes the container's.
    MemoryBag empty;
    ComPtr<IDispatch> fromOld = CreateControl(&elsewhere);
    ASSERT_EQ(As<IPersistPropertyBag>(fromOld.Get())->Load(&empty, &empty), S_OK);
    EXPECT_EQ(FontOf(fromOld.Get()), Realized(L"Tahoma", 9, false));
    // The container's font changes: the control that took it follows, a stored one stays.
    ComPtr<IFontDisp> changed = MakeFont(L"Tahoma", 14, false);
    elsewhere.ambient = AmbientFont(changed.Get());
    for (IDispatch* c : {fromBag.Get(), fromOld.Get()})
        As<IOleControl>(c)->OnAmbientPropertyChange(DISPID_AMBIENT_FONT);
    EXPECT_EQ(FontOf(fromOld.Get()), Realized(L"Tahoma", 14, false));
    EXPECT_EQ(As<IPersistStreamInit>(fromOld.Get())->IsDirty(), S_FALSE);
    EXPECT_EQ(FontOf(fromBag.Get()), own);
    for (IDispatch* c : {fromStream.Get(), fromBag.Get(), fromOld.Get()})
        As<IOleObject>(c)->SetClientSite(nullptr);
}

// The managed forms host hands its colours and font over in the quick-activation structure,
// to a site that answers no ambients: the control takes a copy of the font, and a save stores
// none of what follows the container. Without a font the control has the system's.
TEST(Font, AQuickActivatingContainerGivesItsColoursAndACopyOfItsFont) {
    BareSite site;
    ComPtr<IFontDisp> containers = MakeFont(L"Tahoma", 14, true);
    MemoryBag bag;
    ComPtr<IDispatch> control = CreateControl();
    QACONTAINER container = QuickContainer(&site);
    container.colorBack = 0x336699;
    container.colorFore = 0x00FF00;
    container.pFont = As<IFont>(containers.Get()).Get();
    QACONTROL answer{};
    answer.cbSize = sizeof(QACONTROL);
    ASSERT_EQ(As<IQuickActivate>(control.Get())->QuickActivate(&container, &answer), S_OK);
    ASSERT_EQ(As<IPersistStreamInit>(control.Get())->InitNew(), S_OK);
    EXPECT_EQ(GetText(control.Get(), L"BackColorNormal"), std::to_string(0x336699));
    EXPECT_EQ(GetText(control.Get(), L"ForeColorNormal"), std::to_string(0x00FF00));
    EXPECT_EQ(FontOf(control.Get()), Realized(L"Tahoma", 14, true));
    CY size{}, given{};
    FontObjectOf(control.Get())->get_Size(&size);
    container.pFont->get_Size(&given);
    EXPECT_EQ(size.int64, given.int64) << "the container's size to the ten-thousandth of a point";
    EXPECT_NE(FontObjectOf(control.Get()).Get(), container.pFont) << "a copy of the font";
    ASSERT_EQ(As<IPersistPropertyBag>(control.Get())->Save(&bag, TRUE, TRUE), S_OK);
    for (const wchar_t* key : {L"BackColorNormal", L"ForeColorNormal", L"FontName"})
        EXPECT_EQ(bag.values.count(key), 0u) << win32::Narrow(key);
    As<IOleObject>(control.Get())->SetClientSite(nullptr);

    ComPtr<IDispatch> plain = CreateControl();
    container = QuickContainer(&site);
    ASSERT_EQ(As<IQuickActivate>(plain.Get())->QuickActivate(&container, &answer), S_OK);
    ASSERT_EQ(As<IPersistStreamInit>(plain.Get())->InitNew(), S_OK);
    EXPECT_EQ(FontOf(plain.Get()), SystemFont());
    As<IOleObject>(plain.Get())->SetClientSite(nullptr);
}

// A bag whose font is of the wrong type: the load fails with its error, and the control keeps
// the system's font and works. (An ambient font that is wrong is the ambients' test.)
TEST(Font, AStoredFontOfTheWrongTypeLeavesAWorkingControl) {
    MemoryBag bag;
    Var name(L"Arial"), size(L"large");
    bag.Write(L"FontName", &name.v);
    bag.Write(L"FontSize", &size.v);
    ComPtr<IDispatch> control = CreateControl();
    EXPECT_TRUE(FAILED(As<IPersistPropertyBag>(control.Get())->Load(&bag, &bag)));
    EXPECT_EQ(FontOf(control.Get()), SystemFont());
    Fill(control.Get(), L"", L"row");
    EXPECT_EQ(GetText(control.Get(), L"ListCount"), "1");
}

}  // namespace
}  // namespace cp::test
