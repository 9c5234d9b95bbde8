#include "platform/win32/GdiAccounting.h"

#include <mutex>
#include <unordered_map>
#include <utility>
#include <vector>

namespace cp::win32 {
namespace {

struct Ledger {
    std::mutex mutex;                                       // held for every other field
    GdiCounts live;                                         // the counts reported
    std::unordered_map<HGDIOBJ, int GdiCounts::*> objects;  // pens and brushes alive, by kind
    bool recording = false;                                 // handles made are kept
    std::vector<HGDIOBJ> made;                              // handles made, not yet taken

    void Made(HGDIOBJ object) {
        if (object != nullptr && recording) made.push_back(object);
    }
};

// Every user-interface thread of a host draws, and the counts are the process's: one ledger,
// taken under its lock.
Ledger& TheLedger() {
    static Ledger ledger;
    return ledger;
}

using Lock = std::lock_guard<std::mutex>;

}  // namespace

GdiCounts LiveGdiObjects() {
    Ledger& ledger = TheLedger();
    const Lock lock(ledger.mutex);
    return ledger.live;
}

void StartRecordingGdiObjectsMade() {
    Ledger& ledger = TheLedger();
    const Lock lock(ledger.mutex);
    ledger.recording = true;
}

std::vector<HGDIOBJ> TakeGdiObjectsMade() {
    Ledger& ledger = TheLedger();
    const Lock lock(ledger.mutex);
    return std::exchange(ledger.made, {});
}

void CountMade(HGDIOBJ object) {
    Ledger& ledger = TheLedger();
    const Lock lock(ledger.mutex);
    ledger.Made(object);
}

void CountCreated(HGDIOBJ object, int GdiCounts::*kind) {
    if (object == nullptr) return;
    Ledger& ledger = TheLedger();
    const Lock lock(ledger.mutex);
    ledger.Made(object);
    ledger.objects[object] = kind;
    ++(ledger.live.*kind);
}

void CountDeleted(HGDIOBJ object) {
    Ledger& ledger = TheLedger();
    const Lock lock(ledger.mutex);
    const auto it = ledger.objects.find(object);
    if (it == ledger.objects.end()) return;
    --(ledger.live.*(it->second));
    ledger.objects.erase(it);
}

void CountDC(int GdiCounts::*kind, int delta) {
    Ledger& ledger = TheLedger();
    const Lock lock(ledger.mutex);
    ledger.live.*kind += delta;
}

}  // namespace cp::win32
