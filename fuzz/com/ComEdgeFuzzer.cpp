// The COM edge of ColumnPick.ocx, fuzzed under Wine: a live control called as careless and
// hostile hosts call it. Members by their identifiers with any flags, argument counts and
// arguments (FuzzedArguments.h), names to look up, interfaces to ask for, keys typed into it,
// and an event sink that answers, fails, writes back, calls the control again or lets go of it
// inside its events. Every answer is held against what COM allows; the control is made anew
// every few hundred calls, and everything handed to it must come back. Message boxes are
// answered and the About box is closed. At the end the same rounds of calls are played again
// and again: the heap, the windows and the drawing objects must stay flat.
//   cp_com_edge_fuzzer.exe [--seconds N] [--start N]
// With CP_COM_FUZZ_TRACE=1 in the environment, each step of the rounds played alike is printed
// with what it called and the heap bytes it left, to find the call that a growing round repeats.
// Prints its findings and ends with "<calls> calls, <findings> findings"; exits 1 on a finding.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fuzz/com/ComRules.h"
#include "fuzz/com/FuzzedArguments.h"
#include "fuzz/com/Resources.h"
#include "platform/win32/Wide.h"
#include "tests/support/win32/HeapInUse.h"
#include "tests/support/win32/MessageBoxWatch.h"

#include <ocidl.h>
#include <olectl.h>

namespace cp::fuzz {
namespace {

constexpr const wchar_t* kProgId = L"ColumnPick.ColumnPick";
constexpr const wchar_t* kAboutCaption = L"Info about ColumnPick";
constexpr int kShortestLife = 100;  // calls a control takes before it is made anew, at least
constexpr int kLongestLife = 400;
constexpr int kFlatRounds = 6;  // rounds played alike at the end
constexpr int kWarmUpRounds = 2;
constexpr int kRoundCalls = 150;
constexpr std::int64_t kHeapNoise = 16 * 1024;  // what the system's own caches may move
constexpr int kFindingsShown = 20;
constexpr VARTYPE kResultMark = VT_I4;
constexpr LONG kResultMarkValue = 0x5EED;
constexpr UINT kArgErrorMark = 0xFFFFFFFF;
constexpr DISPID kAboutBox = -552;
constexpr int kBoxesLessOften = 6;

// A member as the type library publishes it.
struct Member {
    DISPID id;
    WORD flags;  // DISPATCH_METHOD, DISPATCH_PROPERTYGET, ...
    UINT params;
    std::wstring name;
};

std::vector<Member> MembersOf(IDispatch* control) {
    std::vector<Member> members;
    ITypeInfo* info = nullptr;
    TYPEATTR* attributes = nullptr;
    if (FAILED(control->GetTypeInfo(0, 0, &info))) return members;
    if (FAILED(info->GetTypeAttr(&attributes))) {
        info->Release();
        return members;
    }
    for (UINT i = 0; i < attributes->cFuncs; ++i) {
        FUNCDESC* function = nullptr;
        if (FAILED(info->GetFuncDesc(i, &function))) continue;
        BSTR name = nullptr;
        UINT names = 0;
        info->GetNames(function->memid, &name, 1, &names);
        members.push_back({function->memid, static_cast<WORD>(function->invkind),
                           static_cast<UINT>(function->cParams),
                           name ? std::wstring(name) : std::wstring()});
        ::SysFreeString(name);
        info->ReleaseFuncDesc(function);
    }
    info->ReleaseTypeAttr(attributes);
    info->Release();
    return members;
}

// Closes the About box as soon as it shows, as a user who has read it.
LRESULT CALLBACK CloseAboutBox(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_SHOWWINDOW && call->wParam != FALSE &&
        win32::WindowText(call->hwnd) == kAboutCaption) {
        ::PostMessageW(call->hwnd, WM_CLOSE, 0, 0);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

BOOL CALLBACK FindEdit(HWND top, LPARAM out) {
    HWND control = ::FindWindowExW(top, nullptr, L"ThunderRT6UserControlDC", nullptr);
    if (control == nullptr) return TRUE;
    *reinterpret_cast<HWND*>(out) = ::FindWindowExW(control, nullptr, L"Edit", nullptr);
    return FALSE;
}

// The edit field of the one control alive: a child of the control's window, wherever that is.
HWND EditOfTheControl() {
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindEdit, reinterpret_cast<LPARAM>(&found));
    return found;
}

class Findings {
public:
    void Add(std::string what) {
        if (++count_ <= kFindingsShown) std::printf("FINDING %s\n", what.c_str());
    }
    long Count() const { return count_; }

private:
    long count_ = 0;
};

class Fuzzer {
public:
    explicit Fuzzer(std::uint64_t start) : random_(start), hostile_(random_) {
        sink_.onEvent = [this](DISPID id, DISPPARAMS* params) { OnEvent(id, params); };
    }

