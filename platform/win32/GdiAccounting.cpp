#include "platform/win32/GdiAccounting.h"

#include <mutex>
#include <utility>
#include <vector>

namespace cp::win32 {
namespace {

struct Ledger {
    std::mutex mutex;           // held for every other field
    bool recording = false;     // handles made are kept
    std::vector<HGDIOBJ> made;  // handles made, not yet taken
};

// Every user-interface thread of a host draws, and the record is the process's: one ledger,
// taken under its lock.
Ledger& TheLedger() {
    static Ledger ledger;
    return ledger;
}

using Lock = std::lock_guard<std::mutex>;

}  // namespace

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
    if (object != nullptr && ledger.recording) ledger.made.push_back(object);
}

}  // namespace cp::win32
