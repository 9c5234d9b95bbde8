#include "fuzz/com/FuzzedArguments.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace cp::fuzz {
namespace {

constexpr std::size_t kGuardedBytes = 4096;
constexpr int kLongestText = 600;
constexpr int kLongestArray = 300;
constexpr int kSmallExtent = 5;

// Texts that the control's parsers look for, and some they do not expect.
std::wstring Text(Random& random) {
    static const wchar_t* const kPieces[] = {L";",     L"1", L"Belgium", L"BE",         L"-5",
                                             L"1500",  L"",  L"\u00e9",  L"\U0001F600", L"0.5",
                                             L"x;y;z", L" ", L"65535",   L"99999999999"};
    std::wstring text;
    const int pieces = Pick(random, 8);
    for (int i = 0; i < pieces; ++i)
        text += kPieces[Pick(random, std::size(kPieces))];
    if (OneIn(random, 10)) text.insert(text.size() / 2, 1, L'\0');
    if (OneIn(random, 30)) text.append(static_cast<std::size_t>(Pick(random, kLongestText)), L'w');
    return text;
}

BSTR NewText(Random& random) {
    if (OneIn(random, 20)) return nullptr;
    const std::wstring text = Text(random);
    return ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

double Number(Random& random) {
    static const double kEdges[] = {0.0,
                                    -1.0,
                                    0.5,
                                    32767.0,
                                    -32769.0,
                                    2147483648.0,
                                    1e300,
                                    -1e300,
                                    std::numeric_limits<double>::quiet_NaN(),
                                    std::numeric_limits<double>::infinity(),
                                    std::numeric_limits<double>::denorm_min()};
    if (OneIn(random, 2)) return kEdges[Pick(random, std::size(kEdges))];
    return std::uniform_real_distribution<double>(-70000, 70000)(random);
}

long long Integer(Random& random) {
    static const long long kEdges[] = {0,
                                       1,
                                       -1,
                                       32767,
                                       -32768,
                                       32768,
                                       65535,
                                       2147483647,
                                       -2147483647 - 1,
                                       4294967295LL,
                                       std::numeric_limits<long long>::max(),
                                       std::numeric_limits<long long>::min()};
    if (OneIn(random, 2)) return kEdges[Pick(random, std::size(kEdges))];
    return std::uniform_int_distribution<long long>(-100, 100)(random);
}

void FillArray(Random& random, VARIANT& v, const ObjectPool* pool, int depth);

// A value of one of the simple types; none that owns anything but a text.
void FillScalar(Random& random, VARIANT& v) {
    ::VariantInit(&v);
    switch (Pick(random, 17)) {
        case 0:
            break;  // Empty
        case 1:
            V_VT(&v) = VT_NULL;
            break;
        case 2:
            V_VT(&v) = VT_I2;
            V_I2(&v) = static_cast<SHORT>(Integer(random));
            break;
        case 3:
            V_VT(&v) = VT_I4;
            V_I4(&v) = static_cast<LONG>(Integer(random));
            break;
        case 4:
            V_VT(&v) = VT_R4;
            V_R4(&v) = static_cast<float>(Number(random));
            break;
        case 5:
            V_VT(&v) = VT_R8;
            V_R8(&v) = Number(random);
            break;
        case 6:
            V_VT(&v) = VT_CY;
            V_CY(&v).int64 = Integer(random);
            break;
        case 7:
            V_VT(&v) = VT_DATE;
            V_DATE(&v) = Number(random);
            break;
        case 8:
            V_VT(&v) = VT_BOOL;
            V_BOOL(&v) = OneIn(random, 2) ? VARIANT_TRUE : 5;
            break;
        case 9:
            V_VT(&v) = VT_UI1;
            V_UI1(&v) = static_cast<BYTE>(Integer(random));
            break;
        case 10:
            V_VT(&v) = VT_I1;
            V_I1(&v) = static_cast<CHAR>(Integer(random));
            break;
        case 11:
            V_VT(&v) = VT_UI2;
            V_UI2(&v) = static_cast<USHORT>(Integer(random));
            break;
        case 12:
            V_VT(&v) = VT_UI4;
            V_UI4(&v) = static_cast<ULONG>(Integer(random));
            break;
        case 13:
            V_VT(&v) = VT_I8;
            V_I8(&v) = Integer(random);
            break;
        case 14:
            V_VT(&v) = VT_UI8;
            V_UI8(&v) = static_cast<ULONGLONG>(Integer(random));
            break;
        case 15:
            V_VT(&v) = VT_DECIMAL;
            V_DECIMAL(&v).Lo64 = static_cast<ULONGLONG>(Integer(random));
            V_DECIMAL(&v).Hi32 = OneIn(random, 4) ? 7 : 0;
            V_DECIMAL(&v).scale = static_cast<BYTE>(Pick(random, 29));
            V_DECIMAL(&v).sign = OneIn(random, 2) ? DECIMAL_NEG : 0;
            V_VT(&v) = VT_DECIMAL;
            break;
        default:
            V_VT(&v) = VT_BSTR;
            V_BSTR(&v) = NewText(random);
            break;
    }
}

void FillObject(Random& random, VARIANT& v, const ObjectPool& pool) {
    ::VariantInit(&v);
    switch (Pick(random, 5)) {
        case 0:
            V_VT(&v) = VT_DISPATCH;
            V_DISPATCH(&v) = nullptr;
            break;
        case 1:
            V_VT(&v) = VT_UNKNOWN;
            V_UNKNOWN(&v) = pool.plain;
            pool.plain->AddRef();
            break;
        case 2:
            if (pool.control != nullptr) {
                V_VT(&v) = VT_DISPATCH;
                V_DISPATCH(&v) = pool.control;
                pool.control->AddRef();
                break;
            }
            [[fallthrough]];
        default:
            V_VT(&v) = OneIn(random, 3) ? VT_UNKNOWN : VT_DISPATCH;
            V_DISPATCH(&v) = pool.hostile;
            pool.hostile->AddRef();
            break;
    }
}

SAFEARRAY* VariantArray(Random& random, const ObjectPool* pool, int depth) {
    const UINT dims = 1 + static_cast<UINT>(Pick(random, 3));
    SAFEARRAYBOUND bounds[3];
    for (UINT d = 0; d < dims; ++d)
        bounds[d] = {static_cast<ULONG>(Pick(random, kSmallExtent)),
                     OneIn(random, 4) ? Pick(random, 3) - 1 : 0};
    SAFEARRAY* array = ::SafeArrayCreate(VT_VARIANT, dims, bounds);
    if (array == nullptr) return nullptr;
    VARIANT* data = nullptr;
    ::SafeArrayAccessData(array, reinterpret_cast<void**>(&data));
    ULONG total = 1;
    for (UINT d = 0; d < dims; ++d)
        total *= bounds[d].cElements;
    for (ULONG i = 0; i < total; ++i) {
        if (depth > 0 && OneIn(random, 8)) {
            FillArray(random, data[i], pool, depth - 1);
        } else if (pool != nullptr && OneIn(random, 10)) {
            FillObject(random, data[i], *pool);
        } else {
            FillScalar(random, data[i]);
        }
    }
    ::SafeArrayUnaccessData(array);
    return array;
}

void FillArray(Random& random, VARIANT& v, const ObjectPool* pool, int depth) {
    ::VariantInit(&v);
    switch (Pick(random, 6)) {
        case 0: {
            V_VT(&v) = VT_ARRAY | VT_I4;
            V_ARRAY(&v) =
                ::SafeArrayCreateVector(VT_I4, 0, static_cast<ULONG>(Pick(random, kLongestArray)));
            break;
        }
        case 1: {
            V_VT(&v) = VT_ARRAY | VT_BSTR;
            V_ARRAY(&v) = ::SafeArrayCreateVector(VT_BSTR, 0, static_cast<ULONG>(Pick(random, 4)));
            break;
        }
        case 2:
            // An array of Longs that the VARIANT calls one of Variants.
            V_VT(&v) = VT_ARRAY | VT_VARIANT;
            V_ARRAY(&v) = ::SafeArrayCreateVector(VT_I4, 0, static_cast<ULONG>(Pick(random, 9)));
            break;
        case 3:
            V_VT(&v) = VT_ARRAY | VT_VARIANT;
            V_ARRAY(&v) = nullptr;
            break;
        default:
            V_VT(&v) = VT_ARRAY | VT_VARIANT;
            V_ARRAY(&v) = VariantArray(random, pool, depth);
            break;
    }
}

}  // namespace

GuardedMemory::GuardedMemory() {
    base_ = static_cast<unsigned char*>(
        ::VirtualAlloc(nullptr, 2 * kGuardedBytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    ::DWORD old = 0;
    ::VirtualProtect(base_ + kGuardedBytes, kGuardedBytes, PAGE_NOACCESS, &old);
    end_ = base_ + kGuardedBytes;
}

GuardedMemory::~GuardedMemory() {
    ::VirtualFree(base_, 0, MEM_RELEASE);
}

ArgumentBlock::ArgumentBlock(Random& random, unsigned count, const ObjectPool& pool)
    : arguments_(memory_.Last<VARIANT>(count)), count_(count) {
    for (unsigned i = 0; i < count; ++i) {
        VARIANT& v = arguments_[i];
        const int kind = Pick(random, 100);
        if (kind < 45) {
            FillScalar(random, v);
        } else if (kind < 60) {
            FillByReference(random, v, pool);
        } else if (kind < 70) {
            FillObject(random, v, pool);
        } else if (kind < 80) {
            FillArray(random, v, &pool, 1);
        } else if (kind < 88) {
            ::VariantInit(&v);
            V_VT(&v) = VT_ERROR;
            V_ERROR(&v) = OneIn(random, 2) ? DISP_E_PARAMNOTFOUND : E_FAIL;
        } else if (kind < 93) {
            // Types that do not exist, or that no VARIANT may hold by value.
            static const VARTYPE kInvalid[] = {VT_VARIANT, 0x7F,     VT_VOID, VT_PTR,
                                               VT_LPSTR,   VT_CLSID, 0x0FFF};
            ::VariantInit(&v);
            V_VT(&v) = kInvalid[Pick(random, std::size(kInvalid))];
        } else {
            // A by-reference VARIANT whose target is itself a by-reference VARIANT.
            ::VariantInit(&v);
            VARIANT& inner = targets_.emplace_back();
            ::VariantInit(&inner);
            VARIANT& innermost = targets_.emplace_back();
            FillScalar(random, innermost);
            V_VT(&inner) = VT_BYREF | VT_VARIANT;
            V_VARIANTREF(&inner) = OneIn(random, 2) ? &innermost : nullptr;
            V_VT(&v) = VT_BYREF | VT_VARIANT;
            V_VARIANTREF(&v) = &inner;
        }
    }
    asPassed_.assign(reinterpret_cast<unsigned char*>(arguments_),
                     reinterpret_cast<unsigned char*>(arguments_ + count));
}

void ArgumentBlock::FillByReference(Random& random, VARIANT& v, const ObjectPool& pool) {
    ::VariantInit(&v);
    VARIANT& target = targets_.emplace_back();
    const int kind = Pick(random, 10);
    if (kind < 6) {
        FillScalar(random, target);
    } else if (kind < 8) {
        FillObject(random, target, pool);
    } else {
        FillArray(random, target, &pool, 0);
    }
    if (V_VT(&target) == VT_EMPTY || OneIn(random, 3)) {
        V_VT(&v) = VT_BYREF | VT_VARIANT;
        V_VARIANTREF(&v) = &target;
    } else {
        V_VT(&v) = VT_BYREF | V_VT(&target);
        V_BYREF(&v) = &V_NONE(&target);
        if (V_VT(&target) == VT_DECIMAL) V_BYREF(&v) = &V_DECIMAL(&target);
    }
    // A reference to nothing.
    if (OneIn(random, 10)) V_BYREF(&v) = nullptr;
}

ArgumentBlock::~ArgumentBlock() {
    for (unsigned i = 0; i < count_; ++i) {
        // What the call left is cleared as passed: a callee that changed an argument has been
        // reported already.
        std::memcpy(&arguments_[i], asPassed_.data() + i * sizeof(VARIANT), sizeof(VARIANT));
        if ((V_VT(&arguments_[i]) & VT_BYREF) == 0) ::VariantClear(&arguments_[i]);
    }
    for (VARIANT& target : targets_)
        if ((V_VT(&target) & VT_BYREF) == 0) ::VariantClear(&target);
}

bool ArgumentBlock::Unchanged() const {
    return std::memcmp(arguments_, asPassed_.data(), asPassed_.size()) == 0;
}

std::string ArgumentBlock::Describe() const {
    std::string text;
    for (unsigned i = count_; i-- > 0;)
        text += (text.empty() ? "" : ",") + std::to_string(V_VT(&arguments_[i]));
    return "(" + text + ")";
}

void FillHostValue(Random& random, VARIANT& v) {
    FillScalar(random, v);
}

void FillHostArray(Random& random, VARIANT& v) {
    FillArray(random, v, nullptr, 0);
}

}  // namespace cp::fuzz
