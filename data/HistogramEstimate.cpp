#include "data/HistogramEstimate.h"

#include <algorithm>

namespace cp {
namespace {

std::vector<std::string> FoldedSorted(std::vector<std::string> entries) {
    for (std::string& entry : entries)
        entry = FoldedPrefix(entry);
    std::ranges::sort(entries);
    return entries;
}

// Common entries that fold to the same text are one entry of the order.
std::vector<CommonEntry> FoldedCommon(const std::vector<CommonEntry>& common) {
    std::vector<CommonEntry> folded;
    for (const CommonEntry& c : common)
        folded.push_back({FoldedPrefix(c.entry), std::max(c.share, 0.0)});
    std::ranges::sort(folded, {}, &CommonEntry::entry);
    std::vector<CommonEntry> merged;
    for (CommonEntry& c : folded) {
        if (!merged.empty() && merged.back().entry == c.entry) {
            merged.back().share += c.share;
        } else {
            merged.push_back(std::move(c));
        }
    }
    return merged;
}

class Shares {
public:
    Shares(const ColumnStatistics& statistics)
        : bounds_(FoldedSorted(statistics.bounds)), common_(FoldedCommon(statistics.common)) {
        double common = 0;
        for (const CommonEntry& c : common_)
            common += c.share;
        histogram_ = std::max(0.0, 1 - std::max(statistics.nullShare, 0.0) - common);
    }

    const std::vector<std::string>& Bounds() const { return bounds_; }
    const std::vector<CommonEntry>& Common() const { return common_; }

    // The share of the rows that are neither Null nor common and whose entries come before
    // entry: whole buckets below it, and the part of its own bucket that lies below it.
    double HistogramBelow(const std::string& entry) const {
        const auto above = std::ranges::lower_bound(bounds_, entry);
        if (above == bounds_.begin()) return 0;
        if (above == bounds_.end() || bounds_.size() < 2) return histogram_;
        const auto buckets = static_cast<double>(bounds_.size() - 1);
        const auto whole = static_cast<double>(above - bounds_.begin() - 1);
        return histogram_ / buckets * (whole + PlaceBetween(*std::prev(above), entry, *above));
    }

    // The share of the rows whose common entries come before entry.
    double CommonBelow(const std::string& entry) const {
        double below = 0;
        for (const CommonEntry& c : common_) {
            if (c.entry >= entry) break;
            below += c.share;
        }
        return below;
    }

private:
    std::vector<std::string> bounds_;
    std::vector<CommonEntry> common_;
    double histogram_ = 0;  // the share of the rows that the histogram describes
};

}  // namespace

RowsEstimate HistogramEstimate(std::int64_t rows, const ColumnStatistics& statistics) {
    const Shares shares(statistics);
    const double nulls = std::clamp(statistics.nullShare, 0.0, 1.0);
    RowsEstimate estimate{rows, {{std::string(), nulls}}};
    const auto before = [&](const std::string& entry) {
        return nulls + shares.HistogramBelow(entry) + shares.CommonBelow(entry);
    };
    for (const std::string& bound : shares.Bounds())
        estimate.entries.push_back({bound, before(bound)});
    for (const CommonEntry& c : shares.Common()) {
        // The common entry's rows lie between the entry and the first text after it.
        const double first = before(c.entry);
        estimate.entries.push_back({c.entry, first});
        estimate.entries.push_back({c.entry + '\0', first + c.share});
    }
    std::ranges::sort(estimate.entries, [](const EstimatedEntry& a, const EstimatedEntry& b) {
        return a.entry != b.entry ? a.entry < b.entry : a.before < b.before;
    });
    // Shares that rounding or a server's own order left out of step are held ascending.
    double highest = 0;
    for (EstimatedEntry& e : estimate.entries) {
        highest = std::max(highest, std::min(e.before, 1.0));
        e.before = highest;
    }
    return estimate;
}

}  // namespace cp
