// Compound-document hosts: the settings in a stream named "Contents" inside the container's
// storage, in the same record as IPersistStreamInit writes. The object keeps the storage from a
// load or an InitNew until HandsOffStorage, and a Save into another storage until its
// SaveCompleted, as the protocol asks. A storage without the stream, or with a damaged one,
// fails the load and leaves a usable control with its defaults.
#include "component/ColumnPickObject.h"
#include "component/StreamFormat.h"

namespace ocx {
namespace {

constexpr const wchar_t* kContents = L"Contents";
constexpr DWORD kStreamMode = STGM_DIRECT | STGM_SHARE_EXCLUSIVE;

void Hold(IStorage*& held, IStorage* with) {
    if (with != nullptr) with->AddRef();
    if (held != nullptr) held->Release();
    held = with;
}

}  // namespace

HRESULT ColumnPickObject::InitNew(IStorage* storage) {
    if (storage == nullptr) return E_POINTER;
    const HRESULT hr = InitNew();
    if (SUCCEEDED(hr)) Hold(storage_, storage);
    return hr;
}

HRESULT ColumnPickObject::Load(IStorage* storage) {
    if (storage == nullptr) return E_POINTER;
    if (started_) return CO_E_ALREADYINITIALIZED;
    IStream* stream = nullptr;
    HRESULT hr = storage->OpenStream(kContents, nullptr, STGM_READ | kStreamMode, 0, &stream);
    if (FAILED(hr) || stream == nullptr) return hr == STG_E_FILENOTFOUND ? hr : STG_E_READFAULT;
    hr = Load(stream);
    stream->Release();
    if (SUCCEEDED(hr)) Hold(storage_, storage);
    return hr;
}

HRESULT ColumnPickObject::Save(IStorage* storage, BOOL sameAsLoad) {
    // fSameAsLoad with no storage at hand saves into the one held.
    if (storage == nullptr) storage = sameAsLoad ? storage_ : nullptr;
    if (storage == nullptr) return E_POINTER;
    IStream* stream = nullptr;
    HRESULT hr =
        storage->CreateStream(kContents, STGM_CREATE | STGM_WRITE | kStreamMode, 0, 0, &stream);
    if (FAILED(hr) || stream == nullptr) return FAILED(hr) ? hr : STG_E_WRITEFAULT;
    hr = Save(stream, sameAsLoad);
    stream->Release();
    return hr;
}

HRESULT ColumnPickObject::SaveCompleted(IStorage* storage) {
    // A new storage (after Save As) is the object's from now on.
    if (storage != nullptr) Hold(storage_, storage);
    return S_OK;
}

HRESULT ColumnPickObject::HandsOffStorage() {
    if (storage_ != nullptr) std::exchange(storage_, nullptr)->Release();
    return S_OK;
}

}  // namespace ocx
