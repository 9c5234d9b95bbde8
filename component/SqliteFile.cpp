#include "component/SqliteFile.h"

#include "component/Com.h"
#include "data/odbc/OdbcDatabase.h"
#include "platform/win32/Wide.h"

namespace ocx {
namespace {

constexpr std::int32_t kErrFileNotFound = 3024;
constexpr std::int32_t kErrInvalidPath = 3044;

// The names under which the SQLite ODBC driver installs itself: the host's unixODBC name
// (which Wine's odbc32 reaches) and the name of its Windows installer.
constexpr const char* kHostDriver = "SQLite3";
constexpr const char* kWindowsDriver = "SQLite3 ODBC Driver";

// Wine's kernel32 export that gives the host's path of a Windows path, in memory of the
// process heap; no such export exists on Windows.
using UnixFileNameFunction = char*(CDECL*)(const wchar_t*);

UnixFileNameFunction UnixFileName() {
    HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
    return reinterpret_cast<UnixFileNameFunction>(
        reinterpret_cast<void*>(::GetProcAddress(kernel, "wine_get_unix_file_name")));
}

std::wstring FullPath(const std::wstring& path) {
    const DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return path;
    std::wstring full(size, L'\0');
    const DWORD length = ::GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    full.resize(length < size ? length : 0);
    return full.empty() ? path : full;
}

bool IsFile(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The path of the file as the driver reads it.
std::string DriverPath(const std::wstring& file) {
    const UnixFileNameFunction unixName = UnixFileName();
    if (!unixName) return win32::Narrow(file);
    char* host = unixName(file.c_str());
    if (host == nullptr) {
        Raise(kErrFileNotFound, "Could not find file '" + win32::Narrow(file) + "'.");
    }
    const std::string path(host);
    ::HeapFree(::GetProcessHeap(), 0, host);
    return path;
}

std::string ConnectionString(const std::wstring& file) {
    const std::string path = DriverPath(file);
    // The driver reads the name up to the next semicolon and would take the rest for more
    // keys.
    if (path.find(';') != std::string::npos) {
        Raise(kErrInvalidPath, "'" + path + "' is not a valid path: the SQLite driver cannot " +
                                   "open a file whose name holds a semicolon.");
    }
    const std::string driver = UnixFileName() ? kHostDriver : kWindowsDriver;
    return "Driver={" + driver + "};Database=" + path;
}

}  // namespace

std::shared_ptr<cp::Database> OpenSqliteFile(const std::string& path) {
    const std::wstring file = FullPath(win32::Widen(path));
    // The driver would make a new, empty database of a path that names no file.
    if (path.empty() || !IsFile(file)) {
        Raise(kErrFileNotFound, "Could not find file '" + path + "'.");
    }
    return cp::odbc::OdbcDatabase::Open(ConnectionString(file), path);
}

}  // namespace ocx
