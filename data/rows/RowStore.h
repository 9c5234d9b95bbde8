// The rows that a recordset has read, kept compact: per field a tag byte and its value (an
// 8-byte number, or a length and the UTF-8 bytes of a text; Null is the tag alone). Variants
// are made only when rows are handed out, straight into the block that GetRows returns, so a
// big result is held once in little memory and copied once. The bytes live in chunks that are
// never moved, and a row never straddles two chunks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "data/FieldSink.h"
#include "data/rows/HugePages.h"
#include "runtime/Variant.h"

namespace cp::rows {

class RowSource;
class RowStore;

// The kinds of value that a row keeps; each becomes the Variant of the same name.
enum class FieldKind : std::uint8_t {
    Null,
    Integer,  // a 64-bit integer: a Long when it fits, see IntegerVariant
    Short,    // a 16-bit Integer
    Boolean,
    Single,
    Double,
    Date,  // a Date serial
    Text,
};

// Writes one row's fields, in order, after the rows that the store holds.
class RowWriter {
public:
    void Null() { Put(FieldKind::Null, nullptr, 0); }
    void Integer(std::int64_t value) { Put(FieldKind::Integer, &value, sizeof value); }
    void Short(std::int16_t value) { Put(FieldKind::Short, &value, sizeof value); }
    void Boolean(bool value) { Put(FieldKind::Boolean, &value, sizeof value); }
    void Single(float value) { Put(FieldKind::Single, &value, sizeof value); }
    void Double(double value) { Put(FieldKind::Double, &value, sizeof value); }
    void Date(double serial) { Put(FieldKind::Date, &serial, sizeof serial); }
    void Text(std::string_view text);

private:
    friend class RowStore;
    explicit RowWriter(RowStore& store) : store_(store) {}
    void Put(FieldKind kind, const void* value, std::size_t size);

    RowStore& store_;          // the store written to
    std::size_t written_ = 0;  // bytes of this row written so far
};

class RowStore {
public:
    // Where a row is kept. Rows are read front to back from a position, so none needs an
    // index.
    struct Position {
        std::size_t chunk = 0;   // index of the chunk
        std::size_t offset = 0;  // bytes into it
    };

    explicit RowStore(std::int32_t fields) : fields_(fields) {}

    std::int32_t Rows() const { return rows_; }
    Position FirstRow() const { return {}; }
    Position LastRow() const { return lastRow_; }
    // Where the next row appended will be kept.
    Position End() const;
    // Appends the source's current row. A failure while the source writes it adds nothing.
    void Append(const RowSource& source);
    // count rows from position on as a (field, row) block of Variants; position moves past
    // them.
    BlockVector<Variant> Read(Position& position, std::int32_t count) const;
    // The same rows written to sink, field by field (sink.Start is the caller's).
    void Write(Position& position, std::int32_t count, FieldSink& sink) const;
    // Gives the memory back.
    void Clear();

private:
    friend class RowWriter;
    struct Chunk {
        ByteBlock bytes;           // uninitialised until written
        std::size_t capacity = 0;  // bytes allocated
        std::size_t used = 0;      // bytes holding rows
    };

    // Room for n more bytes of a row that has written `written` bytes after the last chunk's
    // rows; the row moves to a new chunk when the last one has no room for it.
    char* RoomFor(std::size_t written, std::size_t n) {
        if (!chunks_.empty()) {
            Chunk& chunk = chunks_.back();
            if (chunk.capacity - chunk.used - written >= n) {
                return chunk.bytes.get() + chunk.used + written;
            }
        }
        return RoomInNewChunk(written, n);
    }
    char* RoomInNewChunk(std::size_t written, std::size_t n);
    void NewChunk(std::size_t n);
    void WriteField(const char*& p, FieldSink& sink) const;

    std::int32_t fields_;        // fields of every row
    std::vector<Chunk> chunks_;  // the rows, one after the other
    std::int32_t rows_ = 0;      // rows kept
    Position lastRow_;           // where the last row begins
};

}  // namespace cp::rows