    void Run(std::chrono::seconds length);
    void CheckFlat(std::uint64_t start);
    long Calls() const { return calls_; }
    long BoxesAnswered() const { return boxesAnswered_ + static_cast<long>(boxes_.Calls().size()); }
    Findings& Found() { return findings_; }

private:
    void NewControl();
    void EndControl();
    void CheckAllGivenBack(const char* when);
    void Step();
    void TracedStep(int round, int call);
    void CallMember();
    void CheckAnswer(const std::string& call, const InvokeAnswer& answer);
    void LookUpNames();
    void AskForInterfaces();
    void PressKey();
    void OnEvent(DISPID id, DISPPARAMS* params);
    const Member& PickMember();
    WORD PickFlags(const Member& m);

    test::MessageBoxWatch boxes_;  // answers the control's message boxes
    Random random_;
    HostileObject hostile_;
    PlainObject plain_;
    EventSink sink_;
    Findings findings_;
    std::vector<Member> members_;
    IDispatch* control_ = nullptr;  // our one reference; a handler may let go of it
    HWND edit_ = nullptr;
    int lifeLeft_ = 0;   // calls until the control is made anew
    int depth_ = 0;      // calls of the control under way
    bool renew_ = true;  // the control is made anew when its life is over
    long calls_ = 0;
    long boxesAnswered_ = 0;
    const bool traceRounds_ = std::getenv("CP_COM_FUZZ_TRACE") != nullptr;  // step by step
    bool tracing_ = false;  // a step of the rounds alike is traced now
    std::string played_;    // what that step called
};

void Fuzzer::Run(std::chrono::seconds length) {
    const auto end = std::chrono::steady_clock::now() + length;
    while (std::chrono::steady_clock::now() < end)
        Step();
    if (control_ != nullptr) EndControl();
}

void Fuzzer::NewControl() {
    CLSID clsid{};
    ::CLSIDFromProgID(kProgId, &clsid);
    if (FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                  reinterpret_cast<void**>(&control_)))) {
        findings_.Add("the control could not be made");
        control_ = nullptr;
        return;
    }
    if (members_.empty()) members_ = MembersOf(control_);
    IConnectionPointContainer* container = nullptr;
    IProvideClassInfo2* info = nullptr;
    IConnectionPoint* point = nullptr;
    GUID events{};
    ::DWORD cookie = 0;
    control_->QueryInterface(IID_IProvideClassInfo2, reinterpret_cast<void**>(&info));
    control_->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container));
    if (info == nullptr || container == nullptr ||
        FAILED(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &events)) ||
        FAILED(container->FindConnectionPoint(events, &point)) ||
        FAILED(point->Advise(static_cast<IDispatch*>(&sink_), &cookie))) {
        findings_.Add("the events could not be connected");
    }
    // The control holds the sink; the host keeps no connection point.
    if (point != nullptr) point->Release();
    if (container != nullptr) container->Release();
    if (info != nullptr) info->Release();
    edit_ = EditOfTheControl();
    lifeLeft_ = kShortestLife + Pick(random_, kLongestLife - kShortestLife);
}

