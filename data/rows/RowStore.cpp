#include "data/rows/RowStore.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "data/rows/FieldValues.h"
#include "data/rows/RowSource.h"
#include "runtime/RuntimeError.h"

namespace cp::rows {
namespace {

constexpr std::size_t kFirstChunk = std::size_t{64} << 10;
constexpr std::size_t kLargestChunk = std::size_t{8} << 20;
// The most a field takes apart from the bytes of a text: a tag and an 8-byte value or length.
constexpr std::size_t kFixedFieldBytes = 1 + sizeof(std::int64_t);

template <class T>
T Get(const char*& p) {
    T value;
    std::memcpy(&value, p, sizeof value);
    p += sizeof value;
    return value;
}

}  // namespace

void RowWriter::Put(FieldKind kind, const void* value, std::size_t size) {
    char* const p = store_.RoomFor(written_, 1 + size);
    *p = static_cast<char>(kind);
    if (size > 0) std::memcpy(p + 1, value, size);
    written_ += 1 + size;
}

void RowWriter::Text(std::string_view text) {
    char* p = store_.RoomFor(written_, kFixedFieldBytes + text.size());
    *p++ = static_cast<char>(FieldKind::Text);
    const auto size = static_cast<std::uint64_t>(text.size());
    std::memcpy(p, &size, sizeof size);
    if (!text.empty()) std::memcpy(p + sizeof size, text.data(), text.size());
    written_ += kFixedFieldBytes + text.size();
}

RowStore::Position RowStore::End() const {
    if (chunks_.empty()) return {};
    return {chunks_.size() - 1, chunks_.back().used};
}

void RowStore::NewChunk(std::size_t n) {
    // Chunks grow up to a size that huge pages can back, and fit any row.
    const std::size_t grown = chunks_.empty() ? kFirstChunk : chunks_.back().capacity * 2;
    Chunk chunk;
    chunk.capacity = std::max(std::min(grown, kLargestChunk), n);
    chunk.bytes = AllocateBytes(chunk.capacity);
    chunks_.push_back(std::move(chunk));
}

char* RowStore::RoomInNewChunk(std::size_t written, std::size_t n) {
    // The row moves to a chunk of its own with what it has written so far.
    const char* row = chunks_.empty() ? nullptr : chunks_.back().bytes.get() + chunks_.back().used;
    NewChunk(written + n);
    if (written > 0) std::memcpy(chunks_.back().bytes.get(), row, written);
    return chunks_.back().bytes.get() + written;
}

void RowStore::Append(const RowSource& source) {
    if (rows_ == std::numeric_limits<std::int32_t>::max()) Raise(vberr::Overflow);
    // The row is written after the last one and counted only once it is complete.
    RowWriter row(*this);
    source.WriteRow(row);
    if (chunks_.empty()) NewChunk(0);
    lastRow_ = End();
    chunks_.back().used += row.written_;
    ++rows_;
}

namespace {

// The Variants of the fields, in order.
class VariantCollector final : public FieldSink {
public:
    void Start(std::int32_t, std::int32_t) override {}
    void Null() override { values.emplace_back(Variant::Null()); }
    void Boolean(bool value) override { values.emplace_back(value); }
    void Integer(std::int16_t value) override { values.emplace_back(value); }
    void Long(std::int32_t value) override { values.emplace_back(value); }
    void Single(float value) override { values.emplace_back(value); }
    void Double(double value) override { values.emplace_back(value); }
    void Date(double serial) override { values.emplace_back(cp::Date{serial}); }
    void Text(std::string_view text) override { values.emplace_back(text); }
    void Value(const Variant& value) override { values.emplace_back(value); }

    BlockVector<Variant> values;
};

}  // namespace

void RowStore::WriteField(const char*& p, FieldSink& sink) const {
    switch (static_cast<FieldKind>(Get<std::uint8_t>(p))) {
        case FieldKind::Integer:
            return WriteInteger(Get<std::int64_t>(p), sink);
        case FieldKind::Short:
            return sink.Integer(Get<std::int16_t>(p));
        case FieldKind::Boolean:
            return sink.Boolean(Get<bool>(p));
        case FieldKind::Single:
            return sink.Single(Get<float>(p));
        case FieldKind::Double:
            return sink.Double(Get<double>(p));
        case FieldKind::Date:
            return sink.Date(Get<double>(p));
        case FieldKind::Text: {
            const auto size = static_cast<std::size_t>(Get<std::uint64_t>(p));
            const std::string_view text(p, size);
            p += size;
            return sink.Text(text);
        }
        case FieldKind::Null:
            break;
    }
    sink.Null();
}

BlockVector<Variant> RowStore::Read(Position& position, std::int32_t count) const {
    VariantCollector values;
    Write(position, count, values);
    return std::move(values.values);
}

void RowStore::Write(Position& position, std::int32_t count, FieldSink& sink) const {
    for (std::int32_t row = 0; row < count; ++row) {
        while (position.offset == chunks_[position.chunk].used)
            position = {position.chunk + 1, 0};
        const char* const start = chunks_[position.chunk].bytes.get() + position.offset;
        const char* p = start;
        for (int f = 0; f < fields_; ++f)
            WriteField(p, sink);
        position.offset += static_cast<std::size_t>(p - start);
    }
}

void RowStore::Clear() {
    chunks_ = std::vector<Chunk>();
    rows_ = 0;
    lastRow_ = {};
}

}  // namespace cp::rows
