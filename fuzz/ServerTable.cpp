#include "fuzz/ServerTable.h"

#include <cctype>
#include <cstdio>
#include <optional>
#include <utility>

#include "data/KeyedRows.h"
#include "tests/support/CountedServer.h"

namespace cp::fuzz {
namespace {

// A short stream of numbers that the input starts, so that a table of thousands of rows costs
// the input a few bytes.
class Mixer {
public:
    explicit Mixer(std::uint32_t start) : state_(start | 1u) {}
    std::uint32_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    std::uint32_t Below(std::uint32_t n) { return Next() % n; }

private:
    std::uint32_t state_;
};

struct NameShape {
    std::uint32_t nulls;    // of 64 rows
    std::uint32_t empties;  // of 64 rows
    std::uint32_t longest;  // letters
    std::uint32_t letters;  // of kNameLetters, from the first on
};

// A row's name; none for Null.
std::optional<std::string> MakeName(Mixer& mix, const NameShape& shape) {
    const std::uint32_t draw = mix.Below(64);
    if (draw < shape.nulls) return std::nullopt;
    if (draw < shape.nulls + shape.empties) return std::string();
    std::string name;
    for (std::uint32_t i = mix.Below(shape.longest) + 1; i > 0; --i)
        name += kNameLetters[mix.Below(shape.letters)];
    return name;
}

std::string Folded(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The sampled entries of every 37th row, as a server's statistics keep a few of them.
RowsEstimate Sampled(const std::vector<std::optional<std::string>>& names, double factor) {
    std::vector<std::string> sampled;
    for (std::size_t r = 0; r < names.size(); r += 37)
        if (names[r]) sampled.push_back(Folded(*names[r]));
    return SampledEstimate(static_cast<std::int64_t>(static_cast<double>(names.size()) * factor),
                           std::move(sampled));
}

std::shared_ptr<Database> ServerOf(const ServerTable& t,
                                   const std::vector<std::optional<std::string>>& names) {
    switch (t.known) {
        case RowsKnown::TooFew:
            return std::make_shared<test::CountedServer>(t.db, 0.5);
        case RowsKnown::TooMany:
            return std::make_shared<test::CountedServer>(t.db, 1.5);
        case RowsKnown::Statistics:
            return std::make_shared<test::CountedServer>(t.db, 1, Sampled(names, 1));
        case RowsKnown::StaleSamples:
            return std::make_shared<test::CountedServer>(t.db, 1, Sampled(names, 0.67));
        default:
            return t.db;
    }
}

}  // namespace

ServerTable MakeServerTable(FuzzedDataProvider& in) {
    ServerTable t;
    const int rows = in.ConsumeIntegralInRange(150, 1500);
    const NameShape shape{
        in.ConsumeIntegralInRange(0u, 4u), in.ConsumeIntegralInRange(0u, 4u),
        in.ConsumeIntegralInRange(1u, 4u),
        in.ConsumeIntegralInRange(2u, static_cast<unsigned>(sizeof kNameLetters))};
    Mixer mix(in.ConsumeIntegral<std::uint32_t>());
    t.known = static_cast<RowsKnown>(
        in.ConsumeIntegralInRange(0, static_cast<int>(RowsKnown::StaleSamples)));
    const bool named = t.known == RowsKnown::Counted || t.known == RowsKnown::Statistics ||
                       t.known == RowsKnown::StaleSamples;
    t.keyField = named ? "code" : "";

    std::vector<std::optional<std::string>> names;
    std::string sql =
        "CREATE TABLE places (name TEXT, code TEXT);"
        "CREATE INDEX places_name ON places (name COLLATE NOCASE);"
        "INSERT INTO places (rowid, name, code) VALUES ";
    std::int64_t rowid = 0;
    for (int r = 0; r < rows; ++r) {
        ++rowid;
        if (t.known == RowsKnown::Gapped && rowid % 3 == 0) ++rowid;
        char code[16];
        std::snprintf(code, sizeof code, "C%05lld", static_cast<long long>(rowid));
        const std::optional<std::string> name = MakeName(mix, shape);
        if (r > 0) sql += ',';
        sql += "(" + std::to_string(rowid) + "," + (name ? "'" + *name + "'" : "NULL") + ",'" +
               code + "')";
        names.push_back(name);
        t.codes.push_back(code);
        if (name && !name->empty()) t.names.push_back(*name);
    }
    t.db = sqlite::SqliteDatabase::Open(":memory:", sqlite::OpenMode::Create);
    t.db->Execute(sql);
    t.server = ServerOf(t, names);
    return t;
}

}  // namespace cp::fuzz