void Fuzzer::EndControl() {
    const ULONG left = std::exchange(control_, nullptr)->Release();
    edit_ = nullptr;
    if (left != 0) findings_.Add("the control kept " + std::to_string(left) + " references");
    Pump();
    boxesAnswered_ += static_cast<long>(boxes_.Calls().size());
    boxes_.Clear();
    CheckAllGivenBack("at the control's end");
}

void Fuzzer::CheckAllGivenBack(const char* when) {
    const std::pair<const char*, ULONG> held[] = {{"the event sink", sink_.Others()},
                                                  {"a host's automation object", hostile_.Others()},
                                                  {"a host's plain object", plain_.Others()}};
    for (const auto& [what, references] : held) {
        if (references != 0) {
            findings_.Add(std::string(when) + ": " + what + " is still held " +
                          std::to_string(references) + " times");
        }
    }
}

void Fuzzer::Step() {
    if (control_ == nullptr) NewControl();
    if (control_ == nullptr) return;
    const int action = Pick(random_, 100);
    if (action < 80) {
        CallMember();
    } else if (action < 90) {
        PressKey();
    } else if (action < 95) {
        LookUpNames();
    } else {
        AskForInterfaces();
    }
    ++calls_;
    Pump();
    if (control_ == nullptr) {
        // A handler let go of the control: it has ended, and given back all it held.
        CheckAllGivenBack("after a handler let go of the control");
        return;
    }
    const ULONG held = (control_->AddRef(), control_->Release());
    if (held != 1) findings_.Add("the control's count is " + std::to_string(held) + ", not 1");
    if (renew_ && --lifeLeft_ <= 0) EndControl();
}

// Members that often show a message box (a usage message, a property-value report, the error
// report, the About box): a box takes a while to come and go, so they are called less often.
bool ShowsBoxes(const Member& m) {
    static const std::wstring_view kShowing[] = {L"About",
                                                 L"AddItem",
                                                 L"AddList",
                                                 L"ColumnWidths",
                                                 L"ColumnCount",
                                                 L"BoundColumn",
                                                 L"ListRows",
                                                 L"ListWidth",
                                                 L"FillComboBoxMultiColumn",
                                                 L"FillComboBoxMultiColumnRecordset"};
    return m.id == kAboutBox ||
           std::find(std::begin(kShowing), std::end(kShowing), m.name) != std::end(kShowing);
}

const Member& Fuzzer::PickMember() {
    static const Member kUnknown{0x12345, DISPATCH_METHOD, 1, L""};
    static const Member kDefault{DISPID_VALUE, DISPATCH_PROPERTYGET, 0, L""};
    for (;;) {
        const int which = Pick(random_, 100);
        if (which < 3 || members_.empty()) return kUnknown;
        if (which < 6) return kDefault;
        const Member& m = members_[Pick(random_, static_cast<int>(members_.size()))];
        if (!ShowsBoxes(m) || OneIn(random_, kBoxesLessOften)) return m;
    }
}

WORD Fuzzer::PickFlags(const Member& m) {
    static const WORD kAny[] = {0,
                                DISPATCH_METHOD,
                                DISPATCH_PROPERTYGET,
                                DISPATCH_PROPERTYPUT,
                                DISPATCH_PROPERTYPUTREF,
                                DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                                DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF,
                                0x10,
                                0xFFFF};
    if (!OneIn(random_, 4)) {
        // Late-bound hosts read a property as a method too.
        if (m.flags == DISPATCH_PROPERTYGET && OneIn(random_, 2)) return m.flags | DISPATCH_METHOD;
        return m.flags;
    }
    return kAny[Pick(random_, std::size(kAny))];
}

