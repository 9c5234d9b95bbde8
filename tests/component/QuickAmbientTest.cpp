// The ambients a container hands over without a site that answers them: the managed forms
// host's quick activation brings its colours and font in the structure, and a container's
// name for the control is what a screen reader reads when no label names it.
#include "platform/win32/Wide.h"
#include "tests/component/InPlaceSite.h"
#include "tests/component/MemoryBag.h"

#include <oleacc.h>

namespace cp::test {
namespace {

ComPtr<IFont> MakeFont(const wchar_t* face, long points) {
    FONTDESC description{sizeof(FONTDESC),
                         const_cast<LPOLESTR>(face),
                         {},
                         FW_BOLD,
                         ANSI_CHARSET,
                         FALSE,
                         FALSE,
                         FALSE};
    description.cySize.int64 = points * 10000;
    ComPtr<IFont> font;
    ::OleCreateFontIndirect(&description, IID_IFont, reinterpret_cast<void**>(font.GetAddressOf()));
    return font;
}

struct FontSeen {
    std::string name;
    long long size = 0;  // ten-thousandths of a point
    bool same = false;   // the container's object itself
};

FontSeen FontOf(IDispatch* control, IFont* containers) {
    Var font;
    EXPECT_EQ(Get(control, L"Font", font), S_OK);
    FontSeen seen;
    ComPtr<IFont> object;
    if (V_VT(&font.v) != VT_DISPATCH || V_DISPATCH(&font.v) == nullptr ||
        FAILED(V_DISPATCH(&font.v)->QueryInterface(
            IID_IFont, reinterpret_cast<void**>(object.GetAddressOf())))) {
        return seen;
    }
    BSTR name = nullptr;
    object->get_Name(&name);
    seen.name = name ? win32::Narrow(name) : "";
    ::SysFreeString(name);
    CY size{};
    object->get_Size(&size);
    seen.size = size.int64;
    seen.same = object.Get() == containers;
    return seen;
}

TEST(QuickAmbients, ASiteWithoutAmbientsGivesTheControlTheStructuresColoursAndFont) {
    BareSite site;
    ComPtr<IFont> containers = MakeFont(L"Tahoma", 14);
    ASSERT_TRUE(containers);
    MemoryBag bag;
    {
        ComPtr<IDispatch> control = CreateControl();
        QACONTAINER container{};
        container.cbSize = sizeof(QACONTAINER);
        container.pClientSite = &site;
        container.dwAmbientFlags = QACONTAINER_USERMODE;
        container.colorBack = 0x336699;
        container.colorFore = 0x00FF00;
        container.pFont = containers.Get();
        container.lcid = 0x409;
        QACONTROL answer{};
        answer.cbSize = sizeof(QACONTROL);
        ASSERT_EQ(As<IQuickActivate>(control.Get())->QuickActivate(&container, &answer), S_OK);
        ASSERT_EQ(As<IPersistStreamInit>(control.Get())->InitNew(), S_OK);
        EXPECT_EQ(GetText(control.Get(), L"BackColorNormal"), std::to_string(0x336699));
        EXPECT_EQ(GetText(control.Get(), L"ForeColorNormal"), std::to_string(0x00FF00));
        const FontSeen font = FontOf(control.Get(), containers.Get());
        // The font as the system realizes it, which may differ from what was asked for.
        BSTR name = nullptr;
        CY size{};
        containers->get_Name(&name);
        containers->get_Size(&size);
        EXPECT_EQ(font.name, win32::Narrow(name));
        EXPECT_EQ(font.size, size.int64);
        ::SysFreeString(name);
        EXPECT_NE(font.size, FontOf(CreateControl().Get(), nullptr).size) << "not the system's";
        EXPECT_FALSE(font.same) << "the control takes a copy of the container's font";
        // What follows the container is not the control's own: a save stores none of it.
        ASSERT_EQ(As<IPersistPropertyBag>(control.Get())->Save(&bag, TRUE, TRUE), S_OK);
        for (const wchar_t* key : {L"BackColorNormal", L"ForeColorNormal", L"FontName"})
            EXPECT_EQ(bag.values.count(key), 0u) << win32::Narrow(key);
        As<IOleObject>(control.Get())->SetClientSite(nullptr);
    }

    // A structure without a font: the system's font of the controls.
    ComPtr<IDispatch> control = CreateControl();
    QACONTAINER container{};
    container.cbSize = sizeof(QACONTAINER);
    container.pClientSite = &site;
    container.dwAmbientFlags = QACONTAINER_USERMODE;
    QACONTROL answer{};
    answer.cbSize = sizeof(QACONTROL);
    ASSERT_EQ(As<IQuickActivate>(control.Get())->QuickActivate(&container, &answer), S_OK);
    ASSERT_EQ(As<IPersistStreamInit>(control.Get())->InitNew(), S_OK);
    EXPECT_FALSE(FontOf(control.Get(), nullptr).name.empty());
    As<IOleObject>(control.Get())->SetClientSite(nullptr);
}

std::string AccessibleName(IUnknown* control) {
    HWND window = nullptr;
    As<IOleWindow>(control)->GetWindow(&window);
    ComPtr<IAccessible> reader;
    if (FAILED(::AccessibleObjectFromWindow(window, static_cast<::DWORD>(OBJID_CLIENT),
                                            __uuidof(IAccessible),
                                            reinterpret_cast<void**>(reader.GetAddressOf())))) {
        return "<no object>";
    }
    Var self(long{CHILDID_SELF});
    BSTR name = nullptr;
    reader->get_accName(self.v, &name);
    std::string text = name ? win32::Narrow(name) : "<none>";
    ::SysFreeString(name);
    return text;
}

TEST(QuickAmbients, TheContainersNameIsReadWhenNoLabelNamesTheControl) {
    InPlaceSite form;
    form.ambient = [](DISPID id, VARIANT* result) {
        if (id != DISPID_AMBIENT_DISPLAYNAME) return DISP_E_MEMBERNOTFOUND;
        V_VT(result) = VT_BSTR;
        V_BSTR(result) = ::SysAllocString(L"CountryPicker");
        return S_OK;
    };
    ComPtr<IDispatch> control = CreateControl();
    ASSERT_EQ(form.Activate(control.Get()), S_OK);
    EXPECT_EQ(AccessibleName(control.Get()), "CountryPicker");
    // A label just before the control names it instead.
    HWND label = ::CreateWindowExW(0, L"STATIC", L"Country", WS_CHILD | WS_VISIBLE, 10, 40, 100, 20,
                                   form.window, nullptr, nullptr, nullptr);
    HWND window = nullptr;
    As<IOleWindow>(control.Get())->GetWindow(&window);
    ::SetWindowPos(label, window, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::SetWindowPos(window, label, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(AccessibleName(control.Get()), "Country");
    As<IOleObject>(control.Get())->Close(OLECLOSE_NOSAVE);
    As<IOleObject>(control.Get())->SetClientSite(nullptr);
}

}  // namespace
}  // namespace cp::test
