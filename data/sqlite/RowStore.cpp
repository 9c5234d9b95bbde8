#include "data/sqlite/RowStore.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string_view>

#include "data/sqlite/HugePages.h"
#include "data/sqlite/SqliteStatement.h"
#include "runtime/RuntimeError.h"

namespace cp::sqlite {
namespace {

using Kind = SqliteStatement::FieldKind;

constexpr std::size_t kFirstChunk = std::size_t{64} << 10;
constexpr std::size_t kLargestChunk = std::size_t{8} << 20;
// The most a field takes apart from the bytes of a text: a tag and a 64-bit value or length.
constexpr std::size_t kFixedFieldBytes = 1 + sizeof(std::int64_t);

template <class T>
char* Put(char* p, const T& value) {
    std::memcpy(p, &value, sizeof value);
    return p + sizeof value;
}

template <class T>
T Get(const char*& p) {
    T value;
    std::memcpy(&value, p, sizeof value);
    p += sizeof value;
    return value;
}

}  // namespace

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

char* RowStore::RoomFor(std::size_t written, std::size_t n) {
    Chunk* chunk = chunks_.empty() ? nullptr : &chunks_.back();
    if (!chunk || chunk->capacity - chunk->used - written < n) {
        // The row moves to a chunk of its own with what it has written so far.
        const char* row = chunk ? chunk->bytes.get() + chunk->used : nullptr;
        NewChunk(written + n);
        if (written > 0) std::memcpy(chunks_.back().bytes.get(), row, written);
        chunk = &chunks_.back();
    }
    return chunk->bytes.get() + chunk->used + written;
}

void RowStore::Append(const SqliteStatement& statement) {
    if (rows_ == std::numeric_limits<std::int32_t>::max()) Raise(vberr::Overflow);
    // The row is written after the last one and counted only once it is complete.
    std::size_t written = 0;
    for (int f = 0; f < fields_; ++f) {
        const SqliteStatement::Field field = statement.FieldAt(f);
        const Kind kind = field.Kind();
        if (kind == Kind::Blob) statement.RaiseBinaryField(f);
        const std::string_view text = kind == Kind::Text ? field.Text() : std::string_view();
        char* const start = RoomFor(written, kFixedFieldBytes + text.size());
        char* p = Put(start, static_cast<std::uint8_t>(kind));
        if (kind == Kind::Integer) {
            p = Put(p, field.Integer());
        } else if (kind == Kind::Real) {
            p = Put(p, field.Real());
        } else if (kind == Kind::Text) {
            p = Put(p, static_cast<std::uint64_t>(text.size()));
            p = std::copy(text.begin(), text.end(), p);
        }
        written += static_cast<std::size_t>(p - start);
    }
    if (chunks_.empty()) NewChunk(0);
    lastRow_ = End();
    chunks_.back().used += written;
    ++rows_;
}

std::vector<Variant> RowStore::Read(Position& position, std::int32_t count) const {
    std::vector<Variant> values;
    values.reserve(static_cast<std::size_t>(count) * static_cast<std::size_t>(fields_));
    AdviseHugePages(values.data(), values.capacity() * sizeof(Variant));
    for (std::int32_t row = 0; row < count; ++row) {
        while (position.offset == chunks_[position.chunk].used)
            position = {position.chunk + 1, 0};
        const char* const start = chunks_[position.chunk].bytes.get() + position.offset;
        const char* p = start;
        for (int f = 0; f < fields_; ++f) {
            const auto kind = static_cast<Kind>(Get<std::uint8_t>(p));
            if (kind == Kind::Integer) {
                values.push_back(IntegerVariant(Get<std::int64_t>(p)));
            } else if (kind == Kind::Real) {
                values.emplace_back(Get<double>(p));
            } else if (kind == Kind::Text) {
                const auto size = static_cast<std::size_t>(Get<std::uint64_t>(p));
                values.emplace_back(std::string_view(p, size));
                p += size;
            } else {
                values.push_back(Variant::Null());
            }
        }
        position.offset += static_cast<std::size_t>(p - start);
    }
    return values;
}

void RowStore::Clear() {
    chunks_ = std::vector<Chunk>();
    rows_ = 0;
    lastRow_ = {};
}

}  // namespace cp::sqlite