void Fuzzer::CallMember() {
    const Member& m = PickMember();
    const WORD flags = PickFlags(m);
    const unsigned count = OneIn(random_, 4) ? Pick(random_, 6) : m.params;
    ArgumentBlock block(random_, count, ObjectPool{&hostile_, &plain_, control_});
    GuardedMemory namedMemory;
    const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    unsigned named = put && count > 0 && !OneIn(random_, 10) ? 1 : 0;
    bool malformed = false;
    if (OneIn(random_, 25)) {
        named = count + 1 + Pick(random_, 2);
        malformed = true;
    } else if (OneIn(random_, 20)) {
        named = count > 0 ? 1 + Pick(random_, count) : 0;
    }
    DISPID* namedIds = namedMemory.Last<DISPID>(named);
    for (unsigned i = 0; i < named; ++i)
        namedIds[i] = i == 0 && put ? DISPID_PROPERTYPUT : Pick(random_, 4) - 1;
    DISPPARAMS params{block.Arguments(), namedIds, count, named};
    if (count > 0 && OneIn(random_, 40)) {
        params.rgvarg = nullptr;
        malformed = true;
    }
    const bool noParams = OneIn(random_, 50);
    const GUID iid = OneIn(random_, 50) ? IID_IDispatch : IID_NULL;
    VARIANT result;
    ::VariantInit(&result);
    V_VT(&result) = kResultMark;
    V_I4(&result) = kResultMarkValue;
    EXCEPINFO exception{};
    UINT argError = kArgErrorMark;
    const bool wantsResult = !OneIn(random_, 5);
    const bool wantsException = !OneIn(random_, 5);
    const bool wantsArgError = !OneIn(random_, 5);
    const std::string call = win32::Narrow(m.name) + "#" + std::to_string(m.id) + " flags " +
                             std::to_string(flags) + " " + block.Describe() + " named " +
                             std::to_string(named);
    if (tracing_) played_ += call + "; ";
    IDispatch* control = control_;
    ++depth_;
    const HRESULT hr =
        control->Invoke(m.id, iid, LOCALE_USER_DEFAULT, flags, noParams ? nullptr : &params,
                        wantsResult ? &result : nullptr, wantsException ? &exception : nullptr,
                        wantsArgError ? &argError : nullptr);
    --depth_;
    if (iid != IID_NULL) {
        if (hr != DISP_E_UNKNOWNINTERFACE) findings_.Add(call + ": another interface " + Hex(hr));
    } else {
        CheckAnswer(call, InvokeAnswer{hr, noParams ? nullptr : &params, malformed && !noParams,
                                       wantsResult ? &result : nullptr,
                                       wantsException ? &exception : nullptr,
                                       wantsArgError ? &argError : nullptr});
    }
    if (!block.Unchanged()) findings_.Add(call + ": the arguments were changed");
    ::VariantClear(&result);
    ::SysFreeString(exception.bstrSource);
    ::SysFreeString(exception.bstrDescription);
    ::SysFreeString(exception.bstrHelpFile);
}

void Fuzzer::CheckAnswer(const std::string& call, const InvokeAnswer& answer) {
    for (const std::string& broken : BrokenRules(answer))
        findings_.Add(call + ": " + broken);
}

void Fuzzer::LookUpNames() {
    std::vector<std::wstring> texts;
    std::vector<LPOLESTR> names;
    const UINT count = 1 + Pick(random_, 3);
    for (UINT i = 0; i < count; ++i) {
        if (!members_.empty() && !OneIn(random_, 3)) {
            texts.push_back(members_[Pick(random_, static_cast<int>(members_.size()))].name);
        } else {
            texts.push_back(OneIn(random_, 2) ? L"intColumn" : L"NoSuchName");
        }
    }
    for (std::wstring& text : texts)
        names.push_back(OneIn(random_, 8) ? nullptr : text.data());
    std::vector<DISPID> ids(count, 12345);
    const GUID iid = OneIn(random_, 20) ? IID_IUnknown : IID_NULL;
    const HRESULT hr = control_->GetIDsOfNames(iid, names.data(), count, 0, ids.data());
    if (iid != IID_NULL) {
        if (hr != DISP_E_UNKNOWNINTERFACE) findings_.Add("names of another interface " + Hex(hr));
        return;
    }
    if (hr != S_OK && hr != DISP_E_UNKNOWNNAME) findings_.Add("names answered " + Hex(hr));
    for (DISPID id : ids) {
        if (id == 12345) findings_.Add("a name's identifier was left unwritten");
    }
}

