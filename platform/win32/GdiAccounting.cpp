#include "platform/win32/GdiAccounting.h"

#include <unordered_map>
#include <utility>
#include <vector>

namespace cp::win32 {
namespace {

struct Ledger {
    GdiCounts live;                                         // the counts reported
    std::unordered_map<HGDIOBJ, int GdiCounts::*> objects;  // pens and brushes alive, by kind
    bool recording = false;                                 // handles made are kept
    std::vector<HGDIOBJ> made;                              // handles made, not yet taken
};

// Drawing happens on the user-interface thread only; one ledger serves the process.
Ledger& TheLedger() {
    static Ledger ledger;
    return ledger;
}

}  // namespace

GdiCounts LiveGdiObjects() {
    return TheLedger().live;
}

void StartRecordingGdiObjectsMade() {
    TheLedger().recording = true;
}

std::vector<HGDIOBJ> TakeGdiObjectsMade() {
    return std::exchange(TheLedger().made, {});
}

void CountMade(HGDIOBJ object) {
    if (object != nullptr && TheLedger().recording) TheLedger().made.push_back(object);
}

void CountCreated(HGDIOBJ object, int GdiCounts::*kind) {
    if (object == nullptr) return;
    CountMade(object);
    TheLedger().objects[object] = kind;
    ++(TheLedger().live.*kind);
}

void CountDeleted(HGDIOBJ object) {
    auto& ledger = TheLedger();
    const auto it = ledger.objects.find(object);
    if (it == ledger.objects.end()) return;
    --(ledger.live.*(it->second));
    ledger.objects.erase(it);
}

void CountDC(int GdiCounts::*kind, int delta) {
    TheLedger().live.*kind += delta;
}

}  // namespace cp::win32
