// Answers the message boxes of other processes (a script under cscript, say) as a user would,
// and writes down what each one said: a box of the dialog class that shows on the desktop is
// read (caption and text), appended to the log, and then its OK button is pressed. The log is
// UTF-16 with a byte-order mark; each box is its caption, a line feed, its text and the record
// separator U+001E. The watcher ends when the file <log>.stop appears, or after five minutes.
//   cp_box_watcher.exe <log>
#include <set>
#include <string>

#include "platform/win32/Wide.h"
#include "platform/win32/WindowsApi.h"
#include "tests/support/win32/MessageBoxWatch.h"

namespace {

constexpr DWORD kPollMilliseconds = 50;
constexpr DWORD kLongestRunMilliseconds = 5 * 60 * 1000;
constexpr wchar_t kRecordSeparator = L'\x1E';
constexpr wchar_t kByteOrderMark = L'\xFEFF';

struct Watch {
    DWORD self = ::GetCurrentProcessId();
    std::set<HWND> answered;  // boxes pressed and perhaps not gone yet
    std::wstring log;
};

bool IsForeignBox(HWND hWnd, const Watch& watch) {
    wchar_t name[16] = {};
    ::GetClassNameW(hWnd, name, 16);
    DWORD process = 0;
    ::GetWindowThreadProcessId(hWnd, &process);
    return std::wstring(name) == L"#32770" && process != watch.self && ::IsWindowVisible(hWnd);
}

void Append(const std::wstring& path, const std::wstring& record) {
    HANDLE file = ::CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    std::wstring text = record;
    if (::GetFileSize(file, nullptr) == 0) text.insert(text.begin(), kByteOrderMark);
    DWORD written = 0;
    ::WriteFile(file, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &written,
                nullptr);
    ::FlushFileBuffers(file);
    ::CloseHandle(file);
}

BOOL CALLBACK AnswerBox(HWND hWnd, LPARAM lParam) {
    auto& watch = *reinterpret_cast<Watch*>(lParam);
    if (!IsForeignBox(hWnd, watch) || watch.answered.count(hWnd) != 0) return TRUE;
    const cp::test::ShownMessageBox box = cp::test::ReadMessageBox(hWnd);
    Append(watch.log,
           cp::win32::Widen(box.caption) + L"\n" + cp::win32::Widen(box.prompt) + kRecordSeparator);
    watch.answered.insert(hWnd);
    ::PostMessageW(hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(hWnd, IDOK)));
    return TRUE;
}

bool Exists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) return 2;
    Watch watch;
    watch.log = argv[1];
    const std::wstring stop = watch.log + L".stop";
    const DWORD start = ::GetTickCount();
    while (!Exists(stop) && ::GetTickCount() - start < kLongestRunMilliseconds) {
        std::erase_if(watch.answered, [](HWND hWnd) { return !::IsWindow(hWnd); });
        ::EnumWindows(&AnswerBox, reinterpret_cast<LPARAM>(&watch));
        ::Sleep(kPollMilliseconds);
    }
    return 0;
}