void Fuzzer::AskForInterfaces() {
    static const IID kAsked[] = {IID_IUnknown,           IID_IDispatch,
                                 IID_IOleObject,         IID_IOleInPlaceObject,
                                 IID_IPersistStreamInit, IID_IPersistPropertyBag,
                                 IID_IViewObject2,       IID_IConnectionPointContainer,
                                 IID_IProvideClassInfo2, IID_IMarshal,
                                 IID_IClassFactory,      IID_IEnumConnectionPoints,
                                 IID_IPersistStream,     IID_IPersistStorage,
                                 IID_IQuickActivate};
    const IID& iid = kAsked[Pick(random_, std::size(kAsked))];
    IUnknown* asked = reinterpret_cast<IUnknown*>(1);
    const HRESULT hr = control_->QueryInterface(iid, reinterpret_cast<void**>(&asked));
    if (FAILED(hr)) {
        if (hr != E_NOINTERFACE || asked != nullptr) findings_.Add("QueryInterface " + Hex(hr));
        return;
    }
    if (iid == IID_IConnectionPointContainer) {
        IEnumConnectionPoints* points = nullptr;
        auto* container = static_cast<IConnectionPointContainer*>(static_cast<void*>(asked));
        if (container->EnumConnectionPoints(&points) != S_OK) {
            findings_.Add("EnumConnectionPoints refused");
        } else {
            IConnectionPoint* point = nullptr;
            while (points->Next(1, &point, nullptr) == S_OK)
                point->Release();
            points->Release();
        }
    }
    asked->Release();
}

void Fuzzer::PressKey() {
    static const WPARAM kKeys[] = {'A',       'B',       'Q',     'Z',      '1',     VK_RETURN,
                                   VK_ESCAPE, VK_UP,     VK_DOWN, VK_PRIOR, VK_NEXT, VK_F4,
                                   VK_BACK,   VK_DELETE, VK_HOME, VK_END};
    if (edit_ == nullptr || !::IsWindow(edit_)) return;
    const WPARAM key = kKeys[Pick(random_, std::size(kKeys))];
    if (tracing_) played_ += "key " + std::to_string(key) + "; ";
    const bool alt = OneIn(random_, 8);
    HWND edit = edit_;
    ::SendMessageW(edit, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, 1);
    if (control_ != nullptr && key >= '0' && key <= 'Z') {
        ::SendMessageW(edit, WM_CHAR, OneIn(random_, 2) ? key : key + ('a' - 'A'), 1);
    }
    if (control_ != nullptr) ::SendMessageW(edit, alt ? WM_SYSKEYUP : WM_KEYUP, key, 0xC0000001);
}

void Fuzzer::OnEvent(DISPID, DISPPARAMS* params) {
    sink_.answer = OneIn(random_, 10) ? E_FAIL : S_OK;
    const int action = Pick(random_, 100);
    if (action < 15 && params != nullptr) {
        // A by-reference argument written back: KeyCode, KeyAscii, Shift, Cancel.
        for (UINT i = 0; i < params->cArgs; ++i) {
            VARIANT& a = params->rgvarg[i];
            if (V_VT(&a) == (VT_BYREF | VT_I2))
                *V_I2REF(&a) = static_cast<SHORT>(Pick(random_, 300) - 20);
            if (V_VT(&a) == (VT_BYREF | VT_BOOL))
                *V_BOOLREF(&a) = OneIn(random_, 2) ? VARIANT_TRUE : 0;
        }
    } else if (action < 25 && depth_ < 2 && control_ != nullptr) {
        CallMember();
    } else if (action < 30 && control_ != nullptr) {
        // The host lets go of the control inside its event.
        std::exchange(control_, nullptr)->Release();
        edit_ = nullptr;
    }
}

