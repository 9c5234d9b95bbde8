#include "component/StreamFormat.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string>

namespace ocx {
namespace {

constexpr char kSignature[4] = {'C', 'P', 'S', '1'};
// More entries than any settings record holds mean a damaged stream.
constexpr std::uint32_t kMostEntries = 64;
// A text's length is believed only as far as the stream's bytes bear it out: the text grows
// by this much at a time as they come, so that a damaged length asks for no more memory than
// the stream holds.
constexpr std::size_t kTextStep = std::size_t{1} << 20;

class Writer {
public:
    void Bytes(const void* data, std::size_t size) {
        out_.append(static_cast<const char*>(data), size);
    }
    template <class T>
    void Value(T value) {
        Bytes(&value, sizeof value);
    }
    void Text(const std::string& text) {
        Value(static_cast<std::uint32_t>(text.size()));
        Bytes(text.data(), text.size());
    }
    const std::string& Out() const { return out_; }

private:
    std::string out_;
};

void WriteValue(Writer& w, const Variant& v) {
    w.Value(static_cast<std::uint16_t>(v.Type()));
    if (const auto* i2 = v.Get<std::int16_t>()) w.Value(*i2);
    if (const auto* i4 = v.Get<std::int32_t>()) w.Value(*i4);
    if (const auto* u1 = v.Get<std::uint8_t>()) w.Value(*u1);
    if (const auto* b = v.Get<bool>()) w.Value(static_cast<std::uint8_t>(*b ? 1 : 0));
    if (v.IsString()) w.Text(v.String());
}

std::string Record(const win32::PropertyStore& store) {
    Writer w;
    w.Bytes(kSignature, sizeof kSignature);
    w.Value(static_cast<std::uint32_t>(store.Entries().size()));
    for (const auto& [key, value] : store.Entries()) {
        w.Text(key);
        WriteValue(w, value);
    }
    return w.Out();
}

class Reader {
public:
    explicit Reader(IStream& stream) : stream_(stream) {}
    bool Bytes(void* data, std::size_t size) {
        ULONG read = 0;
        return SUCCEEDED(stream_.Read(data, static_cast<ULONG>(size), &read)) && read == size;
    }
    template <class T>
    bool Value(T& value) {
        return Bytes(&value, sizeof value);
    }
    bool Text(std::string& text) {
        std::uint32_t size = 0;
        if (!Value(size)) return false;
        text.clear();
        while (text.size() < size) {
            const std::size_t at = text.size();
            const std::size_t step = std::min<std::size_t>(size - at, kTextStep);
            text.resize(at + step);
            if (!Bytes(text.data() + at, step)) return false;
        }
        return true;
    }

private:
    IStream& stream_;
};

bool ReadValue(Reader& r, Variant& v) {
    std::uint16_t type = 0;
    if (!r.Value(type)) return false;
    switch (static_cast<VarType>(type)) {
        case VarType::Integer: {
            std::int16_t i2 = 0;
            return r.Value(i2) && (v = Variant(i2), true);
        }
        case VarType::Long: {
            std::int32_t i4 = 0;
            return r.Value(i4) && (v = Variant(i4), true);
        }
        case VarType::Byte: {
            std::uint8_t u1 = 0;
            return r.Value(u1) && (v = Variant(u1), true);
        }
        case VarType::Boolean: {
            std::uint8_t b = 0;
            return r.Value(b) && b <= 1 && (v = Variant(b == 1), true);
        }
        case VarType::String: {
            std::string text;
            return r.Text(text) && (v = Variant(std::move(text)), true);
        }
        default:
            return false;
    }
}

}  // namespace

HRESULT SaveSettings(const win32::PropertyStore& store, IStream& stream) {
    const std::string record = Record(store);
    // A record that one write cannot hold (texts of gigabytes) is refused whole.
    if (record.size() > std::numeric_limits<ULONG>::max()) return STG_E_MEDIUMFULL;
    ULONG written = 0;
    const HRESULT hr = stream.Write(record.data(), static_cast<ULONG>(record.size()), &written);
    if (FAILED(hr)) return hr;
    return written == record.size() ? S_OK : STG_E_MEDIUMFULL;
}

HRESULT LoadSettings(IStream& stream, win32::PropertyStore& store) {
    Reader r(stream);
    char signature[sizeof kSignature] = {};
    std::uint32_t count = 0;
    if (!r.Bytes(signature, sizeof signature) ||
        std::memcmp(signature, kSignature, sizeof kSignature) != 0 || !r.Value(count) ||
        count > kMostEntries) {
        return STG_E_READFAULT;
    }
    win32::PropertyStore read;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::string key;
        Variant value;
        if (!r.Text(key) || !ReadValue(r, value)) return STG_E_READFAULT;
        read.WriteProperty(key, value, Variant::Null());
    }
    store = std::move(read);
    return S_OK;
}

std::uint64_t SettingsSize(const win32::PropertyStore& store) {
    return Record(store).size();
}

}  // namespace ocx
