// The compiled type library, read back as object browsers and late-bound hosts read it, is
// the control's interface table member by member: names, identifiers, kinds, argument
// passing, types, help strings, flags, the events, the enumerations and the identities.
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "component/DatabaseInterfaces.h"
#include "control/PublicInterface.h"
#include "platform/win32/Wide.h"
#include "tests/component/ComponentFixture.h"

namespace cp::test {
namespace {

struct TypeLibrary : ::testing::Test {
    void SetUp() override {
        ASSERT_EQ(::LoadTypeLibEx(ComponentPath().c_str(), REGKIND_NONE, &library), S_OK);
    }
    ComPtr<ITypeInfo> Info(std::string_view guid) {
        GUID id{};
        ::CLSIDFromString(win32::Widen(guid).c_str(), &id);
        ComPtr<ITypeInfo> info;
        EXPECT_EQ(library->GetTypeInfoOfGuid(id, &info), S_OK) << guid;
        return info;
    }
    // The table of operations of the dual interface, after IDispatch's own seven.
    ComPtr<ITypeInfo> VTable() {
        ComPtr<ITypeInfo> dispatch = Info(iface::Ids().defaultInterface);
        HREFTYPE ref = 0;
        ComPtr<ITypeInfo> vtable;
        EXPECT_EQ(dispatch->GetRefTypeOfImplType(-1, &ref), S_OK);
        EXPECT_EQ(dispatch->GetRefTypeInfo(ref, &vtable), S_OK);
        return vtable;
    }
    ComPtr<ITypeLib> library;
};

std::string Name(ITypeInfo* info, MEMBERID id, std::string* help = nullptr) {
    if (help)
        *help = BstrText(
            [&](BSTR* doc) { info->GetDocumentation(id, nullptr, doc, nullptr, nullptr); });
    return BstrText(
        [&](BSTR* name) { info->GetDocumentation(id, name, nullptr, nullptr, nullptr); });
}

// The table's names of the automation types; an object is the database object.
constexpr std::pair<VARTYPE, const char*> kTypeNames[] = {
    {VT_BSTR, "String"},  {VT_I2, "Integer"},      {VT_I4, "Long"},
    {VT_BOOL, "Boolean"}, {VT_VARIANT, "Variant"}, {VT_DISPATCH, "Database"}};

// The table's type name of a parameter or result as the library describes it.
std::string TypeName(ITypeInfo* info, const TYPEDESC& desc) {
    if (desc.vt == VT_PTR) return TypeName(info, *desc.lptdesc);
    if (desc.vt == VT_USERDEFINED) {
        ComPtr<ITypeInfo> referred;
        info->GetRefTypeInfo(desc.hreftype, &referred);
        return Name(referred.Get(), MEMBERID_NIL);
    }
    for (const auto& [vt, name] : kTypeNames) {
        if (vt == desc.vt) return name;
    }
    return "vt" + std::to_string(desc.vt);
}

iface::Kind KindOf(INVOKEKIND kind) {
    if (kind == INVOKE_PROPERTYGET) return iface::Kind::PropertyGet;
    if (kind == INVOKE_PROPERTYPUT) return iface::Kind::PropertyLet;
    return iface::Kind::Method;
}

TYPEATTR AttrOf(ITypeInfo* info) {
    TYPEATTR* attr = nullptr;
    TYPEATTR copy{};
    EXPECT_EQ(info->GetTypeAttr(&attr), S_OK);
    if (attr) copy = *attr;
    if (attr) info->ReleaseTypeAttr(attr);
    return copy;
}

// Where a property's type stands: in a dual interface's table of operations a Get's result is
// its last parameter; a dispatch interface gives it as the function's own type.
enum class ResultAt { LastParameter, Function };

// What `describe` says of each function of `info`, where it says anything.
template <class Describe>
Texts Described(ITypeInfo* info, Describe describe) {
    Texts said;
    for (UINT i = 0; i < AttrOf(info).cFuncs; ++i) {
        FUNCDESC* f = nullptr;
        if (FAILED(info->GetFuncDesc(i, &f))) continue;
        std::string text = describe(i, *f);
        if (!text.empty()) said.push_back(std::move(text));
        info->ReleaseFuncDesc(f);
    }
    return said;
}

// The functions of `info` but the component's own Font.
std::vector<UINT> TableFunctions(ITypeInfo* info) {
    std::vector<UINT> functions;
    Described(info, [&](UINT i, const FUNCDESC& f) {
        if (f.memid != DISPID_FONT) functions.push_back(i);
        return std::string();
    });
    return functions;
}

// The functions of `info` are `members`, in order: names, help strings, identifiers, kinds,
// argument passing and types.
void ExpectMembers(ITypeInfo* info, std::span<const iface::Member> members, ResultAt at) {
    const std::vector<UINT> functions = TableFunctions(info);
    ASSERT_EQ(functions.size(), members.size());
    for (UINT i = 0; i < members.size(); ++i) {
        const iface::Member& m = members[i];
        SCOPED_TRACE(std::string(m.name) + " #" + std::to_string(i));
        FUNCDESC* f = nullptr;
        ASSERT_EQ(info->GetFuncDesc(functions[i], &f), S_OK);
        std::string help;
        const std::string name = Name(info, f->memid, &help);
        EXPECT_EQ((std::tuple{name, help, f->memid, KindOf(f->invkind)}),
                  (std::tuple{std::string(m.name), std::string(m.help), m.dispid, m.kind}));
        // A property's Get and a method with a result hand it back in a last parameter.
        const bool resultParam =
            at == ResultAt::LastParameter && (m.kind == iface::Kind::PropertyGet ||
                                              (m.kind == iface::Kind::Method && !m.type.empty()));
        ASSERT_EQ(f->cParams, static_cast<SHORT>(m.params.size() + (resultParam ? 1 : 0)));
        for (std::size_t p = 0; p < m.params.size(); ++p) {
            const ELEMDESC& e = f->lprgelemdescParam[p];
            const bool byRef = (e.paramdesc.wParamFlags & PARAMFLAG_FOUT) != 0;
            if (at == ResultAt::LastParameter) {
                EXPECT_EQ(byRef, m.params[p].passing == iface::Passing::ByRef) << "argument " << p;
            }
            EXPECT_EQ(TypeName(info, e.tdesc), m.params[p].type) << "argument " << p;
        }
        if (resultParam) {
            EXPECT_EQ(TypeName(info, f->lprgelemdescParam[m.params.size()].tdesc), m.type);
        } else if (at == ResultAt::Function) {
            // The library calls any object IDispatch; the table names what the member gives.
            const std::string result = TypeName(info, f->elemdescFunc.tdesc);
            EXPECT_EQ(result == "Database" ? "Object" : result == "vt24" ? "" : result, m.type);
        }
        info->ReleaseFuncDesc(f);
    }
}

TEST_F(TypeLibrary, IsTheLibraryOfTheInterfaceTable) {
    TLIBATTR* attr = nullptr;
    ASSERT_EQ(library->GetLibAttr(&attr), S_OK);
    GUID libid{};
    ::CLSIDFromString(win32::Widen(iface::Ids().typeLibrary).c_str(), &libid);
    EXPECT_TRUE(attr->guid == libid);
    EXPECT_EQ((std::vector<::DWORD>{attr->wMajorVerNum, attr->wMinorVerNum, attr->lcid}),
              (std::vector<::DWORD>{28, 0, 0x409}))
        << "version and locale";
    library->ReleaseTLibAttr(attr);
    EXPECT_EQ(BstrText([&](BSTR* help) {
                  library->GetDocumentation(-1, nullptr, help, nullptr, nullptr);
              }),
              iface::Ids().typeLibraryHelp);
}

// The name of the library that defines a parameter's type.
std::string LibraryOf(ITypeInfo* info, const TYPEDESC& desc) {
    if (desc.vt == VT_PTR) return LibraryOf(info, *desc.lptdesc);
    if (desc.vt != VT_USERDEFINED) return "";
    ComPtr<ITypeInfo> referred;
    ComPtr<ITypeLib> library;
    UINT index = 0;
    if (FAILED(info->GetRefTypeInfo(desc.hreftype, &referred)) ||
        FAILED(referred->GetContainingTypeLib(&library, &index))) {
        return "";
    }
    return BstrText(
        [&](BSTR* name) { library->GetDocumentation(-1, name, nullptr, nullptr, nullptr); });
}

TEST_F(TypeLibrary, DualInterfaceHoldsEveryMemberInTheTablesOrderWithTheBindingsAndTheFontType) {
    ComPtr<ITypeInfo> dispatch = Info(iface::Ids().defaultInterface);
    ComPtr<ITypeInfo> vtable = VTable();
    ASSERT_TRUE(vtable);
    // Dual, hidden, non-extensible and automation-compatible, over both halves.
    const WORD flags = AttrOf(dispatch.Get()).wTypeFlags | AttrOf(vtable.Get()).wTypeFlags;
    const WORD published = TYPEFLAG_FDUAL | TYPEFLAG_FHIDDEN | TYPEFLAG_FNONEXTENSIBLE |
                           TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FDISPATCHABLE;
    EXPECT_EQ(flags & published, published);
    ExpectMembers(vtable.Get(), iface::Members(), ResultAt::LastParameter);

    // Data binding finds the bindable properties in the library: Value (the default binding)
    // and Text, both asking before a change; no other member.
    constexpr WORD kBinding =
        FUNCFLAG_FBINDABLE | FUNCFLAG_FREQUESTEDIT | FUNCFLAG_FDISPLAYBIND | FUNCFLAG_FDEFAULTBIND;
    const auto bound = Described(dispatch.Get(), [&](UINT, const FUNCDESC& f) {
        const WORD binding = f.wFuncFlags & kBinding;
        return binding == 0 ? "" : Name(dispatch.Get(), f.memid) + " " + std::to_string(binding);
    });
    const std::string text = "Text " + std::to_string(kBinding & ~FUNCFLAG_FDEFAULTBIND);
    const std::string value = "Value " + std::to_string(kBinding);
    EXPECT_EQ(bound, (Texts{text, text, value, value}));

    // Font is the standard font type of OLE Automation, read, set and set by reference, so that
    // property browsers offer their font dialog.
    const auto fonts = Described(vtable.Get(), [&](UINT, const FUNCDESC& f) {
        if (f.memid != DISPID_FONT) return std::string();
        if (f.cParams != 1) return "Font with " + std::to_string(f.cParams) + " parameters";
        const TYPEDESC& type = f.lprgelemdescParam[0].tdesc;
        return Name(vtable.Get(), f.memid) + " " + std::to_string(f.invkind) + " " +
               TypeName(vtable.Get(), type) + " " + LibraryOf(vtable.Get(), type);
    });
    EXPECT_EQ(fonts, (Texts{"Font 2 IFontDisp stdole", "Font 4 IFontDisp stdole",
                            "Font 8 IFontDisp stdole"}));
}

TEST_F(TypeLibrary, EventInterfaceHoldsTheSixEventsWithAfterUpdateTheDefault) {
    ComPtr<ITypeInfo> events = Info(iface::Ids().eventInterface);
    const TYPEATTR attr = AttrOf(events.Get());
    EXPECT_EQ(attr.typekind, TKIND_DISPATCH);
    EXPECT_EQ(attr.wTypeFlags & (TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL), TYPEFLAG_FHIDDEN);
    ASSERT_EQ(attr.cFuncs, iface::Events().size());
    for (UINT i = 0; i < iface::Events().size(); ++i) {
        const iface::Event& e = iface::Events()[i];
        SCOPED_TRACE(std::string(e.name));
        FUNCDESC* f = nullptr;
        ASSERT_EQ(events->GetFuncDesc(i, &f), S_OK);
        EXPECT_EQ((std::tuple{Name(events.Get(), f->memid), f->memid,
                              (f->wFuncFlags & FUNCFLAG_FUIDEFAULT) != 0}),
                  (std::tuple{std::string(e.name), e.dispid, e.name == iface::DefaultEvent()}));
        ASSERT_EQ(f->cParams, static_cast<SHORT>(e.params.size()));
        for (std::size_t p = 0; p < e.params.size(); ++p) {
            const ELEMDESC& d = f->lprgelemdescParam[p];
            EXPECT_NE(d.paramdesc.wParamFlags & PARAMFLAG_FOUT, 0) << "by reference";
            EXPECT_EQ(TypeName(events.Get(), d.tdesc), e.params[p].type);
        }
        events->ReleaseFuncDesc(f);
    }
}

TEST_F(TypeLibrary, EnumerationsAndTheControlClass) {
    for (const iface::Enumeration& e : iface::Enumerations()) {
        SCOPED_TRACE(std::string(e.name));
        ComPtr<ITypeInfo> info = Info(e.guid);
        EXPECT_EQ(Name(info.Get(), MEMBERID_NIL), e.name);
        ASSERT_EQ(AttrOf(info.Get()).cVars, e.members.size());
        for (UINT i = 0; i < e.members.size(); ++i) {
            VARDESC* v = nullptr;
            ASSERT_EQ(info->GetVarDesc(i, &v), S_OK);
            EXPECT_EQ(Name(info.Get(), v->memid), e.members[i].name);
            EXPECT_EQ(V_I4(v->lpvarValue), e.members[i].value);
            info->ReleaseVarDesc(v);
        }
    }
    ComPtr<ITypeInfo> coclass = Info(iface::Ids().coclass);
    const TYPEATTR attr = AttrOf(coclass.Get());
    EXPECT_EQ(attr.wTypeFlags & (TYPEFLAG_FCONTROL | TYPEFLAG_FCANCREATE),
              TYPEFLAG_FCONTROL | TYPEFLAG_FCANCREATE);
    EXPECT_EQ(attr.cImplTypes, 2);
    for (UINT i = 0; i < 2; ++i) {
        INT flags = 0;
        coclass->GetImplTypeFlags(i, &flags);
        HREFTYPE ref = 0;
        coclass->GetRefTypeOfImplType(i, &ref);
        ComPtr<ITypeInfo> implemented;
        coclass->GetRefTypeInfo(ref, &implemented);
        const bool source = (flags & IMPLTYPEFLAG_FSOURCE) != 0;
        EXPECT_NE(flags & IMPLTYPEFLAG_FDEFAULT, 0);
        EXPECT_EQ(Name(implemented.Get(), MEMBERID_NIL), source ? "__ColumnPick" : "_ColumnPick");
    }
}

// The component's database and recordset: dispatch interfaces in the order of their tables,
// and a creatable class for the database.
TEST_F(TypeLibrary, DatabaseObjectsAreTheirTables) {
    const std::pair<const char*, std::span<const iface::Member>> interfaces[] = {
        {ocx::dbiface::kDatabaseInterface, ocx::dbiface::kDatabaseMembers},
        {ocx::dbiface::kRecordsetInterface, ocx::dbiface::kRecordsetMembers}};
    for (const auto& [iid, members] : interfaces) {
        ComPtr<ITypeInfo> info = Info(iid);
        ASSERT_TRUE(info);
        EXPECT_EQ(AttrOf(info.Get()).typekind, TKIND_DISPATCH);
        ExpectMembers(info.Get(), members, ResultAt::Function);
    }
    ComPtr<ITypeInfo> coclass = Info(ocx::dbiface::kDatabaseClass);
    ASSERT_TRUE(coclass);
    EXPECT_EQ(AttrOf(coclass.Get()).wTypeFlags & (TYPEFLAG_FCONTROL | TYPEFLAG_FCANCREATE),
              TYPEFLAG_FCANCREATE);
}

}  // namespace
}  // namespace cp::test
