#include "component/Registration.h"

#include <algorithm>
#include <cwctype>
#include <string>
#include <tuple>
#include <vector>

#include "component/DatabaseInterfaces.h"
#include "component/Module.h"
#include "component/PropertyPage.h"
#include "control/PublicInterface.h"
#include "platform/win32/Wide.h"

#include <comcat.h>

namespace ocx {
namespace {

// OLEMISC_SETCLIENTSITEFIRST | ACTIVATEWHENVISIBLE | INSIDEOUT | CANTLINKINSIDE |
// RECOMPOSEONRESIZE.
constexpr const wchar_t* kMiscStatus = L"131473";
constexpr const wchar_t* kToolboxBitmap = L"30000";
constexpr const wchar_t* kTypeLibraryVersion = L"28.0";
// The type library is registered locale-neutral.
constexpr const wchar_t* kTypeLibraryLocale = L"0";
// The type library's platform: the bitness of this file. Both bitnesses share the type
// library's key on 64-bit Windows, each under its own platform.
constexpr const wchar_t* kTypeLibraryPlatform = sizeof(void*) == 8 ? L"win64" : L"win32";
// The marshaller that oleaut32 offers for interfaces described by a type library, and the
// one for dispatch interfaces.
constexpr const wchar_t* kTypeLibraryMarshaller = L"{00020424-0000-0000-C000-000000000046}";
constexpr const wchar_t* kDispatchMarshaller = L"{00020420-0000-0000-C000-000000000046}";
constexpr const wchar_t* kClassName = L"ColumnPick";
constexpr const wchar_t* kDatabaseClassName = L"ColumnPick Database";
constexpr const wchar_t* kPageClassName = L"ColumnPick List Property Page";

std::wstring Wide(std::string_view text) {
    return win32::Widen(text);
}

std::wstring Folder(const std::wstring& path) {
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

// The classes of a registration scope: a hive and the path of its classes.
struct Classes {
    HKEY hive;
    std::wstring path;
};

Classes ClassesOf(RegistrationScope scope) {
    // Explicitly the machine's classes: through HKEY_CLASSES_ROOT, a key that the user's
    // registration holds too would be written there instead.
    return {scope == RegistrationScope::User ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE,
            L"Software\\Classes\\"};
}

// One value to write: key below the classes, value name ("" for the default), text.
struct Entry {
    std::wstring key;
    std::wstring name;
    std::wstring value;
};

// The control's component categories: a control, safe for scripting, safe for initialization
// from stored data. The database object is in none of them.
struct Category {
    const wchar_t* id;
    const wchar_t* description;
};
constexpr Category kCategories[] = {
    {L"{40FC6ED4-2438-11CF-A3DB-080036F12502}", L"Control"},
    {L"{7DD95801-9882-11CF-9FA9-00AA006C42C4}", L"Controls safely scriptable"},
    {L"{7DD95802-9882-11CF-9FA9-00AA006C42C4}",
     L"Controls safely initializable from persistent data"},
};

// COM for the length of a registration: regsvr32 and installers may call without it.
struct ComForRegistration {
    ComForRegistration() : hr(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComForRegistration() {
        if (SUCCEEDED(hr)) ::CoUninitialize();
    }
    ComForRegistration(const ComForRegistration&) = delete;
    ComForRegistration& operator=(const ComForRegistration&) = delete;
    HRESULT hr;
};

// The system's category manager, which writes the machine's classes, with the control's class
// and category identifiers; a registration for the user alone writes the class's keys itself
// (AddCategoryKeys).
struct CategoryCall {
    CategoryCall() {
        ::CLSIDFromString(Wide(iface::Ids().coclass).c_str(), &clsid);
        for (std::size_t i = 0; i < std::size(kCategories); ++i)
            ::CLSIDFromString(kCategories[i].id, &ids[i]);
        ::CoCreateInstance(CLSID_StdComponentCategoriesMgr, nullptr, CLSCTX_INPROC_SERVER,
                           IID_ICatRegister, reinterpret_cast<void**>(&manager));
    }
    ~CategoryCall() {
        if (manager != nullptr) manager->Release();
    }
    CategoryCall(const CategoryCall&) = delete;
    CategoryCall& operator=(const CategoryCall&) = delete;

    ComForRegistration com;
    CLSID clsid{};
    CATID ids[std::size(kCategories)] = {};
    ICatRegister* manager = nullptr;
};

HRESULT RegisterCategories() {
    CategoryCall call;
    if (call.manager == nullptr) return REGDB_E_CLASSNOTREG;
    CATEGORYINFO infos[std::size(kCategories)] = {};
    for (std::size_t i = 0; i < std::size(kCategories); ++i) {
        infos[i].catid = call.ids[i];
        infos[i].lcid = 0x409;
        ::lstrcpynW(infos[i].szDescription, kCategories[i].description,
                    static_cast<int>(std::size(infos[i].szDescription)));
    }
    const HRESULT hr = call.manager->RegisterCategories(std::size(infos), infos);
    if (FAILED(hr)) return hr;
    return call.manager->RegisterClassImplCategories(call.clsid, std::size(call.ids), call.ids);
}

// What the manager cannot remove goes with the class's own key.
void UnregisterCategories() {
    CategoryCall call;
    if (call.manager != nullptr) {
        call.manager->UnRegisterClassImplCategories(call.clsid, std::size(call.ids), call.ids);
    }
}

void AddCategoryKeys(std::vector<Entry>& entries) {
    const std::wstring clsid = L"CLSID\\" + Wide(iface::Ids().coclass);
    for (const Category& category : kCategories)
        entries.push_back({clsid + L"\\Implemented Categories\\" + category.id, L"", L""});
}

// The database object: an ordinary creatable class with its own program identifier.
void AddDatabaseClass(std::vector<Entry>& entries, const std::wstring& path) {
    const std::wstring clsid = L"CLSID\\" + Wide(dbiface::kDatabaseClass);
    const std::wstring progId = Wide(dbiface::kDatabaseProgId);
    const std::vector<Entry> added = {
        {clsid, L"", kDatabaseClassName},
        {clsid + L"\\InprocServer32", L"", path},
        {clsid + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
        {clsid + L"\\ProgID", L"", progId},
        {clsid + L"\\TypeLib", L"", Wide(iface::Ids().typeLibrary)},
        {clsid + L"\\Version", L"", kTypeLibraryVersion},
        {progId, L"", kDatabaseClassName},
        {progId + L"\\CLSID", L"", Wide(dbiface::kDatabaseClass)},
    };
    entries.insert(entries.end(), added.begin(), added.end());
}

// The control's property page: created by the frames that show it, by its class alone.
void AddPageClass(std::vector<Entry>& entries, const std::wstring& path) {
    const std::wstring clsid = std::wstring(L"CLSID\\") + kPropertyPageClassText;
    entries.push_back({clsid, L"", kPageClassName});
    entries.push_back({clsid + L"\\InprocServer32", L"", path});
    entries.push_back({clsid + L"\\InprocServer32", L"ThreadingModel", L"Apartment"});
}

std::vector<Entry> Entries() {
    const auto& ids = iface::Ids();
    const std::wstring path = ModulePath();
    const std::wstring clsid = L"CLSID\\" + Wide(ids.coclass);
    const std::wstring lib = L"TypeLib\\" + Wide(ids.typeLibrary) + L"\\" + kTypeLibraryVersion;
    const std::wstring description = Wide(ids.typeLibraryHelp);
    std::vector<Entry> entries = {
        {clsid, L"", kClassName},
        {clsid + L"\\InprocServer32", L"", path},
        {clsid + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
        {clsid + L"\\ProgID", L"", kProgId},
        {clsid + L"\\Control", L"", L""},
        {clsid + L"\\MiscStatus", L"", kMiscStatus},
        {clsid + L"\\MiscStatus\\1", L"", kMiscStatus},
        {clsid + L"\\ToolboxBitmap32", L"", path + L", " + kToolboxBitmap},
        {clsid + L"\\TypeLib", L"", Wide(ids.typeLibrary)},
        {clsid + L"\\Version", L"", kTypeLibraryVersion},
        {kProgId, L"", kClassName},
        {std::wstring(kProgId) + L"\\CLSID", L"", Wide(ids.coclass)},
        {lib, L"", description},
        {lib + L"\\FLAGS", L"", L"0"},
        {lib + L"\\HELPDIR", L"", Folder(path)},
        {lib + L"\\" + kTypeLibraryLocale + L"\\" + kTypeLibraryPlatform, L"", path},
    };
    AddDatabaseClass(entries, path);
    AddPageClass(entries, path);
    const std::tuple<std::string_view, const wchar_t*, const wchar_t*> interfaces[] = {
        {ids.defaultInterface, L"_ColumnPick", kTypeLibraryMarshaller},
        {ids.eventInterface, L"__ColumnPick", kTypeLibraryMarshaller},
        {dbiface::kDatabaseInterface, L"_Database", kDispatchMarshaller},
        {dbiface::kRecordsetInterface, L"_Recordset", kDispatchMarshaller}};
    for (const auto& [iid, name, marshaller] : interfaces) {
        const std::wstring key = L"Interface\\" + Wide(iid);
        entries.push_back({key, L"", name});
        entries.push_back({key + L"\\ProxyStubClsid", L"", marshaller});
        entries.push_back({key + L"\\ProxyStubClsid32", L"", marshaller});
        entries.push_back({key + L"\\TypeLib", L"", Wide(ids.typeLibrary)});
        entries.push_back({key + L"\\TypeLib", L"Version", kTypeLibraryVersion});
    }
    return entries;
}

std::wstring TypeLibraryVersionKey() {
    return L"TypeLib\\" + Wide(iface::Ids().typeLibrary) + L"\\" + kTypeLibraryVersion;
}

// The trees that unregistration removes, the deepest first; the type library's goes apart. A
// class's programmatic identifier follows its class.
struct Tree {
    std::wstring key;
    std::wstring classOfProgId;  // for a programmatic identifier, the class it names
};

std::vector<Tree> Trees() {
    const auto& ids = iface::Ids();
    const std::wstring control = Wide(ids.coclass);
    const std::wstring database = Wide(dbiface::kDatabaseClass);
    return {
        {L"CLSID\\" + control, {}},
        {kProgId, control},
        {L"Interface\\" + Wide(ids.defaultInterface), {}},
        {L"Interface\\" + Wide(ids.eventInterface), {}},
        {L"CLSID\\" + database, {}},
        {Wide(dbiface::kDatabaseProgId), database},
        {L"Interface\\" + Wide(dbiface::kDatabaseInterface), {}},
        {L"Interface\\" + Wide(dbiface::kRecordsetInterface), {}},
        {std::wstring(L"CLSID\\") + kPropertyPageClassText, {}},
    };
}

// Whether the component of the other bitness is registered for the class. The classes are
// kept apart by bitness, their programmatic identifiers are not: the other bitness's class
// still needs them.
bool OtherBitnessServes(const Classes& classes, const std::wstring& clsid) {
#ifdef _WIN64
    constexpr REGSAM kOtherView = KEY_WOW64_32KEY;
#else
    constexpr REGSAM kOtherView = KEY_WOW64_64KEY;  // a 32-bit system has one view, ours
#endif
    const std::wstring path = classes.path + L"CLSID\\" + clsid + L"\\InprocServer32";
    HKEY key = nullptr;
    if (::RegOpenKeyExW(classes.hive, path.c_str(), 0, KEY_READ | kOtherView, &key) !=
        ERROR_SUCCESS) {
        return false;
    }
    ::RegCloseKey(key);
    return true;
}

HRESULT Write(const Classes& classes, const Entry& entry) {
    HKEY key = nullptr;
    const std::wstring path = classes.path + entry.key;
    LSTATUS status = ::RegCreateKeyExW(classes.hive, path.c_str(), 0, nullptr, 0, KEY_WRITE,
                                       nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
    const auto bytes = static_cast<DWORD>((entry.value.size() + 1) * sizeof(wchar_t));
    status = ::RegSetValueExW(key, entry.name.empty() ? nullptr : entry.name.c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(entry.value.c_str()), bytes);
    ::RegCloseKey(key);
    return HRESULT_FROM_WIN32(status);
}

HRESULT RemoveTree(const Classes& classes, const std::wstring& tree) {
    const std::wstring path = classes.path + tree;
    const LSTATUS status = ::RegDeleteTreeW(classes.hive, path.c_str());
    if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) {
        ::RegDeleteKeyW(classes.hive, path.c_str());
        return S_OK;
    }
    return HRESULT_FROM_WIN32(status);
}

bool HasSubkeys(const Classes& classes, const std::wstring& key) {
    HKEY opened = nullptr;
    const std::wstring path = classes.path + key;
    if (::RegOpenKeyExW(classes.hive, path.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
        return false;
    }
    DWORD subkeys = 0;
    const LSTATUS status = ::RegQueryInfoKeyW(opened, nullptr, nullptr, nullptr, &subkeys, nullptr,
                                              nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    ::RegCloseKey(opened);
    return status == ERROR_SUCCESS && subkeys > 0;
}

// This file's platform goes; the type library's version goes with the last platform, and its
// own key with the last version.
HRESULT RemoveTypeLibrary(const Classes& classes) {
    const std::wstring version = TypeLibraryVersionKey();
    const std::wstring locale = version + L"\\" + kTypeLibraryLocale;
    HRESULT hr = RemoveTree(classes, locale + L"\\" + kTypeLibraryPlatform);
    if (FAILED(hr) || HasSubkeys(classes, locale)) return hr;
    hr = RemoveTree(classes, version);
    const std::wstring library = classes.path + L"TypeLib\\" + Wide(iface::Ids().typeLibrary);
    ::RegDeleteKeyW(classes.hive, library.c_str());
    return hr;
}

}  // namespace

HRESULT RegisterComponent(RegistrationScope scope) {
    // A file that carries no readable type library is not registered at all.
    ITypeLib* library = nullptr;
    HRESULT hr = ::LoadTypeLibEx(ModulePath().c_str(), REGKIND_NONE, &library);
    if (FAILED(hr)) return hr;
    library->Release();
    const Classes classes = ClassesOf(scope);
    std::vector<Entry> entries = Entries();
    if (scope == RegistrationScope::User) AddCategoryKeys(entries);
    for (const Entry& entry : entries) {
        hr = Write(classes, entry);
        if (FAILED(hr)) {
            UnregisterComponent(scope);
            return SELFREG_E_CLASS;
        }
    }
    if (scope == RegistrationScope::Machine && FAILED(RegisterCategories())) {
        UnregisterComponent(scope);
        return SELFREG_E_CLASS;
    }
    return S_OK;
}

HRESULT UnregisterComponent(RegistrationScope scope) {
    const Classes classes = ClassesOf(scope);
    HRESULT result = S_OK;
    if (scope == RegistrationScope::Machine) UnregisterCategories();
    for (const Tree& tree : Trees()) {
        if (!tree.classOfProgId.empty() && OtherBitnessServes(classes, tree.classOfProgId)) {
            continue;
        }
        if (FAILED(RemoveTree(classes, tree.key))) result = SELFREG_E_CLASS;
    }
    if (FAILED(RemoveTypeLibrary(classes))) result = SELFREG_E_CLASS;
    return result;
}

HRESULT InstallComponent(bool install, std::wstring_view commandLine) {
    std::wstring word(commandLine);
    std::transform(word.begin(), word.end(), word.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    RegistrationScope scope = RegistrationScope::Machine;
    if (word == L"user") {
        scope = RegistrationScope::User;
    } else if (!word.empty() && word != L"machine") {
        return E_INVALIDARG;
    }
    return install ? RegisterComponent(scope) : UnregisterComponent(scope);
}

}  // namespace ocx