void Fuzzer::TracedStep(int round, int call) {
    if (!traceRounds_) return Step();
    played_.clear();
    const std::int64_t before = test::HeapBytesInUse();
    tracing_ = true;
    Step();
    tracing_ = false;
    std::printf("round %d, step %d: %+lld heap bytes: %s\n", round, call,
                static_cast<long long>(test::HeapBytesInUse() - before), played_.c_str());
}

void Fuzzer::CheckFlat(std::uint64_t start) {
    renew_ = false;
    Resources settled;
    for (int round = 0; round < kFlatRounds; ++round) {
        random_ = Random(start);
        NewControl();
        // A handler that lets go of the control does not end the round: the next step makes
        // the control anew, as the run does, so that every round plays all of its calls.
        for (int i = 0; i < kRoundCalls; ++i)
            TracedStep(round, i);
        if (control_ != nullptr) EndControl();
        Pump();
        const Resources now = Measure();
        if (round < kWarmUpRounds) {
            settled = now;
            continue;
        }
        if (now.windows != settled.windows || now.gdiObjects != settled.gdiObjects ||
            now.heapBytes - settled.heapBytes > kHeapNoise) {
            findings_.Add("round " + std::to_string(round) + " left " + Describe(now) +
                          " where the rounds before left " + Describe(settled));
        }
    }
    std::printf("resources after %d rounds alike: %s\n", kFlatRounds, Describe(Measure()).c_str());
}

struct Options {
    long seconds = 20;
    std::uint64_t start = 0;
};

Options Read(int argc, char** argv) {
    Options options;
    options.start =
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--seconds") == 0) options.seconds = std::atol(argv[i + 1]);
        if (std::strcmp(argv[i], "--start") == 0)
            options.start = std::strtoull(argv[i + 1], nullptr, 10);
    }
    return options;
}

using EntryPoint = HRESULT(STDAPICALLTYPE*)();

HRESULT Call(HMODULE module, const char* name) {
    const auto entry =
        reinterpret_cast<EntryPoint>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
    return entry ? entry() : E_NOTIMPL;
}

}  // namespace
}  // namespace cp::fuzz

int main(int argc, char** argv) {
    using namespace cp::fuzz;
    const Options options = Read(argc, argv);
    if (FAILED(::OleInitialize(nullptr))) return 2;
    HMODULE component = ::LoadLibraryW(cp::win32::Widen(CP_COMPONENT_PATH).c_str());
    if (component == nullptr || Call(component, "DllRegisterServer") != S_OK) {
        std::printf("FINDING the component could not be loaded and registered\n");
        return 1;
    }
    HHOOK about =
        ::SetWindowsHookExW(WH_CALLWNDPROCRET, &CloseAboutBox, nullptr, ::GetCurrentThreadId());
    std::printf("start %llu, %ld seconds\n", static_cast<unsigned long long>(options.start),
                options.seconds);
    long calls = 0;
    long found = 0;
    {
        Fuzzer fuzzer(options.start);
        const auto began = std::chrono::steady_clock::now();
        fuzzer.Run(std::chrono::seconds(options.seconds));
        const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - began);
        std::printf("%ld calls in %lld ms, %ld message boxes answered\n", fuzzer.Calls(),
                    static_cast<long long>(took.count()), fuzzer.BoxesAnswered());
        fuzzer.CheckFlat(options.start);
        calls = fuzzer.Calls();
        found = fuzzer.Found().Count();
    }
    ::UnhookWindowsHookEx(about);
    Call(component, "DllUnregisterServer");
    ::OleUninitialize();
    std::printf("%ld calls, %ld findings\n", calls, found);
    return found == 0 ? 0 : 1;
}
