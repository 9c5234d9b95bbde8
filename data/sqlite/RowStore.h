// The rows that a recordset has read, kept compact: per field a tag byte and its value (a
// 64-bit integer, a double, or a length and the UTF-8 bytes; Null is the tag alone). Variants
// are made only when rows are handed out, straight into the block that GetRows returns, so a
// big result is held once in little memory and copied once. The bytes live in chunks that are
// never moved, and a row never straddles two chunks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "data/sqlite/HugePages.h"
#include "runtime/Variant.h"

namespace cp::sqlite {

class SqliteStatement;

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
    // Appends the statement's current row; a BLOB field is a type mismatch and adds nothing.
    void Append(const SqliteStatement& statement);
    // count rows from position on as a (field, row) block of Variants; position moves past
    // them.
    std::vector<Variant> Read(Position& position, std::int32_t count) const;
    // Gives the memory back.
    void Clear();

private:
    struct Chunk {
        ByteBlock bytes;           // uninitialised until written
        std::size_t capacity = 0;  // bytes allocated
        std::size_t used = 0;      // bytes holding rows
    };

    // Room for n more bytes of a row that has written `written` bytes after the last chunk's
    // rows; the row moves to a new chunk when the last one has no room for it.
    char* RoomFor(std::size_t written, std::size_t n);
    void NewChunk(std::size_t n);

    std::int32_t fields_;        // fields of every row
    std::vector<Chunk> chunks_;  // the rows, one after the other
    std::int32_t rows_ = 0;      // rows kept
    Position lastRow_;           // where the last row begins
};

}  // namespace cp::sqlite
