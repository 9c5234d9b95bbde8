#include "component/Registration.h"

#include <string>
#include <tuple>
#include <vector>

#include "component/DatabaseInterfaces.h"
#include "component/Module.h"
#include "control/PublicInterface.h"
#include "platform/win32/Wide.h"

namespace ocx {
namespace {

// OLEMISC_SETCLIENTSITEFIRST | ACTIVATEWHENVISIBLE | INSIDEOUT | CANTLINKINSIDE |
// RECOMPOSEONRESIZE.
constexpr const wchar_t* kMiscStatus = L"131473";
constexpr const wchar_t* kToolboxBitmap = L"30000";
constexpr const wchar_t* kTypeLibraryVersion = L"28.0";
// The type library is registered locale-neutral.
constexpr const wchar_t* kTypeLibraryLocale = L"0";
// The marshaller that oleaut32 offers for interfaces described by a type library, and the
// one for dispatch interfaces.
constexpr const wchar_t* kTypeLibraryMarshaller = L"{00020424-0000-0000-C000-000000000046}";
constexpr const wchar_t* kDispatchMarshaller = L"{00020420-0000-0000-C000-000000000046}";
constexpr const wchar_t* kClassName = L"ColumnPick";
constexpr const wchar_t* kDatabaseClassName = L"ColumnPick Database";

std::wstring Wide(std::string_view text) {
    return win32::Widen(text);
}

std::wstring Folder(const std::wstring& path) {
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

// One value to write: key below HKEY_CLASSES_ROOT, value name ("" for the default), text.
struct Entry {
    std::wstring key;
    std::wstring name;
    std::wstring value;
};

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
        {lib + L"\\" + kTypeLibraryLocale + L"\\win64", L"", path},
    };
    AddDatabaseClass(entries, path);
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

// The trees that unregistration removes, the deepest first.
std::vector<std::wstring> Trees() {
    const auto& ids = iface::Ids();
    return {
        L"CLSID\\" + Wide(ids.coclass),
        kProgId,
        L"TypeLib\\" + Wide(ids.typeLibrary) + L"\\" + kTypeLibraryVersion,
        L"Interface\\" + Wide(ids.defaultInterface),
        L"Interface\\" + Wide(ids.eventInterface),
        L"CLSID\\" + Wide(dbiface::kDatabaseClass),
        Wide(dbiface::kDatabaseProgId),
        L"Interface\\" + Wide(dbiface::kDatabaseInterface),
        L"Interface\\" + Wide(dbiface::kRecordsetInterface),
    };
}

HRESULT Write(const Entry& entry) {
    HKEY key = nullptr;
    LSTATUS status = ::RegCreateKeyExW(HKEY_CLASSES_ROOT, entry.key.c_str(), 0, nullptr, 0,
                                       KEY_WRITE, nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
    const auto bytes = static_cast<DWORD>((entry.value.size() + 1) * sizeof(wchar_t));
    status = ::RegSetValueExW(key, entry.name.empty() ? nullptr : entry.name.c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(entry.value.c_str()), bytes);
    ::RegCloseKey(key);
    return HRESULT_FROM_WIN32(status);
}

HRESULT RemoveTree(const std::wstring& tree) {
    const LSTATUS status = ::RegDeleteTreeW(HKEY_CLASSES_ROOT, tree.c_str());
    if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) {
        ::RegDeleteKeyW(HKEY_CLASSES_ROOT, tree.c_str());
        return S_OK;
    }
    return HRESULT_FROM_WIN32(status);
}

// The type library's own key goes with its last version.
void RemoveEmptyTypeLibraryKey() {
    const std::wstring key = L"TypeLib\\" + Wide(iface::Ids().typeLibrary);
    ::RegDeleteKeyW(HKEY_CLASSES_ROOT, key.c_str());
}

}  // namespace

HRESULT RegisterComponent() {
    // A file that carries no readable type library is not registered at all.
    ITypeLib* library = nullptr;
    HRESULT hr = ::LoadTypeLibEx(ModulePath().c_str(), REGKIND_NONE, &library);
    if (FAILED(hr)) return hr;
    library->Release();
    for (const Entry& entry : Entries()) {
        hr = Write(entry);
        if (FAILED(hr)) {
            UnregisterComponent();
            return SELFREG_E_CLASS;
        }
    }
    return S_OK;
}

HRESULT UnregisterComponent() {
    HRESULT result = S_OK;
    for (const std::wstring& tree : Trees()) {
        const HRESULT hr = RemoveTree(tree);
        if (FAILED(hr)) result = SELFREG_E_CLASS;
    }
    RemoveEmptyTypeLibraryKey();
    return result;
}

}  // namespace ocx
